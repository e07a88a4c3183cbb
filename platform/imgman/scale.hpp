#pragma once
// Scaling pictures: a box filter where a picture shrinks (each new pixel the average of the source
// area it covers), bilinear interpolation where it grows.

#include "platform/imgman/imgman.hpp"

#include <optional>
#include <vector>

namespace imgman {

// The source rectangle (last pixel inclusive) cut to the picture; nothing when no pixel is left.
std::optional<Rect> clip_source(const Image& img, const Rect& source);
// The pixels of `source` (already clipped) scaled to width x height, as RGBA bytes.
std::vector<std::uint8_t> resample(const Image& img, const Rect& source, int width, int height);
// Draws `source` of the picture scaled into `destination` (right and bottom exclusive) of the
// surface, clipped to the surface. False when either rectangle is empty or too large.
bool draw_scaled(const Image& img, const Rect& source, ui::Bitmap& surface, const Rect& destination);

} // namespace imgman
