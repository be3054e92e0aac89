#pragma once
// What the export page may do on the entry page, lent by the main window, so the
// two pages need not know each other.

#include <QString>
#include <array>
#include <functional>

#include "core/exchange/xml_word_list_reader.h"

namespace morvanta::exchange {

struct EntryLink {
    std::function<std::array<QString, 3>()> translations;  // as typed on the entry page
    std::function<void(const XmlEntryFill&)> fill;         // an imported word into its fields
    std::function<void(const QString&)> setHepburn;        // the Hepburn field
};

}  // namespace morvanta::exchange
