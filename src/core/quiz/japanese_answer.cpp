#include "core/quiz/japanese_answer.h"

#include <QString>

#include "text/romaji_kana.h"

namespace morvanta::quiz {

namespace {

constexpr char16_t kLongMark = u'ー';

bool IsBlank(QChar c) { return c.isSpace() || c == QChar(0x3000); }

QString Trimmed(const QString& text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.mid(begin, end - begin);
}

// Katakana read as the hiragana of the same sound.
QString FoldKana(const QString& text) {
    QString folded = text;
    for (QChar& c : folded)
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6) c = QChar(c.unicode() - 0x60);
    return folded;
}

// The vowel a kana ends in, or 0.
char VowelOf(QChar kana) {
    static const QString rows[] = {
        QStringLiteral("あかさたなはまやらわがざだばぱぁゃゎ"), QStringLiteral("いきしちにひみりぎじぢびぴぃ"),
        QStringLiteral("うくすつぬふむゆるぐずづぶぷぅゅゔ"), QStringLiteral("えけせてねへめれげぜでべぺぇ"),
        QStringLiteral("おこそとのほもよろをごぞどぼぽぉょ")};
    static const char vowels[] = "aiueo";
    for (int row = 0; row < 5; ++row)
        if (rows[row].contains(kana)) return vowels[row];
    return 0;
}

// Long vowels written one way: a vowel kana (or ー) that lengthens the one before
// becomes ー, ・ and blanks go.
QString LongVowelsAsMarks(const QString& kana) {
    QString out;
    char last = 0;
    for (QChar c : kana) {
        if (c == QChar(u'・') || IsBlank(c)) continue;
        const bool lengthens = c == QChar(kLongMark) || (last == 'a' && c == QChar(u'あ')) ||
                               (last == 'i' && c == QChar(u'い')) || (last == 'u' && c == QChar(u'う')) ||
                               (last == 'e' && (c == QChar(u'い') || c == QChar(u'え'))) ||
                               (last == 'o' && (c == QChar(u'う') || c == QChar(u'お')));
        if (lengthens && last != 0) {
            out += QChar(kLongMark);
            last = 0;  // a third vowel is a syllable of its own
            continue;
        }
        out += c;
        last = VowelOf(c);
    }
    return out;
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text as compared: blanks around it gone, canonically equal characters alike.
QString Compared(std::string_view text) { return Trimmed(FromUtf8(text)).normalized(QString::NormalizationForm_C); }

}  // namespace

JapaneseVerdict CheckJapaneseAnswer(std::string_view answer, std::string_view reading,
                                    std::string_view kanji, bool tolerant) {
    JapaneseVerdict verdict;
    const QString typedText = Compared(answer);
    if (typedText.isEmpty()) return verdict;
    const QString kana = FoldKana(FromUtf8(text::RomajiToKana(typedText.toStdString(), true).kana));
    const QString storedKana = FoldKana(Compared(reading));
    const QString storedKanji = Compared(kanji);
    if ((!storedKana.isEmpty() && kana == storedKana) || (!storedKanji.isEmpty() && typedText == storedKanji)) {
        verdict.right = true;
        return verdict;
    }
    if (!tolerant || storedKana.isEmpty()) return verdict;
    if (LongVowelsAsMarks(kana) == LongVowelsAsMarks(storedKana)) {
        verdict.right = true;
        verdict.nearly = "Fast richtig: " + Trimmed(FromUtf8(reading)).toStdString() + " (langer Vokal)";
    }
    return verdict;
}

std::string GermanPrompt(std::string_view t1, std::string_view t2, std::string_view t3) {
    std::string prompt;
    for (std::string_view t : {t1, t2, t3}) {
        if (t.empty()) continue;
        if (!prompt.empty()) prompt += " / ";
        prompt += t;
    }
    return prompt;
}

std::string WrongJapaneseMessage(std::string_view kanji, std::string_view reading,
                                 std::string_view hepburn, std::string_view answer) {
    std::string out = "Nein - Die Vokabel war :\r\n";
    out.append(kanji).append("\r\n").append(reading).append("\r\n").append(hepburn);
    out += "\r\nIhre Eingabe: \u201E" + std::string(answer) + "\u201C";
    return out;
}

}  // namespace morvanta::quiz
