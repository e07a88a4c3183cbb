#pragma once
// The image handles of the program: every picture it opens, scales, shows, saves, prints or filters
// lives in the imaging layer under a handle, and the program reaches it through these procedures.
// A variable holding a handle owns the image: whoever replaces the value closes the old image
// first, which is why every procedure takes the handle variable by reference. The shared handles
// (PreviewImage, PluginImage, PicImage) are kept by the App.

#include "platform/imgman/imgman.hpp"

#include <string>

namespace ui {
class PictureBox;
}

namespace vexolan {

class App;

// Closes the image (when the handle is not 0) and leaves 0.
void CloseImg(App& app, int& handle);
// Closes what the handle held and opens the file into it. False when it cannot be opened, after
// the message CouldNotOpenText unless `quiet`.
bool OpenImg(App& app, const std::string& fileName, int& handle, bool quiet);
// "Couldn't open <name>", and on a second line the reason the imaging layer gave for its last failure.
std::string CouldNotOpenText(const std::string& fileName);
// Closes what the handle held and opens the picture the user chooses in the imaging layer's open
// dialog, which offers BMP and JPEG pictures: the chosen path, "" when the user cancelled. The
// handle is 0 when the picture did not open.
std::string OpenImgDialog(App& app, int& handle);
// Makes `destination` a copy of the whole source scaled to width x height; a width or height of 0
// takes the source's, written back into the variable. The destination is closed first, even when
// the source is 0. True when the copy was made.
bool CopyImg(App& app, int& width, int& height, int& source, int& destination);
// Draws the whole image into the box: centred on each axis where it is smaller than the box,
// stretched to the box along an axis where it is not (proportions are not kept). False for 0.
bool DrawImg(App& app, int& handle, ui::PictureBox& box);
// Makes the box one pixel smaller than the image each way (in twips). Nothing for 0.
void SizeBoxToImg(App& app, ui::PictureBox& box, int& handle);

// The destination rectangle DrawImg uses for an image of w x h pixels in a box of the given size
// in twips (right and bottom exclusive).
imgman::Rect DrawImgRect(double boxWidthTwips, double boxHeightTwips, int twipsPerPixelX, int twipsPerPixelY, int w,
                         int h);

} // namespace vexolan
