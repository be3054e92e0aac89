#pragma once
// Whole-file reading and replacing for the quiz status file.

#include <QString>
#include <string>

namespace morvanta::quiz {

// Throws std::runtime_error with the system's reason.
std::string ReadFileBytes(const QString& fileName);

// Writes a temporary file beside the target and renames it over the target,
// so a failed save leaves the former file as it was. Throws on failure.
void ReplaceFile(const QString& fileName, const std::string& bytes);

}  // namespace morvanta::quiz
