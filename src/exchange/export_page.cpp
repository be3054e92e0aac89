#include "exchange/export_page.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "exchange/xml_export_group.h"
#include "platform/labels.h"

namespace morvanta::exchange {

namespace {

QPushButton* NamedButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

ExportPage::ExportPage(const platform::ExportContext& context, quiz::QuizState& state,
                       EntryLink entry, QWidget* parent)
    : QWidget(parent),
      programDir(QCoreApplication::applicationDirPath()),
      context_(context),
      state_(state),
      entry_(std::move(entry)) {
    auto* page = new QHBoxLayout(this);
    mainColumn_ = new QVBoxLayout;
    mainColumn_->addWidget(buildRtfRows());
    mainColumn_->addWidget(TntGroupBox1 = new XmlExportGroup(context, entry_, this));
    mainColumn_->addStretch(1);
    page->addLayout(mainColumn_, 1);
    page->addWidget(buildCommandColumn(), 0, Qt::AlignTop);
}

QWidget* ExportPage::buildRtfRows() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    Button3 = NamedButton(QStringLiteral("Button3"), QStringLiteral("RTF Export"), box);
    practiceListsLabel = platform::MakeLabel(QStringLiteral("Vokabel-Übungs Listen"), box,
                                             {.name = QStringLiteral("practiceListsLabel")});
    Button10 = NamedButton(QStringLiteral("Button10"), QStringLiteral("RTF Export"), box);
    kanjiListLabel = platform::MakeLabel(QStringLiteral("Kanji isolieren"), box,
                                         {.name = QStringLiteral("kanjiListLabel")});
    slowWarningLabel = platform::MakeLabel(QStringLiteral("Achtung dauert sehr lange!"), box,
                                           {.name = QStringLiteral("slowWarningLabel")});
    PrintPracticeButton =
        NamedButton(QStringLiteral("PrintPracticeButton"), QStringLiteral("Drucken…"), box);
    PrintKanjiButton =
        NamedButton(QStringLiteral("PrintKanjiButton"), QStringLiteral("Drucken…"), box);
    grid->addWidget(Button3, 0, 0);
    grid->addWidget(PrintPracticeButton, 0, 1);
    grid->addWidget(practiceListsLabel, 0, 2);
    grid->addWidget(Button10, 1, 0);
    grid->addWidget(PrintKanjiButton, 1, 1);
    grid->addWidget(kanjiListLabel, 1, 2);
    grid->addWidget(slowWarningLabel, 2, 2);
    grid->setColumnStretch(3, 1);

    // Carries the known-character list of the kanji list.
    Memo2 = new QPlainTextEdit(box);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setVisible(false);

    connect(Button3, &QPushButton::clicked, this, &ExportPage::Button3Click);
    connect(Button10, &QPushButton::clicked, this, &ExportPage::Button10Click);
    connect(PrintPracticeButton, &QPushButton::clicked, this, &ExportPage::PrintPracticeClick);
    connect(PrintKanjiButton, &QPushButton::clicked, this, &ExportPage::PrintKanjiClick);
    return box;
}

QWidget* ExportPage::buildCommandColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    ExtrasButton = NamedButton(QStringLiteral("ExtrasButton"), QStringLiteral("Extras"), column);
    ExtrasMenu = buildExtrasMenu(ExtrasButton);
    ExtrasButton->setMenu(ExtrasMenu);
    layout->addWidget(ExtrasButton);
    Button11 = NamedButton(QStringLiteral("Button11"), QStringLiteral("Import-Special"), column);
    Button12 = NamedButton(QStringLiteral("Button12"), QStringLiteral("Button12"), column);
    Button13 = NamedButton(QStringLiteral("Button13"), QStringLiteral("Button13"), column);
    for (QPushButton* button : {Button11, Button12, Button13}) {
        layout->addWidget(button);
        button->setVisible(false);  // nothing in the program shows them
    }
    connect(Button11, &QPushButton::clicked, this, &ExportPage::Button11Click);
    connect(Button12, &QPushButton::clicked, this, &ExportPage::Button12Click);
    connect(Button13, &QPushButton::clicked, this, &ExportPage::Button13Click);
    return column;
}

QMenu* ExportPage::buildExtrasMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("ExtrasMenu"));
    const auto add = [&](const char* name, const char* caption, auto handler) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
    };
    add("ImportWordListAction", "Vokabeln importieren (CSV, KVTML, Anki) …",
        [this] { ImportWordListClick(); });
    add("ExportCsvAction", "Auswahl als CSV-Tabelle speichern …",
        [this] { ExportWordListClick(foreign::ListFormat::Csv); });
    add("ExportKvtmlAction", "Auswahl als KVTML speichern (Parley, KWordQuiz) …",
        [this] { ExportWordListClick(foreign::ListFormat::Kvtml); });
    add("ExportAnkiAction", "Auswahl als Anki-Paket speichern …",
        [this] { ExportWordListClick(foreign::ListFormat::AnkiPackage); });
    menu->addSeparator();
    add("ImportSpecialAction", "Import-Special (Textdatei mit je sieben Zeilen) …",
        [this] { Button11Click(); });
    add("XmlImportAction", "XML Import (Vokabel in die Eingabe laden) …",
        [this] { TntGroupBox1->TntButton2Click(); });
    menu->addSeparator();
    add("WordDumpAction", "Kanji, Lesung und Übersetzung der Auswahl speichern …",
        [this] { Button12Click(); });
    add("ReadingAction", "Hepburn der aktuellen Vokabel in die Eingabe übernehmen",
        [this] { Button13Click(); });
    return menu;
}

}  // namespace morvanta::exchange
