#include "core/dictionary/dictzip_file.h"

#include <zlib.h>

#include <array>

#include "core/dictionary/dict_error.h"

namespace morvanta::dict {

namespace {

constexpr std::size_t kCachedChunks = 12;

unsigned Le16(const unsigned char* p) { return p[0] | (p[1] << 8); }

}  // namespace

void DictzipFile::damaged(const std::string& what) const {
    throw DictError("Die Wörterbuch-Datei " + path_ + " ist beschädigt: " + what + ".");
}

DictzipFile::DictzipFile(const std::string& path) : path_(path), in_(path, std::ios::binary) {
    if (!in_) throw DictError("Die Wörterbuch-Datei " + path + " lässt sich nicht öffnen.");
    std::array<unsigned char, 12> head{};
    if (!in_.read(reinterpret_cast<char*>(head.data()), head.size()) || head[0] != 0x1f ||
        head[1] != 0x8b || head[2] != 8)
        damaged("keine gzip-Datei");
    const unsigned flags = head[3];
    if (!(flags & 4)) damaged("ohne Tabelle der Blöcke");
    const unsigned extraLength = Le16(&head[10]);
    std::string extra(extraLength, '\0');
    if (!in_.read(extra.data(), static_cast<std::streamsize>(extraLength)))
        damaged("der Kopf ist abgeschnitten");
    std::uint64_t position = 12 + extraLength;

    // The extra field's subfields; the one named "RA" holds the chunk table.
    const auto* bytes = reinterpret_cast<const unsigned char*>(extra.data());
    std::vector<unsigned> sizes;
    for (std::size_t at = 0; at + 4 <= extraLength;) {
        const unsigned fieldLength = Le16(bytes + at + 2);
        if (at + 4 + fieldLength > extraLength) break;
        if (bytes[at] == 'R' && bytes[at + 1] == 'A' && fieldLength >= 6) {
            const unsigned char* ra = bytes + at + 4;
            chunkLength_ = Le16(ra + 2);
            const unsigned count = Le16(ra + 4);
            if (6 + 2 * std::size_t{count} > fieldLength) damaged("die Tabelle der Blöcke ist abgeschnitten");
            for (unsigned i = 0; i < count; ++i) sizes.push_back(Le16(ra + 6 + 2 * i));
        }
        at += 4 + fieldLength;
    }
    if (chunkLength_ == 0 || sizes.empty()) damaged("ohne Tabelle der Blöcke");

    // A file name and a comment may follow, each ended by a zero byte, then a header CRC.
    for (unsigned flag : {8u, 16u}) {
        if (!(flags & flag)) continue;
        char c = 1;
        while (in_.get(c) && c != 0) ++position;
        if (!in_) damaged("der Kopf ist abgeschnitten");
        ++position;
    }
    if (flags & 2) position += 2;

    chunkStarts_.push_back(position);
    for (unsigned size : sizes) chunkStarts_.push_back(chunkStarts_.back() + size);
}

const std::string& DictzipFile::chunk(std::size_t number) {
    for (auto it = cache_.begin(); it != cache_.end(); ++it)
        if (it->first == number) {
            cache_.splice(cache_.begin(), cache_, it);
            return cache_.front().second;
        }

    const std::uint64_t start = chunkStarts_[number];
    std::string packed(chunkStarts_[number + 1] - start, '\0');
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(start));
    if (!in_.read(packed.data(), static_cast<std::streamsize>(packed.size())))
        damaged("sie ist abgeschnitten");

    std::string plain(chunkLength_, '\0');
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) damaged("zlib lässt sich nicht starten");
    z.next_in = reinterpret_cast<Bytef*>(packed.data());
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = reinterpret_cast<Bytef*>(plain.data());
    z.avail_out = static_cast<uInt>(plain.size());
    const int result = inflate(&z, Z_SYNC_FLUSH);
    const std::size_t produced = plain.size() - z.avail_out;
    inflateEnd(&z);
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
        damaged("Block " + std::to_string(number) + " lässt sich nicht entpacken");
    plain.resize(produced);

    cache_.emplace_front(number, std::move(plain));
    if (cache_.size() > kCachedChunks) cache_.pop_back();
    return cache_.front().second;
}

std::string DictzipFile::read(std::uint64_t offset, std::uint64_t length) {
    const std::size_t chunks = chunkStarts_.size() - 1;
    if (length > std::uint64_t{chunkLength_} * chunks || offset > std::uint64_t{chunkLength_} * chunks - length)
        damaged("ein Eintrag liegt hinter ihrem Ende");
    std::string out;
    out.reserve(length);
    while (length > 0) {
        const std::size_t number = offset / chunkLength_;
        const std::size_t inside = offset % chunkLength_;
        const std::string& plain = chunk(number);
        if (inside >= plain.size()) damaged("Block " + std::to_string(number) + " ist zu kurz");
        const std::size_t take = std::min<std::uint64_t>(length, plain.size() - inside);
        out.append(plain, inside, take);
        offset += take;
        length -= take;
    }
    return out;
}

}  // namespace morvanta::dict
