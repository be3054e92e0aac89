#include "core/quiz/status_file_io.h"

#include <QFile>
#include <stdexcept>

#include "store/file_saver.h"
#include "store/system_reason.h"

namespace morvanta::quiz {

namespace {

QString Reason(const QFile& file) {
    return QString::fromStdString(store::SystemReason(file.errorString().toStdString()));
}

}  // namespace

std::string ReadFileBytes(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Die Datei %1 kann nicht geöffnet werden: %2")
                                     .arg(fileName, Reason(file))
                                     .toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw std::runtime_error(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                                     .arg(fileName, Reason(file))
                                     .toStdString());
    return bytes.toStdString();
}

void ReplaceFile(const QString& fileName, const std::string& bytes) {
    try {
        store::SaveFile(QFile::encodeName(fileName).toStdString(), bytes);
    } catch (const store::FileSaveError& e) {
        throw std::runtime_error(QStringLiteral("Die Datei %1 konnte nicht gespeichert werden: %2")
                                     .arg(fileName, QString::fromStdString(e.reason()))
                                     .toStdString());
    }
}

}  // namespace morvanta::quiz
