#pragma once
// The entry page's word-list import read the plain way: the whole file as a
// DOM document, then its <word> children. Tests and the benchmark hold the
// streaming reader against it.

#include <QByteArray>
#include <QString>
#include <array>

#include "core/exchange/xml_word_list_reader.h"

namespace morvanta::test {

exchange::XmlReadResult ReferenceReadWordList(const QByteArray& bytes,
                                              const std::array<QString, 3>& currentTranslations);

}  // namespace morvanta::test
