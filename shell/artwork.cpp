#include "shell/artwork.hpp"

#include "ffeditor/artwork.hpp"

namespace vexolan {

std::string ArtworkFile(int handle) {
    switch (handle) {
    case LogoPicture:
        return "pictures/logo.png";
    case ProEditionPicture:
        return "pictures/proedition.png";
    case TipPicture:
        return "pictures/tip.png";
    case PreviewButtonPicture:
        return "pictures/toolbar_preview.png";
    case OverlayButtonPicture:
        return "pictures/toolbar_overlay.png";
    case AlphaButtonPicture:
        return "pictures/toolbar_alpha.png";
    case DragFilesPicture:
        return "pictures/drag_files.png";
    case ViewModeButtonPicture:
        return "pictures/pane_viewmode.png";
    case FolderBoxButtonPicture:
        return "pictures/pane_folderbox.png";
    case SyncPanesButtonPicture:
        return "pictures/pane_sync.png";
    default:
        if (handle <= FirstMenuPicture && handle > FirstMenuPicture - MenuPictureCount) {
            const int k = FirstMenuPicture - handle;
            return std::string("pictures/menu_") + static_cast<char>('0' + k / 10) + static_cast<char>('0' + k % 10) +
                   ".png";
        }
        return EditorArtworkFile(handle);
    }
}

} // namespace vexolan
