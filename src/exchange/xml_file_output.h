#pragma once
// Writes a whole file or nothing: the bytes go to a temporary file in the
// same folder, which then replaces the target.

#include <QByteArray>
#include <QString>

namespace morvanta::exchange {

// Throws std::runtime_error "Cannot create file "<name>". <reason>" or "Stream write error".
void WriteWholeFile(const QString& fileName, const QByteArray& bytes);

}  // namespace morvanta::exchange
