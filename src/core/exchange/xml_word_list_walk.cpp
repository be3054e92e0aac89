#include "core/exchange/xml_word_list_walk.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QXmlStreamReader>

#include "core/exchange/xml_word_fields.h"

namespace morvanta::exchange {

namespace {

// The checks Qt's DOM document adds to the stream reader's own, with its texts
// (translated as Qt translates them).
QString DomText(const char* text) { return QCoreApplication::translate("QDomParser", text); }

// The DOM keeps a piece of character data unless it is blank (a CDATA section
// always counts); its text() joins what it kept.
bool KeptText(const QXmlStreamReader& reader) {
    return !reader.isWhitespace() && (reader.isCDATA() || !reader.text().trimmed().isEmpty());
}

XmlWalkResult Failure(QXmlStreamReader& reader, const QString& reason) {
    const int line = int(reader.lineNumber());
    const int column = int(reader.columnNumber());
    // The error number is the stream reader's over the whole file: a fault of
    // its own later on, else "custom".
    while (!reader.atEnd()) reader.readNext();
    const int code = reader.hasError() ? int(reader.error()) : int(QXmlStreamReader::CustomError);
    return {XmlWalkResult::Failed, XmlLoadErrorMessage(code, reason, line, column)};
}

}  // namespace

QString XmlLoadErrorMessage(int code, const QString& reason, int line, int column) {
    return QStringLiteral("Error loading XML document.\rError number: %1\rReason: %2\rLine: %3\rColumn: %4")
        .arg(QString::number(code), reason, QString::number(line), QString::number(column));
}

XmlWalkResult WalkWordList(QIODevice& in, XmlWordVisitor& visitor) {
    QXmlStreamReader reader(&in);
    // Without namespace processing a name is the name as written, prefix included.
    reader.setNamespaceProcessing(false);

    bool inProlog = true, seenDtd = false;
    int depth = 0;         // 1 is the root
    bool inWord = false;   // inside a <word> child of the root
    QString childName;     // the word's child element being read (depth 2 below the root)
    QString childText;

    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.hasError()) return Failure(reader, reader.errorString());
        if (reader.atEnd()) break;  // the end of the document
        const QXmlStreamReader::TokenType type = reader.tokenType();
        if (inProlog) {
            if (type == QXmlStreamReader::DTD) {
                if (seenDtd) return Failure(reader, DomText("Multiple DTD sections are not allowed"));
                seenDtd = true;
                continue;
            }
            if (type == QXmlStreamReader::StartDocument || type == QXmlStreamReader::Comment ||
                type == QXmlStreamReader::ProcessingInstruction)
                continue;
            inProlog = false;
        }
        switch (type) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (depth == 2) {
                inWord = reader.qualifiedName() == kWordElement;
            } else if (depth == 3 && inWord) {
                childName.resize(0);
                childName += reader.qualifiedName();
                childText.clear();
                visitor.childStart(childName, reader.attributes());
            }
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 3 && inWord) {
                visitor.child(childName, childText);
            } else if (depth == 2 && inWord) {
                inWord = false;
                if (!visitor.wordEnd()) return {XmlWalkResult::Stopped, {}};
            }
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (inWord && depth >= 3 && KeptText(reader)) childText += reader.text();
            break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::EntityReference:  // an entity not declared inside the file: no text
            break;
        default:
            return Failure(reader, DomText("Unexpected token"));
        }
    }
    return {XmlWalkResult::Loaded, {}};
}

}  // namespace morvanta::exchange
