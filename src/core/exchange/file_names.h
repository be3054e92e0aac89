#pragma once
// File names from the dialogs (Unicode) to the paths the files open with.

#include <QFile>
#include <QString>
#include <filesystem>

namespace morvanta::exchange {

inline std::filesystem::path ToPath(const QString& fileName) {
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
}

}  // namespace morvanta::exchange
