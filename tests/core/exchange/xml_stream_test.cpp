// The streamed export gives the very bytes of the in-memory one.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QString>
#include <algorithm>
#include <string>
#include <vector>

#include "core/exchange/utf8_to_utf16.h"
#include "core/exchange/xml_word_list_writer.h"

namespace morvanta::exchange {
namespace {

TEST(XmlUtf8ToUtf16, MatchesQtForWellFormedAndBrokenInput) {
    const std::vector<std::string> inputs = {
        "", "plain ascii", "Wörter \xE6\xBC\xA2\xE5\xAD\x97", "emoji \xF0\x9F\x98\x80 end",
        std::string("nul\0inside", 10), "\xEF\xBB\xBF" "bom first", "cut \xE6\xBC",
        "lone \x80 continuation", "overlong \xC0\xAF", "surrogate \xED\xA0\x80",
        "beyond \xF4\x90\x80\x80", "nonchar \xEF\xBF\xBF", "latin1 \xE9t\xE9", "\xF0\x9F\x98"};
    std::u16string out = u"left over from before";
    for (const auto& in : inputs) {
        SCOPED_TRACE(in);
        Utf8ToUtf16(in, out);
        EXPECT_EQ(QString::fromUtf16(out.data(), qsizetype(out.size())),
                  QString::fromUtf8(in.data(), qsizetype(in.size())));
    }
}

// A device that takes only so many bytes.
class ShortDevice : public QBuffer {
public:
    explicit ShortDevice(qint64 room) : room_(room) {}

protected:
    qint64 writeData(const char* data, qint64 len) override {
        const qint64 n = std::min(len, room_);
        room_ -= n;
        return QBuffer::writeData(data, n);
    }

private:
    qint64 room_;
};

XmlWord Sample(int i) {
    XmlWord w;
    w.word = QStringLiteral("\u6F22\u5B57 %1").arg(i);
    w.reading = QStringLiteral("\u304B\u3093\u3058");
    w.translations[0] = QStringLiteral("Tom & Jerry <%1>").arg(i);
    w.description = QStringLiteral("zwei\nZeilen");
    w.countAsked = QString::number(i);
    return w;
}

TEST(XmlStreamedExport, ManyChunksGiveTheInMemoryBytes) {
    const XmlExportOptions options{QStringLiteral("Alle"), true, true};
    XmlWordListWriter whole;
    QBuffer device;
    device.open(QIODevice::WriteOnly);
    XmlWordListWriter streamed(device);
    for (XmlWordListWriter* w : {&whole, &streamed}) {
        w->begin(options.description);
        for (int i = 0; i < 8000; ++i) w->addWord(Sample(i), options);  // several chunks
        w->finish();
    }
    EXPECT_TRUE(streamed.ok());
    EXPECT_GT(device.data().size(), 2 * 1024 * 1024);
    EXPECT_EQ(device.data(), whole.bytes());
}

TEST(XmlStreamedExport, ShortWriteIsReported) {
    XmlWordListWriter whole;
    whole.begin(QStringLiteral("x"));
    whole.addWord(Sample(1), {});
    whole.finish();
    const qint64 size = whole.bytes().size();
    for (qint64 room : {qint64(0), qint64(1), size - 1}) {
        ShortDevice device(room);
        device.open(QIODevice::WriteOnly);
        XmlWordListWriter writer(device);
        writer.begin(QStringLiteral("x"));
        writer.addWord(Sample(1), {});
        writer.finish();
        EXPECT_FALSE(writer.ok()) << room;
    }
}

}  // namespace
}  // namespace morvanta::exchange
