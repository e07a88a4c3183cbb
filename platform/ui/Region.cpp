#include "platform/ui/Region.hpp"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr int Limit = 32767;

int clamp_coordinate(int v) {
    return std::clamp(v, -Limit, Limit);
}

struct Box {
    int l, t, r, b;
};

Box normalised(int left, int top, int right, int bottom) {
    left = clamp_coordinate(left), right = clamp_coordinate(right);
    top = clamp_coordinate(top), bottom = clamp_coordinate(bottom);
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

// The pixels of row y whose centres lie inside the ellipse inscribed in (l, t) .. (r, b): the span
// [from, to), empty when from >= to.
std::pair<int, int> ellipse_span(double l, double t, double r, double b, int y) {
    double a = (r - l) / 2, c = (b - t) / 2;
    if (a <= 0 || c <= 0) return {0, 0};
    double dy = (y + 0.5 - (t + b) / 2) / c;
    double q = 1 - dy * dy;
    if (q < 0) return {0, 0};
    double half = a * std::sqrt(q), mid = (l + r) / 2;
    // Pixel x is inside when its centre x + 0.5 lies within [mid - half, mid + half].
    int from = static_cast<int>(std::ceil(mid - half - 0.5));
    int to = static_cast<int>(std::floor(mid + half - 0.5)) + 1;
    return {std::max(from, static_cast<int>(l)), std::min(to, static_cast<int>(r))};
}

using Spans = Region::Spans;

// Merges two span lists by the combination mode.
Spans combine_row(const Spans& a, const Spans& b, int mode) {
    // Walk the edges of both lists together, tracking whether each side is inside.
    std::vector<int> edges;
    for (auto& s : a)
        edges.push_back(s.first), edges.push_back(s.second);
    for (auto& s : b)
        edges.push_back(s.first), edges.push_back(s.second);
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    auto inside = [](const Spans& spans, int x) {
        auto it = std::upper_bound(spans.begin(), spans.end(), x,
                                   [](int v, const std::pair<int, int>& s) { return v < s.first; });
        return it != spans.begin() && x < std::prev(it)->second;
    };
    Spans out;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        int x = edges[i];
        bool ia = inside(a, x), ib = inside(b, x);
        bool in = mode == RGN_AND ? ia && ib : mode == RGN_OR ? ia || ib : mode == RGN_XOR ? ia != ib : ia && !ib;
        if (!in) continue;
        if (!out.empty() && out.back().second == x)
            out.back().second = edges[i + 1];
        else
            out.emplace_back(x, edges[i + 1]);
    }
    return out;
}

} // namespace

const Region::Spans& Region::row(int y) const {
    static const Spans none;
    if (y < top_ || y >= top_ + static_cast<int>(rows_.size())) return none;
    return rows_[static_cast<std::size_t>(y - top_)];
}

void Region::trim() {
    std::size_t first = 0, last = rows_.size();
    while (first < last && rows_[first].empty())
        ++first;
    while (last > first && rows_[last - 1].empty())
        --last;
    if (first == last) {
        rows_.clear();
        top_ = 0;
        return;
    }
    rows_ = std::vector<Spans>(rows_.begin() + static_cast<std::ptrdiff_t>(first),
                               rows_.begin() + static_cast<std::ptrdiff_t>(last));
    top_ += static_cast<int>(first);
}

Region Region::Rect(int left, int top, int right, int bottom) {
    Box box = normalised(left, top, right, bottom);
    Region r;
    if (box.r <= box.l || box.b <= box.t) return r;
    r.top_ = box.t;
    r.rows_.assign(static_cast<std::size_t>(box.b - box.t), Spans{{box.l, box.r}});
    return r;
}

Region Region::Ellipse(int left, int top, int right, int bottom) {
    Box box = normalised(left, top, right, bottom);
    Region r;
    if (box.r <= box.l || box.b <= box.t) return r;
    r.top_ = box.t;
    r.rows_.resize(static_cast<std::size_t>(box.b - box.t));
    for (int y = box.t; y < box.b; ++y) {
        auto [from, to] = ellipse_span(box.l, box.t, box.r, box.b, y);
        if (from < to) r.rows_[static_cast<std::size_t>(y - box.t)].emplace_back(from, to);
    }
    r.trim();
    return r;
}

Region Region::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    Box box = normalised(left, top, right, bottom);
    Region r;
    if (box.r <= box.l || box.b <= box.t) return r;
    int cw = std::clamp(cornerWidth, 0, box.r - box.l), ch = std::clamp(cornerHeight, 0, box.b - box.t);
    if (cw <= 1 || ch <= 1) return Rect(box.l, box.t, box.r, box.b);
    r.top_ = box.t;
    r.rows_.resize(static_cast<std::size_t>(box.b - box.t));
    for (int y = box.t; y < box.b; ++y) {
        int from = box.l, to = box.r;
        // Rows beside a corner are cut by the quarter ellipses of the two corners of that edge.
        bool upper = y < box.t + ch / 2, lower = y >= box.b - ch / 2;
        if (upper || lower) {
            int et = upper ? box.t : box.b - ch;
            auto left_span = ellipse_span(box.l, et, box.l + cw, et + ch, y);
            auto right_span = ellipse_span(box.r - cw, et, box.r, et + ch, y);
            if (left_span.first >= left_span.second) continue;
            from = left_span.first;
            to = right_span.second;
        }
        if (from < to) r.rows_[static_cast<std::size_t>(y - box.t)].emplace_back(from, to);
    }
    r.trim();
    return r;
}

bool Region::contains(int x, int y) const {
    const Spans& spans = row(y);
    auto it = std::upper_bound(spans.begin(), spans.end(), x,
                               [](int v, const std::pair<int, int>& s) { return v < s.first; });
    return it != spans.begin() && x < std::prev(it)->second;
}

RegionBox Region::bounds() const {
    if (rows_.empty()) return {};
    RegionBox b{Limit, top_, -Limit, top_ + static_cast<int>(rows_.size())};
    for (const Spans& s : rows_)
        if (!s.empty()) b.Left = std::min(b.Left, s.front().first), b.Right = std::max(b.Right, s.back().second);
    return b;
}

bool Region::empty() const {
    return rows_.empty();
}

int Region::complexity() const {
    if (rows_.empty()) return NULLREGION;
    for (const Spans& s : rows_)
        if (s.size() != 1 || s.front() != rows_.front().front()) return COMPLEXREGION;
    return SIMPLEREGION;
}

std::vector<unsigned char> Region::mask(int width, int height) const {
    width = std::max(0, width);
    height = std::max(0, height);
    std::vector<unsigned char> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (int y = std::max(0, top_); y < std::min(height, top_ + static_cast<int>(rows_.size())); ++y)
        for (auto [from, to] : row(y))
            for (int x = std::max(0, from); x < std::min(width, to); ++x)
                out[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = 1;
    return out;
}

int CombineRgn(Region& destination, const Region& first, const Region& second, int mode) {
    if (mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
    if (mode == RGN_COPY) {
        destination = first;
        return destination.complexity();
    }
    Region result;
    int top = first.rows_.empty() ? second.top_ : second.rows_.empty() ? first.top_ : std::min(first.top_, second.top_);
    int bottom = std::max(first.top_ + static_cast<int>(first.rows_.size()),
                          second.top_ + static_cast<int>(second.rows_.size()));
    if (first.rows_.empty()) bottom = second.top_ + static_cast<int>(second.rows_.size());
    if (second.rows_.empty()) bottom = first.top_ + static_cast<int>(first.rows_.size());
    if (bottom > top) {
        result.top_ = top;
        result.rows_.resize(static_cast<std::size_t>(bottom - top));
        for (int y = top; y < bottom; ++y)
            result.rows_[static_cast<std::size_t>(y - top)] = combine_row(first.row(y), second.row(y), mode);
        result.trim();
    }
    destination = std::move(result);
    return destination.complexity();
}

} // namespace ui
