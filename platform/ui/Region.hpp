#pragma once
// A window outline (a Windows region): rectangles, ellipses and rounded rectangles combined by the
// five combination modes. Coordinates are pixels of the window; right and bottom edges are
// exclusive, as on Windows. A window given a region shows and takes the mouse only inside it.
// A region is kept as the spans of pixels it covers on each row, so combining many shapes stays
// flat and a query is a search in one row. Coordinates are limited to -32767..32767.
//
//     ui::Region outline = ui::Region::Rect(0, 0, 560, 420);
//     ui::CombineRgn(outline, outline, ui::Region::Ellipse(200, 150, 360, 270), ui::RGN_DIFF);
//     outline.contains(280, 210);   // false: the hole

#include <utility>
#include <vector>

namespace ui {

// The combination modes and the results CombineRgn returns, with Windows' numbers.
enum RegionMode : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
enum RegionResult : int { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };

struct RegionBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0; // right and bottom exclusive
    bool empty() const { return Right <= Left || Bottom <= Top; }
};

class Region {
public:
    // The empty region.
    Region() = default;
    // Corners in any order; CornerWidth and CornerHeight are the size of the ellipse that rounds
    // each corner of a rounded rectangle.
    static Region Rect(int left, int top, int right, int bottom);
    static Region Ellipse(int left, int top, int right, int bottom);
    static Region RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);

    // Whether the pixel (x, y) lies in the region.
    bool contains(int x, int y) const;
    // A rectangle holding every pixel of the region (possibly larger than needed).
    RegionBox bounds() const;
    // Whether no pixel lies in the region.
    bool empty() const;
    // NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION.
    int complexity() const;
    // One entry per pixel of a width x height area from (0, 0), row by row: 1 inside, 0 outside.
    std::vector<unsigned char> mask(int width, int height) const;

    // The spans [from, to) of row y, left to right, not touching each other.
    using Spans = std::vector<std::pair<int, int>>;
    const Spans& row(int y) const;

private:
    friend int CombineRgn(Region& destination, const Region& first, const Region& second, int mode);
    void trim();
    int top_ = 0;
    std::vector<Spans> rows_; // rows_[k] is row top_ + k
};

// destination := first combined with second by mode (RGN_AND ... RGN_COPY). Returns the result's
// complexity, or RGN_ERROR for an unknown mode, leaving destination unchanged. The destination may
// be one of the sources.
int CombineRgn(Region& destination, const Region& first, const Region& second, int mode);

} // namespace ui
