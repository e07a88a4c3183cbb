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
    default:
        return EditorArtworkFile(handle);
    }
}

} // namespace vexolan
