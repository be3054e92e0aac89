#include "exchange/xml_file_output.h"

#include <QDir>
#include <QSaveFile>
#include <stdexcept>

namespace morvanta::exchange {

void WriteWholeFile(const QString& fileName, const std::function<bool(QIODevice&)>& content) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        throw std::runtime_error(QStringLiteral("Cannot create file \"%1\". %2")
                                     .arg(QDir::toNativeSeparators(fileName), file.errorString())
                                     .toStdString());
    }
    if (!content(file) || !file.commit()) {
        file.cancelWriting();
        throw std::runtime_error("Stream write error");
    }
}

}  // namespace morvanta::exchange
