#include "core/xml_file_output.h"

#include <QDir>
#include <optional>
#include <stdexcept>

#include "core/file_names.h"
#include "store/file_saver.h"

namespace morvanta::exchange {

namespace {

// Hands each chunk straight to the saver: no second buffer on the export's path.
class SaverDevice : public QIODevice {
public:
    explicit SaverDevice(store::FileSaver& saver) : saver_(saver) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    // The first failure, kept because a device reports only a count to its writer.
    const std::optional<store::FileSaveError>& failure() const { return failure_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        try {
            saver_.write(data, std::size_t(size));
            return size;
        } catch (const store::FileSaveError& e) {
            if (!failure_) failure_ = e;
            return -1;
        }
    }

private:
    store::FileSaver& saver_;
    std::optional<store::FileSaveError> failure_;
};

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
