#pragma once
// Whole-file reading and saving for the quiz status file.

#include <QString>
#include <string>

namespace morvanta::quiz {

// Throws std::runtime_error with the system's reason.
std::string ReadFileBytes(const QString& fileName);

// Saves through store::FileSaver: a failed save leaves the former file as it
// was. Throws std::runtime_error with the system's reason.
void ReplaceFile(const QString& fileName, const std::string& bytes);

}  // namespace morvanta::quiz
