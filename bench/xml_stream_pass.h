#pragma once
// The floor of any XML import: one bare pass of Qt's stream reader, which reads
// the bytes, decodes them and cuts them into tokens.

#include <QFile>
#include <QString>
#include <QXmlStreamReader>
#include <string>

namespace morvanta::bench {

inline qint64 XmlStreamPass(const std::string& file) {
    QFile in(QString::fromStdString(file));
    if (!in.open(QIODevice::ReadOnly)) return 0;
    QXmlStreamReader reader(&in);
    reader.setNamespaceProcessing(false);
    qint64 tokens = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        ++tokens;
    }
    return tokens;
}

}  // namespace morvanta::bench
