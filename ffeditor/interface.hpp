#pragma once
// The editor's skins: an interface description file (".des", in the interface folder of the
// application folder) gives the editor window its picture, size, outline, slider kind, mail link
// area and code-box rectangle. Fields, in order (coordinates in pixels):
//
//     name, picture, N, W, H,
//     N shapes: kind ("Rect", "Ellipse", "RoundRect"), left, top, right, bottom, corner w, corner h
//       with an operation ("RGN_AND", "RGN_OR", "RGN_XOR", "RGN_DIFF", "RGN_COPY") after the
//       second shape and after each further one,
//     then, each optional and only in this order:
//     "GraphSlider<n>"                      graphic sliders in look n (0..2); anything else: scroll bars
//     "Mailto", left, top, right, bottom, address, tooltip
//     "CodeWindows", left, top, right, bottom
//
// A file that is missing, short or malformed is applied as far as it goes, without a message.

namespace vexolan {

class App;

// The file used when the chosen one does not exist, and for the plain editor ("OFF").
inline constexpr const char* FallbackInterfaceFile = "Interfc5.des";

// Applies App::InterfaceFile (in App::InterfaceFolder) to the editor window. Falls back to
// "Interfc5.des" when the chosen file does not exist, and then chooses that file, except under the
// plain editor ("OFF"), which keeps its choice and only borrows the look.
void LoadInterface(App& app);

} // namespace vexolan
