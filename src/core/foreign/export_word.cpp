#include "core/foreign/export_word.h"

#include <charconv>

#include "store/record_reader.h"
#include "text/rich_text.h"

namespace morvanta::foreign {

std::string JoinedTranslations(const ExportWord& word) {
    std::string joined;
    for (const std::string* t : {&word.translation1, &word.translation2, &word.translation3}) {
        if (t->empty()) continue;
        if (!joined.empty()) joined += "; ";
        joined += *t;
    }
    return joined;
}

bool ReadExportWords(store::DataSet& words, std::vector<ExportWord>& out,
                     const exchange::ProgressFn& progress) {
    store::RecordReader reader(words, {"Kanji", "Hira-Kata", "Hepburn", "Translation1", "Translation2",
                                       "Translation3", "Lesson", "Type", "Note"});
    out.reserve(out.size() + static_cast<std::size_t>(reader.count()));
    std::int64_t done = 0;
    while (reader.next()) {
        if (!exchange::Proceed(progress, done++)) return false;
        ExportWord word;
        word.kanji = text::RtfToPlainText(reader.text(0));
        word.kana = text::RtfToPlainText(reader.text(1));
        word.hepburn = reader.text(2);
        word.translation1 = reader.text(3);
        word.translation2 = reader.text(4);
        word.translation3 = reader.text(5);
        const std::string_view lesson = reader.text(6);
        std::from_chars(lesson.data(), lesson.data() + lesson.size(), word.lesson);
        word.type = reader.text(7);
        word.note = reader.text(8);
        out.push_back(std::move(word));
    }
    return true;
}

}  // namespace morvanta::foreign
