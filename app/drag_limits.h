#pragma once
// Where a dragged clock goes: the grabbed point stays under the cursor, and
// with LimitWinPos the whole clock stays on the primary screen.

struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct ScreenPoint {
    int x;
    int y;
};

// `window` is the clock's rectangle on the screen before this move, `grab` the
// client point where the left button went down and `cursor` the client point
// of the move. The right and bottom edges are tested with the unlimited move
// and win over the left and top ones, so a clock larger than the screen ends
// with its right or bottom edge on the screen's (a negative corner).
ScreenPoint DraggedOrigin(const ScreenRect& window,
                          ScreenPoint grab,
                          ScreenPoint cursor,
                          bool limitToScreen,
                          int screenWidth,
                          int screenHeight);
