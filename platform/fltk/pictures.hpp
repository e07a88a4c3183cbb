#pragma once
// Pictures of the ui model on the screen: a picture box's persistent image, and the desktop's
// image clipboard.

#include "platform/ui/Bitmap.hpp"

namespace fltk {

// Draws the bitmap with its top-left corner at (x, y), blending by its alpha over what is there.
void draw_bitmap(const ui::Bitmap& bitmap, int x, int y);

} // namespace fltk
