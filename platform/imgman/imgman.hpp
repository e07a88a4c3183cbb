#pragma once
// The imaging library as the program calls it: image handles over decoded pictures, opening and
// writing files, scaled copies, drawing onto picture boxes and printer pages, the image clipboard,
// and the scanner calls (no scanning device exists here). Results follow one rule: a handle of 0,
// or a result of 0, means failure, and ImgGetStatus / ImgErrBox then tell what went wrong; 1 is
// success. A dialog the user cancels leaves the status 26.
//
// Rectangles are left, top, right, bottom. A source rectangle names its last pixel
// ({0, 0, width - 1, height - 1} is the whole picture); a destination rectangle ends just before
// its right and bottom edges, so (0, 0, w, h) is w x h pixels.

#include "platform/imgman/images.hpp"
#include "platform/ui/Bitmap.hpp"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
class Host;
class PictureBox;
} // namespace ui

namespace imgman {

struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// What ImgGetInfoStruct reports of an image.
struct ImageInfo {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int16_t BitCount = 0; // the nominal bits per pixel
};

// The status values ImgGetStatus returns.
enum Status : int {
    StatusOK = 0,
    StatusFileError = 1,   // the file could not be read or written
    StatusBadPicture = 2,  // not a picture, damaged, or too large
    StatusBadHandle = 3,   // 0 or a handle that names no image
    StatusBadArgument = 4, // an empty rectangle, a size out of range
    StatusCannotWrite = 5, // a format that cannot be written
    StatusNoPicture = 6,   // the clipboard holds no picture
    StatusPrintFailed = 7, // the print command failed or is missing
    StatusNoScanner = 8,   // there is no scanning device
    StatusBadFormula = 9,  // a formula of the plug-in's filter does not compile
    StatusCancelled = 26,  // the user cancelled a dialog
};

// The option values of ImgXWriteImage.
inline constexpr int WriteToName = 2;    // write to the named file, in the format of its extension
inline constexpr int WriteByDialog = 48; // ask for the file in a save dialog

// --- opening and closing ---
// Opens a picture file (BMP, JPEG, PNG or GIF, found by its contents); `options` is unused.
std::int32_t ImgOpenSolo(std::string_view fileName, std::string_view options = {});
// What the open dialog offers, added up: a command that opens only some formats offers only those.
inline constexpr int OfferBmp = 1;   // *.bmp
inline constexpr int OfferJpeg = 2;  // *.jpg
inline constexpr int OfferPng = 4;   // *.png
inline constexpr int OfferGif = 8;   // *.gif
inline constexpr int OfferOther = 16; // the other names of the formats (*.dib, *.jpeg) and All Files
inline constexpr int OfferEverything = 31;
// Asks for a picture in the host's open dialog and opens it: the handle, and the chosen path in
// `path` (empty when cancelled). 0 when the user cancelled (status 26) or the picture did not open.
// `flags` (Offer...) tells which files the dialog offers.
std::int32_t ImgOpenDialog(ui::Host& host, std::string& path, int flags = OfferEverything);
// Frees the image: 1, or 0 for a handle that names none.
int ImgClose(std::int32_t handle);

// --- information and new images ---
// Width, height and nominal depth: 1, or 0 for a bad handle. `flags` is passed on to ImgCopy.
int ImgGetInfoStruct(std::int32_t handle, ImageInfo& info, std::int32_t& flags);
// A new image of the source rectangle scaled to width x height, with the source's nominal depth.
std::int32_t ImgCopy(std::int32_t handle, int width, int height, const Rect& source, std::int32_t flags = 0);
// A new image with the nominal depth raised to `bits`; 0 when `bits` is no depth or lies below the
// image's own (the old image stays).
std::int32_t ImgIncreaseColors(std::int32_t handle, int bits);

// --- drawing ---
// Draws the source rectangle of the image scaled into the destination rectangle of the surface,
// blending by the image's alpha where it has one. 1, or 0 when nothing could be drawn.
int ImgDrawImage(std::int32_t handle, ui::Bitmap& surface, const Rect& destination, const Rect& source);
// The same onto a picture box's persistent image (in pixels of its client area).
int ImgDrawImage(std::int32_t handle, ui::PictureBox& box, const Rect& destination, const Rect& source);

// --- writing ---
// Writes the image: with WriteToName to `fileName` in the format its extension names (.bmp as 24
// bits, .jpg/.jpeg, .png); with WriteByDialog through the host's save dialog, starting from
// `fileName` when one is given. 1 = written; 0 with the status otherwise (26 = cancelled).
int ImgXWriteImage(std::string_view fileName, std::int32_t handle, ui::Host& owner, int options);

// --- errors ---
int ImgGetStatus();
// The sentence that describes the last failure ("" after a success).
std::string ImgGetErrorText();
// Shows the last failure in a message box of the host. Returns 1.
int ImgErrBox(ui::Host& owner);

// --- printing ---
// A printer page: white paper of A4 size in printer pixels at Dpi. ImgPrintImage draws onto it;
// EndDoc sends it to the desktop's print command ("lp") as a temporary PNG picture and starts a
// fresh page.
class Printer {
public:
    explicit Printer(int dpi = 300);
    int Dpi;
    ui::Bitmap Page;
    int ScaleWidth() const { return Page.Width; }
    int ScaleHeight() const { return Page.Height; }
    // 1 when the print command took the page; 0 with the status StatusPrintFailed when there is no
    // print command, no printer, or the command did not answer within print_timeout.
    int EndDoc();
};
int ImgPrintImage(std::int32_t handle, Printer& printer, const Rect& destination, const Rect& source);
// A text document for the printer: lines printed in a font size of FontSize points. EndDoc sends
// them to the desktop's print command as plain text (UTF-8, one line per printed line) and starts
// a fresh document; its result and failures are those of Printer::EndDoc.
class TextPrinter {
public:
    double FontSize = 10;
    void Print(std::string_view line) { lines_.emplace_back(line); }
    const std::vector<std::string>& Lines() const { return lines_; }
    int EndDoc();

private:
    std::vector<std::string> lines_;
};
// How long EndDoc waits for the print command before it gives up on it.
void set_print_timeout(std::chrono::milliseconds timeout);

// --- the clipboard ---
// A new image of the picture on the host's clipboard; 0 when it holds none.
std::int32_t ImgFromClipboard(ui::Host& host);

// --- scanning: no scanning device is available on this system ---
int ScanIsTWAINAvailable();
int ScanSelectSource(ui::Host& owner);

} // namespace imgman
