#pragma once
// A one-line rich-text edit: the user types (input method included) into a
// line edit; its content is given and taken as an RTF document with Shift-JIS
// escapes through the rich-text codec.

#include <QLineEdit>
#include <string>

namespace morvanta::platform {

class RichLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit RichLineEdit(QWidget* parent = nullptr);
    // The content saved as a complete RTF document (raw bytes, ASCII).
    std::string saveRtf() const;
    // Loads an RTF document (or plain text).
    void loadRtf(const std::string& rtf);
};

}  // namespace morvanta::platform
