// The quiz status file reader on any bytes: it refuses the file as a whole or
// gives content that writes back to a file reading the same.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "core/quiz/status_file.h"

using namespace morvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    quiz::StatusFileContent content;
    try {
        content = quiz::ReadStatusFile(input);
    } catch (const quiz::NotAStatusFileError&) {
        return 0;
    } catch (const quiz::DamagedStatusFileError& e) {
        FUZZ_CHECK(std::string_view(e.what()).starts_with("Die Abfrage Status Datei ist besch"));
        return 0;
    }
    FUZZ_CHECK(content.queueText.size() % 4 == 0);
    std::string written;
    try {
        written = quiz::WriteStatusFile(content);
    } catch (const std::runtime_error&) {
        return 0;  // an SQL line the code page cannot hold again (a replacement character)
    }
    const quiz::StatusFileContent again = quiz::ReadStatusFile(written);
    FUZZ_CHECK(again.sqlLine == content.sqlLine);
    FUZZ_CHECK(again.selectionCount == content.selectionCount);
    FUZZ_CHECK(again.doneCount == content.doneCount);
    FUZZ_CHECK(again.recNo == content.recNo);
    FUZZ_CHECK(again.queueText == content.queueText);
    return 0;
}
