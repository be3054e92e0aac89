#include "core/xml_file_output.h"

#include <QDir>
#include <optional>
#include <stdexcept>

#include "core/file_names.h"
#include "core/saver_device.h"
#include "store/file_saver.h"

namespace morvanta::exchange {

namespace {

std::runtime_error Failure(const QString& fileName, const store::FileSaveError& e) {
    const QString text = e.step() == store::FileSaveError::Step::Create
                             ? QStringLiteral("Cannot create file \"%1\". %2")
                             : QStringLiteral("Cannot write file \"%1\". %2");
    return std::runtime_error(
        text.arg(QDir::toNativeSeparators(fileName), QString::fromLocal8Bit(e.reason()))
            .toStdString());
}

}  // namespace

void WriteWholeFile(const QString& fileName, const std::function<bool(QIODevice&)>& content) {
    try {
        store::FileSaver saver(ToPath(fileName));
        SaverDevice device(saver);
        const bool complete = content(device);
        if (device.failure()) throw *device.failure();
        if (!complete) throw std::runtime_error("Stream write error");
        saver.commit();
    } catch (const store::FileSaveError& e) {
        throw Failure(fileName, e);
    }
}

}  // namespace morvanta::exchange
