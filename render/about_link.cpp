#include "render/about_link.h"

#include <cstdint>

bool InAboutLink(int x, int y) {
    return x >= kAboutLinkLeft && x <= kAboutLinkRight && y >= kAboutLinkTop && y <= kAboutLinkBottom;
}

bool InAboutLink(int x, int y, int pictureWidth) {
    if (pictureWidth <= 0 || pictureWidth == kAboutPictureWidth)
        return InAboutLink(x, y);
    // Both ends of the area stay included at the larger sizes.
    const int64_t scaledX = int64_t{x} * kAboutPictureWidth / pictureWidth;
    const int64_t scaledY = int64_t{y} * kAboutPictureWidth / pictureWidth;
    return InAboutLink(static_cast<int>(scaledX), static_cast<int>(scaledY));
}

int AboutPicturePercent(int dpi) {
    if (dpi >= 192)
        return 200;
    if (dpi >= 144)
        return 150;
    return 100;
}
