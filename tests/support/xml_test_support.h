#pragma once
// Helpers shared by the word-list XML tests.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "store/vocabulary.h"
#include "text/rich_text.h"

namespace morvanta::xmltest {

// A word with everything empty but the given translation; callers fill in the rest.
inline store::Record Word(std::string t1) {
    const store::DateTime day{2024, 3, 15, 10, 30, 5, 250};
    return {std::move(t1), std::string(), std::string(), std::string(),
            text::PlainTextToRtf(""), text::PlainTextToRtf(""), std::int64_t{0}, std::string(),
            day, day, std::int64_t{0}, std::int64_t{0}, true, std::string(), false,
            std::int64_t{1}};
}

inline std::filesystem::path DataDir() {
    const char* root = std::getenv("MORVANTA_TEST_DATA");
    return std::filesystem::path(root ? root : "tests") / "exchange" / "data";
}

inline QByteArray ReadBytes(const std::filesystem::path& file) {
    QFile f(QString::fromStdString(file.string()));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

inline void WriteBytes(const std::filesystem::path& file, const QByteArray& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.constData(), bytes.size());
}

inline bool HaveXmllint() { return std::system("command -v xmllint >/dev/null 2>&1") == 0; }

// True when xmllint finds the file well-formed.
inline bool WellFormed(const std::filesystem::path& file) {
    const std::string command = "xmllint --noout '" + file.string() + "' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

}  // namespace morvanta::xmltest
