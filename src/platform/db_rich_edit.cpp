// A rich-text field shown as its text and saved back as an RTF document.

#include "platform/db_controls.h"
#include "text/rich_text.h"

namespace morvanta::platform {

DBRichEdit::DBRichEdit(store::DataSource& source, const QString& field, Dialogs& dialogs,
                       QWidget* parent)
    : QTextEdit(parent), link_(source, field, dialogs) {
    setAcceptRichText(false);  // pasted formatting would not survive the codec anyway
    setTabChangesFocus(true);
    link_.onReload = [this] { reload(); };
    link_.onUpdate = [this] { updateRecord(); };
    // The link ignores the change while it loads the field, so only typing counts.
    connect(this, &QTextEdit::textChanged, this, [this] { link_.userEdited(); });
    link_.reload();
}

void DBRichEdit::reload() {
    const QString value = QString::fromStdString(text::RtfToPlainText(link_.raw()));
    if (value == toPlainText()) return;
    setPlainText(value);
}

void DBRichEdit::updateRecord() { link_.putRaw(text::PlainTextToRtf(toPlainText().toStdString())); }

void DBRichEdit::focusOutEvent(QFocusEvent* event) {
    QTextEdit::focusOutEvent(event);
    link_.commitPending();
}

}  // namespace morvanta::platform
