// Creates an empty vocabulary table file; never touches an existing one.
#include <cstdio>
#include <exception>

#include "store/vocabulary.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_table <folder/Vokabel.DB>\n");
        return 2;
    }
    try {
        morvanta::store::CreateVocabularyFile(argv[1]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_table: %s\n", e.what());
        return 1;
    }
}
