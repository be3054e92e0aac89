#include "platform/guard.h"

namespace morvanta::platform {

QString ErrorText(const std::exception& e) { return QString::fromUtf8(e.what()); }

}  // namespace morvanta::platform
