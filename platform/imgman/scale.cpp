#include "platform/imgman/scale.hpp"

#include "platform/imgman/codecs.hpp"

#include <algorithm>
#include <cmath>

namespace imgman {

namespace {

struct Tap {
    int index;
    float weight;
};

// For each of `out` new pixels along one axis, the source pixels (of `in`, counted from 0) that
// make it and their weights, which add up to 1.
std::vector<std::vector<Tap>> axis_taps(int in, int out) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(out));
    const double scale = static_cast<double>(in) / out;
    for (int i = 0; i < out; ++i) {
        std::vector<Tap>& t = taps[static_cast<std::size_t>(i)];
        if (scale >= 1) {
            const double from = i * scale, to = (i + 1) * scale;
            for (int j = static_cast<int>(from); j < in && j < to; ++j) {
                const double cover = std::min<double>(j + 1, to) - std::max<double>(j, from);
                if (cover > 0) t.push_back({j, static_cast<float>(cover / scale)});
            }
        } else {
            const double centre = (i + 0.5) * scale - 0.5;
            const int j = static_cast<int>(std::floor(centre));
            const float f = static_cast<float>(centre - j);
            const int a = std::clamp(j, 0, in - 1), b = std::clamp(j + 1, 0, in - 1);
            t.push_back({a, 1 - f});
            t.push_back({b, f});
        }
    }
    return taps;
}

} // namespace

std::optional<Rect> clip_source(const Image& img, const Rect& source) {
    Rect r{std::max(source.left, 0), std::max(source.top, 0), std::min(source.right, img.width - 1),
           std::min(source.bottom, img.height - 1)};
    if (r.right < r.left || r.bottom < r.top) return std::nullopt;
    return r;
}

std::vector<std::uint8_t> resample(const Image& img, const Rect& source, int width, int height) {
    const int sw = source.right - source.left + 1, sh = source.bottom - source.top + 1;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    if (sw == width && sh == height) { // a plain copy
        for (int y = 0; y < height; ++y)
            std::copy_n(img.rgba.data() + ((static_cast<std::size_t>(source.top) + y) * img.width + source.left) * 4,
                        static_cast<std::size_t>(width) * 4, out.data() + static_cast<std::size_t>(y) * width * 4);
        return out;
    }
    const auto across = axis_taps(sw, width), down = axis_taps(sh, height);
    // Each new row: the source rows it covers summed by their weights, then scaled across. Only one
    // source row's worth of sums is kept, however large the pictures are.
    std::vector<float> tall(static_cast<std::size_t>(sw) * 4);
    for (int y = 0; y < height; ++y) {
        std::fill(tall.begin(), tall.end(), 0.0f);
        for (const Tap& t : down[static_cast<std::size_t>(y)]) {
            const std::uint8_t* src =
                img.rgba.data() + ((static_cast<std::size_t>(source.top) + t.index) * img.width + source.left) * 4;
            for (std::size_t i = 0; i < tall.size(); ++i)
                tall[i] += t.weight * src[i];
        }
        std::uint8_t* dst = out.data() + static_cast<std::size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x, dst += 4) {
            float acc[4] = {0, 0, 0, 0};
            for (const Tap& t : across[static_cast<std::size_t>(x)])
                for (int c = 0; c < 4; ++c)
                    acc[c] += t.weight * tall[static_cast<std::size_t>(t.index) * 4 + c];
            for (int c = 0; c < 4; ++c)
                dst[c] = static_cast<std::uint8_t>(std::clamp(acc[c] + 0.5f, 0.0f, 255.0f));
        }
    }
    return out;
}

bool draw_scaled(const Image& img, const Rect& source, ui::Bitmap& surface, const Rect& destination) {
    const std::optional<Rect> src = clip_source(img, source);
    const std::int64_t dw = std::int64_t{destination.right} - destination.left;
    const std::int64_t dh = std::int64_t{destination.bottom} - destination.top;
    if (!src || dw <= 0 || dh <= 0 || dw > max_side || dh > max_side) return false;
    // Only the part of the destination on the surface is worked out.
    const int x0 = std::max(destination.left, 0), y0 = std::max(destination.top, 0);
    const int x1 = static_cast<int>(std::min<std::int64_t>(destination.right, surface.Width));
    const int y1 = static_cast<int>(std::min<std::int64_t>(destination.bottom, surface.Height));
    if (x0 >= x1 || y0 >= y1) return true;
    const std::vector<std::uint8_t> pixels = resample(img, *src, static_cast<int>(dw), static_cast<int>(dh));
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* from =
            pixels.data() + ((static_cast<std::size_t>(y - destination.top)) * dw + (x0 - destination.left)) * 4;
        std::uint8_t* to = surface.row(y) + static_cast<std::size_t>(x0) * 4;
        for (int x = x0; x < x1; ++x, from += 4, to += 4) {
            const unsigned a = img.has_alpha ? from[3] : 255;
            if (a == 255 || to[3] == 0) {
                to[0] = from[0], to[1] = from[1], to[2] = from[2], to[3] = static_cast<std::uint8_t>(a);
                continue;
            }
            for (int c = 0; c < 3; ++c)
                to[c] = static_cast<std::uint8_t>((from[c] * a + to[c] * (255 - a) + 127) / 255);
            to[3] = static_cast<std::uint8_t>(a + (to[3] * (255 - a) + 127) / 255);
        }
    }
    return true;
}

} // namespace imgman
