#include "render/hand_rotation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Every turned pixel must be exactly what the per-pixel rule gives, so nothing
// here steps coordinates incrementally. What the fast fill uses instead:
//  - along a line of the box (a row; a column near 12 and 6 o'clock) the
//    products of the moving coordinate with c and s are the same in every
//    line, so they are taken once into tables and added exactly as the rule
//    adds them;
//  - along a line both source coordinates are monotonic (each step of the rule
//    is a monotonic rounding), so equal values at two places prove every place
//    between them equal, without evaluating them;
//  - where a coordinate also moves by at most one per step (proved below), a
//    change by exactly the number of steps proves a run of consecutive source
//    pixels, which is copied.
// Near the axes, where hands rest at 3, 6, 9 and 12 o'clock and where a turned
// box is nearly all image, whole lines become a few copies. The rule's products
// and sums must round one by one: the build contracts nothing into fused
// multiply-adds (ISO C++ mode, no FMA target).

namespace {

// Far beyond any hand image; keeps every coordinate of the turned box, and every
// product below, well inside int and exactly representable in double.
constexpr int kMaxSide = 1 << 20;
// The unit roundoff of double.
constexpr double kRoundoff = 1.0 / 9007199254740992.0;

bool Usable(const uint32_t* image, int width, int height, const TurnedBounds& b, const uint32_t* out) {
    return image && out && width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && b.width > 0 &&
           b.height > 0 && b.width <= 2 * kMaxSide && b.height <= 2 * kMaxSide && std::abs(b.minX) <= 2 * kMaxSide &&
           std::abs(b.minY) <= 2 * kMaxSide;
}

struct Source {
    const uint32_t* pixels;
    int width;
    int height;
    uint32_t At(int x, int y) const {
        if (x < 0 || x >= width || y < 0 || y >= height)
            return 0;
        return pixels[size_t(y) * size_t(width) + size_t(x)];
    }
};

// The real interval of t where a + b * t lies in [low, high]. The callers widen
// the exact limits by a slack of 1e-6: the rounding of the per-pixel rule, and
// that of this interval's ends, are some 1e-9 at most, far inside it.
struct Span {
    double first;
    double last;
};

// reciprocal: 1 / b. Multiplying by it rounds a little differently from
// dividing, far inside the slack. A slope too small to move the value by the
// slack across the whole box counts as none.
Span Candidates(double a, double b, double reciprocal, double low, double high) {
    if (std::abs(b) < 1e-200) {
        if (a >= low && a <= high)
            return {-HUGE_VAL, HUGE_VAL};
        return {1.0, 0.0};
    }
    double first = (low - a) * reciprocal;
    double last = (high - a) * reciprocal;
    if (first > last)
        std::swap(first, last);
    return {first, last};
}

// floor and ceil for values of a few million at most, without a library call.
inline int FloorInt(double v) {
    const int i = static_cast<int>(v);
    return i - (v < i ? 1 : 0);
}
inline int CeilInt(double v) {
    const int i = static_cast<int>(v);
    return i + (v > i ? 1 : 0);
}

// One line of the turned box, a row or (Column) a column: the rule's two
// expressions with the products of the moving coordinate taken from tables and
// those of the fixed one computed once, in the rule's order of operations. The
// sum x * c + y * s comes out the same either way round; the difference keeps
// y * c first.
template <bool Column>
struct Line {
    const double* movingC;  // moving coordinate * c, per index
    const double* movingS;  // moving coordinate * s, per index
    double fixedC;          // fixed coordinate * c
    double fixedS;          // fixed coordinate * s

    double RawX(int i) const { return Column ? fixedC + movingS[i] - 0.5 : movingC[i] + fixedS - 0.5; }
    double RawY(int i) const { return Column ? movingC[i] - fixedS - 0.5 : fixedC - movingS[i] - 0.5; }
    int SourceX(int i) const { return static_cast<int>(RawX(i)); }
    int SourceY(int i) const { return static_cast<int>(RawY(i)); }
};

// Runs along one line that lies close to the hand's direction. Along it the
// source x moves about one pixel per step and the source y holds for many steps
// (rows near 3 and 9 o'clock, columns near 12 and 6). Each run of one source y
// is predicted from the straight line and then confirmed exactly at its two
// ends; monotonicity fills in the middle.
template <bool Column>
class RunFiller {
public:
    RunFiller(const Source& source, const Line<Column>& line, bool stepsProven, double ySlope, uint32_t* out)
        : source_(source), line_(line), stepsProven_(stepsProven), ySlope_(ySlope), out_(out) {}

    void Fill(int first, int last) {
        const int yFirst = line_.SourceY(first);
        const int yLast = line_.SourceY(last);
        if (yFirst != yLast) {
            // y moves by at most one per step (|ySlope| < 1 with the rounding
            // far below that), so every value between occurs. Each change is
            // predicted from the first value alone, so that the runs do not
            // wait on each other, and confirmed on both sides.
            const int direction = yLast > yFirst ? 1 : -1;
            const double raw0 = line_.RawY(first);
            const double stepsPerUnit = 1.0 / ySlope_;
            int start = first;
            for (int y = yFirst; y != yLast; y += direction) {
                // The value from which the truncation gives y + direction; it
                // does not change at 0, where 0.5 and -0.5 both give 0.
                const int ny = y + direction;
                const double boundary = direction > 0 ? (ny >= 1 ? ny : ny - 1) : (ny <= -1 ? ny : ny + 1);
                const double predicted = std::clamp((boundary - raw0) * stepsPerUnit, 0.0, double(last - first));
                int next = std::clamp(first + static_cast<int>(predicted) + 1, start + 1, last);
                while (next > start + 1 && line_.SourceY(next - 1) != y)
                    --next;
                while (line_.SourceY(next) == y)
                    ++next;
                if (y >= 0 && y < source_.height)
                    FillRun(start, next - 1, y);
                else
                    std::fill(out_ + start, out_ + next, 0u);
                start = next;
            }
            first = start;
        }
        if (yLast >= 0 && yLast < source_.height)
            FillRun(first, last, yLast);
        else
            std::fill(out_ + first, out_ + last + 1, 0u);
    }

private:
    // Indices i .. end all read source row y (within the image).
    inline void FillRun(int i, int end, int y) {
        const int x0 = line_.SourceX(i);
        const int x1 = line_.SourceX(end);
        const int w = source_.width;
        const int n = end - i;
        if (stepsProven_ && std::abs(x1 - x0) == n && unsigned(x0) < unsigned(w) && unsigned(x1) < unsigned(w)) {
            Copy(i, n, source_.pixels + size_t(y) * size_t(w) + x0, x1 > x0 || n == 0);
            return;
        }
        FillRunSlowly(i, end, y, x0, x1);
    }

    void FillRunSlowly(int i, int end, int y, int x0, int x1) {
        const int w = source_.width;
        if ((x0 < 0 && x1 < 0) || (x0 >= w && x1 >= w)) {
            std::fill(out_ + i, out_ + end + 1, 0u);
            return;
        }
        const uint32_t* sourceRow = source_.pixels + size_t(y) * size_t(w);
        if (x0 == x1) {
            std::fill(out_ + i, out_ + end + 1, sourceRow[x0]);
            return;
        }
        const int n = end - i;
        if (n < 16) {
            for (int k = i; k <= end; ++k) {
                const int x = line_.SourceX(k);
                out_[k] = x >= 0 && x < w ? sourceRow[x] : 0;
            }
            return;
        }
        // Truncation toward zero sends both -0.5 and 0.5 to 0, the one repeat
        // on a stretch that is otherwise consecutive: split where the line
        // predicts the sign change, else in the middle.
        const double raw0 = line_.RawX(i);
        const double raw1 = line_.RawX(end);
        int split = i + n / 2;
        if ((raw0 < 0 && raw1 > 0) || (raw0 > 0 && raw1 < 0))
            split = std::clamp(i + static_cast<int>(raw0 / (raw0 - raw1) * n), i, end - 1);
        FillRun(i, split, y);
        FillRun(split + 1, end, y);
    }

    // n + 1 pixels from p on, forward or backward.
    void Copy(int i, int n, const uint32_t* p, bool forward) {
        uint32_t* out = out_ + i;
        int k = 0;
        if (forward) {
            if (n >= 64) {
                std::memcpy(out, p, size_t(n + 1) * sizeof(uint32_t));
                return;
            }
#if defined(__SSE2__)
            for (; k + 3 <= n; k += 4)
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k),
                                 _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k)));
#endif
            for (; k <= n; ++k)
                out[k] = p[k];
            return;
        }
#if defined(__SSE2__)
        for (; k + 7 <= n; k += 8) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p - k - 3));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p - k - 7));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_shuffle_epi32(a, 0x1B));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k + 4), _mm_shuffle_epi32(b, 0x1B));
        }
        for (; k + 3 <= n; k += 4) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p - k - 3));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_shuffle_epi32(v, 0x1B));
        }
#endif
        for (; k <= n; ++k)
            out[k] = p[-k];
    }

    const Source& source_;
    const Line<Column>& line_;
    bool stepsProven_;
    double ySlope_;
    uint32_t* out_;
};

// Whether the source x of a line moves by at most one per step. With g(i) the
// rule's value at index i and errorBound the bound of its rounding, g(i + 1) -
// g(i) <= |slope| + 2 * errorBound, and values at most 1 apart truncate to
// integers at most 1 apart. Right on an axis the slope is 1 within rounding;
// there g(i) = +-t + (fixedTerm - 0.5) + e, t the moving coordinate, with |e| <=
// |t| (1 - |slope|) + errorBound; when fixedTerm - 0.5 is further than that from
// every integer, g(i) truncates as +-t + (fixedTerm - 0.5) does, which moves by
// at most one per step.
bool StepsProven(double slope, double fixedTerm, double errorBound, double maxAbsMoving) {
    if (std::abs(slope) + 2 * errorBound <= 1.0)
        return true;
    const double offset = fixedTerm - 0.5;
    const double distance = std::abs(offset - std::floor(offset + 0.5));
    return distance > maxAbsMoving * (1.0 - std::abs(slope)) + 4 * errorBound + 1e-9;
}

// Runs pay off where the source y holds for about ten steps or more (below
// that, the plain rule per pixel is faster); the proofs need the error bound far
// below a pixel.
bool RunsPayOff(double ySlope, double maxAbs) {
    return ySlope < 0.11 && maxAbs < double(1 << 16);
}

double MaxAbs(const TurnedBounds& b) {
    const double maxAbsX = std::max(std::abs(double(b.minX)), std::abs(double(b.minX) + b.width));
    const double maxAbsY = std::max(std::abs(double(b.minY)), std::abs(double(b.minY) + b.height));
    return maxAbsX + maxAbsY + 2;
}

struct Turn {
    Source source;
    double c;
    double s;
    TurnedBounds b;
};

// out[j * count + l] = lines[l * length + j]: count lines of length pixels.
void Transpose(const uint32_t* lines, int count, int length, uint32_t* out) {
    int l = 0;
#if defined(__SSE2__)
    for (; l + 4 <= count; l += 4) {
        const uint32_t* in = lines + size_t(l) * size_t(length);
        int j = 0;
        for (; j + 4 <= length; j += 4) {
            const __m128i r0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + j));
            const __m128i r1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + length + j));
            const __m128i r2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 2 * size_t(length) + j));
            const __m128i r3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 3 * size_t(length) + j));
            const __m128i t0 = _mm_unpacklo_epi32(r0, r1);
            const __m128i t1 = _mm_unpacklo_epi32(r2, r3);
            const __m128i t2 = _mm_unpackhi_epi32(r0, r1);
            const __m128i t3 = _mm_unpackhi_epi32(r2, r3);
            uint32_t* o = out + size_t(j) * size_t(count) + size_t(l);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi64(t0, t1));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + count), _mm_unpackhi_epi64(t0, t1));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 2 * size_t(count)), _mm_unpacklo_epi64(t2, t3));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 3 * size_t(count)), _mm_unpackhi_epi64(t2, t3));
        }
        for (; j < length; ++j)
            for (int i = 0; i < 4; ++i)
                out[size_t(j) * size_t(count) + size_t(l + i)] = in[size_t(i) * size_t(length) + size_t(j)];
    }
    // The last few lines, a row of the output at a time.
    const uint32_t* in = lines + size_t(l) * size_t(length);
    const int rest = count - l;
    if (rest > 0)
        for (int j = 0; j < length; ++j)
            for (int i = 0; i < rest; ++i)
                out[size_t(j) * size_t(count) + size_t(l + i)] = in[size_t(i) * size_t(length) + size_t(j)];
#else
    for (; l < count; ++l)
        for (int j = 0; j < length; ++j)
            out[size_t(j) * size_t(count) + size_t(l)] = lines[size_t(l) * size_t(length) + size_t(j)];
#endif
}

// The rule pixel by pixel over first .. last of a line.
template <bool Column>
void SamplePixels(const Source& source, const Line<Column>& line, int first, int last, uint32_t* out) {
    const int w = source.width;
    const int h = source.height;
    int i = first;
#if defined(__SSE2__)
    // Four pixels a step: the rule's arithmetic two by two in double lanes,
    // the bounds and the index y * w + x four by four (x and y, once masked to
    // the image, fit 16 bits, so one multiply-add of 16-bit pairs gives the
    // index); only the loads of the pixels are single.
    if (w < 32768 && h < 32768) {
        const __m128d half = _mm_set1_pd(0.5);
        const __m128d fixedC = _mm_set1_pd(line.fixedC);
        const __m128d fixedS = _mm_set1_pd(line.fixedS);
        const __m128i minusOne = _mm_set1_epi32(-1);
        const __m128i width = _mm_set1_epi32(w);
        const __m128i height = _mm_set1_epi32(h);
        const __m128i rowStep = _mm_set1_epi32(int32_t(uint32_t(w) << 16 | 1u));
        alignas(16) int32_t index[4];
        alignas(16) int32_t keep[4];
        for (; i + 3 <= last; i += 4) {
            __m128d x01, x23, y01, y23;
            const __m128d c01 = _mm_loadu_pd(line.movingC + i);
            const __m128d c23 = _mm_loadu_pd(line.movingC + i + 2);
            const __m128d s01 = _mm_loadu_pd(line.movingS + i);
            const __m128d s23 = _mm_loadu_pd(line.movingS + i + 2);
            if (Column) {
                x01 = _mm_sub_pd(_mm_add_pd(fixedC, s01), half);
                x23 = _mm_sub_pd(_mm_add_pd(fixedC, s23), half);
                y01 = _mm_sub_pd(_mm_sub_pd(c01, fixedS), half);
                y23 = _mm_sub_pd(_mm_sub_pd(c23, fixedS), half);
            } else {
                x01 = _mm_sub_pd(_mm_add_pd(c01, fixedS), half);
                x23 = _mm_sub_pd(_mm_add_pd(c23, fixedS), half);
                y01 = _mm_sub_pd(_mm_sub_pd(fixedC, s01), half);
                y23 = _mm_sub_pd(_mm_sub_pd(fixedC, s23), half);
            }
            __m128i x = _mm_unpacklo_epi64(_mm_cvttpd_epi32(x01), _mm_cvttpd_epi32(x23));
            __m128i y = _mm_unpacklo_epi64(_mm_cvttpd_epi32(y01), _mm_cvttpd_epi32(y23));
            const __m128i inside =
                _mm_and_si128(_mm_and_si128(_mm_cmpgt_epi32(x, minusOne), _mm_cmpgt_epi32(width, x)),
                              _mm_and_si128(_mm_cmpgt_epi32(y, minusOne), _mm_cmpgt_epi32(height, y)));
            x = _mm_and_si128(x, inside);
            y = _mm_and_si128(y, inside);
            const __m128i pairs = _mm_or_si128(x, _mm_slli_epi32(y, 16));
            _mm_store_si128(reinterpret_cast<__m128i*>(index), _mm_madd_epi16(pairs, rowStep));
            _mm_store_si128(reinterpret_cast<__m128i*>(keep), inside);
            for (int k = 0; k < 4; ++k)
                out[i + k] = source.pixels[index[k]] & uint32_t(keep[k]);
        }
    }
#endif
    for (; i <= last; ++i) {
        const int x = line.SourceX(i);
        const int y = line.SourceY(i);
        const bool inside = unsigned(x) < unsigned(w) && unsigned(y) < unsigned(h);
        const uint32_t pixel = source.pixels[inside ? size_t(y) * size_t(w) + size_t(x) : 0];
        out[i] = inside ? pixel : 0;
    }
}

// Fills the lines of the box, rows or (Column) columns, each line contiguous
// in target (a column therefore lands transposed). Pixels that may be inside lie
// in one stretch of each line; only that stretch is evaluated.
template <bool Column>
void FillLines(const Turn& t, uint32_t* target) {
    const TurnedBounds& b = t.b;
    const int lines = Column ? b.width : b.height;
    const int length = Column ? b.height : b.width;
    const int movingMin = Column ? b.minY : b.minX;
    const int fixedMin = Column ? b.minX : b.minY;

    // Cleared in one go: most lines leave most of their pixels outside.
    std::memset(target, 0, size_t(lines) * size_t(length) * sizeof(uint32_t));
    // Hands are a few hundred pixels long: their tables live on the stack.
    constexpr int kStackTable = 1024;
    double stackTables[2 * kStackTable];
    std::vector<double> heapTables;
    if (length > kStackTable)
        heapTables.resize(2 * size_t(length));
    double* const movingC = length > kStackTable ? heapTables.data() : stackTables;
    double* const movingS = movingC + length;
    for (int i = 0; i < length; ++i) {
        const double m = movingMin + i;
        movingC[size_t(i)] = m * t.c;
        movingS[size_t(i)] = m * t.s;
    }

    // Every value in the rule is at most maxAbs in size, so each of its
    // roundings is off by at most kRoundoff * maxAbs.
    const double maxAbsX = std::max(std::abs(double(b.minX)), std::abs(double(b.minX) + b.width));
    const double maxAbsY = std::max(std::abs(double(b.minY)), std::abs(double(b.minY) + b.height));
    const double maxAbs = MaxAbs(b);
    const double errorBound = 4 * kRoundoff * maxAbs;
    // Per step along the line.
    const double xSlope = Column ? t.s : t.c;
    const double ySlope = Column ? t.c : -t.s;
    const bool useRuns = RunsPayOff(std::abs(ySlope), maxAbs);

    constexpr double kSlack = 1e-6;
    const int w = t.source.width;
    const int h = t.source.height;
    for (int l = 0; l < lines; ++l) {
        const double fixed = fixedMin + l;
        const Line<Column> line{movingC, movingS, fixed * t.c, fixed * t.s};
        uint32_t* out = target + size_t(l) * size_t(length);
        // Inside: source x in (-1, width) and source y in (-1, height).
        const Span xSpan = Column ? Candidates(line.fixedC - 0.5, t.s, 1 / t.s, -1.0 - kSlack, w + kSlack)
                                  : Candidates(line.fixedS - 0.5, t.c, 1 / t.c, -1.0 - kSlack, w + kSlack);
        const Span ySpan = Column ? Candidates(-line.fixedS - 0.5, t.c, 1 / t.c, -1.0 - kSlack, h + kSlack)
                                  : Candidates(line.fixedC - 0.5, -t.s, -1 / t.s, -1.0 - kSlack, h + kSlack);
        const double firstT = std::max(xSpan.first, ySpan.first) - movingMin;
        const double lastT = std::min(xSpan.last, ySpan.last) - movingMin;
        int first = length;
        int last = -1;
        if (firstT <= lastT) {
            first = std::max(FloorInt(std::clamp(firstT, -4.0, double(length))), 0);
            last = std::min(CeilInt(std::clamp(lastT, -4.0, double(length))), length - 1);
        }
        if (first > last)
            continue;
        if (useRuns) {
            const bool proven =
                StepsProven(xSlope, Column ? line.fixedC : line.fixedS, errorBound, Column ? maxAbsY : maxAbsX);
            RunFiller<Column>(t.source, line, proven, ySlope, out).Fill(first, last);
        } else {
            SamplePixels(t.source, line, first, last, out);
        }
    }
}

}  // namespace

TurnedBounds ComputeTurnedBounds(int width, int height, double angle) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || !std::isfinite(angle))
        return {};
    const double c = std::cos(-angle);
    const double s = std::sin(-angle);
    const double w = width;
    const double h = height;
    const int x1 = static_cast<int>(w * c);
    const int y1 = static_cast<int>(w * s);
    const int x2 = static_cast<int>(-h * s);
    const int y2 = static_cast<int>(h * c);
    const int x3 = static_cast<int>((w - 1) * c - h * s);
    const int y3 = static_cast<int>((w - 1) * s + h * c);
    const int minX = std::min({0, x1, x2, x3});
    const int maxX = std::max({0, x1, x2, x3});
    const int minY = std::min({0, y1, y2, y3});
    const int maxY = std::max({0, y1, y2, y3});
    return {minX, minY, maxX - minX, maxY - minY};
}

void FillTurnedImageReference(const uint32_t* image,
                              int width,
                              int height,
                              double angle,
                              const TurnedBounds& b,
                              uint32_t* out) {
    if (!Usable(image, width, height, b, out) || !std::isfinite(angle))
        return;
    const double c = std::cos(-angle);
    const double s = std::sin(-angle);
    for (int j = 0; j < b.height; ++j) {
        for (int k = 0; k < b.width; ++k) {
            const double X = b.minX + k;
            const double Y = b.minY + j;
            // Truncation toward zero, so -0.9 still lands on pixel 0.
            const int sx = static_cast<int>(X * c + Y * s - 0.5);
            const int sy = static_cast<int>(Y * c - X * s - 0.5);
            uint32_t pixel = 0;
            if (0 <= sx && sx < width && 0 <= sy && sy < height)
                pixel = image[size_t(sy) * width + sx];
            out[size_t(j) * b.width + k] = pixel;
        }
    }
}

// Most of a turned box lies outside the turned image (a long thin hand at 45
// degrees fills a fifth of it), so each line evaluates only the stretch that can
// hit the image; the rest stays clear. The narrowing is conservative; the rule
// itself decides every pixel. Lines run with the hand: rows while it lies nearer
// the horizontal, columns only near 12 and 6 o'clock, where they make runs.
void FillTurnedImage(const uint32_t* image, int width, int height, double angle, const TurnedBounds& b, uint32_t* out) {
    if (!Usable(image, width, height, b, out) || !std::isfinite(angle))
        return;
    const Turn turn{{image, width, height}, std::cos(-angle), std::sin(-angle), b};
    try {
        if (std::abs(turn.c) < std::abs(turn.s) && RunsPayOff(std::abs(turn.c), MaxAbs(b))) {
            // Columns are filled as contiguous lines and turned into rows at the
            // end, four by four, which costs far less than writing them a pixel
            // per row.
            constexpr size_t kStackColumns = 4096;
            const size_t pixels = size_t(b.width) * size_t(b.height);
            uint32_t stackColumns[kStackColumns];
            std::unique_ptr<uint32_t[]> heapColumns;
            if (pixels > kStackColumns)
                heapColumns.reset(new uint32_t[pixels]);
            uint32_t* const columns = heapColumns ? heapColumns.get() : stackColumns;
            FillLines<true>(turn, columns);
            Transpose(columns, b.width, b.height, out);
            return;
        }
        FillLines<false>(turn, out);
    } catch (const std::bad_alloc&) {
        // No room for the tables: the plain rule needs none.
        FillTurnedImageReference(image, width, height, angle, b, out);
    }
}
