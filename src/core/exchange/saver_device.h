#pragma once
// A Qt device over the program's file saver, for writers that take a QIODevice:
// each chunk goes straight into the saver's temporary file.

#include <QIODevice>
#include <optional>

#include "store/file_saver.h"

namespace morvanta::exchange {

class SaverDevice : public QIODevice {
public:
    explicit SaverDevice(store::FileSaver& saver);
    bool isSequential() const override { return true; }
    // The first failure, kept because a device reports only a count to its writer.
    const std::optional<store::FileSaveError>& failure() const { return failure_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    store::FileSaver& saver_;
    std::optional<store::FileSaveError> failure_;
};

}  // namespace morvanta::exchange
