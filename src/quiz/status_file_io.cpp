#include "quiz/status_file_io.h"

#include <QFile>
#include <QSaveFile>
#include <stdexcept>

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
    QSaveFile file(fileName);
    const auto fail = [&] {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw std::runtime_error(QStringLiteral("Die Datei %1 konnte nicht gespeichert werden: %2")
                                     .arg(fileName, reason)
                                     .toStdString());
    };
    if (!file.open(QIODevice::WriteOnly)) fail();
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size()))
        fail();
    if (!file.commit()) fail();
}

}  // namespace morvanta::quiz
