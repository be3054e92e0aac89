#include "core/foreign/kvtml_writer.h"

#include <QByteArray>
#include <QXmlStreamWriter>
#include <map>

namespace morvanta::foreign {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The special type Parley knows a type word by, where there is one.
QString SpecialType(const std::string& type) {
    if (type == "Meishi") return QStringLiteral("noun");
    if (type == "Keiyoushi" || type == "Keiyoudoushi") return QStringLiteral("adjective");
    if (type == "Fukushi") return QStringLiteral("adverb");
    if (type.starts_with("Verb-")) return QStringLiteral("verb");
    return {};
}

void WriteEntryList(QXmlStreamWriter& xml, const std::vector<int>& ids, bool withTranslation) {
    for (int id : ids) {
        xml.writeStartElement(QStringLiteral("entry"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(id));
        if (withTranslation) {
            xml.writeEmptyElement(QStringLiteral("translation"));
            xml.writeAttribute(QStringLiteral("id"), QStringLiteral("0"));
        }
        xml.writeEndElement();
    }
}

void WriteIdentifier(QXmlStreamWriter& xml, int id, const QString& name, const QString& locale) {
    xml.writeStartElement(QStringLiteral("identifier"));
    xml.writeAttribute(QStringLiteral("id"), QString::number(id));
    xml.writeTextElement(QStringLiteral("name"), name);
    xml.writeTextElement(QStringLiteral("locale"), locale);
    xml.writeEndElement();
}

}  // namespace

bool WriteKvtml(std::ostream& out, const std::vector<ExportWord>& words,
                const exchange::ProgressFn& progress) {
    QByteArray document;
    QXmlStreamWriter xml(&document);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">"));
    xml.writeStartElement(QStringLiteral("kvtml"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));
    xml.writeStartElement(QStringLiteral("information"));
    xml.writeTextElement(QStringLiteral("generator"), QStringLiteral("Morvanta " MORVANTA_VERSION));
    xml.writeTextElement(QStringLiteral("title"), QStringLiteral("Morvanta"));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("identifiers"));
    WriteIdentifier(xml, 0, QStringLiteral("Japanisch"), QStringLiteral("ja"));
    WriteIdentifier(xml, 1, QStringLiteral("Deutsch"), QStringLiteral("de"));
    xml.writeEndElement();

    std::map<std::int64_t, std::vector<int>> lessons;
    std::map<std::string, std::vector<int>> types;
    xml.writeStartElement(QStringLiteral("entries"));
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!exchange::Proceed(progress, static_cast<std::int64_t>(i))) return false;
        const ExportWord& word = words[i];
        const int id = static_cast<int>(i);
        lessons[word.lesson].push_back(id);
        if (!word.type.empty()) types[word.type].push_back(id);
        xml.writeStartElement(QStringLiteral("entry"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(id));
        xml.writeStartElement(QStringLiteral("translation"));
        xml.writeAttribute(QStringLiteral("id"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("text"), Q(word.kanji.empty() ? word.kana : word.kanji));
        if (!word.note.empty()) xml.writeTextElement(QStringLiteral("comment"), Q(word.note));
        if (!word.kana.empty()) xml.writeTextElement(QStringLiteral("pronunciation"), Q(word.kana));
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("translation"));
        xml.writeAttribute(QStringLiteral("id"), QStringLiteral("1"));
        xml.writeTextElement(QStringLiteral("text"), Q(JoinedTranslations(word)));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("lessons"));
    for (const auto& [lesson, ids] : lessons) {
        xml.writeStartElement(QStringLiteral("container"));
        xml.writeTextElement(QStringLiteral("name"), QString::number(lesson));
        xml.writeTextElement(QStringLiteral("inpractice"), QStringLiteral("true"));
        WriteEntryList(xml, ids, false);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("wordtypes"));
    for (const auto& [type, ids] : types) {
        xml.writeStartElement(QStringLiteral("container"));
        xml.writeTextElement(QStringLiteral("name"), Q(type));
        if (const QString special = SpecialType(type); !special.isEmpty())
            xml.writeTextElement(QStringLiteral("specialwordtype"), special);
        WriteEntryList(xml, ids, true);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    out.write(document.constData(), document.size());
    return true;
}

}  // namespace morvanta::foreign
