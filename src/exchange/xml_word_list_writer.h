#pragma once
// The word-list XML file, built as text lines without a DOM: UTF-16 LE with a
// byte-order mark, every line ended by CR LF.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

#include "store/date_time.h"

namespace morvanta::exchange {

// The word-list namespace; schemaLocation pairs it with "wordlist.xsd".
inline constexpr char16_t kWordListNamespace[] = u"http://morvanta.example/wordlist";

// One word's values as the browse page shows them; an empty text leaves its element out.
struct XmlWord {
    QString word;             // plain text of Kanji
    QString reading;          // plain text of Hira-Kata
    QString transliteration;  // Hepburn
    std::array<QString, 3> translations;
    QString lesson;
    QString type;
    QString description;  // Note
    std::optional<store::DateTime> dateEntered;  // nullopt: the field has no value
    std::optional<store::DateTime> dateAsked;
    QString countAsked;
    QString countWrong;
    QString tone;  // Accent
};

struct XmlExportOptions {
    QString description;             // the file's description; empty: no description line
    bool includeDates = false;       // dateentered, dateasked
    bool includeStatistics = false;  // countasked, countwrong
};

// "yyyy-mm-ddThh:nn:ssZ" of the stored local time, unconverted; no value gives day zero.
QString XmlDateText(const std::optional<store::DateTime>& date);

class XmlWordListWriter {
public:
    void clear() { buffer_.clear(); }
    // Lines 1 to 6 and the description line.
    void begin(const QString& description);
    void addWord(const XmlWord& word, const XmlExportOptions& options);
    // The closing root tag.
    void finish();

    // Form A: "    <name attributes >value</name>"; nothing when the value is empty.
    void AddElementLine(QStringView name, QStringView value, QStringView attributes);
    // Form B: "    <name>value</name>"; nothing when the value is empty.
    void AddPlainElementLine(QStringView name, QStringView value);

    // Every line so far, each followed by CR LF.
    const QString& text() const { return buffer_; }
    // The file's bytes: FF FE, then the text in UTF-16 LE.
    QByteArray bytes() const;
    // The same bytes written to a device without a copy on little-endian hosts;
    // false when the device takes less than all of them.
    bool writeTo(QIODevice& device) const;
    void reserve(qsizetype chars) { buffer_.reserve(chars); }

private:
    void appendLine(QStringView line);
    void appendValue(QStringView value);
    QString buffer_;
};

}  // namespace morvanta::exchange
