#pragma once
// The main window's status bar: four panels, each at least its design width
// and wide enough for its text.

#include <QLabel>
#include <QStatusBar>
#include <array>

namespace morvanta::platform {

class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);
    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    QLabel* panel(int index) const { return panels_.at(index); }

private:
    std::array<QLabel*, 4> panels_{};
};

}  // namespace morvanta::platform
