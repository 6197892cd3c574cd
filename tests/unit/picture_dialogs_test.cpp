#include <gtest/gtest.h>

#include "render/about_link.h"
#include "render/month_cal_layout.h"

TEST(AboutLink, CornersAreInsideAndTheirNeighboursOutside) {
    struct Case {
        int x, y;
        bool inside;
    } cases[] = {
        {121, 46, true},  {269, 62, true},  {200, 50, true},  {120, 50, false},
        {200, 63, false}, {270, 50, false}, {200, 45, false}, {0, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InAboutLink(c.x, c.y), c.inside) << c.x << "," << c.y;
}

TEST(AboutLink, FollowsThePictureOnScaledDisplays) {
    struct Case {
        int pictureWidth, x, y;
        bool inside;
    } cases[] = {
        // 1.5x (495 pixels) and 2x (660): the corners scaled, and one pixel beyond.
        {495, 182, 69, true},   {495, 404, 94, true},  {495, 181, 69, false},  {495, 406, 80, false},
        {660, 242, 92, true},   {660, 539, 125, true}, {660, 241, 100, false}, {660, 540, 100, false},
        {660, 300, 126, false}, {330, 121, 46, true},  {0, 121, 46, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InAboutLink(c.x, c.y, c.pictureWidth), c.inside) << c.pictureWidth << ": " << c.x << "," << c.y;
    const struct {
        int dpi, percent;
    } pictures[] = {{96, 100}, {120, 100}, {143, 100}, {144, 150}, {168, 150}, {192, 200}, {288, 200}, {0, 100}};
    for (const auto& p : pictures)
        EXPECT_EQ(AboutPicturePercent(p.dpi), p.percent) << p.dpi;
}

TEST(MonthCalLayout, ButtonAndDialogFollowTheCalendarsMinimumSize) {
    struct Case {
        std::optional<CalendarRect> minimum;
        std::optional<CalendarRect> dialog;
        CalendarRect button;
    } cases[] = {
        {CalendarRect{0, 0, 178, 157}, CalendarRect{0, 0, 185, 213}, {59, 164, 124, 188}},
        // An odd width: the half is truncated.
        {CalendarRect{0, 0, 175, 150}, CalendarRect{0, 0, 182, 206}, {57, 157, 122, 181}},
        // A rectangle that does not start at 0: the width counts, not the right edge.
        {CalendarRect{10, 0, 71, 100}, CalendarRect{0, 0, 78, 156}, {0, 107, 65, 131}},
        // A reversed rectangle: the half truncates toward zero (-3 / 2 is -1).
        {CalendarRect{5, 0, 2, 10}, CalendarRect{0, 0, 9, 66}, {-31, 17, 34, 41}},
        // No answer from the control: the template's size and an all-zero rectangle.
        {std::nullopt, std::nullopt, {-30, 7, 35, 31}},
    };
    for (const Case& c : cases) {
        const MonthCalLayout layout = LayOutMonthCalendar(c.minimum);
        ASSERT_EQ(layout.dialogSize.has_value(), c.dialog.has_value());
        if (c.dialog) {
            EXPECT_EQ(layout.dialogSize->right, c.dialog->right);
            EXPECT_EQ(layout.dialogSize->bottom, c.dialog->bottom);
        }
        EXPECT_EQ(layout.okButton.left, c.button.left);
        EXPECT_EQ(layout.okButton.top, c.button.top);
        EXPECT_EQ(layout.okButton.right, c.button.right);
        EXPECT_EQ(layout.okButton.bottom, c.button.bottom);
    }
}
