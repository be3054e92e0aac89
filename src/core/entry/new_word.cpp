#include "core/entry/new_word.h"

namespace morvanta::entry {

store::Record NewWordRecord(const NewWord& word, const store::Clock& clock) {
    const store::DateTime entered = clock.now();
    const store::DateTime asked = clock.now();
    return {
        word.translation1,
        word.translation2,
        word.translation3,
        FirstLine(word.hepburn),
        word.kanjiRtf,
        word.hiraKataRtf,
        word.accent,
        word.note,
        entered,
        asked,
        std::int64_t{0},  // NumberAsked
        std::int64_t{0},  // NumberWrong
        true,             // Marked: a new word is asked in the next quiz
        word.type,
        false,  // CardPrinted
        word.lesson,
    };
}

std::string FirstLine(const std::string& text) {
    const auto end = text.find_first_of("\r\n");
    return end == std::string::npos ? text : text.substr(0, end);
}

}  // namespace morvanta::entry
