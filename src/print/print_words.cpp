#include "print/print_words.h"

#include <algorithm>
#include <unordered_map>

#include "core/exchange/kanji_character.h"
#include "core/exchange/rtf_kanji_list.h"
#include "store/data_set.h"
#include "text/rich_text.h"

namespace morvanta::print {

namespace {

// One line: a rich text's paragraphs side by side.
QString PlainLine(const std::string& utf8) {
    return QString::fromStdString(utf8).replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
}

std::u32string KanjiOfWord(const PrintWord& word) {
    return exchange::KanjiOfPlainText(word.kanji.toStdString());
}

}  // namespace

bool GatherWords(store::DataSet& query, std::vector<PrintWord>& words,
                 const exchange::ProgressFn& progress) {
    words.clear();
    words.reserve(std::size_t(std::max(query.recordCount(), 0)));
    query.first();
    std::int64_t done = 0;
    while (!query.eof()) {
        PrintWord word;
        word.kanji = PlainLine(text::RtfToPlainText(query.asString("Kanji")));
        word.kana = PlainLine(text::RtfToPlainText(query.asString("Hira-Kata")));
        word.hepburn = PlainLine(query.asString("Hepburn"));
        for (const char* field : {"Translation1", "Translation2", "Translation3"}) {
            const QString t = PlainLine(query.asString(field));
            if (!t.isEmpty()) word.translations << t;
        }
        words.push_back(std::move(word));
        if (!exchange::Proceed(progress, ++done)) return false;
        query.next();
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
