#include "platform/help_window.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace morvanta::platform {

HelpWindow::HelpWindow(const QString& page, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Morvanta – Hilfe"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenExternalLinks(true);
    layout->addWidget(browser);
    if (QFileInfo::exists(page))
        browser->setSource(QUrl::fromLocalFile(page));
    else
        browser->setPlainText(QStringLiteral("Die Hilfe „%1“ fehlt. Sie gehört zum Programm; "
                                             "installieren Sie es neu.")
                                  .arg(page));
    resize(640, 620);
}

}  // namespace morvanta::platform
