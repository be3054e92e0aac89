// The record navigator: moves, deletes, posts, cancels and re-reads the
// data set of its data source.

#include <QHBoxLayout>
#include <QPushButton>

#include "platform/db_controls.h"
#include "platform/guard.h"

namespace morvanta::platform {

using store::DataSetState;

namespace {

struct ButtonLook {
    const char* name;
    const char* glyph;
    const char* hint;
};

constexpr ButtonLook kLooks[] = {
    {"First", "|\u25C0", "Erster Datensatz"},     {"Prior", "\u25C0", "Vorheriger Datensatz"},
    {"Next", "\u25B6", "Nächster Datensatz"},     {"Last", "\u25B6|", "Letzter Datensatz"},
    {"Delete", "\u2212", "Datensatz löschen"},    {"Post", "\u2714", "Änderung speichern"},
    {"Cancel", "\u2716", "Änderung verwerfen"},   {"Refresh", "\u21BB", "Daten neu lesen"},
};

bool Editing(const store::DataSet& ds) {
    return ds.state() == DataSetState::Edit || ds.state() == DataSetState::Insert;
}

}  // namespace

DBNavigator::DBNavigator(store::DataSource& source, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), source_(source), dialogs_(dialogs) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 8; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(kLooks[i].glyph), this);
        button->setObjectName(QString::fromLatin1(kLooks[i].name));
        button->setToolTip(QString::fromUtf8(kLooks[i].hint));
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        // Clicking does not take the focus from a field: cancel and delete act on
        // the first click instead of first committing what the field holds.
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
        buttons_[i] = button;
        const auto which = static_cast<Button>(i);
        connect(button, &QPushButton::clicked, this, [this, which] { click(which); });
    }
    token_ = source_.subscribe([this](store::DataEvent) { updateButtons(); });
    updateButtons();
}

DBNavigator::~DBNavigator() { source_.unsubscribe(token_); }

void DBNavigator::click(Button b) {
    Guarded(dialogs_, [&] { act(b); });
    updateButtons();
}

// Bound controls write what is typed first; a refused post throws and the
// record stays in edit state.
void DBNavigator::postPending(store::DataSet& dataSet) {
    if (!Editing(dataSet)) return;
    source_.updateRecord();
    dataSet.post();
}

void DBNavigator::act(Button b) {
    store::DataSet* ds = source_.dataSet();
    if (!ds || !ds->active()) return;
    switch (b) {
    case First:
        postPending(*ds);
        ds->first();
        break;
    case Prior:
        postPending(*ds);
        ds->prior();
        break;
    case Next:
        postPending(*ds);
        ds->next();
        break;
    case Last:
        postPending(*ds);
        ds->last();
        break;
    case Delete:
        if (!dialogs_.confirm(QStringLiteral("Delete record?"))) return;
        if (ds->state() == DataSetState::Insert) {
            ds->cancel();  // nothing stored yet
            return;
        }
        if (ds->state() == DataSetState::Edit) ds->cancel();
        ds->deleteRecord();
        break;
    case Post:
        postPending(*ds);
        break;
    case Cancel:
        if (Editing(*ds)) ds->cancel();
        break;
    case Refresh:
        postPending(*ds);
        ds->refresh();
        break;
    }
}

void DBNavigator::updateButtons() {
    const store::DataSet* ds = source_.dataSet();
    const bool active = ds && ds->active();
    const int count = active ? ds->recordCount() : 0;
    const int recNo = active ? ds->recNo() : 0;
    const bool editing = active && Editing(*ds);
    const bool up = active && count > 0 && recNo > 1;
    const bool down = active && count > 0 && recNo < count;
    buttons_[First]->setEnabled(up);
    buttons_[Prior]->setEnabled(up);
    buttons_[Next]->setEnabled(down);
    buttons_[Last]->setEnabled(down);
    buttons_[Delete]->setEnabled(active && ds->canModify() && count > 0);
    buttons_[Post]->setEnabled(editing);
    buttons_[Cancel]->setEnabled(editing);
    buttons_[Refresh]->setEnabled(active);
}

}  // namespace morvanta::platform
