#pragma once
// The picture editor: a window of its own that shows one picture (the App's PicImage) in its
// picture box and sizes itself around it. It opens BMP and JPG pictures, pastes from and copies to
// the clipboard, saves (to the picture's own file or through the imaging layer's save dialog),
// prints at actual size or fitted to the page, and asks for a scanner source. The image operations
// of the larger edition are on its menus but hidden, disabled as their menu opens, or do nothing.
//
// Others fill the window from outside: they size Picture1 to the image, call AdjustWindow, make
// the image the App's PicImage (closing the old one), draw it, call Titlebar, and show the window.

#include "imaging/handles.hpp"
#include "platform/ui/Controls.hpp"
#include "platform/ui/Menu.hpp"
#include "platform/ui/Window.hpp"

#include <string>

namespace vexolan {

class App;

// "Picture Editor - photo.jpg - 640x480, 16 Milion Colors (24bit)" for an image of that size and
// depth from that file ("Untitled" for an empty name); "Picture Editor" for no image (width 0).
std::string PictureEditorCaption(const std::string& fileName, int width, int height, int bitsPerPixel);

// The rectangle the picture is printed into (left and top 0) on a page of pageWidth x pageHeight
// printer pixels: index 0 at its size on the screen (printer dots per screen pixel), 1 as large as
// the page allows with its proportions kept. Rounded half to even.
imgman::Rect PrintDestination(int Index, int width, int height, int pageWidth, int pageHeight, double printerDpi,
                              double screenDpi);

class PicView : public ui::Window {
public:
    explicit PicView(App& app);

    App& app;

    // The full path of the file the shown picture came from; "" for an untitled picture. Paste
    // keeps it, so Save writes a pasted picture over that file.
    std::string PicFileName;

    // --- public procedures used by the windows that fill this one ---
    // Sizes the window around Picture1 (at least 327 pixels wide). Neither moves nor shows it.
    void AdjustWindow();
    // Sets the caption from PicImage and PicFileName.
    void Titlebar();
    // 0 Save, 1 Save As...: Save writes to PicFileName unless the picture is untitled or a GIF
    // picture; everything else goes through the imaging layer's save dialog.
    void mnuSaveAs_Click(int Index);
    // Asks whether to save a changed picture before another one takes its place, then counts the
    // picture as unchanged. Nothing when the picture is unchanged.
    void OfferToSaveChanges();
    // Procedures of the larger edition with no body here.
    void PluginScan(const std::string& Diry);
    void CreateUndo();
    // Shows the scroll bars the picture needs in the window's client area, or hides them.
    void PlaceScrollBars();

    // The picture changed (by a paste) since it was last saved.
    bool Modified() const { return ImageModified; }

    // --- controls ---
    ui::PictureBox Picture1;
    ui::Shape Shape1; // the selection frame on Picture1; nothing shows it in this edition
    ui::Timer Timer1; // makes the selection frame's border march; nothing starts it
    // The window stays within the screen's work area: these reach the part of a larger picture that
    // it cannot show (values in pixels the picture is scrolled by). Hidden while the picture fits.
    ui::HScrollBar HScroll1;
    ui::VScrollBar VScroll1;

    // --- menus ---
    ui::Menu mnuFile, mnuOpen;
    ui::MenuArray mnuSaveAs; // 0 "Save", 1 "Save As..."
    ui::Menu mnu1, mnuFileSelectSource, mnuFileAcquire, mnu1b, mnuFilePrintSetup, mnuFilePr;
    ui::MenuArray mnuFilePrint; // 0 "Actual Size...", 1 "Fit to Page..."
    ui::Menu zMNU22, mnuExit;
    ui::Menu mnuEdit, mnuUndo, mnu2, mnuCopy, mnuPaste, zmnu777, mnuResize;
    ui::Menu mnuFilter, mnuSelectPluginFolder;
    ui::MenuArray mnuFX; // 0 to 20
    ui::Menu mnuColors;
    ui::MenuArray mnuColorFX; // 0 to 10
    ui::Menu mnuTools, mnuCursor, mnuSelection, mnuZoom;
    ui::Menu mnuSelctions, mnuSelectNone;
    ui::Menu mnuFilters, mnuColorTuner, mnuChannelSwap, mnuGreyscale, mnuInverse, mnuRandomNoise, mnuYUVIntensify;
    ui::Menu mnuHelp, mnuHelp2;

    // --- event procedures ---
    void Form_Load();
    void Form_Unload(int& Cancel);
    void Form_Resize();
    void mnuFile_Click();
    void mnuEdit_Click();
    void mnuFilter_Click();
    void mnuColors_Click();
    void mnuOpen_Click();
    void mnuFileSelectSource_Click();
    void mnuFileAcquire_Click();
    void mnuFilePrintSetup_Click();
    void mnuFilePrint_Click(int Index);
    void mnuExit_Click();
    void mnuUndo_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuResize_Click();
    void mnuSelectPluginFolder_Click();
    void mnuFX_Click(int Index);
    void mnuColorFX_Click(int Index);
    void mnuCursor_Click();
    void mnuSelection_Click();
    void mnuZoom_Click();
    void mnuSelectNone_Click();
    void mnuColorTuner_Click();
    void mnuChannelSwap_Click();
    void mnuGreyscale_Click();
    void mnuInverse_Click();
    void mnuRandomNoise_Click();
    void mnuYUVIntensify_Click();
    void mnuHelp2_Click();
    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void Picture1_MouseMove(int Button, int Shift, float X, float Y);
    void Timer1_Timer();

private:
    void build_menus();
    // The controls and the size as designed, set at construction and again at each load.
    void ApplyDesign();
    // Shows the new PicImage one pixel smaller than the image each way and sizes the window.
    void ShowNewImage();
    // Moves the picture box by the scroll bars' values.
    void ScrollPicture();

    // The image Undo brings back; no command of this edition makes one.
    int UndoImage = 0;
    bool ImageModified = false;
    // Which border the selection frame shows at the next tick.
    bool DottedNext = false;
};

} // namespace vexolan
