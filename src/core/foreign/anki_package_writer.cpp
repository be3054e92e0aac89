#include "core/foreign/anki_package_writer.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>
#include <chrono>
#include <string>
#include <string_view>

#include "core/foreign/zip_bytes.h"
#include "store/engine_error.h"
#include "store/sqlite_file.h"

namespace morvanta::foreign {

namespace {

using namespace Qt::StringLiterals;

// Fixed ids: a second export lands in the same note type and deck.
constexpr qint64 kNoteTypeId = 1'580'000'000'001;
constexpr qint64 kDeckId = 1'580'000'000'002;
constexpr qint64 kDefaultDeckId = 1;
constexpr qint64 kDeckOptionsId = 1;
constexpr int kWordsPerProgress = 1000;
const char* const kName = "Morvanta";
const char* const kFieldNames[] = {"Kanji",   "Kana", "Hepburn",  "Deutsch",
                                   "Lektion", "Typ",  "Bemerkung"};
constexpr int kDeutschField = 3;

// The tables and indices of the collection's older form, as Anki makes them.
constexpr std::string_view kSchema = R"(
CREATE TABLE col (id integer PRIMARY KEY, crt integer NOT NULL, mod integer NOT NULL, scm integer NOT NULL,
  ver integer NOT NULL, dty integer NOT NULL, usn integer NOT NULL, ls integer NOT NULL, conf text NOT NULL,
  models text NOT NULL, decks text NOT NULL, dconf text NOT NULL, tags text NOT NULL);
CREATE TABLE notes (id integer PRIMARY KEY, guid text NOT NULL, mid integer NOT NULL, mod integer NOT NULL,
  usn integer NOT NULL, tags text NOT NULL, flds text NOT NULL, sfld integer NOT NULL, csum integer NOT NULL,
  flags integer NOT NULL, data text NOT NULL);
CREATE TABLE cards (id integer PRIMARY KEY, nid integer NOT NULL, did integer NOT NULL, ord integer NOT NULL,
  mod integer NOT NULL, usn integer NOT NULL, type integer NOT NULL, queue integer NOT NULL, due integer NOT NULL,
  ivl integer NOT NULL, factor integer NOT NULL, reps integer NOT NULL, lapses integer NOT NULL,
  left integer NOT NULL, odue integer NOT NULL, odid integer NOT NULL, flags integer NOT NULL, data text NOT NULL);
CREATE TABLE revlog (id integer PRIMARY KEY, cid integer NOT NULL, usn integer NOT NULL, ease integer NOT NULL,
  ivl integer NOT NULL, lastIvl integer NOT NULL, factor integer NOT NULL, time integer NOT NULL,
  type integer NOT NULL);
CREATE TABLE graves (usn integer NOT NULL, oid integer NOT NULL, type integer NOT NULL);
CREATE INDEX ix_notes_usn ON notes (usn);
CREATE INDEX ix_cards_usn ON cards (usn);
CREATE INDEX ix_revlog_usn ON revlog (usn);
CREATE INDEX ix_cards_nid ON cards (nid);
CREATE INDEX ix_cards_sched ON cards (did, queue, due);
CREATE INDEX ix_revlog_cid ON revlog (cid);
CREATE INDEX ix_notes_csum ON notes (csum);
)";

std::string Escaped(std::string_view text) {
    std::string html;
    html.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
                html += "<br>";
                break;
            case '\n':
                html += "<br>";
                break;
            default:
                html += c;
        }
    }
    return html;
}

QByteArray Sha1(std::string_view text) {
    return QCryptographicHash::hash(
        QByteArrayView(text.data(), static_cast<qsizetype>(text.size())), QCryptographicHash::Sha1);
}

// The word's key in the table (Hepburn and the three translations) makes its note's id in Anki.
std::string Guid(const ExportWord& word) {
    const std::string key = word.hepburn + '\x1f' + word.translation1 + '\x1f' + word.translation2 +
                            '\x1f' + word.translation3;
    return Sha1(key).left(10).toHex().toStdString();
}

// Anki's duplicate check: the first 8 hex digits of the SHA-1 of the first field's text.
std::int64_t Checksum(std::string_view firstField) {
    return Sha1(firstField).left(4).toHex().toLongLong(nullptr, 16);
}

QJsonObject Field(const char* name, int ord) {
    return {{u"name"_s, QString::fromUtf8(name)},
            {u"ord"_s, ord},
            {u"sticky"_s, false},
            {u"rtl"_s, false},
            {u"font"_s, u"Arial"_s},
            {u"size"_s, 20},
            {u"description"_s, u""_s},
            {u"media"_s, QJsonArray()}};
}

QJsonObject Template(const QString& name, int ord, const QString& front, const QString& back) {
    return {{u"name"_s, name},        {u"ord"_s, ord},     {u"qfmt"_s, front},
            {u"afmt"_s, back},        {u"bqfmt"_s, u""_s}, {u"bafmt"_s, u""_s},
            {u"did"_s, QJsonValue()}, {u"bfont"_s, u""_s}, {u"bsize"_s, 0}};
}

QJsonObject NoteTypes(qint64 now) {
    QJsonArray fields;
    for (int i = 0; i < 7; ++i) fields.append(Field(kFieldNames[i], i));
    const QJsonArray templates{
        Template(
            u"Japanisch → Deutsch"_s, 0, u"{{Kanji}}"_s,
            u"{{FrontSide}}\n\n<hr id=answer>\n\n{{Kana}}<br>\n{{Hepburn}}<br>\n{{Deutsch}}"_s),
        Template(u"Deutsch → Japanisch"_s, 1, u"{{Deutsch}}"_s,
                 u"{{FrontSide}}\n\n<hr id=answer>\n\n{{Kanji}}<br>\n{{Kana}}<br>\n{{Hepburn}}"_s)};
    // Which field each card needs to be made: Kanji for the first, Deutsch for the second.
    const QJsonArray required{QJsonArray{0, u"any"_s, QJsonArray{0}},
                              QJsonArray{1, u"any"_s, QJsonArray{kDeutschField}}};
    const QJsonObject noteType{
        {u"id"_s, kNoteTypeId},
        {u"name"_s, QString::fromUtf8(kName)},
        {u"type"_s, 0},
        {u"mod"_s, now},
        {u"usn"_s, 0},
        {u"sortf"_s, 0},
        {u"did"_s, kDeckId},
        {u"tmpls"_s, templates},
        {u"flds"_s, fields},
        {u"css"_s,
         u".card {\n    font-family: arial;\n    font-size: 20px;\n    text-align: center;\n"
         u"    color: black;\n    background-color: white;\n}\n"_s},
        {u"latexPre"_s,
         u"\\documentclass[12pt]{article}\n\\special{papersize=3in,5in}\n"
         u"\\usepackage[utf8]{inputenc}\n\\usepackage{amssymb,amsmath}\n\\pagestyle{empty}\n"
         u"\\setlength{\\parindent}{0in}\n\\begin{document}\n"_s},
        {u"latexPost"_s, u"\\end{document}"_s},
        {u"latexsvg"_s, false},
        {u"req"_s, required},
        {u"tags"_s, QJsonArray()},
        {u"vers"_s, QJsonArray()}};
    return {{QString::number(kNoteTypeId), noteType}};
}

QJsonObject Deck(qint64 id, const char* name, qint64 now) {
    const QJsonArray none{0, 0};
    return {{u"id"_s, id},
            {u"mod"_s, now},
            {u"name"_s, QString::fromUtf8(name)},
            {u"usn"_s, 0},
            {u"lrnToday"_s, none},
            {u"revToday"_s, none},
            {u"newToday"_s, none},
            {u"timeToday"_s, none},
            {u"collapsed"_s, false},
            {u"browserCollapsed"_s, false},
            {u"desc"_s, u""_s},
            {u"dyn"_s, 0},
            {u"conf"_s, kDeckOptionsId},
            {u"extendNew"_s, 0},
            {u"extendRev"_s, 0}};
}

QJsonObject DeckOptions() {
    const QJsonObject options{{u"id"_s, kDeckOptionsId},
                              {u"mod"_s, 0},
                              {u"name"_s, u"Default"_s},
                              {u"usn"_s, 0},
                              {u"maxTaken"_s, 60},
                              {u"autoplay"_s, true},
                              {u"timer"_s, 0},
                              {u"replayq"_s, true},
                              {u"dyn"_s, false},
                              {u"new"_s, QJsonObject{{u"bury"_s, false},
                                                     {u"delays"_s, QJsonArray{1.0, 10.0}},
                                                     {u"initialFactor"_s, 2500},
                                                     {u"ints"_s, QJsonArray{1, 4, 0}},
                                                     {u"order"_s, 1},
                                                     {u"perDay"_s, 20}}},
                              {u"rev"_s, QJsonObject{{u"bury"_s, false},
                                                     {u"ease4"_s, 1.3},
                                                     {u"ivlFct"_s, 1.0},
                                                     {u"maxIvl"_s, 36500},
                                                     {u"perDay"_s, 200},
                                                     {u"hardFactor"_s, 1.2}}},
                              {u"lapse"_s, QJsonObject{{u"delays"_s, QJsonArray{10.0}},
                                                       {u"leechAction"_s, 1},
                                                       {u"leechFails"_s, 8},
                                                       {u"minInt"_s, 1},
                                                       {u"mult"_s, 0.0}}}};
    return {{QString::number(kDeckOptionsId), options}};
}

QJsonObject Settings(qint64 nextPosition) {
    return {{u"activeDecks"_s, QJsonArray{kDeckId}},
            {u"curDeck"_s, kDeckId},
            {u"newSpread"_s, 0},
            {u"collapseTime"_s, 1200},
            {u"timeLim"_s, 0},
            {u"estTimes"_s, true},
            {u"dueCounts"_s, true},
            {u"curModel"_s, kNoteTypeId},
            {u"nextPos"_s, nextPosition},
            {u"sortType"_s, u"noteFld"_s},
            {u"sortBackwards"_s, false},
            {u"addToCur"_s, true},
            {u"schedVer"_s, 2},
            {u"dayLearnFirst"_s, false}};
}

std::string Json(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

// Fills the collection; false when cancelled.
bool FillCollection(store::SqliteFile& db, const std::vector<ExportWord>& words,
                    const exchange::ProgressFn& progress) {
    using namespace std::chrono;
    const qint64 nowMs =
        duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const qint64 now = nowMs / 1000;

    db.exec("PRAGMA journal_mode = MEMORY; PRAGMA synchronous = OFF;");
    db.exec(kSchema);
    db.exec("BEGIN");
    store::Statement col =
        db.prepare("INSERT INTO col VALUES (1, ?1, ?2, ?2, 11, 0, 0, 0, ?3, ?4, ?5, ?6, '{}')");
    col.bindInt(1, now - now % 86400);
    col.bindInt(2, nowMs);
    col.bindText(3, Json(Settings(static_cast<qint64>(words.size()) + 1)));
    col.bindText(4, Json(NoteTypes(now)));
    col.bindText(
        5, Json(QJsonObject{{QString::number(kDefaultDeckId), Deck(kDefaultDeckId, "Default", now)},
                            {QString::number(kDeckId), Deck(kDeckId, kName, now)}}));
    col.bindText(6, Json(DeckOptions()));
    col.run();

    store::Statement note =
        db.prepare("INSERT INTO notes VALUES (?1, ?2, ?3, ?4, 0, '', ?5, ?6, ?7, 0, '')");
    store::Statement card = db.prepare(
        "INSERT INTO cards VALUES (?1, ?2, ?3, ?4, ?5, 0, 0, 0, ?6, 0, 0, 0, 0, 0, 0, 0, 0, '')");
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i % kWordsPerProgress == 0 &&
            !exchange::Proceed(progress, static_cast<std::int64_t>(i)))
            return false;
        const ExportWord& word = words[i];
        // The first field is what Anki sorts and checks duplicates by: never empty.
        const std::string& first = word.kanji.empty() ? word.kana : word.kanji;
        const std::string deutsch = JoinedTranslations(word);
        const std::string fields[] = {
            first,     word.kana, word.hepburn, deutsch, std::to_string(word.lesson),
            word.type, word.note};
        std::string joined;
        for (const std::string& field : fields) {
            if (&field != &fields[0]) joined += '\x1f';
            joined += Escaped(field);
        }
        const qint64 noteId = nowMs + static_cast<qint64>(i);
        note.reset();
        note.bindInt(1, noteId);
        note.bindText(2, Guid(word));
        note.bindInt(3, kNoteTypeId);
        note.bindInt(4, now);
        note.bindText(5, joined);
        note.bindText(6, first);
        note.bindInt(7, Checksum(first));
        note.run();
        for (int ord = 0; ord < (deutsch.empty() ? 1 : 2); ++ord) {
            card.reset();
            card.bindInt(1, nowMs + 2 * static_cast<qint64>(i) + ord);
            card.bindInt(2, noteId);
            card.bindInt(3, kDeckId);
            card.bindInt(4, ord);
            card.bindInt(5, now);
            card.bindInt(6, static_cast<qint64>(i) + 1);
            card.run();
        }
    }
    db.exec("COMMIT");
    return true;
}

}  // namespace

bool WriteAnkiPackage(std::ostream& out, const std::vector<ExportWord>& words,
                      const exchange::ProgressFn& progress) {
    QTemporaryFile collection(QDir::tempPath() + u"/morvanta-anki-XXXXXX.anki2"_s);
    if (!collection.open())
        throw WriteError("Für das Anki-Paket ließ sich keine temporäre Datei anlegen (" +
                         collection.errorString().toStdString() + ").");
    collection.close();
    std::string bytes;
    try {
        store::SqliteFile db = store::SqliteFile::create(collection.fileName().toStdString());
        if (!FillCollection(db, words, progress)) return false;
        db.close();
        QFile built(collection.fileName());
        if (!built.open(QIODevice::ReadOnly))
            throw WriteError("Die Sammlung des Anki-Pakets ließ sich nicht wieder lesen (" +
                             built.errorString().toStdString() + ").");
        const QByteArray content = built.readAll();
        bytes = ZipInMemory({{"collection.anki2", content.toStdString()}, {"media", "{}"}});
    } catch (const WriteError&) {
        throw;
    } catch (const store::EngineError& e) {
        throw WriteError(std::string("Das Anki-Paket konnte nicht erstellt werden: ") + e.what());
    } catch (const std::runtime_error& e) {
        throw WriteError(std::string("Das Anki-Paket konnte nicht erstellt werden: ") + e.what());
    }
    if (!exchange::Proceed(progress, static_cast<std::int64_t>(words.size()))) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw WriteError("Das Anki-Paket konnte nicht geschrieben werden.");
    return true;
}

}  // namespace morvanta::foreign
