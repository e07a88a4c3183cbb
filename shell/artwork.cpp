#include "shell/artwork.hpp"

namespace vexolan {

std::string ArtworkFile(int handle) {
    switch (handle) {
    case LogoPicture:
        return "pictures/logo.png";
    case ProEditionPicture:
        return "pictures/proedition.png";
    case TipPicture:
        return "pictures/tip.png";
    default:
        return {};
    }
}

} // namespace vexolan
