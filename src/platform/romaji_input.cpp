#include "platform/romaji_input.h"

#include <algorithm>

#include <QClipboard>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
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
    // The text from `start`, lines ending in '\n'.
    virtual QString text(int start, int length) const = 0;
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
    QString text(int start, int length) const override { return edit_->text().mid(start, length); }
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
    QString text(int start, int length) const override {
        QTextCursor c(edit_->document());
        c.setPosition(std::clamp(start, 0, CharacterCount()));
        c.setPosition(std::clamp(start + length, 0, CharacterCount()), QTextCursor::KeepAnchor);
        return c.selectedText().replace(QChar::ParagraphSeparator, u'\n');
    }
    void replace(int start, int length, const QString& text) override {
        QTextCursor c = edit_->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        c.insertText(text);
        edit_->setTextCursor(c);
    }

private:
    // The positions a cursor can take: the document's characters but its last paragraph end.
    int CharacterCount() const { return edit_->document()->characterCount() - 1; }

    QTextEdit* edit_;
};

int Length(const std::string& utf8) { return static_cast<int>(QString::fromUtf8(utf8).size()); }

// Keys that only change what the next key types: pressed alone, they type nothing.
bool IsModifierKey(int key) {
    switch (key) {
        case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Meta: case Qt::Key_Alt:
        case Qt::Key_AltGr: case Qt::Key_CapsLock: case Qt::Key_NumLock: case Qt::Key_Super_L:
        case Qt::Key_Super_R: case Qt::Key_Hyper_L: case Qt::Key_Hyper_R: case Qt::Key_Mode_switch:
            return true;
        default:
            return false;
    }
}

}  // namespace

RomajiInput::RomajiInput(QLineEdit* edit)
    : QObject(edit), edit_(edit), field_(std::make_unique<LineField>(edit)) {
    edit->installEventFilter(this);
}

// A text edit takes its mouse clicks and drops in its viewport.
RomajiInput::RomajiInput(QTextEdit* edit)
    : QObject(edit), edit_(edit), field_(std::make_unique<TextField>(edit)) {
    edit->installEventFilter(this);
    edit->viewport()->installEventFilter(this);
}

RomajiInput::~RomajiInput() = default;

void RomajiInput::setOn(bool on) {
    if (!on) finish();
    on_ = on;
}

bool RomajiInput::eventFilter(QObject* watched, QEvent* event) {
    if (passing_) return false;
    switch (event->type()) {
        case QEvent::InputMethod: {
            const auto* im = static_cast<QInputMethodEvent*>(event);
            if (!im->preeditString().isEmpty() || !im->commitString().isEmpty()) {
                systemInputMethod_ = true;
                pending_.clear();
            }
            return false;
        }
        case QEvent::KeyPress: {
            const auto& key = *static_cast<QKeyEvent*>(event);
            if (key.matches(QKeySequence::Paste))
                return pasteThrough(watched, event, QGuiApplication::clipboard()->text());
            return keyPress(key);
        }
        case QEvent::MouseButtonRelease: {
            const QClipboard* clipboard = QGuiApplication::clipboard();
            if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton && clipboard->supportsSelection())
                return pasteThrough(watched, event, clipboard->text(QClipboard::Selection));
            return false;
        }
        case QEvent::Drop: {
            const auto* drop = static_cast<QDropEvent*>(event);
            // Text moved within the field is the field's already.
            if (drop->source() == watched || drop->source() == edit_ || drop->mimeData() == nullptr) return false;
            return pasteThrough(watched, event, drop->mimeData()->text());
        }
        case QEvent::FocusOut:
            finish();
            return false;
        default:
            return false;
    }
}

bool RomajiInput::keyPress(const QKeyEvent& key) {
    if (!on_ || systemInputMethod_ || field_->readOnly()) return false;
    if (IsModifierKey(key.key())) return false;
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
    const text::RomajiConversion r = text::RomajiToKana(pending_, false, midWord(tailStart_));
    field_->replace(tailStart_, oldLength, QString::fromUtf8(r.kana + r.pending));
    tailStart_ += Length(r.kana);
    pending_ = r.pending;
    return true;
}

void RomajiInput::finish() {
    if (pending_.empty()) return;
    if (cursorAtTail()) {
        const text::RomajiConversion r = text::RomajiToKana(pending_, true, midWord(tailStart_));
        if (r.kana != pending_)
            field_->replace(tailStart_, Length(pending_), QString::fromUtf8(r.kana));
    }
    pending_.clear();
}

bool RomajiInput::cursorAtTail() const {
    return !pending_.empty() && field_->cursor() == tailStart_ + Length(pending_);
}

bool RomajiInput::midWord(int position) const {
    if (position <= 0) return false;
    const int from = std::max(0, position - 2);  // a character beyond the BMP is two
    const QList<uint> before = field_->text(from, position - from).toUcs4();
    return !before.isEmpty() && !text::SeparatesWords(before.back());
}

bool RomajiInput::pasteThrough(QObject* target, QEvent* event, const QString& pasted) {
    finish();
    const bool romaji = std::any_of(pasted.begin(), pasted.end(), [](QChar c) {
        return c.unicode() < 0x80 && text::IsRomajiKey(static_cast<char>(c.unicode()));
    });
    if (!on_ || systemInputMethod_ || field_->readOnly() || !romaji) return false;
    passing_ = true;
    QCoreApplication::sendEvent(target, event);
    passing_ = false;
    // The field leaves its cursor after what it inserted; when that is not the
    // pasted text as it came (a rich text, a cut line), it is left as it is.
    const int start = field_->cursor() - static_cast<int>(pasted.size());
    if (start < 0 || field_->text(start, static_cast<int>(pasted.size())) != pasted) return true;
    const std::string kana = text::RomajiToKana(pasted.toStdString(), true, midWord(start)).kana;
    if (kana != pasted.toStdString()) field_->replace(start, static_cast<int>(pasted.size()), QString::fromStdString(kana));
    return true;
}

}  // namespace morvanta::platform
