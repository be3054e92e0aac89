#include "print/pdf_file.h"

#include <QPdfWriter>

#include "core/exchange/saver_device.h"
#include "store/file_saver.h"

namespace morvanta::print {

bool WritePdf(const std::filesystem::path& target, const QPageLayout& layout,
              const QString& title, const DrawPages& draw) {
    store::FileSaver file(target);
    exchange::SaverDevice device(file);
    {
        QPdfWriter writer(&device);
        writer.setPageLayout(layout);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Morvanta"));
        writer.setResolution(600);
        if (!draw(writer)) return false;
    }
    if (device.failure()) throw *device.failure();
    file.commit();
    return true;
}

}  // namespace morvanta::print
