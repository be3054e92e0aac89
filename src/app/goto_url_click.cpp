#include "app/tform1.h"
#include "platform/services.h"

namespace morvanta::app {

// Opens the maker's web address; the desktop's answer is not looked at.
void TForm1::GotoURLClick() { platform::OpenUrl(QString::fromUtf8(kWebAddress) + QLatin1Char('/')); }

}  // namespace morvanta::app
