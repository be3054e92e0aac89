#include "exchange/foreign_import_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace morvanta::exchange {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
QString Count(long long n) { return QLocale(QLocale::German).toString(n); }

}  // namespace

ForeignImportDialog::ForeignImportDialog(const foreign::SourceSheet& sheet, const QString& fileName,
                                         store::DataSet& words, QWidget* parent)
    : QDialog(parent),
      sheet_(sheet),
      firstFreeLesson_(foreign::FirstFreeLesson(words)),
      keys_(words),
      mapping_(foreign::GuessMapping(sheet)) {
    setObjectName(QStringLiteral("ForeignImportDialog"));
    setWindowTitle(QStringLiteral("Vokabeln importieren"));
    auto* layout = new QVBoxLayout(this);
    auto* fileLabel = new QLabel(
        QStringLiteral("%1 „%2“: %3 Zeilen. Wählen Sie für jede Spalte, was sie wird:")
            .arg(Q(sheet.format), fileName, Count(static_cast<long long>(sheet.rows.size()))),
        this);
    fileLabel->setWordWrap(true);
    layout->addWidget(fileLabel);

    const int columns = static_cast<int>(sheet.columns.size());
    const int shown = std::min<int>(kPreviewRows, static_cast<int>(sheet.rows.size()));
    table = new QTableWidget(shown + 1, columns, this);
    table->setObjectName(QStringLiteral("previewTable"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStringList heads;
    for (const std::string& name : sheet.columns) heads << Q(name);
    table->setHorizontalHeaderLabels(heads);
    QStringList rowHeads{QString()};
    for (int r = 0; r < shown; ++r) rowHeads << QString::number(r + 1);
    table->setVerticalHeaderLabels(rowHeads);
    for (int c = 0; c < columns; ++c) {
        table->setCellWidget(0, c, fieldBox(c));
        for (int r = 0; r < shown; ++r)
            table->setItem(r + 1, c, new QTableWidgetItem(Q(sheet.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])));
    }
    table->resizeColumnsToContents();
    for (int c = 0; c < columns; ++c) table->setColumnWidth(c, std::min(table->columnWidth(c), 220));
    layout->addWidget(table, 1);

    countsLabel = new QLabel(this);
    countsLabel->setObjectName(QStringLiteral("countsLabel"));
    layout->addWidget(countsLabel);
    detailsText = new QPlainTextEdit(this);
    detailsText->setObjectName(QStringLiteral("detailsText"));
    detailsText->setReadOnly(true);
    detailsText->setMaximumHeight(110);
    layout->addWidget(detailsText);

    auto* buttons = new QDialogButtonBox(this);
    importButton = buttons->addButton(QStringLiteral("Importieren"), QDialogButtonBox::AcceptRole);
    importButton->setObjectName(QStringLiteral("importButton"));
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 560);
    update();
}

QComboBox* ForeignImportDialog::fieldBox(int column) {
    auto* box = new QComboBox(table);
    box->setObjectName(QStringLiteral("fieldBox%1").arg(column + 1));
    for (foreign::Field field : foreign::kAllFields)
        box->addItem(Q(foreign::FieldLabel(field)), static_cast<int>(field));
    connect(box, &QComboBox::activated, this, [this, box, column] {
        chooseField(column, static_cast<foreign::Field>(box->currentData().toInt()));
    });
    return box;
}

void ForeignImportDialog::chooseField(int column, foreign::Field field) {
    mapping_ = foreign::WithField(std::move(mapping_), static_cast<std::size_t>(column), field);
    update();
}

void ForeignImportDialog::update() {
    for (int c = 0; c < table->columnCount(); ++c) {
        auto* box = static_cast<QComboBox*>(table->cellWidget(0, c));
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(box->findData(static_cast<int>(mapping_[static_cast<std::size_t>(c)])));
    }
    prepared_ = foreign::PrepareImport(sheet_, mapping_, firstFreeLesson_);
    const foreign::ImportPreview preview = foreign::CountPreview(prepared_, keys_);
    const bool translated = foreign::ColumnOf(mapping_, foreign::Field::Translation1).has_value();
    countsLabel->setText(
        translated ? QStringLiteral("Neu: %1 · schon vorhanden: %2 · nicht speicherbar: %3")
                         .arg(Count(preview.newWords), Count(preview.duplicates), Count(preview.unusable))
                   : QStringLiteral("Wählen Sie die Spalte, die „Übersetzung 1“ wird."));
    importButton->setEnabled(translated && preview.newWords > 0);

    QStringList details;
    for (const foreign::NamedLesson& lesson : prepared_.lessons)
        details << QStringLiteral("Lektion %1 ← „%2“ (%3 Vokabeln)")
                       .arg(lesson.number)
                       .arg(Q(lesson.name), Count(lesson.words));
    for (const std::string& remark : sheet_.remarks) details << Q(remark);
    for (const std::string& problem : prepared_.problems) details << QStringLiteral("Nicht speicherbar: ") + Q(problem);
    if (static_cast<std::size_t>(prepared_.unusable) > prepared_.problems.size())
        details << QStringLiteral("… und %1 weitere").arg(Count(prepared_.unusable - static_cast<int>(prepared_.problems.size())));
    detailsText->setPlainText(details.join(QLatin1Char('\n')));
    detailsText->setVisible(!details.isEmpty());
}

}  // namespace morvanta::exchange
