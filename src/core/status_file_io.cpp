#include "core/status_file_io.h"

#include <QFile>
#include <stdexcept>

#include "store/file_saver.h"

namespace morvanta::quiz {

std::string ReadFileBytes(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Die Datei %1 kann nicht geöffnet werden: %2")
                                     .arg(fileName, file.errorString())
                                     .toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw std::runtime_error(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                                     .arg(fileName, file.errorString())
                                     .toStdString());
    return bytes.toStdString();
}

void ReplaceFile(const QString& fileName, const std::string& bytes) {
    try {
        store::SaveFile(QFile::encodeName(fileName).toStdString(), bytes);
    } catch (const store::FileSaveError& e) {
        throw std::runtime_error(QStringLiteral("Die Datei %1 konnte nicht gespeichert werden: %2")
                                     .arg(fileName, QString::fromLocal8Bit(e.reason()))
                                     .toStdString());
    }
}

}  // namespace morvanta::quiz
