#pragma once
// The program's own pictures (logo, edition advertisement, tip window, the toolbar's buttons, the
// menu entries). Their image handles are negative, so they never meet the handles the imaging
// library gives out; the screen finds each picture's file in the application folder.

#include <string>

namespace vexolan {

enum ArtworkPicture : int {
    LogoPicture = -1,
    ProEditionPicture = -2,
    TipPicture = -3,
    PreviewButtonPicture = -4,
    OverlayButtonPicture = -5,
    AlphaButtonPicture = -6,
    // The pointer of a drag between the panes: an arrow over three stacked sheets, 32 x 32, two
    // colours, its hot spot the top-left pixel.
    DragFilesPicture = -7,
    // The pane buttons beside each pane's folder line, 18 x 18: view mode, folder box, synchronise.
    ViewModeButtonPicture = -8,
    FolderBoxButtonPicture = -9,
    SyncPanesButtonPicture = -10,
    // The main window's menu pictures: picture k (0 to MenuPictureCount - 1) is FirstMenuPicture - k.
    FirstMenuPicture = -100,
};
inline constexpr int MenuPictureCount = 18;

// The picture's file, relative to the application folder ("pictures/logo.png"); "" for a handle
// that is not ours.
std::string ArtworkFile(int handle);

} // namespace vexolan
