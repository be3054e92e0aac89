#include "entry/suggestion_list.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStringList>

#include "platform/fonts.h"

namespace morvanta::entry {

namespace {

QString RowText(const dict::Suggestion& s) {
    QString row = QString::fromStdString(s.written);
    if (s.reading != s.written) row += QStringLiteral("  \u3010") + QString::fromStdString(s.reading) + QStringLiteral("\u3011");
    row += QStringLiteral("  ") + QString::fromStdString(s.typeWord);
    QStringList senses;
    for (const std::string& t : s.translations) senses << QString::fromStdString(t);
    if (!senses.isEmpty()) row += QStringLiteral(" \u2013 ") + senses.join(QStringLiteral("; "));
    return row;
}

}  // namespace

SuggestionList::SuggestionList(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("SuggestionList"));
    setFont(platform::JapaneseFont(14));
    setToolTip(QStringLiteral("Vorschläge aus dem Wörterbuch: Klick oder \u2193 und Enter übernimmt "
                              "Kanji, Kana, Übersetzungen und Typ."));
    setFocusPolicy(Qt::ClickFocus);
    hide();
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { choose(row(item)); });
}

void SuggestionList::showSuggestions(std::vector<dict::Suggestion> suggestions) {
    suggestions_ = std::move(suggestions);
    clear();
    for (const dict::Suggestion& s : suggestions_) addItem(RowText(s));
    setVisible(!suggestions_.empty());
}

void SuggestionList::attachField(QLineEdit* field) { field->installEventFilter(this); }

bool SuggestionList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isVisible() && count() > 0 &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
        cameFrom_ = qobject_cast<QLineEdit*>(watched);
        setCurrentRow(0);
        setFocus();
        return true;
    }
    return QListWidget::eventFilter(watched, event);
}

void SuggestionList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Taken here, so Enter chooses and does not store the word.
        choose(currentRow());
        return;
    case Qt::Key_Escape:
        if (cameFrom_) cameFrom_->setFocus();
        return;
    case Qt::Key_Up:
        if (currentRow() <= 0 && cameFrom_) {
            cameFrom_->setFocus();
            return;
        }
        break;
    default:
        break;
    }
    QListWidget::keyPressEvent(event);
}

void SuggestionList::choose(int row) {
    if (row < 0 || row >= static_cast<int>(suggestions_.size())) return;
    const dict::Suggestion suggestion = suggestions_[static_cast<std::size_t>(row)];
    hide();
    emit chosen(suggestion);
}

}  // namespace morvanta::entry
