#pragma once
// Fonts of the program. The Windows faces the layout was drawn with rarely
// exist here, so each font names fallbacks that carry the same glyphs.

#include <QFont>

namespace morvanta::platform {

// "MS Sans Serif" and its fallbacks, pixel-sized.
QFont UiFont(int pixelSize);
// "Arial Unicode MS" and Japanese fallbacks (Noto Sans CJK JP), pixel-sized.
QFont JapaneseFont(int pixelSize);

}  // namespace morvanta::platform
