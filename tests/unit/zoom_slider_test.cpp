#include "options/zoom_slider.h"

#include <gtest/gtest.h>

TEST(ZoomSlider, StoredZoomToSliderPosition) {
    struct Case {
        int zoom;
        int position;
    } cases[] = {
        {100, 20},
        {33, 6},
        {35, 7},
        {25, 5},
        {300, 60},
        // Out of the slider's range: the position the slider can show.
        {0, 5},
        {4, 5},
        {-50, 5},
        {1000, 60},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ZoomSliderPosition(c.zoom), c.position) << c.zoom;
}

TEST(ZoomSlider, PositionToZoomAndLabel) {
    EXPECT_EQ(ZoomOfSliderPosition(7), 35);
    EXPECT_EQ(ZoomOfSliderPosition(60), 300);
    EXPECT_EQ(ZoomLabel(100), "100 %");
    EXPECT_EQ(ZoomLabel(33), "33 %");
}
