#include "platform/dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <algorithm>

namespace morvanta::platform {

QString QtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) entries << parts[i];
    return entries.join(QStringLiteral(";;"));
}

namespace {

constexpr int kProgressScale = 1000;     // the bar counts in thousandths
constexpr qint64 kProgressEveryMs = 50;  // keeps the event processing off the hot path

class DialogProgress : public Progress {
public:
    DialogProgress(QWidget* parent, const QString& label, std::int64_t total)
        : dialog_(label, QStringLiteral("Abbrechen"), 0, kProgressScale, parent),
          total_(std::max<std::int64_t>(total, 1)) {
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(500);
        dialog_.setAutoClose(false);
        dialog_.setAutoReset(false);
        dialog_.setValue(0);
        sinceUpdate_.start();
    }
    bool step(std::int64_t done) override {
        if (sinceUpdate_.elapsed() >= kProgressEveryMs) {
            sinceUpdate_.restart();
            // For a modal dialog setValue also lets Qt handle a click on "Abbrechen".
            dialog_.setValue(int(std::min<std::int64_t>(done, total_) * kProgressScale / total_));
        }
        return !dialog_.wasCanceled();
    }
    void setLabel(const QString& text) override { dialog_.setLabelText(text); }

private:
    QProgressDialog dialog_;
    std::int64_t total_;
    QElapsedTimer sinceUpdate_;
};

class ScriptedProgress : public Progress {
public:
    ScriptedProgress(QStringList& labels, int cancelAt) : labels_(labels), cancelAt_(cancelAt) {}
    bool step(std::int64_t) override { return cancelAt_ <= 0 || ++steps_ < cancelAt_; }
    void setLabel(const QString& text) override { labels_ << text; }

private:
    QStringList& labels_;
    int cancelAt_;
    int steps_ = 0;
};

}  // namespace

QString WithDefaultExtension(const QString& fileName, const FileDialogSpec& dialog) {
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty()) return fileName;
    // The filter's first pattern decides ("*.vad" -> ".vad").
    const QStringList parts = dialog.filter.split(QLatin1Char('|'));
    QString pattern = parts.size() >= 2 ? parts[1].section(QLatin1Char(';'), 0, 0) : dialog.defaultExt;
    pattern.remove(QLatin1Char('*'));
    if (!pattern.isEmpty() && !pattern.startsWith(QLatin1Char('.')))
        pattern.prepend(QLatin1Char('.'));
    if (pattern.isEmpty() || pattern == QStringLiteral(".")) return fileName;
    return fileName + pattern;
}

void QtDialogs::showError(const QString& text) {
    QMessageBox::critical(owner_, QApplication::applicationName(), text);
}

void QtDialogs::showInfo(const QString& text) {
    QMessageBox::information(owner_, QApplication::applicationName(), text);
}

bool QtDialogs::confirm(const QString& question) {
    return QMessageBox::question(owner_, QApplication::applicationName(), question,
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

bool QtDialogs::askYesNo(const QString& question) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question,
                    QMessageBox::NoButton, owner_);
    QAbstractButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<QString> QtDialogs::askFileName(const FileDialogSpec& dialog) {
    const QString filter = QtFilter(dialog.filter);
    QFileDialog::Options options;
    if (!dialog.save) options |= QFileDialog::ReadOnly;
    QString name = dialog.save ? QFileDialog::getSaveFileName(owner_, QString(), QString(), filter,
                                                            nullptr, options)
                             : QFileDialog::getOpenFileName(owner_, QString(), QString(), filter,
                                                            nullptr, options);
    if (name.isEmpty()) return std::nullopt;
    return dialog.save ? CompleteSaveName(name, dialog, *this) : name;
}

std::optional<QString> CompleteSaveName(const QString& typed, const FileDialogSpec& dialog,
                                        Dialogs& ask) {
    const QString completed = WithDefaultExtension(typed, dialog);
    if (completed != typed && QFileInfo::exists(completed) &&
        !ask.askYesNo(
            QStringLiteral("Die Datei \u201E%1\u201C ist bereits vorhanden. Soll sie ersetzt werden?")
                .arg(QFileInfo(completed).fileName())))
        return std::nullopt;
    return completed;
}

bool ScriptedDialogs::confirm(const QString& question) {
    messages.push_back({Message::Question, question});
    return confirmAnswers.isEmpty() ? true : confirmAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogs::askFileName(const FileDialogSpec& dialog) {
    askedDialogs.push_back(dialog);
    if (fileAnswers.isEmpty()) return std::nullopt;
    auto answer = fileAnswers.takeFirst();
    if (answer && dialog.save) return CompleteSaveName(*answer, dialog, *this);
    return answer;
}

std::unique_ptr<Progress> QtDialogs::showProgress(QWidget* parent, const QString& label,
                                                  std::int64_t total) {
    return std::make_unique<DialogProgress>(parent ? parent : owner_, label, total);
}

std::unique_ptr<Progress> ScriptedDialogs::showProgress(QWidget*, const QString& label,
                                                        std::int64_t) {
    progressLabels << label;
    return std::make_unique<ScriptedProgress>(progressLabels, cancelProgressAt);
}

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const auto& m : messages) out << m.text;
    return out;
}

}  // namespace morvanta::platform
