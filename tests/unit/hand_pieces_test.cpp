#include "render/hand_pieces.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "render/area_list.h"
#include "render/hand_rotation.h"

namespace {

bool Holds(const AreaList& list, int x, int y) {
    for (const PixelRect& r : list)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    return false;
}

}  // namespace

TEST(AreaList, JoinsWhatCostsLessJoinedAndKeepsTheRestApart) {
    struct Case {
        const char* what;
        std::vector<PixelRect> rects;
        int count;
    } cases[] = {
        {"side by side", {{0, 0, 10, 10}, {10, 0, 20, 10}}, 1},
        {"one inside the other", {{0, 0, 100, 100}, {40, 40, 60, 60}}, 1},
        {"far apart on a diagonal", {{0, 0, 70, 70}, {200, 200, 270, 270}}, 2},
        {"a chain whose joins grow into its neighbors", {{0, 0, 40, 40}, {30, 30, 70, 70}, {60, 60, 100, 100}}, 1},
        {"empty ones are left out", {{5, 5, 5, 50}, {0, 0, 0, 0}}, 0},
    };
    for (const Case& c : cases) {
        AreaList list;
        PixelRect bounds;
        for (const PixelRect& r : c.rects) {
            list.Add(r);
            bounds = Union(bounds, r);
        }
        list.JoinNeighbors();
        EXPECT_EQ(list.Count(), c.count) << c.what;
        EXPECT_EQ(list.Bounds(), bounds) << c.what << ": nothing is lost";
    }
}

TEST(AreaList, PastItsCapacityJoinsInsteadOfDropping) {
    AreaList list;
    for (int i = 0; i < AreaList::kCapacity + 10; ++i)
        list.Add({i * 100, 0, i * 100 + 10, 10});
    EXPECT_EQ(list.Count(), AreaList::kCapacity);
    for (int i = 0; i < AreaList::kCapacity + 10; ++i)
        EXPECT_TRUE(Holds(list, i * 100 + 5, 5)) << i;
    list.ClipTo({0, 0, 250, 10});
    EXPECT_EQ(list.Bounds(), (PixelRect{0, 0, 210, 10}));
}

TEST(HandPieces, EveryDrawnPixelOfATurnedImageLiesInItsPieces) {
    // A hand that narrows toward its tip inside clear pixels, every pixel its own value.
    constexpr int kWidth = 385;
    constexpr int kHeight = 41;
    std::vector<uint32_t> image(kWidth * kHeight, 0);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (std::abs(y - kHeight / 2) <= 20 - x / 20)
                image[size_t(y) * kWidth + x] = uint32_t(y * kWidth + x + 1);
    const std::vector<PixelRect> pieces = ImagePieces(image.data(), kWidth, kHeight);
    ASSERT_EQ(pieces.size(), 16u);
    EXPECT_EQ(pieces.back().top, kHeight / 2 - 2) << "the tip's piece is only as tall as the tip";

    for (int step = 0; step < 360; step += 7) {
        const double angle = step * 3.14159265358979 / 180.0 + 0.01;
        const TurnedBounds box = ComputeTurnedBounds(kWidth, kHeight, angle);
        std::vector<uint32_t> turned(size_t(box.width) * box.height);
        FillTurnedImageReference(image.data(), kWidth, kHeight, angle, box, turned.data());
        AreaList reach;
        for (const PixelRect& piece : pieces)
            reach.Add(Moved(TurnedPieceReach(piece, angle), -box.minX, -box.minY));
        for (int y = 0; y < box.height; ++y) {
            for (int x = 0; x < box.width; ++x) {
                if (turned[size_t(y) * box.width + x] != 0) {
                    ASSERT_TRUE(Holds(reach, x, y)) << "angle " << step << " at " << x << "," << y;
                }
            }
        }
        int64_t area = 0;
        for (const PixelRect& r : reach)
            area += Area(r);
        if (step % 90 > 20 && step % 90 < 70) {
            EXPECT_LT(area * 2, int64_t(box.width) * box.height) << "at a slant the pieces hold far less than the box";
        }
    }
}

TEST(HandPieces, APenLineIsHeldByItsPiecesWithItsWidth) {
    const HandLine line{100, 100, 400, -160};
    for (int width : {1, 6}) {
        AreaList pieces;
        DrawnHandPieces(line, width, pieces);
        EXPECT_GT(pieces.Count(), 1) << "a long slanting line is cut";
        const double reach = width / 2.0;
        for (int i = 0; i <= 200; ++i) {
            const double x = line.startX + (line.tipX - line.startX) * i / 200.0;
            const double y = line.startY + (line.tipY - line.startY) * i / 200.0;
            for (double dx : {-reach, 0.0, reach}) {
                for (double dy : {-reach, 0.0, reach}) {
                    EXPECT_TRUE(Holds(pieces, int(std::floor(x + dx)), int(std::floor(y + dy))))
                        << width << " at " << x + dx << "," << y + dy;
                }
            }
        }
        EXPECT_EQ(pieces.Bounds(), DrawnHandReach(line, width)) << "no further than the whole line's reach";
    }
}
