#pragma once
// One streaming walk over a word-list XML file: the child elements of every
// <word> under the root, in document order, without holding the document.
// A file loads or fails exactly as it does for Qt's DOM document: the same
// stream reader, the same extra checks, the same error texts and positions.

#include <QString>
#include <QStringView>
#include <QXmlStreamAttributes>

class QIODevice;

namespace morvanta::exchange {

// "Error loading XML document.\rError number: %d\rReason: %s\rLine: %d\rColumn: %d"
QString XmlLoadErrorMessage(int code, const QString& reason, int line, int column);

class XmlWordVisitor {
public:
    virtual ~XmlWordVisitor() = default;
    // A child element of a <word> begins: its name as written (prefix included)
    // and its attributes.
    virtual void childStart(QStringView name, const QXmlStreamAttributes& attributes) {
        Q_UNUSED(name);
        Q_UNUSED(attributes);
    }
    // ...and ends, with its text: the character data of the element and its
    // descendants, entities resolved, comments left out, and every run that is
    // blank between two pieces of markup dropped (CDATA sections are kept whole).
    virtual void child(QStringView name, const QString& text) = 0;
    // After each <word>; false stops the walk.
    virtual bool wordEnd() { return true; }
};

struct XmlWalkResult {
    enum End { Loaded, Failed, Stopped } end = Failed;
    QString errorMessage;  // the load error's message box text when Failed
};

// Walks the whole document once. The visitor hears of every word up to the
// point of failure, so whoever must not act on a file that fails later looks
// at the result before acting (or walks twice).
XmlWalkResult WalkWordList(QIODevice& in, XmlWordVisitor& visitor);

}  // namespace morvanta::exchange
