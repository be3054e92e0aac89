#include "platform/status_bar.h"

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
}  // namespace

StatusBar1::StatusBar1(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setFixedHeight(18);
    setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromUtf8(kPanels[i].text), this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i));
        label->setAlignment(kPanels[i].align);
        label->setFixedWidth(kPanels[i].width);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        addWidget(label);
        panels_[i] = label;
    }
}

void StatusBar1::setPanelText(int panel, const QString& text) { panels_.at(panel)->setText(text); }

QString StatusBar1::panelText(int panel) const { return panels_.at(panel)->text(); }

}  // namespace morvanta::platform
