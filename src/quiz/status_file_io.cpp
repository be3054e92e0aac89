#include "quiz/status_file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <unistd.h>
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
    // QSaveFile is not used: it can report success after a short write on a full disk.
    const QFileInfo target(fileName);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".XXXXXX"));
    const auto fail = [&](const QString& reason) {
        throw std::runtime_error(QStringLiteral("Die Datei %1 konnte nicht gespeichert werden: %2")
                                     .arg(fileName, reason)
                                     .toStdString());
    };
    if (!temp.open()) fail(temp.errorString());
    if (temp.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !temp.flush() || ::fsync(temp.handle()) != 0)
        fail(temp.errorString());
    temp.setPermissions(target.exists() ? target.permissions()
                                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ReadOther);
    temp.close();
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(temp.fileName().toStdString()),
                            std::filesystem::path(fileName.toStdString()), error);
    if (error) fail(QString::fromStdString(error.message()));
    temp.setAutoRemove(false);
}

}  // namespace morvanta::quiz
