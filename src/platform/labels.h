#pragma once
// The one way the pages make their captions, so a label is built alike everywhere.

#include <QPoint>
#include <QString>
#include <optional>

class QLabel;
class QWidget;

namespace morvanta::platform {

struct LabelOptions {
    QString name = {};              // object name, for labels the page looks up again
    std::optional<QPoint> at = {};  // top left on a page placed by hand; sized to its caption
    QWidget* buddy = nullptr;       // takes the focus for the caption's mnemonic
};

QLabel* MakeLabel(const QString& caption, QWidget* parent, const LabelOptions& options = {});

}  // namespace morvanta::platform
