#include "platform/rich_line_edit.h"

#include "text/rich_text.h"

namespace morvanta::platform {

RichLineEdit::RichLineEdit(QWidget* parent) : QLineEdit(parent) {
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

std::string RichLineEdit::saveRtf() const { return text::PlainTextToRtf(text().toStdString()); }

void RichLineEdit::loadRtf(const std::string& rtf) {
    setText(QString::fromStdString(text::RtfToPlainText(rtf)));
}

}  // namespace morvanta::platform
