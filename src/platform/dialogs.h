#pragma once
// Message boxes and file dialogs behind one interface: Qt's in the program,
// a scripted fake in tests.

#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QPagedPaintDevice;

namespace morvanta::platform {

// A file dialog as the main window owns it: its name, filter ("Text (*.x)|*.x")
// and default extension.
struct FileDialogSpec {
    QString name;
    QString filter;
    QString defaultExt;
    bool save = false;
};

// "Vokabelabfrage (*.vad)|*.vad" -> "Vokabelabfrage (*.vad)" for Qt's dialogs.
QString QtFilter(const QString& filter);
// A name typed without an extension gets the extension of the dialog's filter.
QString WithDefaultExtension(const QString& fileName, const FileDialogSpec& dialog);

// A document to preview and print: its title, the page it is made for, and how
// to draw its pages (false when the learner cancelled the drawing).
struct PrintDocument {
    QString title;
    QPageLayout layout;
    std::function<bool(QPagedPaintDevice&)> draw;
};

// The progress of a long run, with "Abbrechen".
class Progress {
public:
    virtual ~Progress() = default;
    // The work done so far, of the total it was shown with; false once cancelled.
    virtual bool step(std::int64_t done) = 0;
    // The text above the bar.
    virtual void setLabel(const QString& text) = 0;
};

class Dialogs;

// The name a save dialog hands back, with the filter's extension added; when the
// added extension names a file that exists, the learner is asked first (the
// dialog itself only asked about the name as typed). No answer means cancelled.
std::optional<QString> CompleteSaveName(const QString& typed, const FileDialogSpec& dialog,
                                        Dialogs& ask);

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void showError(const QString& text) = 0;
    virtual void showInfo(const QString& text) = 0;
    // OK/Cancel question; true for OK.
    virtual bool confirm(const QString& question) = 0;
    // Ja/Nein question whose default answer is Nein; true for Ja.
    virtual bool askYesNo(const QString& question) = 0;
    // The chosen file name, or nullopt when cancelled.
    virtual std::optional<QString> askFileName(const FileDialogSpec& dialog) = 0;
    // Shows the pages; from there the learner prints them or saves a PDF.
    virtual void previewPrint(const PrintDocument& document) = 0;
    // The progress of a long run over `parent`, for as long as the result lives.
    virtual std::unique_ptr<Progress> showProgress(QWidget* parent, const QString& label,
                                                   std::int64_t total) = 0;
};

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner) : owner_(owner) {}
    void showError(const QString& text) override;
    void showInfo(const QString& text) override;
    bool confirm(const QString& question) override;
    bool askYesNo(const QString& question) override;
    std::optional<QString> askFileName(const FileDialogSpec& dialog) override;
    void previewPrint(const PrintDocument& document) override;
    // Shows up only when the run takes a while, window-modal.
    std::unique_ptr<Progress> showProgress(QWidget* parent, const QString& label,
                                           std::int64_t total) override;

private:
    QWidget* owner_;
};

// Records every message and answers from a script; for tests and headless runs.
class ScriptedDialogs : public Dialogs {
public:
    struct Message {
        enum Kind { Error, Info, Question } kind;
        QString text;
    };
    void showError(const QString& text) override { messages.push_back({Message::Error, text}); }
    void showInfo(const QString& text) override { messages.push_back({Message::Info, text}); }
    bool confirm(const QString& question) override;
    bool askYesNo(const QString& question) override { return confirm(question); }
    std::optional<QString> askFileName(const FileDialogSpec& dialog) override;
    // Records the document and, when previewPdf names a file, draws it there.
    void previewPrint(const PrintDocument& document) override;
    // Records its labels; its run is cancelled at step cancelProgressAt when set.
    std::unique_ptr<Progress> showProgress(QWidget* parent, const QString& label,
                                           std::int64_t total) override;

    QList<Message> messages;
    QList<bool> confirmAnswers;                    // taken from the front; default true
    QList<std::optional<QString>> fileAnswers;     // taken from the front; default cancel
    QList<FileDialogSpec> askedDialogs;
    QStringList previewTitles;
    QList<QPageLayout> previewLayouts;
    QString previewPdf;
    QStringList progressLabels;  // every label shown, in order
    int cancelProgressAt = 0;    // 0: never; counted from 1 in each run
    QStringList texts() const;
    void clear() { messages.clear(); }
};

}  // namespace morvanta::platform
