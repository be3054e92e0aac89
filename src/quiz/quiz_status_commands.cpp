// The pop-up menu's quiz status commands: save and resume a quiz session.

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "platform/guard.h"
#include "core/answer_check.h"
#include "quiz/quiz_page.h"
#include "quiz/quiz_query.h"
#include "core/status_file.h"
#include "core/status_file_io.h"

namespace morvanta::quiz {

void QuizPage::AbfrageStatusSpeichern1Click() {
    platform::Guarded(context_.dialogs, [this] { saveStatus(); });
}

void QuizPage::AbfrageStatusLaden1Click() {
    platform::Guarded(context_.dialogs, [this] { loadStatus(); });
}

void QuizPage::saveStatus() {
    const auto fileName = context_.dialogs.askFileName(context_.fileDialogs.SaveDialog2);
    if (!fileName) return;
    const store::Query& query = context_.Query1;
    if (query.sql().empty())
        throw std::runtime_error("Die Abfrage hat keinen SQL Text; der Status wurde nicht gespeichert.");
    StatusFileContent content;
    content.sqlLine = query.sql().front();
    content.selectionCount = state_.SelectionCount;
    content.doneCount = state_.DoneCount;
    content.recNo = query.recNo();
    content.queueText = state_.AskQueue.text();
    ReplaceFile(*fileName, WriteStatusFile(content));
}

void QuizPage::loadStatus() {
    const auto fileName = context_.dialogs.askFileName(context_.fileDialogs.OpenDialog2);
    if (!fileName) return;
    // The whole file is read and checked before anything changes.
    StatusFileContent content;
    try {
        content = ReadStatusFile(ReadFileBytes(*fileName));
    } catch (const NotAStatusFileError&) {
        context_.dialogs.showInfo(QStringLiteral("Keine Abfrage Status Datei!"));
        return;
    }
    QuestionQueue queue = QuestionQueue::fromText(content.queueText);
    // The stored statement is data: only a selection from the vocabulary table runs.
    try {
        context_.Query1.requireSelection(content.sqlLine);
    } catch (const store::EngineError& e) {
        throw DamagedStatusFileError("Die Abfrage Status Datei ist beschädigt: Zeile 2 ist keine "
                                     "Auswahl aus der Vokabeltabelle (" + std::string(e.what()) + ")");
    }

    state_.SelectionSql = content.sqlLine;
    RunQuizQuery(context_.Query1, {state_.SelectionSql});
    const int count = state_.SelectionCount;
    if (content.selectionCount != count)
        context_.dialogs.showInfo(
            QStringLiteral("Achtung Vokabelbestand wurde seit der Speicherung geändert"));
    if (count == 0 || count > kMaxQueueRecord) return;  // the after-open step has said why

    // Numbers beyond the reopened selection would fail at a later answer: the
    // record number is clamped and such queue entries are dropped.
    state_.DoneCount = content.doneCount;
    context_.Query1.setRecNo(std::clamp(content.recNo, 1, count));
    queue.removeIf([count](int recNo) { return recNo < 1 || recNo > count; });
    state_.AskQueue = std::move(queue);
    Button2->setEnabled(!state_.AskQueue.empty());
    Label30->setText(QString::fromStdString(ProgressText(state_.DoneCount, count)));
}

}  // namespace morvanta::quiz
