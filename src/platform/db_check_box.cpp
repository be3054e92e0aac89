// A check box bound to a logical field: checked stores "True", unchecked "False".

#include "platform/db_controls.h"

namespace morvanta::platform {

DBCheckBox::DBCheckBox(store::DataSource& source, const QString& field, Dialogs& dialogs,
                       const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent), link_(source, field, dialogs) {
    link_.onReload = [this] { reload(); };
    // clicked comes from the user (or click()), never from setChecked().
    connect(this, &QCheckBox::clicked, this, [this](bool checked) { toggledByUser(checked); });
    reload();
}

void DBCheckBox::reload() {
    const bool checked = link_.text().compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0;
    if (checked != isChecked()) setChecked(checked);
}

void DBCheckBox::toggledByUser(bool checked) {
    // Written at once: a check box has no half-typed state to keep.
    if (!link_.startEdit() ||
        !link_.write(checked ? QStringLiteral("True") : QStringLiteral("False")))
        reload();
}

}  // namespace morvanta::platform
