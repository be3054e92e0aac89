// make_table <path/Vokabel.DB>: creates an empty vocabulary table file.
// An existing file is left exactly as it is; both cases end with exit code 0.
#include <cstdio>
#include <exception>

#include "store/vocabulary.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_table <path/Vokabel.DB>\n");
        return 2;
    }
    try {
        if (morvanta::store::CreateVocabularyFile(argv[1]))
            std::printf("Created the empty table file %s\n", argv[1]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_table: %s\n", e.what());
        return 1;
    }
}
