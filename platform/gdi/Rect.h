#pragma once
// Points and rectangles with the one convention of the drawing layer:
// left and top inclusive, right and bottom exclusive.

namespace gdi {

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] constexpr int width() const { return right - left; }
    [[nodiscard]] constexpr int height() const { return bottom - top; }
    [[nodiscard]] constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    [[nodiscard]] constexpr bool contains(int x, int y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
    // OffsetRect
    [[nodiscard]] constexpr Rect offset(int dx, int dy) const
    {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    // InflateRect: negative amounts move every edge inwards.
    [[nodiscard]] constexpr Rect inflate(int dx, int dy) const
    {
        return {left - dx, top - dy, right + dx, bottom + dy};
    }
    // The same rectangle with left <= right and top <= bottom (edges swapped where needed).
    [[nodiscard]] constexpr Rect normalized() const
    {
        return {left < right ? left : right, top < bottom ? top : bottom, left < right ? right : left,
                top < bottom ? bottom : top};
    }
    [[nodiscard]] static constexpr Rect fromXYWH(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

} // namespace gdi
