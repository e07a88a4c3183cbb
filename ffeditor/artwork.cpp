#include "ffeditor/artwork.hpp"

namespace vexolan {

std::string EditorArtworkFile(int handle) {
    // Every name is exactly 12 characters, as the Preferences' interface list expects of the files
    // of the interface folder.
    switch (handle) {
    case TrackPicture0:
        return "interface/SlidTrk0.png";
    case TrackPicture1:
        return "interface/SlidTrk1.png";
    case TrackPicture2:
        return "interface/SlidTrk2.png";
    case KnobPicture0:
        return "interface/SlidKnb0.png";
    case KnobPicture1:
        return "interface/SlidKnb1.png";
    case KnobPicture2:
        return "interface/SlidKnb2.png";
    case PadPicture:
        return "interface/MemoryPd.png";
    case MarkerPicture:
        return "interface/SpotMark.png";
    default:
        return {};
    }
}

} // namespace vexolan
