#include "support/dictd_files.h"

#include <zlib.h>

#include <fstream>

namespace morvanta::testing {

std::string DictdNumber(unsigned long long value) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    do {
        out.insert(out.begin(), digits[value % 64]);
        value /= 64;
    } while (value > 0);
    return out;
}

namespace {

void Le16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

// dictzip: one deflate stream, fully flushed at every chunk boundary.
std::string Dictzip(const std::string& plain, unsigned chunkLength) {
    z_stream z{};
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string body;
    std::vector<unsigned> sizes;
    for (std::size_t at = 0; at < plain.size(); at += chunkLength) {
        const std::string piece = plain.substr(at, chunkLength);
        std::string out(deflateBound(&z, piece.size()) + 64, '\0');
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
        z.avail_in = static_cast<uInt>(piece.size());
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = static_cast<uInt>(out.size());
        deflate(&z, at + chunkLength >= plain.size() ? Z_FINISH : Z_FULL_FLUSH);
        out.resize(out.size() - z.avail_out);
        sizes.push_back(static_cast<unsigned>(out.size()));
        body += out;
    }
    deflateEnd(&z);

    std::string extra = "RA";
    Le16(extra, 6 + 2 * static_cast<unsigned>(sizes.size()));
    Le16(extra, 1);
    Le16(extra, chunkLength);
    Le16(extra, static_cast<unsigned>(sizes.size()));
    for (unsigned s : sizes) Le16(extra, s);
    std::string file = {'\x1f', '\x8b', '\x08', '\x04', 0, 0, 0, 0, 0, '\x03'};
    Le16(file, static_cast<unsigned>(extra.size()));
    file += extra + body;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(plain.data()), static_cast<uInt>(plain.size()));
    for (int i = 0; i < 4; ++i) file += static_cast<char>((crc >> (8 * i)) & 0xFF);
    for (int i = 0; i < 4; ++i) file += static_cast<char>((plain.size() >> (8 * i)) & 0xFF);
    return file;
}

}  // namespace

dict::DictionaryFiles WriteDictd(const std::string& folder,
                                 const std::vector<std::pair<std::vector<std::string>, std::string>>& entries,
                                 unsigned chunkLength) {
    std::string plain, index = "00-database-info\tA\tB\n";
    plain += "x";
    for (const auto& [headwords, text] : entries) {
        for (const std::string& h : headwords)
            index += h + "\t" + DictdNumber(plain.size()) + "\t" + DictdNumber(text.size()) + "\n";
        plain += text;
    }
    const dict::DictionaryFiles files{folder + "/test.index", folder + "/test.dict.dz"};
    std::ofstream(files.index, std::ios::binary) << index;
    std::ofstream(files.dict, std::ios::binary) << Dictzip(plain, chunkLength);
    return files;
}

std::vector<std::pair<std::vector<std::string>, std::string>> SampleEntries() {
    return {
        {{"家", "いえ"},
         " [ichi1]  家 /(en)x/,  [ichi1] いえ /ˈie̞/\n(noun (common) (futsuumeishi))\n"
         "(1) (n) Haus, (n) Gebäude, (f) Wohnung, (2) (m) Ort, an dem eine Familie lebt, "
         "(3) (m) Haushalt\n"},
        {{"否", "いえ", "いいえ"},
         " [ichi1]  [news1]  否 /x/,  [ichi1]  [news1]  いいえ /x/,  いえ /ˈie̞/\n"
         "(interjection (kandoushi))\n\n         Note: word usually written using kana alonenein, Nein\n"},
        {{"食べる", "喰べる", "たべる"},
         " [ichi1]  [news2]  食べる /x/,  (word containing irregular kanji usage)  喰べる /x/,  "
         "[ichi1]  [news2] たべる /x/\n(Ichidan verb)\n (transitive verb)\n"
         "(1) essen, speisen, zu sich nehmen, (2) leben von\n"},
        {{"家主", "やぬし"},
         " [ichi1]  家主 /x/,  [ichi1]  やぬし /x/\n(やぬし)\n (noun (common) (futsuumeishi))\n"
         "{家・いえ}(m) Hausherr, (1) (m) Hausbesitzer, (2) (m) Vermieter\n"},
    };
}

}  // namespace morvanta::testing
