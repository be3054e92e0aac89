#pragma once
// Writes a whole file or nothing: the bytes go to a temporary file in the
// same folder, which then replaces the target.

#include <QIODevice>
#include <QString>
#include <functional>

namespace morvanta::exchange {

// `content` writes into the device and returns false when a write fell short.
// Throws std::runtime_error "Cannot create file "<name>". <reason>" or "Stream write error".
void WriteWholeFile(const QString& fileName, const std::function<bool(QIODevice&)>& content);

}  // namespace morvanta::exchange
