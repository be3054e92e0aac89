#include "core/exchange/saver_device.h"

namespace morvanta::exchange {

SaverDevice::SaverDevice(store::FileSaver& saver) : saver_(saver) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 SaverDevice::writeData(const char* data, qint64 size) {
    try {
        saver_.write(data, std::size_t(size));
        return size;
    } catch (const store::FileSaveError& e) {
        if (!failure_) failure_ = e;
        return -1;
    }
}

}  // namespace morvanta::exchange
