#pragma once
// The learner's guide: a German page shipped with the program, shown in a
// window of its own beside the main window (F1 on every page).

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace morvanta::platform {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // `page`: the guide's HTML file. A missing file shows where it was looked for.
    HelpWindow(const QString& page, QWidget* parent = nullptr);
    QTextBrowser* browser = nullptr;
};

}  // namespace morvanta::platform
