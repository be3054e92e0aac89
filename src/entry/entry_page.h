#pragma once

#include <QWidget>

#include "platform/form_context.h"
#include "platform/layout.h"

namespace morvanta::entry {

class EntryPage : public QWidget {
    Q_OBJECT
public:
    EntryPage(platform::FormContext& context, QWidget* parent = nullptr);
    void applyColumns(const platform::ColumnLayout& columns);

private:
    platform::FormContext& context_;
};

}  // namespace morvanta::entry
