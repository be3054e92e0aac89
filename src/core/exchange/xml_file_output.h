#pragma once
// The word-list file goes through the program's one file saver (store::FileSaver):
// written whole or not at all.

#include <QIODevice>
#include <QString>
#include <functional>

namespace morvanta::exchange {

// `content` writes into the device and returns false when a write fell short.
// Throws std::runtime_error "Cannot create file "<name>". <reason>" or
// "Cannot write file "<name>". <reason>"; the former file then stays as it was.
void WriteWholeFile(const QString& fileName, const std::function<bool(QIODevice&)>& content);

// How content that the learner can cancel ended.
enum class ContentEnd { Whole, FellShort, Cancelled };

// The same for content that can be cancelled: false when it was, and then
// nothing is written and the former file stays as it was.
bool WriteWholeFile(const QString& fileName, const std::function<ContentEnd(QIODevice&)>& content);

}  // namespace morvanta::exchange
