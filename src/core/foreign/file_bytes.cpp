#include "core/foreign/file_bytes.h"

#include <cerrno>
#include <fstream>

#include "core/foreign/source_sheet.h"
#include "store/engine_error.h"
#include "store/system_reason.h"

namespace morvanta::foreign {

std::string ReadFileBytes(const std::filesystem::path& file, std::uintmax_t limit) {
    const std::string name = store::QuotedPath(file);
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec)
        throw ReadError("Die Datei " + name + " kann nicht gelesen werden: " +
                        store::SystemReason(ec.value()));
    if (size > limit)
        throw ReadError("Die Datei " + name + " ist mit " + std::to_string(size >> 20) +
                        " MB zu groß für eine Wortliste (höchstens " +
                        std::to_string(limit >> 20) + " MB).");
    std::ifstream in(file, std::ios::binary);
    std::string bytes(size, '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size)))
        throw ReadError("Die Datei " + name + " kann nicht gelesen werden: " +
                        store::SystemReason(errno));
    return bytes;
}

}  // namespace morvanta::foreign
