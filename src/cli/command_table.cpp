#include "cli/command_table.h"

#include "cli/commands.h"
#include "store/alias_config.h"
#include "store/type_words.h"

namespace morvanta::cli {

namespace {

// The selection options shared by "export" and "quiz".
const std::vector<OptionDef> kSelectionOptions = {
    {"--sql", true},   {"--lesson", true},     {"--type", true},
    {"--ratio", true}, {"--older-than", true}, {"--asked-before", true},
};

// The fields of a word, as "add" takes them and "edit" changes them.
const std::vector<OptionDef> kWordFieldOptions = {
    {"--kanji", true}, {"--kana", true},   {"--translation", true, true}, {"--lesson", true},
    {"--type", true},  {"--accent", true}, {"--note", true},
};

std::vector<OptionDef> With(std::vector<OptionDef> options, const std::vector<OptionDef>& more) {
    options.insert(options.end(), more.begin(), more.end());
    return options;
}

constexpr std::string_view kSelectionHelp =
    "Auswahl (wie die Seite „Vokabelauswahl“; ohne Angabe: die markierten Vokabeln,\n"
    "SELECT * FROM Vokabel WHERE Marked=True;):\n"
    "  --sql ANWEISUNG        eine eigene Auswahl, z. B. \"SELECT * FROM Vokabel WHERE "
    "Lesson=3;\"\n"
    "                         (nur SELECT: hier wird nichts geändert)\n"
    "  --lesson N             nur Lektion N\n"
    "  --type WORT            nur dieser Typ (siehe „add --help“)\n"
    "  --ratio X.XXX          nur Vokabeln mit einem Anteil falscher Antworten über X.XXX\n"
    "  --older-than TT.MM.JJJJ    nur vor diesem Tag eingetragene Vokabeln\n"
    "  --asked-before TT.MM.JJJJ  nur vor diesem Tag zuletzt abgefragte Vokabeln\n"
    "Die Kriterien lassen sich verbinden; --sql steht allein.\n";

const std::vector<CommandDef> kCommands = {
    {"add",
     "add (--lookup WORT | --kanji TEXT --kana TEXT --translation TEXT [--translation TEXT]…) "
     "[--lesson N] [--type WORT] [--accent N] [--note TEXT]",
     With({{"--lookup", true}}, kWordFieldOptions),
     0,
     0,
     "Trägt eine Vokabel ein wie die Seite „Eingabe“: Hepburn entsteht aus der Lesung,\n"
     "die Vokabel ist markiert (sie kommt in der nächsten Abfrage dran) und trägt das\n"
     "heutige Datum.\n\n"
     "  --kanji TEXT          das Wort in Kanji (darf leer sein: --kanji \"\")\n"
     "  --kana TEXT           die Lesung in Hiragana oder Katakana\n"
     "  --translation TEXT    eine deutsche Übersetzung; bis zu dreimal\n"
     "  --lesson N            Lektion 1 bis 255 (Vorgabe 1)\n"
     "  --type WORT           der Typ: {TYPES}\n"
     "  --accent N            der Akzent (Vorgabe 0)\n"
     "  --note TEXT           Beschreibung / Bemerkung\n"
     "  --lookup WORT         nimmt Kanji, Kana, die ersten drei Übersetzungen und den Typ\n"
     "                        vom besten Treffer im Wörterbuch (Kana oder Kanji); die\n"
     "                        Angaben oben gehen ihm vor. Das Wörterbuch kommt aus dem\n"
     "                        Paket dict-freedict-jpn-deu.\n\n"
     "Dieselbe Hepburn-Lesung mit denselben Übersetzungen gibt es nur einmal; eine\n"
     "doppelte Vokabel wird abgelehnt (Rückgabewert 1).\n",
     &RunAdd},
    {"search",
     "search [--field translation|lesson|type|note|hepburn] MUSTER [--json]",
     {{"--field", true}, {"--json", false}},
     1,
     1,
     "Sucht wie die Seite „Suche / Ändern“. * und % stehen für beliebig viele Zeichen,\n"
     "Groß- und Kleinschreibung zählen nicht (translation, hepburn); lesson, type und\n"
     "note vergleichen genau.\n\n"
     "  --field FELD   translation (Vorgabe: Translation 1 bis 3), lesson, type, note, hepburn\n"
     "  --json         ein JSON-Array: je Vokabel ein Objekt mit allen sechzehn Feldern\n"
     "                 (Kanji und Hira-Kata als Text, Daten als JJJJ-MM-TT hh:mm:ss.zzz)\n\n"
     "Ohne --json eine Zeile je Vokabel, durch Tabulatoren getrennt:\n"
     "Translation1, Translation2, Translation3, Hepburn, Lektion, Typ. Ein Tabulator,\n"
     "Zeilenumbruch oder anderes Steuerzeichen in einem Feld steht dort als \\t, \\n,\n"
     "\\r oder \\xHH, ein Backslash als \\\\.\n",
     &RunSearch},
    {"edit",
     "edit [--field FELD] MUSTER [--kanji TEXT] [--kana TEXT] [--translation TEXT]… [--lesson N] "
     "[--type WORT] [--accent N] [--note TEXT]",
     With({{"--field", true}}, kWordFieldOptions),
     1,
     1,
     "Ändert die eine Vokabel, die die Suche (wie „search“) findet, wie die Seite\n"
     "„Suche / Ändern“: nur die angegebenen Felder; Hepburn folgt der Lesung (--kana nimmt\n"
     "auch Romaji); --translation ersetzt alle Übersetzungen (bis zu dreimal). Findet die\n"
     "Suche keine oder mehrere Vokabeln, wird nichts geändert (Rückgabewert 1).\n",
     &RunEdit},
    {"delete",
     "delete [--field FELD] MUSTER [--yes]",
     {{"--field", true}, {"--yes", false}},
     1,
     1,
     "Löscht die Vokabeln, die die Suche (wie „search“) findet. Sie werden auf stderr\n"
     "genannt, dann wird gefragt (j/N, von stdin); --yes löscht ohne Frage. Ihr\n"
     "Antwortverlauf bleibt.\n",
     &RunDelete},
    {"mark",
     "mark [--field FELD] MUSTER",
     {{"--field", true}},
     1,
     1,
     "Markiert die Vokabeln, die die Suche (wie „search“) findet: sie kommen in die nächste\n"
     "Abfrage der markierten Vokabeln und als neue Vokabeln zu „Fällige abfragen“.\n",
     &RunMark},
    {"unmark",
     "unmark [--field FELD] MUSTER",
     {{"--field", true}},
     1,
     1,
     "Nimmt die Markierung von den Vokabeln, die die Suche (wie „search“) findet.\n",
     &RunUnmark},
    {"import",
     "import special|xml|csv|tsv|kvtml|apkg DATEI [--preview] [--kanji N] [--kana N] "
     "[--translation N]… [--lesson N] [--type N] [--note N]",
     {{"--preview", false}, {"--kanji", true}, {"--kana", true}, {"--translation", true, true},
      {"--lesson", true}, {"--type", true}, {"--note", true}},
     2,
     2,
     "  special DATEI   der Spezial-Import: sieben Zeilen je Vokabel (Windows-1252)\n"
     "  xml DATEI       jede Vokabel einer XML-Wortliste (wie sie export xml schreibt)\n"
     "  csv DATEI       eine Tabelle mit , ; oder Tabulator getrennt (UTF-8, UTF-16 mit\n"
     "                  Byte-Order-Mark oder Windows-1252); auch Ankis Export „Notizen\n"
     "                  als Klartext“\n"
     "  tsv DATEI       dasselbe, immer mit Tabulator getrennt\n"
     "  kvtml DATEI     eine KVTML-2-Wortliste (Parley, KWordQuiz)\n"
     "  apkg DATEI      ein Anki-Paket (.apkg oder .colpkg); Medien werden nicht übernommen\n\n"
     "Für csv, tsv, kvtml und apkg: Welche Spalte welches Feld wird, errät der Import aus\n"
     "den Spaltennamen und dem Inhalt; die Optionen legen es fest (Spalten ab 1 gezählt,\n"
     "0 nimmt das Feld von keiner Spalte):\n"
     "  --kanji N --kana N     das Wort und seine Lesung (Romaji werden zu Kana)\n"
     "  --translation N        eine Übersetzung; bis zu dreimal. Eine einzige\n"
     "                         Übersetzungsspalte wird an „;“ in bis zu drei geteilt.\n"
     "  --lesson N --type N --note N   Lektion, Typ und Bemerkung\n"
     "  --preview              zeigt nur, was der Import täte: Spalten, Zuordnung, Zahlen\n"
     "Hepburn entsteht aus der Lesung, jede Vokabel ist markiert. Benannte Lektionen\n"
     "(Anki-Stapel, KVTML-Lektionen) bekommen die Nummern nach der höchsten Lektion.\n\n"
     "Vokabeln, die es schon gibt, werden gezählt und übergangen. Der Rückgabewert ist 1,\n"
     "wenn die Datei nicht gelesen werden kann oder der Import vorzeitig endet.\n",
     &RunImport},
    {"export",
     "export practice|kanji|xml|dump|practice-pdf|kanji-pdf|csv|kvtml|apkg AUSGABE [--sql ANWEISUNG] "
     "[Kriterien] "
     "[--description TEXT] [--dates] [--stats]",
     With({{"--description", true}, {"--dates", false}, {"--stats", false}}, kSelectionOptions), 2,
     2,
     "Schreibt die Auswahl in dieselbe Datei, die das Fenster schreibt:\n"
     "  practice   RTF-Übungsliste (Kanji, Kana, Übersetzung)\n"
     "  kanji      RTF-Kanji-Liste zum Schreiben üben (braucht hirakata.txt des Programms)\n"
     "  xml        XML-Wortliste (UTF-16)\n"
     "  dump       Abzug: Kanji, Hira-Kata und Translation1 je Vokabel\n"
     "  practice-pdf  Übungsblatt als PDF (A4 quer): Kanji, Kana, Hepburn, Übersetzungen\n"
     "                und Übungsfelder\n"
     "  kanji-pdf     Kanji-Schreibblatt als PDF (A4): je Kanji Schreibkästchen mit\n"
     "                Hilfslinien (braucht hirakata.txt des Programms)\n"
     "  csv        Tabelle für Tabellenkalkulationen (UTF-8, Semikolon): Kanji, Kana,\n"
     "             Hepburn, Übersetzung 1–3, Lektion, Typ, Bemerkung\n"
     "  kvtml      KVTML-2-Wortliste für Parley und KWordQuiz (Japanisch, Deutsch; je\n"
     "             Lektion ein Ordner)\n"
     "  apkg       Anki-Paket: Stapel „Morvanta“, je Vokabel zwei Karten (Japanisch →\n"
     "             Deutsch und Deutsch → Japanisch)\n\n"
     "Nur für xml:\n"
     "  --description TEXT   Beschreibung der Datei (Vorgabe: keine)\n"
     "  --dates              Datumsangaben mit einbeziehen\n"
     "  --stats              Statistiken einfügen\n\n"
     "{SELECTION}\n"
     "Die Datei wird ganz oder gar nicht geschrieben: nach einem Fehler oder Strg+C\n"
     "bleibt eine vorhandene Datei, wie sie war. AUSGABE - schreibt nach stdout (die\n"
     "Meldung dann nach stderr).\n",
     &RunExport},
    {"quiz", "quiz [--sql ANWEISUNG] [Kriterien] [--due [--count N] [--new N]] [--resume DATEI.vad] [--in-order] [--seed N] [--direction ja-de|de-ja] [--tolerant]",
     With({{"--resume", true}, {"--in-order", false}, {"--seed", true}, {"--direction", true}, {"--tolerant", false},
           {"--due", false}, {"--count", true}, {"--new", true}},
          kSelectionOptions),
     0, 0,
     "Fragt die Auswahl ab wie die Seite „Vokabelabfrage“: zu Kanji, Kana und Hepburn die\n"
     "Übersetzung eintippen, Enter (mit --direction de-ja umgekehrt: zur Übersetzung das\n"
     "japanische Wort in Romaji, Kana oder Kanji). Falsche Antworten kommen wieder.\n\n"
     "Eingaben statt einer Antwort:\n"
     "  :speichern DATEI   den Abfragestatus speichern (.vad, auch im Fenster ladbar)\n"
     "  :ende              die Abfrage beenden (ebenso Strg+D)\n\n"
     "  --resume DATEI.vad   eine gespeicherte Abfrage fortsetzen (auch aus dem Fenster)\n"
     "  --in-order           in der Reihenfolge der Tabelle statt per Zufall\n"
     "  --seed N             Zufallszahlen fest vorgeben, statt sie aus der Uhr zu nehmen\n"
     "  --direction RICHTUNG ja-de (Japanisch → Deutsch, Vorgabe) oder de-ja; de-ja bucht nur\n"
     "                       in den Antwortverlauf, nicht in die Zähler der Vokabel\n"
     "  --tolerant           tolerant prüfen wie im Fenster („Fast richtig: …“)\n"
     "  --due                die heute fälligen und neuen Vokabeln abfragen, wie „Fällige\n"
     "                       abfragen“ auf der Seite „Statistik“ (siehe „due --help“);\n"
     "                       mit --count N und --new N, ohne weitere Auswahl\n\n"
     "{SELECTION}",
     &RunQuiz},
    {"check",
     "check",
     {},
     0,
     0,
     "Öffnet die Vokabeldatei, wartet auf ihre Prüfung und nennt Vokabeln, markierte\n"
     "Vokabeln, Lektionen und den Zustand der Datei. Rückgabewert 1, wenn sie beschädigt\n"
     "ist, nicht geöffnet werden kann oder während der Prüfung von einem anderen Programm\n"
     "geändert wurde (dann erneut prüfen).\n",
     &RunCheck},
    {"backup",
     "backup",
     {},
     0,
     0,
     "Kopiert die Vokabeldatei, wie sie jetzt ist, nach Backup/Vokabel-JJJJ-MM-TT.DB neben ihr\n"
     "(eine Kopie von heute wird in einem Schritt ersetzt; die neuesten Kopien bleiben,\n"
     "BACKUPS=n in der Engine-Konfiguration) und nennt die Kopie.\n"
     "Eine beschädigte Datei wird nicht gesichert (Rückgabewert 1). Reste abgebrochener\n"
     "Sicherungen werden entfernt.\n",
     &RunBackup},
    {"due",
     "due [--count N] [--new N] [--direction ja-de|de-ja]",
     {{"--count", true}, {"--new", true}, {"--direction", true}},
     0,
     0,
     "Listet, was heute zu üben ist, wie „Fällige abfragen“ auf der Seite „Statistik“:\n"
     "die Vokabeln, die Sie nach dem Gedächtnismodell nur noch mit geringerer\n"
     "Wahrscheinlichkeit erinnern als gewünscht (die am ehesten vergessenen zuerst),\n"
     "dann markierte, noch nie abgefragte Vokabeln in der Reihenfolge der Tabelle.\n\n"
     "  --count N      höchstens N fällige Vokabeln (Vorgabe 30)\n"
     "  --new N        höchstens N neue Vokabeln am Tag, die heute begonnenen mitgezählt\n"
     "                 (Vorgabe: „Neue pro Tag“ des Fensters, sonst 20)\n"
     "  --direction    ja-de (Vorgabe) oder de-ja\n\n"
     "Eine Zeile je Vokabel, durch Tabulatoren getrennt: fällig oder neu, Kanji, Kana,\n"
     "Hepburn, Translation1. Die Zahlen des Tages stehen auf stderr.\n",
     &RunDue},
    {"fsrs",
     "fsrs optimize",
     {},
     1,
     1,
     "Passt die Gewichte des Gedächtnismodells an Ihre Antworten an (ab 1000 Antworten\n"
     "zu 100 Vokabeln), wie „Modell anpassen“ auf der Seite „Statistik“: angepasst an\n"
     "den früheren Antworten jeder Vokabel, geprüft an den späteren. Log-Loss und RMSE\n"
     "der Standardgewichte und der angepassten werden genannt; die angepassten gelten\n"
     "nur, wenn sie besser vorhersagen, und stehen dann in der Engine-Konfiguration.\n",
     &RunFsrs},
    {"stats",
     "stats [--direction ja-de|de-ja] [--days N] [--csv DATEI]",
     {{"--direction", true}, {"--days", true}, {"--csv", true}},
     0,
     0,
     "Zeigt den Lernstand wie die Seite „Statistik“: Vokabeln, markierte und schon\n"
     "abgefragte, Antworten pro Tag, wann die Vokabeln zuletzt abgefragt wurden, die\n"
     "Fehlerquote je Lektion und je Typ und die Vokabeln, die am öftesten falsch waren.\n\n"
     "  --direction ja-de|de-ja\n"
     "                Japanisch → Deutsch (Vorgabe) oder Deutsch → Japanisch\n"
     "  --days N      Antworten pro Tag für die letzten N Tage (Vorgabe 30)\n"
     "  --csv DATEI   statt dessen je Vokabel eine Zeile CSV (UTF-8, Semikolon): Zähler,\n"
     "                zuletzt abgefragt und die Antworten im Verlauf\n",
     &RunStats},
};

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string TypeList() {
    std::string list;
    for (std::string_view word : store::kTypeWords) {
        if (!list.empty()) list += ", ";
        list += word;
    }
    return list;
}

std::string Expanded(std::string_view text) {
    std::string out(text);
    ReplaceAll(out, "{SELECTION}", kSelectionHelp);
    ReplaceAll(out, "{TYPES}", TypeList());
    return out;
}

}  // namespace

const std::vector<CommandDef>& Commands() { return kCommands; }

const CommandDef* FindCommand(std::string_view name) {
    for (const CommandDef& command : kCommands)
        if (command.name == name) return &command;
    return nullptr;
}

std::string ProgramHelp() {
    std::string text =
        "morvanta-cli – Morvanta im Terminal: Vokabeln eintragen, suchen, abfragen und "
        "exportieren\n\n"
        "Aufruf:\n";
    for (const CommandDef& command : kCommands)
        text += "  morvanta-cli [--db DATEI] " + std::string(command.synopsis) + "\n";
    text +=
        "  morvanta-cli --help | BEFEHL --help\n\n"
        "Vokabeldatei:\n"
        "  Ohne --db nennt der Alias „Vokabel“ der Engine-Konfiguration den Ordner mit\n"
        "  Vokabel.DB; die Konfiguration ist " +
        store::AliasConfig::defaultPath().string() +
        "\n"
        "  (XDG_CONFIG_HOME wird beachtet). --db DATEI nennt eine Datei Vokabel.DB\n"
        "  unmittelbar; die Konfiguration bleibt dann unberührt.\n\n"
        "Ausgabe:\n"
        "  Ergebnisse gehen nach stdout, Meldungen und Fehler nach stderr. Lange Arbeiten\n"
        "  zeigen auf einem Terminal einen Fortschrittsbalken; Strg+C bricht sie ab.\n\n"
        "Rückgabewerte:\n"
        "  0  erledigt\n"
        "  1  abgelehnt oder fehlgeschlagen: doppelte Vokabel, fehlerhafte Anweisung oder\n"
        "     Eingabe, beschädigte oder unlesbare Datei, abgebrochen\n"
        "  2  falscher Aufruf: unbekannter Befehl, fehlende oder falsche Angabe\n";
    return text;
}

std::string CommandHelp(const CommandDef& command) {
    return "morvanta-cli [--db DATEI] " + std::string(command.synopsis) + "\n\n" +
           Expanded(command.help) +
           "\nRückgabewerte: 0 erledigt, 1 abgelehnt oder fehlgeschlagen, 2 falscher Aufruf.\n";
}

}  // namespace morvanta::cli
