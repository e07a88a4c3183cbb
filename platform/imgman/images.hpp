#pragma once
// The image handle table of our imaging layer. A handle is a positive int32_t naming one decoded
// picture; 0 means "no image" or "failure". Every picture is held as RGBA8 whatever its file held;
// `bpp` keeps the nominal depth of the file (1, 4, 8, 16, 24 or 32), which the title bar shows and
// the thumbnail code raises to 24.

#include <cstdint>
#include <vector>

namespace imgman {

struct Image {
    int width = 0;
    int height = 0;
    int bpp = 24;              // nominal depth of the picture
    bool has_alpha = false;    // the alpha bytes carry a real channel, not just 255
    std::vector<uint8_t> rgba; // width*height*4 bytes, row-major, top row first
};

// A new handle for the image, 0 when the image is inconsistent (empty, or its buffer does not
// match its size).
int32_t add_image(Image img);
// The image behind a handle; nullptr for 0 and for unknown or closed handles.
Image* image_of(int32_t handle);
// Frees the image; false when the handle named none.
bool close_image(int32_t handle);
// How many handles are open (tests check that every test closes what it opened).
int live_handle_count();

} // namespace imgman
