#include "core/xml_word_list_reader.h"

#include <QDomDocument>
#include <QDomElement>
#include <QDomNodeList>
#include <QXmlStreamReader>

namespace morvanta::exchange {

namespace {

// Qt's DOM gives no error number; the stream reader over the same bytes
// names the kind of fault (the DOM is built on it).
int ParseErrorCode(const QByteArray& bytes) {
    QXmlStreamReader reader(bytes);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) reader.readNext();
    return reader.hasError() ? int(reader.error()) : int(QXmlStreamReader::CustomError);
}

void ApplyElement(const QString& name, const QString& text, XmlEntryFill& fill,
                  std::array<QString, 3>& translations) {
    if (name == u"word") {
        fill.KanjiEdit = text;
    } else if (name == u"reading") {
        fill.HiraKataEdit = text;
    } else if (name == u"translation") {
        const int slot = translations[0].isEmpty() ? 0 : translations[1].isEmpty() ? 1 : 2;
        translations[slot] = text;
        fill.translations[slot] = text;
    } else if (name == u"lesson") {
        fill.Lesson = text;
    } else if (name == u"transliteration") {
        fill.HepburnEdit = text;
    } else if (name == u"type") {
        fill.TypEdit = text;
    } else if (name == u"tone") {
        fill.Accent = text;
    } else if (name == u"description") {
        fill.NoteEdit = text;
    }
}

}  // namespace

bool XmlEntryFill::changesNothing() const {
    for (const auto& t : translations)
        if (t) return false;
    return !KanjiEdit && !HiraKataEdit && !Lesson && !HepburnEdit && !TypEdit && !Accent &&
           !NoteEdit;
}

QString XmlLoadErrorMessage(int code, const QString& reason, int line, int column) {
    return QStringLiteral("Error loading XML document.\rError number: %1\rReason: %2\rLine: %3\rColumn: %4")
        .arg(QString::number(code), reason, QString::number(line), QString::number(column));
}

XmlReadResult ReadWordList(const QByteArray& bytes,
                           const std::array<QString, 3>& currentTranslations) {
    XmlReadResult result;
    QDomDocument document;
    QString reason;
    int line = 0, column = 0;
    // Without namespace processing a node's name is the name as written, prefix included.
    if (!document.setContent(bytes, false, &reason, &line, &column)) {
        result.errorMessage = XmlLoadErrorMessage(ParseErrorCode(bytes), reason, line, column);
        return result;
    }
    result.loaded = true;
    std::array<QString, 3> translations = currentTranslations;
    const QDomNodeList words = document.documentElement().childNodes();
    for (int i = 0; i < words.length(); ++i) {
        const QDomNode word = words.item(i);
        if (word.nodeName() != u"word") continue;
        const QDomNodeList children = word.childNodes();
        for (int j = 0; j < children.length(); ++j) {
            const QDomNode child = children.item(j);
            if (!child.isElement()) continue;
            ApplyElement(child.nodeName(), child.toElement().text(), result.fill, translations);
        }
    }
    return result;
}

}  // namespace morvanta::exchange
