#pragma once
// A sheet as a PDF file, written whole or not at all: the pages go into the
// file saver's temporary file beside the target, which replaces the target
// only once the last page is drawn.

#include <QPageLayout>
#include <QString>
#include <filesystem>
#include <functional>

class QPagedPaintDevice;

namespace morvanta::print {

// Draws the pages; false when cancelled.
using DrawPages = std::function<bool(QPagedPaintDevice&)>;

// False when cancelled: then nothing is written and an existing file stays.
// Throws store::FileSaveError when the file cannot be written.
bool WritePdf(const std::filesystem::path& target, const QPageLayout& layout,
              const QString& title, const DrawPages& draw);

}  // namespace morvanta::print
