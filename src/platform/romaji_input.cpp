#include "platform/romaji_input.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>

#include "text/romaji_kana.h"

namespace morvanta::platform {

class RomajiInput::Field {
public:
    virtual ~Field() = default;
    virtual int cursor() const = 0;
    virtual bool readOnly() const = 0;
    virtual void removeSelection() = 0;
    // Replaces `length` characters from `start` and leaves the cursor after them.
    virtual void replace(int start, int length, const QString& text) = 0;
};

namespace {

class LineField : public RomajiInput::Field {
public:
    explicit LineField(QLineEdit* edit) : edit_(edit) {}
    int cursor() const override { return edit_->cursorPosition(); }
    bool readOnly() const override { return edit_->isReadOnly(); }
    void removeSelection() override {
        if (edit_->hasSelectedText()) edit_->del();
    }
    void replace(int start, int length, const QString& text) override {
        edit_->setSelection(start, length);
        edit_->insert(text);
    }

private:
    QLineEdit* edit_;
};

class TextField : public RomajiInput::Field {
public:
    explicit TextField(QTextEdit* edit) : edit_(edit) {}
    int cursor() const override { return edit_->textCursor().position(); }
    bool readOnly() const override { return edit_->isReadOnly(); }
    void removeSelection() override {
        QTextCursor c = edit_->textCursor();
        if (c.hasSelection()) {
            c.removeSelectedText();
            edit_->setTextCursor(c);
        }
    }
    void replace(int start, int length, const QString& text) override {
        QTextCursor c = edit_->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        c.insertText(text);
        edit_->setTextCursor(c);
    }

private:
    QTextEdit* edit_;
};

int Length(const std::string& utf8) { return static_cast<int>(QString::fromUtf8(utf8).size()); }

}  // namespace

RomajiInput::RomajiInput(QLineEdit* edit)
    : QObject(edit), field_(std::make_unique<LineField>(edit)) {
    edit->installEventFilter(this);
}

RomajiInput::RomajiInput(QTextEdit* edit)
    : QObject(edit), field_(std::make_unique<TextField>(edit)) {
    edit->installEventFilter(this);
}

RomajiInput::~RomajiInput() = default;

void RomajiInput::setOn(bool on) {
    if (!on) finish();
    on_ = on;
}

bool RomajiInput::eventFilter(QObject* /*watched*/, QEvent* event) {
    switch (event->type()) {
        case QEvent::InputMethod: {
            const auto* im = static_cast<QInputMethodEvent*>(event);
            if (!im->preeditString().isEmpty() || !im->commitString().isEmpty()) {
                systemInputMethod_ = true;
                pending_.clear();
            }
            return false;
        }
        case QEvent::KeyPress:
            return keyPress(*static_cast<QKeyEvent*>(event));
        case QEvent::FocusOut:
            finish();
            return false;
        default:
            return false;
    }
}

bool RomajiInput::keyPress(const QKeyEvent& key) {
    if (!on_ || systemInputMethod_ || field_->readOnly()) return false;
    if (key.key() == Qt::Key_Backspace && !pending_.empty() && cursorAtTail()) {
        pending_.pop_back();  // the edit itself removes the letter
        return false;
    }
    const QString typed = key.text();
    const bool romaji =
        typed.size() == 1 && typed[0].unicode() < 0x80 &&
        text::IsRomajiKey(static_cast<char>(typed[0].unicode())) &&
        !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!romaji) {
        finish();
        return false;
    }
    field_->removeSelection();
    if (!cursorAtTail()) {
        pending_.clear();
        tailStart_ = field_->cursor();
    }
    const int oldLength = Length(pending_);
    pending_ += static_cast<char>(typed[0].unicode());
    const text::RomajiConversion r = text::RomajiToKana(pending_);
    field_->replace(tailStart_, oldLength, QString::fromUtf8(r.kana + r.pending));
    tailStart_ += Length(r.kana);
    pending_ = r.pending;
    return true;
}

void RomajiInput::finish() {
    if (pending_.empty()) return;
    if (cursorAtTail()) {
        const text::RomajiConversion r = text::RomajiToKana(pending_, true);
        if (r.kana != pending_)
            field_->replace(tailStart_, Length(pending_), QString::fromUtf8(r.kana));
    }
    pending_.clear();
}

bool RomajiInput::cursorAtTail() const {
    return !pending_.empty() && field_->cursor() == tailStart_ + Length(pending_);
}

}  // namespace morvanta::platform
