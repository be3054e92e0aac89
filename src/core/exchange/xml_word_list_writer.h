#pragma once
// The word-list XML file, built as text lines without a DOM: UTF-16 LE with a
// byte-order mark, every line ended by CR LF.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>
#include <string>

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

// The same values as views, so a caller can fill them from reused buffers.
struct XmlWordView {
    QStringView word;
    QStringView reading;
    QStringView transliteration;
    std::array<QStringView, 3> translations;
    QStringView lesson;
    QStringView type;
    QStringView description;
    std::optional<store::DateTime> dateEntered;
    std::optional<store::DateTime> dateAsked;
    QStringView countAsked;
    QStringView countWrong;
    QStringView tone;
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
    // Keeps the whole document in memory (text(), bytes(), writeTo()).
    XmlWordListWriter() = default;
    // Streams the file's bytes (byte-order mark first) into `sink` in chunks of
    // about a megabyte, so a large export never holds the whole document.
    explicit XmlWordListWriter(QIODevice& sink);
    XmlWordListWriter(const XmlWordListWriter&) = delete;
    XmlWordListWriter& operator=(const XmlWordListWriter&) = delete;

    void clear() { buffer_.clear(); }
    // Lines 1 to 6 and the description line.
    void begin(QStringView description);
    void addWord(const XmlWord& word, const XmlExportOptions& options);
    void addWord(const XmlWordView& word, const XmlExportOptions& options);
    // The closing root tag; a streaming writer also hands over what it still holds.
    void finish();
    // false once the sink took less than all bytes handed to it.
    bool ok() const { return ok_; }

    // Form A: "    <name attributes >value</name>"; nothing when the value is empty.
    void AddElementLine(QStringView name, QStringView value, QStringView attributes);
    // Form B: "    <name>value</name>"; nothing when the value is empty.
    void AddPlainElementLine(QStringView name, QStringView value);

    // Every line held so far, each followed by CR LF.
    QString text() const { return QString::fromUtf16(buffer_.data(), qsizetype(buffer_.size())); }
    // The file's bytes: FF FE, then the text in UTF-16 LE.
    QByteArray bytes() const;
    // The same bytes written to a device without a copy on little-endian hosts;
    // false when the device takes less than all of them.
    bool writeTo(QIODevice& device) const;
    void reserve(qsizetype chars) { buffer_.reserve(size_t(chars)); }

private:
    void append(QStringView text) { buffer_.append(text.utf16(), size_t(text.size())); }
    void append(char16_t c) { buffer_.push_back(c); }
    void appendLine(QStringView line);
    void appendValue(QStringView value);
    void flushIfFull();
    void flush();
    std::u16string buffer_;
    QIODevice* sink_ = nullptr;
    bool bomWritten_ = false;
    bool ok_ = true;
};

}  // namespace morvanta::exchange
