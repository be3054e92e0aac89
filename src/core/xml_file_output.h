#pragma once
// The word-list file goes through the program's one file saver (store::FileSaver):
// written whole or not at all.

#include <QIODevice>
#include <QString>
#include <functional>

namespace morvanta::exchange {

// `content` writes into the device and returns false when a write fell short.
// Throws std::runtime_error "Cannot create file "<name>". <reason>" or
// "Cannot write file "<name>". <reason>"; the former file then stays as it was.
void WriteWholeFile(const QString& fileName, const std::function<bool(QIODevice&)>& content);

}  // namespace morvanta::exchange
