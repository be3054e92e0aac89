#pragma once

#include <QWidget>

#include "platform/form_context.h"
#include "platform/layout.h"

namespace morvanta::exchange {

class ExportPage : public QWidget {
    Q_OBJECT
public:
    ExportPage(platform::FormContext& context, QWidget* parent = nullptr);
    void applyColumns(const platform::ColumnLayout& columns);

private:
    platform::FormContext& context_;
};

}  // namespace morvanta::exchange
