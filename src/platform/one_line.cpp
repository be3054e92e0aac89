#include "platform/one_line.h"

#include <QLineEdit>

#include "text/fast_strings.h"

namespace morvanta::platform {

void KeepOnOneLine(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& typed) {
        const QString single = QString::fromStdString(text::OneLine(typed.toStdString()));
        if (single == typed) return;
        const int at = edit->cursorPosition() - (typed.size() - single.size());
        edit->setText(single);
        edit->setCursorPosition(at);
    });
}

}  // namespace morvanta::platform
