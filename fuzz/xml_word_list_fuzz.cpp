// The word-list XML import on any bytes: it loads or gives its error message.
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "core/exchange/xml_word_list_reader.h"
#include "fuzz_check.h"

using namespace morvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 65536) return 0;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     static_cast<qsizetype>(size));
    const std::array<QString, 3> empty;
    const exchange::XmlReadResult a = exchange::ReadWordList(bytes, empty);
    if (a.loaded) {
        FUZZ_CHECK(a.errorMessage.isEmpty());
        // With the first two translation fields taken, a translation lands in the third.
        const std::array<QString, 3> taken{QStringLiteral("a"), QStringLiteral("b"), QString()};
        const exchange::XmlReadResult b = exchange::ReadWordList(bytes, taken);
        FUZZ_CHECK(b.loaded);
        FUZZ_CHECK(!b.fill.translations[0] && !b.fill.translations[1]);
        FUZZ_CHECK(b.fill.kanji == a.fill.kanji && b.fill.note == a.fill.note);
    } else {
        FUZZ_CHECK(a.errorMessage.startsWith(QStringLiteral("Error loading XML document.")));
    }
    return 0;
}
