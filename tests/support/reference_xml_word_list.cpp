#include "support/reference_xml_word_list.h"

#include <QDomDocument>
#include <QDomElement>
#include <QDomNodeList>
#include <QXmlStreamReader>

namespace morvanta::test {

namespace {

// Qt's DOM gives no error number; the stream reader over the same bytes
// names the kind of fault (the DOM is built on it).
int ParseErrorCode(const QByteArray& bytes) {
    QXmlStreamReader reader(bytes);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) reader.readNext();
    return reader.hasError() ? int(reader.error()) : int(QXmlStreamReader::CustomError);
}

}  // namespace

exchange::XmlReadResult ReferenceReadWordList(const QByteArray& bytes,
                                              const std::array<QString, 3>& currentTranslations) {
    exchange::XmlReadResult result;
    QDomDocument document;
    QString reason;
    int line = 0, column = 0;
    if (!document.setContent(bytes, false, &reason, &line, &column)) {
        result.errorMessage =
            exchange::XmlLoadErrorMessage(ParseErrorCode(bytes), reason, line, column);
        return result;
    }
    result.loaded = true;
    std::array<QString, 3> translations = currentTranslations;
    exchange::XmlEntryFill& fill = result.fill;
    const QDomNodeList words = document.documentElement().childNodes();
    for (int i = 0; i < words.length(); ++i) {
        const QDomNode word = words.item(i);
        if (word.nodeName() != u"word") continue;
        const QDomNodeList children = word.childNodes();
        for (int j = 0; j < children.length(); ++j) {
            const QDomNode child = children.item(j);
            if (!child.isElement()) continue;
            const QString name = child.nodeName(), text = child.toElement().text();
            if (name == u"word") fill.kanji = text;
            if (name == u"reading") fill.kana = text;
            if (name == u"translation") {
                const int slot = translations[0].isEmpty() ? 0 : translations[1].isEmpty() ? 1 : 2;
                translations[size_t(slot)] = text;
                fill.translations[size_t(slot)] = text;
            }
            if (name == u"lesson") fill.lesson = text;
            if (name == u"transliteration") fill.hepburn = text;
            if (name == u"type") fill.type = text;
            if (name == u"tone") fill.accent = text;
            if (name == u"description") fill.note = text;
        }
    }
    return result;
}

}  // namespace morvanta::test
