#include "store/system_reason.h"

#include <cerrno>
#include <cstring>
#include <locale.h>

namespace morvanta::store {

namespace {

struct Reason {
    int error;
    const char* german;
};

constexpr Reason kReasons[] = {
    {ENOENT, "Datei oder Ordner nicht gefunden"},
    {ENOTDIR, "Ein Teil des Pfads ist kein Ordner"},
    {EACCES, "Zugriff verweigert"},
    {EPERM, "Zugriff verweigert"},
    {ENOSPC, "Datenträger voll"},
    {EDQUOT, "Speicherkontingent erschöpft"},
    {EROFS, "Datenträger schreibgeschützt"},
    {EISDIR, "Das ist ein Ordner"},
    {ENAMETOOLONG, "Dateiname zu lang"},
    {ELOOP, "Zu viele symbolische Verknüpfungen"},
    {EIO, "Ein-/Ausgabefehler des Datenträgers"},
};

// The system's words in English: Qt reports some reasons in English whatever the
// locale, and the rest in the locale's words.
const char* EnglishText(int error) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    return c != locale_t{} ? strerror_l(error, c) : "";
}

}  // namespace

std::string SystemReason(int error) {
    for (const Reason& r : kReasons)
        if (r.error == error) return r.german;
    return std::strerror(error);
}

std::string SystemReason(std::string_view systemText) {
    for (const Reason& r : kReasons)
        if (systemText == EnglishText(r.error) || systemText == std::strerror(r.error))
            return r.german;
    return std::string(systemText);
}

}  // namespace morvanta::store
