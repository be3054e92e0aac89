#include "core/foreign/zip_bytes.h"

#include <zip.h>

#include <stdexcept>

namespace morvanta::foreign {

namespace {

[[noreturn]] void Fail(zip_error_t* error) {
    const std::string detail = zip_error_strerror(error);
    zip_error_fini(error);
    throw std::runtime_error("Das ZIP-Archiv konnte nicht angelegt werden (" + detail + ").");
}

}  // namespace

std::string ZipInMemory(const std::vector<ZipEntry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    // The archive goes into a buffer source that outlives the archive: kept, then read back.
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (buffer == nullptr) Fail(&error);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        zip_source_free(buffer);
        Fail(&error);
    }
    zip_source_keep(buffer);
    auto abandon = [&] {
        zip_error_set(&error, zip_error_code_zip(zip_get_error(archive)),
                      zip_error_code_system(zip_get_error(archive)));
        zip_discard(archive);
        zip_source_free(buffer);
        Fail(&error);
    };
    for (const ZipEntry& entry : entries) {
        zip_source_t* source =
            zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
        if (source == nullptr) abandon();
        if (zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) <
            0) {
            zip_source_free(source);
            abandon();
        }
    }
    if (zip_close(archive) < 0) abandon();

    std::string bytes;
    zip_stat_t stat;
    if (zip_source_open(buffer) < 0) {
        zip_error_set(&error, zip_error_code_zip(zip_source_error(buffer)), 0);
        zip_source_free(buffer);
        Fail(&error);
    }
    if (zip_source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE))
        bytes.reserve(stat.size);
    char chunk[64 * 1024];
    zip_int64_t n = 0;
    while ((n = zip_source_read(buffer, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, static_cast<std::size_t>(n));
    const bool failed = n < 0;
    if (failed) zip_error_set(&error, zip_error_code_zip(zip_source_error(buffer)), 0);
    zip_source_close(buffer);
    zip_source_free(buffer);
    if (failed) Fail(&error);
    zip_error_fini(&error);
    return bytes;
}

}  // namespace morvanta::foreign
