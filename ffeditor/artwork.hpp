#pragma once
// The editor window's built-in pictures: three slider track looks, three knob looks, the memory
// pad and the spot marker. Their image handles are negative, beside the program's other artwork;
// the files lie in the interface folder of the application folder.

#include <string>

namespace vexolan {

enum EditorPicture : int {
    TrackPicture0 = -20, // 137 x 17 pixels each
    TrackPicture1 = -21,
    TrackPicture2 = -22,
    KnobPicture0 = -23,  // 9 x 17 pixels
    KnobPicture1 = -24,  // 8 x 17 pixels
    KnobPicture2 = -25,  // 8 x 17 pixels
    PadPicture = -26,    // 121 x 49 pixels: 5 x 2 cells
    MarkerPicture = -27, // 22 x 22 pixels
};

// The picture's file relative to the application folder ("interface/SlidTrk0.png"), or "" for a
// handle that is not one of these.
std::string EditorArtworkFile(int handle);

} // namespace vexolan
