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

#include "core/exchange/query_walk.h"
#include "core/exchange/xml_file_output.h"
#include "exchange/progress_dialog.h"
#include "exchange/xml_form.h"
#include "core/exchange/xml_word_list_reader.h"
#include "core/exchange/xml_word_source.h"
#include "platform/guard.h"
#include "store/system_reason.h"

namespace morvanta::exchange {

namespace {

// While the export runs the browse page is bound to the quiz selection;
// afterwards it shows the table again, whatever happened in between.
class ExportBinding {
public:
    ExportBinding(const platform::ExportContext& context, QPlainTextEdit& buffer)
        : context_(context), buffer_(buffer) {
        context_.DataSource1.setDataSet(&context_.Query1);
    }
    ~ExportBinding() {
        context_.DataSource1.setDataSet(&context_.Table1);
        buffer_.clear();
    }
    ExportBinding(const ExportBinding&) = delete;
    ExportBinding& operator=(const ExportBinding&) = delete;

private:
    platform::ExportContext context_;
    QPlainTextEdit& buffer_;
};

}  // namespace

XmlExportGroup::XmlExportGroup(const platform::ExportContext& context, const EntryLink& entry,
                               QWidget* parent)
    : QGroupBox(QStringLiteral("XML Export"), parent), context_(context), entry_(entry) {
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

    // The walk encloses the binding: the browse page is back on the table before
    // the quiz page's widgets show the first record, refreshed once.
    QueryWalk walk(context_.Query1);
    ExportBinding binding(context_, *TntMemo1);
    const XmlExportOptions options = form->options();
    RunProgress progress(context_.dialogs, this, QStringLiteral("XML Export"), context_.Query1.recordCount());
    // Streamed into the temporary file: a failure or a cancel midway leaves the target untouched.
    WriteWholeFile(*fileName, [this, &options, &progress](QIODevice& out) {
        XmlWordListWriter writer(out);
        if (!BuildWordList(context_.Query1, options, writer, progress.callback()))
            return ContentEnd::Cancelled;
        return writer.ok() ? ContentEnd::Whole : ContentEnd::FellShort;
    });
}

void XmlExportGroup::importWordList() {
    const auto fileName = context_.dialogs.askFileName(context_.fileDialogs.DialogXMLOpen1);
    if (!fileName) return;
    QFile file(*fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString reason =
            QString::fromStdString(store::SystemReason(file.errorString().toStdString()));
        context_.dialogs.showInfo(XmlLoadErrorMessage(int(file.error()), reason, 0, 0));
        return;
    }
    // Read word by word; the page takes the words only once the whole file has
    // loaded, so a cancel leaves it as it was.
    XmlReadResult result;
    {
        RunProgress progress(context_.dialogs, this, QStringLiteral("XML Import"), file.size());
        result = ReadWordList(file, entry_.translations(), progress.callback());
    }
    if (result.cancelled) return;
    if (!result.loaded) {
        context_.dialogs.showInfo(result.errorMessage);
        return;
    }
    entry_.fill(result.fill);
}

}  // namespace morvanta::exchange
