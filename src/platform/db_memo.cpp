// A plain multi-line text edit bound to one field.

#include "platform/db_controls.h"

namespace morvanta::platform {

DBMemo::DBMemo(store::DataSource& source, const QString& field, Dialogs& dialogs, QWidget* parent)
    : QPlainTextEdit(parent), link_(source, field, dialogs) {
    setTabChangesFocus(true);
    link_.onReload = [this] { reload(); };
    link_.onUpdate = [this] { updateRecord(); };
    // The link ignores the change while it loads the field, so only typing counts.
    connect(this, &QPlainTextEdit::textChanged, this, [this] { link_.userEdited(); });
    link_.reload();
}

void DBMemo::reload() {
    const QString value = link_.text();
    if (value == toPlainText()) return;
    setPlainText(value);
}

void DBMemo::updateRecord() { link_.put(toPlainText()); }

void DBMemo::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    link_.commitPending();
}

}  // namespace morvanta::platform
