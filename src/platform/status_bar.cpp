#include "platform/status_bar.h"

#include <algorithm>

namespace morvanta::platform {

namespace {
struct PanelDef {
    int width;
    Qt::Alignment align;
    const char* text;
};
constexpr PanelDef kPanels[4] = {
    {160, Qt::AlignCenter, "Vokabel"},
    {50, Qt::AlignLeft | Qt::AlignVCenter, ""},
    {160, Qt::AlignLeft | Qt::AlignVCenter, "Vokablen ausgewählt"},
    {100, Qt::AlignLeft | Qt::AlignVCenter, " "},
};

// The bar's height and the panels' widths are the least they take; a font wider
// or taller than the design's widens a panel to its text and heightens the bar.
constexpr int kLeastHeight = 18;
// What the bar's own layout takes above and below a panel.
constexpr int kBarChrome = 5;

void FitPanel(QLabel* label, int leastWidth) {
    label->setFixedWidth(std::max(leastWidth, label->sizeHint().width()));
}
}  // namespace

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromUtf8(kPanels[i].text), this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i));
        label->setAlignment(kPanels[i].align);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        FitPanel(label, kPanels[i].width);
        addWidget(label);
        panels_[i] = label;
    }
    setFixedHeight(std::max(kLeastHeight, panels_[0]->sizeHint().height() + kBarChrome));
}

void StatusBar::setPanelText(int panel, const QString& text) {
    panels_.at(panel)->setText(text);
    FitPanel(panels_[panel], kPanels[panel].width);
}

QString StatusBar::panelText(int panel) const { return panels_.at(panel)->text(); }

}  // namespace morvanta::platform
