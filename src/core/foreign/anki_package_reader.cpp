#include "core/foreign/anki_package_reader.h"

#include <zip.h>
#include <zstd.h>

#include <QByteArray>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/foreign/html_text.h"
#include "store/engine_error.h"
#include "store/sqlite_file.h"

namespace morvanta::foreign {

ReadCancelled::ReadCancelled() : ReadError("Das Lesen wurde abgebrochen.") {}

namespace {

constexpr char kFieldSeparator = '\x1f';
constexpr std::int64_t kNotesPerProgress = 1000;
constexpr std::size_t kChunkBytes = 1 << 16;
constexpr int kChunksPerProgress = 16;
const char* const kDeckColumn = "Deck";

std::string SizeText(std::uint64_t bytes) {
    constexpr std::uint64_t kMiB = 1 << 20;
    if (bytes < kMiB) return std::to_string(bytes) + " Bytes";
    return std::to_string(bytes / kMiB) + " MiB";
}

struct ZipDiscard {
    void operator()(zip_t* archive) const noexcept { zip_discard(archive); }
};
struct ZipFileClose {
    void operator()(zip_file_t* entry) const noexcept { zip_fclose(entry); }
};
struct ZstdFree {
    void operator()(ZSTD_DCtx* context) const noexcept { ZSTD_freeDCtx(context); }
};

std::string ZipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

bool AllDigits(std::string_view name) {
    return !name.empty() &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// One package being read: its archive, and the messages that name it.
class Package {
public:
    Package(const std::filesystem::path& file, std::uint64_t limit,
            const exchange::ProgressFn& progress)
        : name_(store::QuotedPath(file)), limit_(limit), progress_(progress) {
        int code = 0;
        archive_.reset(zip_open(file.string().c_str(), ZIP_RDONLY, &code));
        if (archive_) return;
        switch (code) {
            case ZIP_ER_NOZIP:
                throw ReadError(name_ + " ist kein Anki-Paket: Die Datei ist kein ZIP-Archiv.");
            case ZIP_ER_NOENT:
                throw ReadError("Die Datei " + name_ + " gibt es nicht.");
            case ZIP_ER_INCONS:
                throw ReadError("Das Anki-Paket " + name_ +
                                " ist beschädigt: Sein ZIP-Inhaltsverzeichnis passt nicht "
                                "zu den Daten.");
            default:
                throw ReadError("Die Datei " + name_ + " konnte nicht geöffnet werden (" +
                                ZipErrorText(code) + ").");
        }
    }

    const std::string& name() const { return name_; }

    // The newest collection in the archive, its name and whether it is zstd-compressed.
    std::pair<zip_int64_t, bool> collection() const {
        static const std::pair<const char*, bool> kNewestFirst[] = {{"collection.anki21b", true},
                                                                    {"collection.anki21", false},
                                                                    {"collection.anki2", false}};
        for (const auto& [entry, zstd] : kNewestFirst) {
            const zip_int64_t index = zip_name_locate(archive_.get(), entry, 0);
            if (index >= 0) return {index, zstd};
        }
        throw ReadError(name_ +
                        " ist kein Anki-Paket: es enthält keine Sammlung (collection.anki2, "
                        "collection.anki21 oder collection.anki21b).");
    }

    // Media files are stored under their numbers.
    int mediaCount() const {
        int count = 0;
        const zip_int64_t entries = zip_get_num_entries(archive_.get(), 0);
        for (zip_int64_t i = 0; i < entries; ++i) {
            const char* entry = zip_get_name(archive_.get(), static_cast<zip_uint64_t>(i), 0);
            if (entry != nullptr && AllDigits(entry)) ++count;
        }
        return count;
    }

    // Unpacks entry `index` into `out` (open for writing), decompressing zstd on the way.
    void unpack(zip_int64_t index, bool zstd, QTemporaryFile& out) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive_.get(), static_cast<zip_uint64_t>(index), 0, &stat) < 0)
            throw damaged();
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            throw encrypted();
        if ((stat.valid & ZIP_STAT_SIZE) && stat.size > limit_) throw tooLarge();

        std::unique_ptr<zip_file_t, ZipFileClose> entry(
            zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0));
        if (!entry) {
            const int code = zip_error_code_zip(zip_get_error(archive_.get()));
            if (code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD) throw encrypted();
            throw damaged(ZipErrorText(code));
        }
        std::unique_ptr<ZSTD_DCtx, ZstdFree> context(zstd ? ZSTD_createDCtx() : nullptr);
        if (zstd && !context)
            throw ReadError("Der Arbeitsspeicher reicht zum Entpacken von " + name_ +
                            " nicht aus.");

        std::vector<char> in(kChunkBytes), unpacked(zstd ? ZSTD_DStreamOutSize() : 0);
        std::uint64_t read = 0, written = 0;
        std::size_t pending = 1;  // what zstd still expects of the frame; 0 at its end
        for (int chunks = 1;; ++chunks) {
            const zip_int64_t n = zip_fread(entry.get(), in.data(), in.size());
            if (n < 0) throw damaged(zip_error_strerror(zip_file_get_error(entry.get())));
            if (n == 0) break;
            read += static_cast<std::uint64_t>(n);
            if (read > limit_) throw tooLarge();
            if (chunks % kChunksPerProgress == 0 && !exchange::Proceed(progress_, 0))
                throw ReadCancelled();
            if (!zstd) {
                write(out, in.data(), static_cast<std::size_t>(n));
                continue;
            }
            if (chunks == 1) {
                // The frame declares its size: a bomb is refused before it is unpacked.
                const unsigned long long declared =
                    ZSTD_getFrameContentSize(in.data(), static_cast<std::size_t>(n));
                if (declared != ZSTD_CONTENTSIZE_UNKNOWN && declared != ZSTD_CONTENTSIZE_ERROR &&
                    declared > limit_)
                    throw tooLarge();
            }
            ZSTD_inBuffer input{in.data(), static_cast<std::size_t>(n), 0};
            bool full = false;
            while (input.pos < input.size || full) {
                ZSTD_outBuffer output{unpacked.data(), unpacked.size(), 0};
                pending = ZSTD_decompressStream(context.get(), &output, &input);
                if (ZSTD_isError(pending))
                    throw ReadError("Die Sammlung in " + name_ +
                                    " ist beschädigt: Ihre zstd-Komprimierung ist "
                                    "fehlerhaft (" +
                                    ZSTD_getErrorName(pending) + ").");
                written += output.pos;
                if (written > limit_) throw tooLarge();
                write(out, unpacked.data(), output.pos);
                full = output.pos == output.size;
            }
        }
        if (zstd && pending != 0)
            throw ReadError("Die Sammlung in " + name_ +
                            " ist unvollständig: Die zstd-komprimierten Daten brechen "
                            "vorzeitig ab.");
        if (!out.flush())
            throw ReadError("Die Sammlung aus " + name_ +
                            " konnte nicht entpackt werden: Die temporäre Datei "
                            "ließ sich nicht schreiben (" +
                            out.errorString().toStdString() + ").");
    }

private:
    ReadError encrypted() const {
        return ReadError("Die Sammlung in " + name_ +
                         " ist mit einem Kennwort verschlüsselt; verschlüsselte "
                         "Anki-Pakete können nicht gelesen werden.");
    }
    ReadError tooLarge() const {
        return ReadError("Die Sammlung in " + name_ + " ist entpackt größer als " +
                         SizeText(limit_) + "; so große Anki-Pakete werden nicht gelesen.");
    }
    ReadError damaged(const std::string& detail = {}) const {
        return ReadError("Die Sammlung in " + name_ +
                         " konnte nicht entpackt werden: Das ZIP-Archiv ist beschädigt" +
                         (detail.empty() ? std::string() : " (" + detail + ")") + ".");
    }
    void write(QTemporaryFile& out, const char* data, std::size_t size) const {
        if (out.write(data, static_cast<qint64>(size)) != static_cast<qint64>(size))
            throw ReadError("Die Sammlung aus " + name_ +
                            " konnte nicht entpackt werden: Die temporäre Datei "
                            "ließ sich nicht schreiben (" +
                            out.errorString().toStdString() + ").");
    }

    std::unique_ptr<zip_t, ZipDiscard> archive_;
    std::string name_;
    std::uint64_t limit_;
    const exchange::ProgressFn& progress_;
};

// The field names of each note type and the name of each deck.
struct Catalogue {
    std::unordered_map<std::int64_t, std::vector<std::string>> fields;
    std::unordered_map<std::int64_t, std::string> decks;
};

QJsonObject JsonObject(std::string_view json, std::string_view what, const std::string& name) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(json.data(), static_cast<qsizetype>(json.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        throw ReadError("Die Sammlung in " + name + " ist beschädigt: " + std::string(what) +
                        " sind kein gültiges JSON.");
    return document.object();
}

std::int64_t IdOf(const QString& key, const QJsonObject& object) {
    bool ok = false;
    const qint64 id = key.toLongLong(&ok);
    return ok ? id : object.value(u"id").toInteger();
}

// Older collections keep note types and decks as JSON in the table col.
Catalogue JsonCatalogue(store::SqliteFile& db, const std::string& name) {
    Catalogue catalogue;
    store::Statement col = db.prepare("SELECT models, decks FROM col LIMIT 1");
    if (!col.step())
        throw ReadError(name + " ist kein Anki-Paket: Die Tabelle col der Sammlung ist leer.");
    const QJsonObject models = JsonObject(col.columnText(0), "Die Notiztypen", name);
    for (auto it = models.begin(); it != models.end(); ++it) {
        const QJsonObject model = it.value().toObject();
        const QJsonArray fields = model.value(u"flds").toArray();
        std::vector<std::pair<qint64, std::string>> ordered;
        for (qsizetype i = 0; i < fields.size(); ++i) {
            const QJsonObject field = fields[i].toObject();
            ordered.emplace_back(field.value(u"ord").toInteger(i),
                                 field.value(u"name").toString().toStdString());
        }
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        auto& names = catalogue.fields[IdOf(it.key(), model)];
        for (auto& [ord, field] : ordered) names.push_back(std::move(field));
    }
    const QJsonObject decks = JsonObject(col.columnText(1), "Die Stapel", name);
    for (auto it = decks.begin(); it != decks.end(); ++it) {
        const QJsonObject deck = it.value().toObject();
        catalogue.decks[IdOf(it.key(), deck)] = deck.value(u"name").toString().toStdString();
    }
    return catalogue;
}

// Newer collections have tables of their own; deck names separate levels by 0x1F.
Catalogue TableCatalogue(store::SqliteFile& db) {
    Catalogue catalogue;
    store::Statement fields = db.prepare("SELECT ntid, name FROM fields ORDER BY ntid, ord");
    while (fields.step()) catalogue.fields[fields.columnInt(0)].emplace_back(fields.columnText(1));
    store::Statement decks = db.prepare("SELECT id, name FROM decks");
    while (decks.step()) {
        std::string deck;
        for (const char c : decks.columnText(1)) {
            if (c == kFieldSeparator)
                deck += "::";
            else
                deck += c;
        }
        catalogue.decks[decks.columnInt(0)] = std::move(deck);
    }
    return catalogue;
}

class SheetBuilder {
public:
    explicit SheetBuilder(Catalogue catalogue) : catalogue_(std::move(catalogue)) {}

    // The columns of note type `type`, made when it is first used.
    std::vector<std::size_t>& columnsOf(std::int64_t type) {
        const auto [it, added] = layout_.try_emplace(type);
        if (added) {
            const auto known = catalogue_.fields.find(type);
            if (known != catalogue_.fields.end())
                for (const std::string& field : known->second) it->second.push_back(column(field));
        }
        return it->second;
    }

    void addNote(std::int64_t type, std::string_view fields, bool hasDeck, std::int64_t deck) {
        std::vector<std::size_t>& columns = columnsOf(type);
        std::vector<std::string> row(sheet_.columns.size());
        std::size_t ord = 0;
        for (std::size_t start = 0;; ++ord) {
            const std::size_t end = std::min(fields.find(kFieldSeparator, start), fields.size());
            // A note of a type the collection does not describe names its fields by number.
            if (ord == columns.size()) columns.push_back(column("Feld " + std::to_string(ord + 1)));
            if (columns[ord] >= row.size()) row.resize(sheet_.columns.size());
            row[columns[ord]] = HtmlToText(fields.substr(start, end - start));
            if (end == fields.size()) break;
            start = end + 1;
        }
        sheet_.rows.push_back(std::move(row));
        decks_.push_back(hasDeck ? deck : kNoDeck);
    }

    SourceSheet finish(int mediaCount) {
        std::map<std::string, std::int64_t> notesPerDeck;
        sheet_.columns.push_back(kDeckColumn);
        for (std::size_t i = 0; i < sheet_.rows.size(); ++i) {
            auto& row = sheet_.rows[i];
            row.resize(sheet_.columns.size());
            const auto deck = catalogue_.decks.find(decks_[i]);
            if (decks_[i] == kNoDeck || deck == catalogue_.decks.end()) continue;
            row.back() = deck->second;
            ++notesPerDeck[deck->second];
        }
        if (mediaCount == 1) sheet_.remarks.push_back("1 Mediendatei wird nicht übernommen.");
        if (mediaCount > 1)
            sheet_.remarks.push_back(std::to_string(mediaCount) +
                                     " Mediendateien werden nicht übernommen.");
        if (notesPerDeck.size() > 1) {
            std::string remark = "Stapel: ";
            for (const auto& [deck, count] : notesPerDeck) {
                if (remark.size() > 8) remark += ", ";
                remark += deck + " (" + std::to_string(count) + ")";
            }
            sheet_.remarks.push_back(remark + ".");
        }
        return std::move(sheet_);
    }

private:
    static constexpr std::int64_t kNoDeck = -1;

    std::size_t column(const std::string& name) {
        const auto [it, added] = columnIndex_.try_emplace(name, sheet_.columns.size());
        if (added) sheet_.columns.push_back(name);
        return it->second;
    }

    Catalogue catalogue_;
    SourceSheet sheet_ = [] {
        SourceSheet sheet;
        sheet.format = "Anki-Paket";
        sheet.rowWord = "Notiz";
        return sheet;
    }();
    std::unordered_map<std::string, std::size_t> columnIndex_;
    std::unordered_map<std::int64_t, std::vector<std::size_t>> layout_;
    std::vector<std::int64_t> decks_;
};

SourceSheet ReadCollection(store::SqliteFile& db, const std::string& name, int mediaCount,
                           const exchange::ProgressFn& progress) {
    if (!db.hasTable("notes"))
        throw ReadError(
            name +
            " ist kein Anki-Paket: Der Sammlung darin fehlt die Tabelle der Notizen (notes).");
    const bool ownTables =
        db.hasTable("notetypes") && db.hasTable("fields") && db.hasTable("decks");
    SheetBuilder builder(ownTables ? TableCatalogue(db) : JsonCatalogue(db, name));

    // Columns in the order the notes first use their note types.
    store::Statement types = db.prepare("SELECT mid FROM notes GROUP BY mid ORDER BY min(id)");
    while (types.step()) builder.columnsOf(types.columnInt(0));

    store::Statement notes = db.prepare(
        "SELECT n.mid, n.flds, (SELECT c.did FROM cards c WHERE c.nid = n.id ORDER BY c.ord, c.id "
        "LIMIT 1) "
        "FROM notes n ORDER BY n.id");
    std::int64_t done = 0;
    while (notes.step()) {
        builder.addNote(notes.columnInt(0), notes.columnText(1), !notes.columnIsNull(2),
                        notes.columnInt(2));
        if (++done % kNotesPerProgress == 0 && !exchange::Proceed(progress, done))
            throw ReadCancelled();
    }
    if (!exchange::Proceed(progress, done)) throw ReadCancelled();
    return builder.finish(mediaCount);
}

}  // namespace

SourceSheet ReadAnkiPackage(const std::filesystem::path& file, const exchange::ProgressFn& progress,
                            std::uint64_t collectionLimit) {
    Package package(file, collectionLimit, progress);
    const auto [index, zstd] = package.collection();

    QTemporaryFile unpacked(QDir::tempPath() + QStringLiteral("/morvanta-anki-XXXXXX.sqlite"));
    if (!unpacked.open())
        throw ReadError("Für das Lesen von " + package.name() +
                        " ließ sich keine temporäre Datei anlegen (" +
                        unpacked.errorString().toStdString() + ").");
    package.unpack(index, zstd, unpacked);
    unpacked.close();

    try {
        store::SqliteFile db = store::SqliteFile::openReadOnly(unpacked.fileName().toStdString());
        return ReadCollection(db, package.name(), package.mediaCount(), progress);
    } catch (const store::NotSqliteFile&) {
        throw ReadError(package.name() +
                        " ist kein Anki-Paket: Die Sammlung darin ist keine SQLite-Datenbank.");
    } catch (const store::EngineError& e) {
        throw ReadError("Die Sammlung in " + package.name() +
                        " konnte nicht gelesen werden: " + e.what());
    }
}

}  // namespace morvanta::foreign
