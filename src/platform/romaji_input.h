#pragma once
// Kana typed on a Latin keyboard: attached to a kana field, it turns the Latin
// letters typed into it into kana as they are typed (text/romaji_kana), so a
// learner without a Japanese input method can enter readings. A syllable still
// open ("ky", "n") stays visible as Latin until it resolves; Backspace takes it
// back letter by letter. Once a system input method composes in the field, the
// conversion steps aside for good.

#include <QObject>
#include <memory>
#include <string>

class QKeyEvent;
class QLineEdit;
class QTextEdit;

namespace morvanta::platform {

class RomajiInput : public QObject {
    Q_OBJECT
public:
    explicit RomajiInput(QLineEdit* edit);
    explicit RomajiInput(QTextEdit* edit);
    ~RomajiInput() override;

    void setOn(bool on);
    bool isOn() const { return on_; }

    // The field's text positions the conversion needs, for either kind of edit.
    class Field;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(const QKeyEvent& key);
    // Settles the open tail: a lone "n" becomes ん, anything else stays Latin.
    void finish();
    bool cursorAtTail() const;
    void replaceTail(const std::string& kana, const std::string& pending);

    std::unique_ptr<Field> field_;
    bool on_ = true;
    bool systemInputMethod_ = false;
    std::string pending_;  // the Latin tail, as typed
    int tailStart_ = 0;    // where it stands in the field
};

}  // namespace morvanta::platform
