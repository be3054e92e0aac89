#include "print/print_words.h"

#include <algorithm>
#include <unordered_map>

#include "core/exchange/kanji_character.h"
#include "core/exchange/rtf_kanji_list.h"
#include "store/data_set.h"
#include "store/record_reader.h"
#include "text/rich_text.h"

namespace morvanta::print {

namespace {

// One line: a rich text's paragraphs side by side.
QString PlainLine(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
}

std::u32string KanjiOfWord(const PrintWord& word) {
    return exchange::KanjiOfPlainText(word.kanji.toStdString());
}

}  // namespace

bool GatherWords(store::DataSet& query, std::vector<PrintWord>& words,
                 const exchange::ProgressFn& progress) {
    words.clear();
    words.reserve(std::size_t(std::max(query.recordCount(), 0)));
    store::RecordReader records(
        query, {"Kanji", "Hira-Kata", "Hepburn", "Translation1", "Translation2", "Translation3"});
    std::int64_t done = 0;
    while (records.next()) {
        PrintWord word;
        word.kanji = PlainLine(text::RtfToPlainText(records.text(0)));
        word.kana = PlainLine(text::RtfToPlainText(records.text(1)));
        word.hepburn = PlainLine(records.text(2));
        for (int field = 3; field < 6; ++field) {
            const QString t = PlainLine(records.text(field));
            if (!t.isEmpty()) word.translations << t;
        }
        words.push_back(std::move(word));
        if (!exchange::Proceed(progress, ++done)) return false;
    }
    return true;
}

std::vector<KanjiUse> KanjiUses(exchange::KnownCharacters& known,
                                const std::vector<PrintWord>& words) {
    for (const PrintWord& word : words) known.addKanji(KanjiOfWord(word));
    std::vector<KanjiUse> uses;
    std::unordered_map<char32_t, std::size_t> at;
    for (const char32_t cp : known.listedCharacters()) {
        at.emplace(cp, uses.size());
        uses.push_back({cp, {}});
    }
    for (std::uint32_t i = 0; i < words.size(); ++i) {
        for (const char32_t cp : KanjiOfWord(words[i])) {
            const auto found = at.find(cp);
            if (found == at.end()) continue;
            auto& list = uses[found->second].words;
            if (list.empty() || list.back() != i) list.push_back(i);  // 日曜日 counts once
        }
    }
    return uses;
}

QString WordCount(std::size_t count) {
    return count == 1 ? QStringLiteral("1 Vokabel") : QStringLiteral("%1 Vokabeln").arg(count);
}

}  // namespace morvanta::print
