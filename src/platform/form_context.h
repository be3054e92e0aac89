#pragma once
// What the main window lends its pages: each page gets the data sets, data
// sources and services it uses, nothing more.

#include "platform/dialogs.h"
#include "core/quiz/random_source.h"
#include "platform/status_bar.h"
#include "store/data_set.h"
#include "store/date_time.h"

namespace morvanta::platform {

// The file dialogs the main window owns.
struct FileDialogs {
    FileDialogSpec SaveDialog1{QStringLiteral("SaveDialog1"),
                               QStringLiteral("Rich Text Format (*.rtf)|*.rtf"),
                               QStringLiteral("rtf"), true};
    FileDialogSpec OpenDialog1{QStringLiteral("OpenDialog1"), QString(), QString(), false};
    FileDialogSpec SaveDialog2{QStringLiteral("SaveDialog2"),
                               QStringLiteral("Vokabelabfrage (*.vad)|*.vad"),
                               QStringLiteral("*.vad"), true};
    FileDialogSpec OpenDialog2{QStringLiteral("OpenDialog2"),
                               QStringLiteral("Vokabelabfrage (*.vad)|*.vad"),
                               QStringLiteral("*.vad"), false};
    FileDialogSpec DialogXMLExport{QStringLiteral("DialogXMLExport"),
                                   QStringLiteral("XML Datei (*.xml)|*.xml"),
                                   QStringLiteral("*.xml"), true};
    FileDialogSpec DialogXMLOpen1{QStringLiteral("DialogXMLOpen1"),
                                  QStringLiteral("XML Datei (*.xml)|*.xml"),
                                  QStringLiteral("*.xml"), false};
    // Word lists of other trainers.
    FileDialogSpec DialogWordListOpen{
        QStringLiteral("DialogWordListOpen"),
        QStringLiteral("Wortlisten (*.csv *.tsv *.txt *.kvtml *.apkg *.colpkg)|*.csv;*.tsv;*.txt;*.kvtml;*.apkg;*.colpkg|"
                       "Alle Dateien (*)|*"),
        QString(), false};
    FileDialogSpec DialogCsvExport{QStringLiteral("DialogCsvExport"),
                                   QStringLiteral("CSV-Tabelle (*.csv)|*.csv"), QStringLiteral("csv"), true};
    FileDialogSpec DialogKvtmlExport{QStringLiteral("DialogKvtmlExport"),
                                     QStringLiteral("KVTML-Wortliste (*.kvtml)|*.kvtml"),
                                     QStringLiteral("kvtml"), true};
    FileDialogSpec DialogAnkiExport{QStringLiteral("DialogAnkiExport"),
                                    QStringLiteral("Anki-Paket (*.apkg)|*.apkg"), QStringLiteral("apkg"),
                                    true};
};

// What the main window lends each page: only what the page uses.
struct BrowseContext {
    store::Table& Table1;
    store::Query& Query2;
    store::DataSource& DataSource1;  // browse source
    Dialogs& dialogs;
    // For the shown word's memory; without them the page shows none.
    store::Session* session = nullptr;
    const store::Clock* clock = nullptr;
};

struct EntryContext {
    store::Table& Table1;
    Dialogs& dialogs;
    const store::Clock& clock;
};

struct SelectionContext {
    store::Query& Query1;
    Dialogs& dialogs;
    StatusBar& statusBar;
    quiz::RandomSource& random;
};

struct QuizContext {
    store::Query& Query1;
    store::DataSource& DataSource2;  // quiz source
    Dialogs& dialogs;
    const FileDialogs& fileDialogs;
    const store::Clock& clock;
    quiz::RandomSource& random;
};

struct ExportContext {
    store::Table& Table1;
    store::Query& Query1;
    store::DataSource& DataSource1;  // lent to the export while it walks the selection
    Dialogs& dialogs;
    const FileDialogs& fileDialogs;
    const store::Clock& clock;
};

}  // namespace morvanta::platform
