#pragma once
// The dictionary's suggestions under the entry page's fields: one row a word
// (written form, reading, type, first translations). A click, or Enter after
// stepping in with the arrow key from a field, chooses one.

#include <QListWidget>
#include <vector>

#include "core/dictionary/dictionary.h"

class QLineEdit;

namespace morvanta::entry {

class SuggestionList : public QListWidget {
    Q_OBJECT
public:
    explicit SuggestionList(QWidget* parent);

    // Shows these rows; no rows hide the list.
    void showSuggestions(std::vector<dict::Suggestion> suggestions);
    // The arrow key down in `field` steps into the list; Escape goes back there.
    void attachField(QLineEdit* field);

signals:
    void chosen(const dict::Suggestion& suggestion);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int row);

    std::vector<dict::Suggestion> suggestions_;
    QLineEdit* cameFrom_ = nullptr;
};

}  // namespace morvanta::entry
