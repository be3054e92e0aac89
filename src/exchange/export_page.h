#pragma once

#include <QWidget>

#include "platform/form_context.h"
#include "platform/layout.h"
#include "quiz/quiz_state.h"

namespace morvanta::entry {
class EntryPage;
}

namespace morvanta::exchange {

class XmlExportGroup;

class ExportPage : public QWidget {
    Q_OBJECT
public:
    ExportPage(platform::FormContext& context, quiz::QuizState& state, entry::EntryPage& entryPage,
               QWidget* parent = nullptr);

    XmlExportGroup* TntGroupBox1 = nullptr;  // "XML Export"

private:
    platform::FormContext& context_;
    quiz::QuizState& state_;
    entry::EntryPage& entryPage_;
};

}  // namespace morvanta::exchange
