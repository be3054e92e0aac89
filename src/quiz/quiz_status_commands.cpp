// The pop-up menu's quiz status commands: save and resume a quiz session.

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "platform/guard.h"
#include "core/quiz/answer_check.h"
#include "quiz/quiz_page.h"
#include "quiz/quiz_query.h"
#include "core/quiz/status_file.h"
#include "core/quiz/quiz_session.h"
#include "core/quiz/status_file_io.h"

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
    dropDeletedWords();  // a deleted word is not saved
    ReplaceFile(*fileName, WriteStatusFile(CaptureStatus(state_, context_.Query1, options().direction)));
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
    // The quiz goes on the way it was asked.
    emit directionLoaded(content.direction);
    const ResumeResult resumed = ResumeSession(state_, context_.Query1, content);
    if (resumed.countChanged)
        context_.dialogs.showInfo(
            QStringLiteral("Achtung Vokabelbestand wurde seit der Speicherung geändert"));
    const int count = state_.SelectionCount;
    if (count == 0 || count > kMaxQueueRecord) return;  // the after-open step has said why
    if (resumed.dropped > 0 && !resumed.countChanged)
        context_.dialogs.showInfo(QString::fromStdString(DroppedWordsNote(resumed.dropped)));
    if (resumed.added > 0) context_.dialogs.showInfo(QString::fromStdString(AddedWordsNote(resumed.added)));
    if (resumed.nothingLeft)
        context_.dialogs.showInfo(QStringLiteral(
            "Die gespeicherte Abfrage hat keine Vokabeln mehr abzufragen: Alle ausgwählten "
            "Vokabeln wurden Abgefragt."));
    Button2->setEnabled(resumed.resumed);
    Label30->setText(QString::fromStdString(ProgressText(state_.DoneCount, count)));
}

}  // namespace morvanta::quiz
