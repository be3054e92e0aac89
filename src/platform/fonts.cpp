#include "platform/fonts.h"

#include <QStringList>

namespace morvanta::platform {

QFont UiFont(int pixelSize) {
    QFont font;
    // Liberation Sans keeps Arial's widths, close to the captions' original face.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(pixelSize);
    return font;
}

QFont JapaneseFont(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial Unicode MS"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("Noto Sans JP"), QStringLiteral("IPAGothic"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace morvanta::platform
