#pragma once
// What the main window lends its pages: the data sets, the data sources,
// the dialogs, the status bar, the clock and the random generator.

#include "platform/dialogs.h"
#include "core/random_source.h"
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
};

struct FormContext {
    store::Table& Table1;
    store::Query& Query1;
    store::Query& Query2;
    store::DataSource& DataSource1;  // browse source
    store::DataSource& DataSource2;  // quiz source
    Dialogs& dialogs;
    StatusBar1& statusBar;
    const FileDialogs& fileDialogs;
    const store::Clock& clock;
    quiz::RandomSource& random;
};

}  // namespace morvanta::platform
