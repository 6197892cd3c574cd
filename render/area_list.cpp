#include "render/area_list.h"

#include <cstddef>
#include <cstdint>

int64_t Area(const PixelRect& rect) {
    return rect.Empty() ? 0 : (int64_t{rect.right} - rect.left) * (int64_t{rect.bottom} - rect.top);
}

namespace {

// What joining costs over keeping both: the pixels the union adds.
int64_t JoinCost(const PixelRect& a, const PixelRect& b) {
    return Area(Union(a, b)) - Area(a) - Area(b);
}

}  // namespace

void AreaList::Add(const PixelRect& rect) {
    if (rect.Empty())
        return;
    if (count_ < kCapacity) {
        rects_[size_t(count_++)] = rect;
        return;
    }
    int best = 0;
    for (int i = 1; i < count_; ++i)
        if (JoinCost(rects_[size_t(i)], rect) < JoinCost(rects_[size_t(best)], rect))
            best = i;
    rects_[size_t(best)] = Union(rects_[size_t(best)], rect);
}

void AreaList::Add(const AreaList& other) {
    for (const PixelRect& rect : other)
        Add(rect);
}

PixelRect AreaList::Bounds() const {
    PixelRect bounds;
    for (const PixelRect& rect : *this)
        bounds = Union(bounds, rect);
    return bounds;
}

bool AreaList::Intersects(const PixelRect& rect) const {
    for (const PixelRect& mine : *this)
        if (::Intersects(mine, rect))
            return true;
    return false;
}

void AreaList::ClipTo(const PixelRect& rect) {
    int kept = 0;
    for (int i = 0; i < count_; ++i) {
        const PixelRect cut = Intersect(rects_[size_t(i)], rect);
        if (!cut.Empty())
            rects_[size_t(kept++)] = cut;
    }
    count_ = kept;
}

void AreaList::JoinNeighbors(int64_t rectangleCost) {
    // Each join leaves one rectangle fewer, so this ends. A rectangle that
    // grew is tried again against the rest; a pass without a join ends it.
    bool joined = true;
    while (joined) {
        joined = false;
        for (int i = 0; i < count_; ++i) {
            for (int j = i + 1; j < count_; ++j) {
                if (JoinCost(rects_[size_t(i)], rects_[size_t(j)]) > rectangleCost)
                    continue;
                rects_[size_t(i)] = Union(rects_[size_t(i)], rects_[size_t(j)]);
                rects_[size_t(j)] = rects_[size_t(--count_)];
                joined = true;
                j = i;
            }
        }
    }
}

bool AreaList::operator==(const AreaList& other) const {
    if (count_ != other.count_)
        return false;
    for (int i = 0; i < count_; ++i)
        if (rects_[size_t(i)] != other.rects_[size_t(i)])
            return false;
    return true;
}
