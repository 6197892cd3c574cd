#include "render/about_link.h"

bool InAboutLink(int x, int y) {
    return x >= kAboutLinkLeft && x <= kAboutLinkRight && y >= kAboutLinkTop && y <= kAboutLinkBottom;
}
