#include "core/exchange/xml_file_output.h"

#include <QDir>
#include <optional>
#include <stdexcept>

#include "core/exchange/file_names.h"
#include "core/exchange/saver_device.h"
#include "store/file_saver.h"

namespace morvanta::exchange {

namespace {

constexpr char kWriteError[] = "Stream write error";

// The word-list export's own texts: the file name with the system's reason, or
// the write error followed by the reason in brackets (a full disk, say).
std::runtime_error Failure(const QString& fileName, const store::FileSaveError& e) {
    if (e.step() == store::FileSaveError::Step::Write)
        return std::runtime_error(e.reason().empty() ? std::string(kWriteError)
                                                     : kWriteError + (" (" + e.reason() + ")"));
    return std::runtime_error(
        QStringLiteral("Cannot create file \"%1\". %2")
            .arg(QDir::toNativeSeparators(fileName), QString::fromStdString(e.reason()))
            .toStdString());
}

}  // namespace

bool WriteWholeFile(const QString& fileName, const std::function<ContentEnd(QIODevice&)>& content) {
    try {
        store::FileSaver saver(ToPath(fileName));
        SaverDevice device(saver);
        const ContentEnd end = content(device);
        if (device.failure()) throw *device.failure();
        if (end == ContentEnd::Cancelled) return false;
        if (end == ContentEnd::FellShort) throw std::runtime_error(kWriteError);
        saver.commit();
        return true;
    } catch (const store::FileSaveError& e) {
        throw Failure(fileName, e);
    }
}

void WriteWholeFile(const QString& fileName, const std::function<bool(QIODevice&)>& content) {
    WriteWholeFile(fileName, [&content](QIODevice& device) {
        return content(device) ? ContentEnd::Whole : ContentEnd::FellShort;
    });
}

}  // namespace morvanta::exchange
