#pragma once

#include <QWidget>

#include "platform/form_context.h"
#include "platform/layout.h"

namespace morvanta::quiz {

class SelectionPage : public QWidget {
    Q_OBJECT
public:
    SelectionPage(platform::FormContext& context, QWidget* parent = nullptr);
    void applyColumns(const platform::ColumnLayout& columns);

private:
    platform::FormContext& context_;
};

}  // namespace morvanta::quiz
