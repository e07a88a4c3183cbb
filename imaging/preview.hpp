#pragma once
// The preview picture: the picture filters are tried on (App::OriginalBMP), its thumbnail in
// App::PreviewImage, the File menu's image list, "Open Preview Image..." and View > "Picture Editor",
// and the opening of a picture file in the picture editor.

#include <string>

namespace vexolan {

class App;

// The thumbnail's size in pixels for a picture of width x height: a landscape picture becomes 160
// pixels wide, a portrait or square one 110 pixels high, the other side in proportion of width - 1
// to height - 1, converted through the screen's twips per pixel and rounded half to even. A side
// of 0 means "the picture's own" to CopyImg. A 1 x 1 picture keeps its size.
struct ThumbSize {
    int width = 0;
    int height = 0;
};
ThumbSize ThumbnailSize(int width, int height, int twipsPerPixelX, int twipsPerPixelY);

// Chooses the preview picture at start: the stored "PreviewPic", or Test.bmp of the application
// folder when that names no file; makes its thumbnail and checks its image-list entry.
void PreparePreviewPic(App& app);
// Makes PreviewImage from OriginalBMP (at least 24 bits). A picture that does not open leaves the
// old thumbnail after the message "Couldn't open <path>".
void CreateThumb(App& app);

// Opens the picture file into the handle variable (unless it holds an image already) and hands
// the image to the picture editor at its full pixel size, which then owns it (the variable is left
// 0). A file that does not open gives "Couldn't open <name>" and leaves the picture editor alone.
void LoadintoPicView(App& app, const std::string& ImageFile, int& ImageLoady);

// --- main-window menu handlers ---
void mnuPictures_Click(App& app, int Index);
void mnuOpen_Click(App& app);
void mnuPictureView_Click(App& app);

} // namespace vexolan
