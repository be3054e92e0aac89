#include "platform/labels.h"

#include <QLabel>

namespace morvanta::platform {

QLabel* MakeLabel(const QString& caption, QWidget* parent, const LabelOptions& options) {
    auto* label = new QLabel(caption, parent);
    if (!options.name.isEmpty()) label->setObjectName(options.name);
    if (options.at) {
        label->move(*options.at);
        label->adjustSize();
    }
    if (options.buddy) label->setBuddy(options.buddy);
    return label;
}

}  // namespace morvanta::platform
