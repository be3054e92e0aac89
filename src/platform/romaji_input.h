#pragma once
// Kana typed on a Latin keyboard: attached to a kana field, it turns the Latin
// letters typed into it into kana as they are typed (text/romaji_kana), so a
// learner without a Japanese input method can enter readings. A syllable still
// open ("ky", "n") stays visible as Latin until it resolves; Backspace takes it
// back letter by letter. A bare modifier key (Shift pressed anew for each
// capital, Ctrl, Alt, CapsLock) leaves the open syllable open. Romaji pasted
// into the field (Ctrl+V or Shift+Insert, the middle mouse button, a drop)
// become kana as typed ones do; pasted kana, kanji and other text stay. Once a
// system input method composes in the field, the conversion steps aside for good.

#include <QObject>
#include <memory>
#include <string>

class QKeyEvent;
class QLineEdit;
class QTextEdit;
class QWidget;

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
    // Lets the field handle an event that inserts `pasted`, then turns the
    // romaji in what it inserted into kana. True: the event has been handled.
    bool pasteThrough(QObject* target, QEvent* event, const QString& pasted);
    // Settles the open tail: a lone "n" becomes ん, anything else stays Latin.
    void finish();
    bool cursorAtTail() const;
    // Whether the text at `position` goes on a word (for the capitals rule).
    bool midWord(int position) const;

    QWidget* edit_;
    std::unique_ptr<Field> field_;
    bool on_ = true;
    bool systemInputMethod_ = false;
    bool passing_ = false;  // an event handed on to the field by pasteThrough
    std::string pending_;  // the Latin tail, as typed
    int tailStart_ = 0;    // where it stands in the field
};

}  // namespace morvanta::platform
