#pragma once
// The about picture is 330 x 130 pixels; the link text on it lies in this
// area, both ends included.

constexpr int kAboutPictureWidth = 330;
constexpr int kAboutPictureHeight = 130;
constexpr int kAboutLinkLeft = 121;
constexpr int kAboutLinkTop = 46;
constexpr int kAboutLinkRight = 269;
constexpr int kAboutLinkBottom = 62;

// A client point of the about box.
bool InAboutLink(int x, int y);
// The same for the picture drawn `pictureWidth` pixels wide (1.5x, 2x on
// scaled displays): the point is taken back to the 1x picture.
bool InAboutLink(int x, int y, int pictureWidth);

// The about picture for a display of `dpi`: 100, 150 or 200 (percent), the
// largest not above the display's scale.
int AboutPicturePercent(int dpi);
