// The print preview: Qt's dialog in the program, a PDF file in tests.

#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <exception>

#include "platform/dialogs.h"

namespace morvanta::platform {

namespace {

// A PDF the learner cancelled must not stay behind half drawn. (Pages already
// sent to a printer are out of reach.)
void DropCancelledRun(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
}

}  // namespace

void QtDialogs::previewPrint(const PrintDocument& document) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(document.layout);
    printer.setDocName(document.title);
    QPrintPreviewDialog dialog(&printer, owner_);
    dialog.setWindowTitle(document.title);
    // Room for a legible page and the whole tool bar; Qt's own size shows neither.
    if (const QScreen* screen = owner_ ? owner_->screen() : QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() * 9 / 10;
        dialog.resize(std::min(room.width(), 1000), std::min(room.height(), 860));
    }
    // No exception may leave through Qt's signal: it ends the dialog and is
    // reported once the dialog is gone.
    std::exception_ptr failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) {
                         if (failure) return;
                         try {
                             if (!document.draw(*target)) DropCancelledRun(*target);
                         } catch (...) {
                             failure = std::current_exception();
                             QMetaObject::invokeMethod(&dialog, &QDialog::reject,
                                                       Qt::QueuedConnection);
                         }
                     });
    dialog.exec();
    if (failure) std::rethrow_exception(failure);
}

void ScriptedDialogs::previewPrint(const PrintDocument& document) {
    previewTitles << document.title;
    previewLayouts << document.layout;
    if (previewPdf.isEmpty()) return;
    QPdfWriter writer(previewPdf);
    writer.setPageLayout(document.layout);
    writer.setResolution(600);
    document.draw(writer);
}

}  // namespace morvanta::platform
