#include "core/exchange/xml_word_list_writer.h"

#include <QSysInfo>
#include <QtEndian>

#include "core/exchange/xml_word_fields.h"

namespace morvanta::exchange {

namespace {

constexpr QStringView kCrLf = u"\r\n";
constexpr char16_t kReplacement = u'\uFFFD';
// Enough to keep write calls few, small enough to stay in the cache's reach.
constexpr size_t kChunkChars = 512 * 1024;

// Characters XML 1.0 cannot carry, not even as a character reference.
bool IsForbiddenBmp(char16_t c) {
    if (c < 0x20) return c != u'\t' && c != u'\n' && c != u'\r';
    return c == 0xFFFE || c == 0xFFFF;
}

bool NeedsCare(char16_t c) {
    return c < 0x20 || c == u'&' || c == u'<' || c == u'>' || (c >= 0xD800 && c <= 0xDFFF) ||
           c >= 0xFFFE;
}

}  // namespace

QString XmlDateText(const std::optional<store::DateTime>& date) {
    const store::DateTime d = date.value_or(store::DateTime{});
    // "yyyy-mm-ddThh:nn:ssZ"; written by hand, it runs twice per word.
    char16_t text[20];
    const auto put = [&text](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10) text[at + i] = char16_t(u'0' + value % 10);
    };
    put(0, d.year % 10000, 4);
    text[4] = u'-';
    put(5, d.month, 2);
    text[7] = u'-';
    put(8, d.day, 2);
    text[10] = u'T';
    put(11, d.hour, 2);
    text[13] = u':';
    put(14, d.minute, 2);
    text[16] = u':';
    put(17, d.second, 2);
    text[19] = u'Z';
    return QString::fromUtf16(text, 20);
}

XmlWordListWriter::XmlWordListWriter(QIODevice& sink) : sink_(&sink) {
    buffer_.reserve(kChunkChars + kChunkChars / 8);  // a word's lines on top of a full chunk
}

void XmlWordListWriter::appendLine(QStringView line) {
    append(line);
    append(kCrLf);
}

// &, < and > become entities; any line break becomes CR LF; a character XML
// cannot carry becomes U+FFFD, so the file stays well-formed and the gap shows.
void XmlWordListWriter::appendValue(QStringView value) {
    const qsizetype n = value.size();
    qsizetype run = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = value[i].unicode();
        if (!NeedsCare(c)) continue;
        if (c == u'\t') continue;
        append(value.mid(run, i - run));
        run = i + 1;
        switch (c) {
            case u'&': append(u"&amp;"); break;
            case u'<': append(u"&lt;"); break;
            case u'>': append(u"&gt;"); break;
            case u'\r':
                if (i + 1 < n && value[i + 1] == u'\n') {
                    ++i;
                    run = i + 1;
                }
                append(kCrLf);
                break;
            case u'\n': append(kCrLf); break;
            default:
                if (QChar::isHighSurrogate(c) && i + 1 < n && value[i + 1].isLowSurrogate()) {
                    run = i;  // a valid pair stays as it is
                    ++i;
                } else if (IsForbiddenBmp(c) || QChar::isSurrogate(c)) {
                    append(kReplacement);
                }
                break;
        }
    }
    append(value.mid(run));
}

void XmlWordListWriter::AddElementLine(QStringView name, QStringView value,
                                       QStringView attributes) {
    if (value.isEmpty()) return;
    append(u"    <");
    append(name);
    append(u' ');
    append(attributes);
    append(u" >");
    appendValue(value);
    append(u"</");
    append(name);
    append(u'>');
    append(kCrLf);
}

void XmlWordListWriter::AddPlainElementLine(QStringView name, QStringView value) {
    if (value.isEmpty()) return;
    append(u"    <");
    append(name);
    append(u'>');
    appendValue(value);
    append(u"</");
    append(name);
    append(u'>');
    append(kCrLf);
}

void XmlWordListWriter::begin(QStringView description) {
    const QString uri = QString::fromUtf16(kWordListNamespace);
    appendLine(u"<?xml version=\"1.0\" ?>");
    appendLine(u"");
    appendLine(u"<lqw:wordlist xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"");
    appendLine(QStringLiteral("             xmlns:lqw=\"") + uri + u'"');
    appendLine(QStringLiteral("             xsi:schemaLocation=\"") + uri +
               QStringLiteral(" wordlist.xsd\">"));
    appendLine(u"");
    AddElementLine(u"description", description, u"xml:lang=\"de\"");
}

void XmlWordListWriter::addWord(const XmlWord& w, const XmlExportOptions& options) {
    addWord(XmlWordView{w.word, w.reading, w.transliteration,
                        {w.translations[0], w.translations[1], w.translations[2]}, w.lesson,
                        w.type, w.description, w.dateEntered, w.dateAsked, w.countAsked,
                        w.countWrong, w.tone},
            options);
}

void XmlWordListWriter::addWord(const XmlWordView& w, const XmlExportOptions& options) {
    using enum XmlWordField;
    append(u"  <");
    append(kWordElement);
    appendLine(u" xsi:type=\"lqw:japaneseword\">");
    AddElementLine(XmlElementName(Word), w.word, u"xml:lang=\"ja\"");
    if (w.reading != w.word) AddElementLine(XmlElementName(Reading), w.reading, u"xml:lang=\"ja\"");
    AddElementLine(XmlElementName(Transliteration), w.transliteration, u"system=\"hepburn\"");
    const QStringView translation = XmlElementName(Translation);
    AddElementLine(translation, w.translations[0], u"xml:lang=\"de\" priority=\"1\"");
    AddElementLine(translation, w.translations[1], u"xml:lang=\"de\" priority=\"2\"");
    AddElementLine(translation, w.translations[2], u"xml:lang=\"de\" priority=\"3\"");
    AddPlainElementLine(XmlElementName(Lesson), w.lesson);
    AddPlainElementLine(XmlElementName(Type), w.type);
    AddElementLine(XmlElementName(Description), w.description, u"xml:lang=\"de\"");
    if (options.includeDates) {
        AddPlainElementLine(XmlElementName(DateEntered), XmlDateText(w.dateEntered));
        AddPlainElementLine(XmlElementName(DateAsked), XmlDateText(w.dateAsked));
    }
    if (options.includeStatistics) {
        AddPlainElementLine(XmlElementName(CountAsked), w.countAsked);
        AddPlainElementLine(XmlElementName(CountWrong), w.countWrong);
    }
    AddPlainElementLine(XmlElementName(Tone), w.tone);
    append(u"  </");
    append(kWordElement);
    appendLine(u">");
    appendLine(u"");
    flushIfFull();
}

void XmlWordListWriter::finish() {
    appendLine(u"</lqw:wordlist>");
    if (sink_) flush();
}

void XmlWordListWriter::flushIfFull() {
    if (sink_ && buffer_.size() >= kChunkChars) flush();
}

// Hands the held text to the sink and empties the buffer, keeping its memory.
void XmlWordListWriter::flush() {
    if (ok_ && !bomWritten_) {
        ok_ = sink_->write("\xFF\xFE", 2) == 2;
        bomWritten_ = true;
    }
    if (ok_ && !buffer_.empty()) {
        const qint64 size = qint64(buffer_.size() * sizeof(char16_t));
        if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            ok_ = sink_->write(reinterpret_cast<const char*>(buffer_.data()), size) == size;
        } else {
            QByteArray le(size, Qt::Uninitialized);
            qToLittleEndian<char16_t>(buffer_.data(), qsizetype(buffer_.size()), le.data());
            ok_ = sink_->write(le) == size;
        }
    }
    buffer_.clear();
}

QByteArray XmlWordListWriter::bytes() const {
    QByteArray out;
    out.resize(qsizetype(2 + buffer_.size() * 2));
    out[0] = char(0xFF);
    out[1] = char(0xFE);
    qToLittleEndian<char16_t>(buffer_.data(), qsizetype(buffer_.size()), out.data() + 2);
    return out;
}

bool XmlWordListWriter::writeTo(QIODevice& device) const {
    if (device.write("\xFF\xFE", 2) != 2) return false;
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        const qint64 size = qint64(buffer_.size() * sizeof(char16_t));
        return device.write(reinterpret_cast<const char*>(buffer_.data()), size) == size;
    } else {
        const QByteArray all = bytes();
        return device.write(all.constData() + 2, all.size() - 2) == all.size() - 2;
    }
}

}  // namespace morvanta::exchange
