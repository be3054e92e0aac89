#include "exchange/xml_export_group.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <memory>

#include "entry/entry_page.h"
#include "core/xml_file_output.h"
#include "exchange/xml_form.h"
#include "core/xml_word_list_reader.h"
#include "core/xml_word_source.h"
#include "platform/guard.h"

namespace morvanta::exchange {

namespace {

// While the export runs the browse page follows the quiz selection; afterwards
// it shows the table again and the quiz query stands on its first record,
// whatever happened in between.
class ExportBinding {
public:
    ExportBinding(platform::FormContext& context, QPlainTextEdit& buffer)
        : context_(context), buffer_(buffer) {
        context_.DataSource1.setDataSet(&context_.Query1);
    }
    ~ExportBinding() {
        try {
            if (context_.Query1.active()) context_.Query1.first();
        } catch (...) {
            // The export's own error is the one worth reporting.
        }
        context_.DataSource1.setDataSet(&context_.Table1);
        buffer_.clear();
    }
    ExportBinding(const ExportBinding&) = delete;
    ExportBinding& operator=(const ExportBinding&) = delete;

private:
    platform::FormContext& context_;
    QPlainTextEdit& buffer_;
};

// A spin edit takes an imported text only when it reads as a whole number.
void SetSpinText(QSpinBox& spin, const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok) spin.setValue(value);
}

}  // namespace

XmlExportGroup::XmlExportGroup(platform::FormContext& context, entry::EntryPage& entryPage,
                               QWidget* parent)
    : QGroupBox(QStringLiteral("XML Export"), parent), context_(context), entryPage_(entryPage) {
    setObjectName(QStringLiteral("TntGroupBox1"));

    TntButton1 = new QPushButton(QStringLiteral("XML Export"), this);
    TntButton1->setObjectName(QStringLiteral("TntButton1"));
    exportLabel = new QLabel(QStringLiteral("Ausgwählte Vokabeln exportieren"), this);
    TntButton2 = new QPushButton(QStringLiteral("XML Import"), this);
    TntButton2->setObjectName(QStringLiteral("TntButton2"));
    TntButton2->setVisible(false);  // nothing in the program shows it
    TntMemo1 = new QPlainTextEdit(this);
    TntMemo1->setObjectName(QStringLiteral("TntMemo1"));
    TntMemo1->setVisible(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(TntButton1, 0, 0);
    grid->addWidget(exportLabel, 0, 1);
    grid->addWidget(TntButton2, 1, 0);
    grid->setColumnStretch(2, 1);

    connect(TntButton1, &QPushButton::clicked, this, &XmlExportGroup::TntButton1Click);
    connect(TntButton2, &QPushButton::clicked, this, &XmlExportGroup::TntButton2Click);
}

void XmlExportGroup::TntButton1Click() {
    platform::Guarded(context_.dialogs, [this] { exportWordList(); });
}

void XmlExportGroup::TntButton2Click() {
    platform::Guarded(context_.dialogs, [this] { importWordList(); });
}

void XmlExportGroup::exportWordList() {
    TntMemo1->clear();
    // Owned here so the dialog goes in every case, also when the export stops early.
    auto form = std::make_unique<TXMLForm>(window());
    if (form->exec() != QDialog::Accepted) return;
    const auto fileName = context_.dialogs.askFileName(context_.fileDialogs.DialogXMLExport);
    if (!fileName) return;

    ExportBinding binding(context_, *TntMemo1);
    const XmlExportOptions options = form->options();
    // Streamed into the temporary file: a failure midway leaves the target untouched.
    WriteWholeFile(*fileName, [this, &options](QIODevice& out) {
        return WriteWordList(context_.Query1, options, out);
    });
}

void XmlExportGroup::importWordList() {
    const auto fileName = context_.dialogs.askFileName(context_.fileDialogs.DialogXMLOpen1);
    if (!fileName) return;
    entry::EntryPage& page = entryPage_;
    // Filling the reading must not fill the Hepburn field from it.
    const QSignalBlocker detachKanaChange(page.HiraKataEdit);

    QFile file(*fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        context_.dialogs.showInfo(XmlLoadErrorMessage(int(file.error()), file.errorString(), 0, 0));
        return;
    }
    const XmlReadResult result =
        ReadWordList(file.readAll(), {page.T1Edit->text(), page.T2Edit->text(), page.T3Edit->text()});
    if (!result.loaded) {
        context_.dialogs.showInfo(result.errorMessage);
        return;
    }
    const XmlEntryFill& fill = result.fill;
    if (fill.KanjiEdit) page.KanjiEdit->setText(*fill.KanjiEdit);
    if (fill.HiraKataEdit) page.HiraKataEdit->setText(*fill.HiraKataEdit);
    QLineEdit* translationEdits[] = {page.T1Edit, page.T2Edit, page.T3Edit};
    for (int i = 0; i < 3; ++i)
        if (fill.translations[i]) translationEdits[i]->setText(*fill.translations[i]);
    if (fill.Lesson) SetSpinText(*page.Lesson, *fill.Lesson);
    if (fill.HepburnEdit) page.HepburnEdit->setText(*fill.HepburnEdit);
    // A type word the list does not hold leaves nothing chosen.
    if (fill.TypEdit) page.TypEdit->setCurrentIndex(page.TypEdit->findText(*fill.TypEdit));
    if (fill.Accent) SetSpinText(*page.Accent, *fill.Accent);
    if (fill.NoteEdit) page.NoteEdit->setText(*fill.NoteEdit);
}

}  // namespace morvanta::exchange
