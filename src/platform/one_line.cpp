#include "platform/one_line.h"

#include <QLineEdit>

namespace morvanta::platform {

void KeepOnOneLine(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& typed) {
        QString single = typed;
        single.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        for (QChar c : {QChar(u'\r'), QChar(u'\n'), QChar(u'\t')}) single.replace(c, QChar(u' '));
        if (single == typed) return;
        const int at = edit->cursorPosition() - (typed.size() - single.size());
        edit->setText(single);
        edit->setCursorPosition(at);
    });
}

}  // namespace morvanta::platform
