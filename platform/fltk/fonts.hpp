#pragma once
// The faces every window draws its text with. The designs name Windows fonts ("MS Sans Serif",
// "Arial") that a Linux desktop lacks, and which face FLTK's "sans" becomes differs from machine to
// machine; so the binding names its faces itself, from fonts the program's install step puts on every
// machine, and captions measure the same everywhere.
//
// FLTK draws each string with one font and has no fallback of its own: a character the face lacks
// would show as a box. The binding's text drawing therefore splits each string into runs by the
// current face's glyph coverage and draws the runs the face lacks (Chinese, Japanese) from a second
// named face, so that "Фильтры 日本語" reads as written.

#include <FL/Enumerations.H>

namespace fltk {

// The interface face, behind FL_HELVETICA and its styles (Debian package fonts-roboto-unhinted):
// about as wide as the Windows interface faces the designs were measured with, so that the texts
// of the editor's scaled-up controls fit too. The faces behind FLTK's serif and fixed faces, with
// the widths of the Windows faces of those kinds (Debian package fonts-liberation2).
inline constexpr const char* InterfaceFontFamily = "Roboto Condensed";
inline constexpr const char* SerifFontFamily = "Liberation Serif";
inline constexpr const char* FixedFontFamily = "Liberation Mono";
// Where characters the current face lacks are taken from (Debian package fonts-droid-fallback).
inline constexpr const char* FallbackFontFamily = "Droid Sans Fallback";

// Names FLTK's built-in faces after the families above and routes all text drawing and measuring
// on the display through the fallback. Call once the display is open, before anything is drawn.
void install_interface_fonts();

// Whether `face` (in any style) has a glyph for the code point, as fontconfig matches the face.
bool face_has_glyph(Fl_Font face, unsigned codePoint);
// The face a character that `face` lacks is drawn from.
Fl_Font fallback_face(Fl_Font face);

} // namespace fltk
