// A single-line edit bound to one field.

#include "platform/db_controls.h"
#include "platform/one_line.h"

namespace morvanta::platform {

DBEdit::DBEdit(store::DataSource& source, const QString& field, Dialogs& dialogs, QWidget* parent)
    : QLineEdit(parent), link_(source, field, dialogs) {
    link_.onReload = [this] { reload(); };
    link_.onUpdate = [this] { updateRecord(); };
    KeepOnOneLine(this);
    // textEdited comes from the user only, never from setText().
    connect(this, &QLineEdit::textEdited, this, [this] { link_.userEdited(); });
    reload();
}

void DBEdit::reload() {
    const QString value = link_.text();
    if (value == text()) return;
    setText(value);
    setCursorPosition(0);  // a long text shows its start
}

void DBEdit::updateRecord() { link_.put(text()); }

void DBEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    link_.commitPending();
}

}  // namespace morvanta::platform
