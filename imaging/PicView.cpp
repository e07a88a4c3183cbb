#include "imaging/PicView.hpp"
#include "platform/ui/MenuBuilder.hpp"

#include "imaging/handles.hpp"
#include "platform/imgman/imgman.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/help.hpp"
#include "shell/helpers.hpp"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace vexolan {

namespace {

// The client area the window opens with, in twips.
constexpr int DesignClientWidth = 3852;
constexpr int DesignClientHeight = 2700;
// The narrowest the window gets around a picture, in pixels.
constexpr int MinimumWidthPixels = 327;
// The thickness of the scroll bars of a picture larger than the window.
constexpr int ScrollBarPixels = 16;
// Where the selection frame lies on the picture box at design time.
constexpr int FrameLeft = 288, FrameTop = 288, FrameWidth = 1452, FrameHeight = 972;
// Shape border styles the selection frame alternates between.
constexpr int BorderDotted = 3;
constexpr int BorderDashDot = 4;

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool names_bmp_or_jpg(const std::string& name) {
    const std::string l = lower(name);
    return l.find(".bmp") != std::string::npos || l.find(".jpg") != std::string::npos;
}

// The hourglass on the picture editor for the length of a command, also when it fails.
struct Hourglass {
    ui::Window& w;
    explicit Hourglass(ui::Window& window) : w(window) { w.MousePointer = ui::vbHourglass; }
    ~Hourglass() { w.MousePointer = ui::vbDefault; }
};

struct MenuText {
    const char* caption;
    const char* shortcut;
};

// The Filters menu's image operations, index 0 to 20 (entry 10 is hidden).
constexpr MenuText FXEntries[] = {
    {"-", ""},
    {"Invert", "Ctrl+I"},
    {"Auto Contrast", ""},
    {"Contrast...", "Ctrl+K"},
    {"Brightness...", "Ctrl+B"},
    {"Gamma Increase...", ""},
    {"Gamma Decrease...", ""},
    {"-", ""},
    {"Blur", ""},
    {"Sharpen", ""},
    {"Despeckle", ""},
    {"Edge Detect", ""},
    {"Edge Detect II", ""},
    {"LaPlacian Sharpen", ""},
    {"Emboss", ""},
    {"-", ""},
    {"Horizontal Mirror", ""},
    {"Vertical Mirror", ""},
    {"Rotate 90\xC2\xB0", ""},
    {"Rotate 270\xC2\xB0", ""},
    {"Rotate Any Angle...", "Ctrl+T"},
};
constexpr int HiddenFXIndex = 10;

// The Colors menu's colour reductions, index 0 to 10 (the misspelt "Ditherd" is the menu's own).
constexpr MenuText ColorFXEntries[] = {
    {"2 Colors", "Ctrl+F1"},
    {"2 Colors Ditherd", "Ctrl+F2"},
    {"-", ""},
    {"16 Colors", "Ctrl+F3"},
    {"16 Colors Dithered", "Ctrl+F4"},
    {"-", ""},
    {"256 Colors", "Ctrl+F5"},
    {"256 Colors Dithered", "Ctrl+F6"},
    {"Greyscale", "Ctrl+F7"},
    {"-", ""},
    {"16 Million Colors", "Ctrl+F8"},
};

// Loads the items of a designed menu array beyond item 0 and gives each its caption and shortcut.
template <std::size_t N> void fill_array(ui::MenuArray& array, const MenuText (&entries)[N]) {
    for (int i = 0; i < static_cast<int>(N); ++i) {
        if (!array.Exists(i)) array.Load(i);
        array[i].Caption = entries[i].caption;
        array[i].Shortcut = entries[i].shortcut;
    }
}

void disable_all_but_separators(ui::MenuArray& array) {
    for (int i : array.Indices())
        vb::ResumeNext([&] {
            if (!array[i].IsSeparator()) array[i].Enabled = false;
        });
}

} // namespace

std::string PictureEditorCaption(const std::string& fileName, int width, int height, int bitsPerPixel) {
    if (width <= 0) return "Picture Editor";
    const std::string name = fileName.empty() ? std::string("Untitled") : GetFileName(fileName);
    std::string colours;
    if (bitsPerPixel == 24)
        colours = "16 Milion"; // the caption's own spelling
    else if (bitsPerPixel >= 0 && bitsPerPixel <= 32)
        colours = std::to_string(std::uint64_t{1} << bitsPerPixel);
    else
        colours = "0";
    return "Picture Editor - " + name + " - " + std::to_string(width) + "x" + std::to_string(height) + ", " + colours +
           " Colors (" + std::to_string(bitsPerPixel) + "bit)";
}

imgman::Rect PrintDestination(int Index, int width, int height, int pageWidth, int pageHeight, double printerDpi,
                              double screenDpi) {
    double right = 0, bottom = 0;
    if (Index == 0) {
        right = printerDpi / screenDpi * width;
        bottom = printerDpi / screenDpi * height;
    } else if (static_cast<double>(width) / height >= static_cast<double>(pageWidth) / pageHeight) {
        right = pageWidth;
        bottom = static_cast<double>(pageWidth) / width * height;
    } else {
        bottom = pageHeight;
        right = static_cast<double>(pageHeight) / height * width;
    }
    return {0, 0, static_cast<std::int32_t>(vb::CLng(right)), static_cast<std::int32_t>(vb::CLng(bottom))};
}

PicView::PicView(App& app) : ui::Window(app.host, "PicView"), app(app) {
    add(Picture1, "Picture1");
    add(Shape1, "Shape1", &Picture1);
    add(Timer1, "Timer1");
    add(HScroll1, "HScroll1");
    add(VScroll1, "VScroll1");
    build_menus();

    Load = [this] { Form_Load(); };
    Unload = [this](int& Cancel) { Form_Unload(Cancel); };
    Resize = [this] { Form_Resize(); };
    Picture1.MouseDown = [this](int b, int s, float x, float y) { Picture1_MouseDown(b, s, x, y); };
    Picture1.MouseMove = [this](int b, int s, float x, float y) { Picture1_MouseMove(b, s, x, y); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    for (ui::ScrollBar* bar : {static_cast<ui::ScrollBar*>(&HScroll1), static_cast<ui::ScrollBar*>(&VScroll1)}) {
        bar->Change = [this] { ScrollPicture(); };
        bar->Scroll = [this] { ScrollPicture(); };
    }
    ApplyDesign();
}

// A window loaded again starts as on its first load: the last picture's size and scroll position
// would otherwise come back with the next picture shown, which opens scrolled to where the last
// one was left.
void PicView::ApplyDesign() {
    // The outer size that leaves the design's client area inside the frame, caption and menu bar;
    // first, as the resize it raises in a loaded window places the scroll bars.
    Width = DesignClientWidth + (Width - ScaleWidth());
    Height = DesignClientHeight + (Height - ScaleHeight());
    Caption = "Picture Editor";
    // The scroll bars are hidden and unplaced until a picture larger than the window needs them.
    for (ui::ScrollBar* bar : {static_cast<ui::ScrollBar*>(&HScroll1), static_cast<ui::ScrollBar*>(&VScroll1)}) {
        bar->Visible = false;
        bar->Value = 0;
        bar->Min = 0;
        bar->Max = 32767;
        bar->SmallChange = 1;
        bar->LargeChange = 1;
        bar->Move(0, 0, 0, 0);
    }
    Picture1.Move(0, 0, DesignClientWidth, DesignClientHeight);
    // No border: the box's client area is the picture, so Copy takes exactly what is shown.
    Picture1.BorderStyle = 0;
    Picture1.AutoRedraw = true;
    Picture1.Cls();
    Shape1.Move(FrameLeft, FrameTop, FrameWidth, FrameHeight);
    Shape1.Visible = false;
    Timer1.Interval = 250;
    Timer1.Enabled = false;
    // Every entry enabled, as at design: the states a menu set as it dropped down last time must not
    // keep a shortcut (Ctrl+C) from working in the window loaded again.
    for (ui::Menu* m : AllMenus())
        m->Enabled = true;
}

void PicView::build_menus() {
    ui::MenuBuilder menus(*this);

    menus.top(mnuFile, "mnuFile", "&File");
    menus.item(mnuOpen, "mnuOpen", mnuFile, "Open...", "Ctrl+O");
    add_menu(mnuSaveAs, "mnuSaveAs", &mnuFile);
    fill_array(mnuSaveAs, {{"Save", "Ctrl+S"}, {"Save As...", ""}});
    menus.item(mnu1, "mnu1", mnuFile, "-");
    menus.item(mnuFileSelectSource, "mnuFileSelectSource", mnuFile, "Select Source...");
    menus.item(mnuFileAcquire, "mnuFileAcquire", mnuFile, "Acquire Image...");
    menus.item(mnu1b, "mnu1b", mnuFile, "-");
    menus.item(mnuFilePrintSetup, "mnuFilePrintSetup", mnuFile, "Print Setup...");
    mnuFilePrintSetup.Visible = false;
    menus.item(mnuFilePr, "mnuFilePr", mnuFile, "Print");
    add_menu(mnuFilePrint, "mnuFilePrint", &mnuFilePr);
    fill_array(mnuFilePrint, {{"Actual Size...", "Ctrl+P"}, {"Fit to Page...", ""}});
    menus.item(zMNU22, "zMNU22", mnuFile, "-");
    menus.item(mnuExit, "mnuExit", mnuFile, "Exit");

    menus.top(mnuEdit, "mnuEdit", "&Edit");
    menus.item(mnuUndo, "mnuUndo", mnuEdit, "Undo", "Ctrl+Z");
    menus.item(mnu2, "mnu2", mnuEdit, "-");
    menus.item(mnuCopy, "mnuCopy", mnuEdit, "Copy", "Ctrl+C");
    menus.item(mnuPaste, "mnuPaste", mnuEdit, "Paste", "Ctrl+V");
    menus.item(zmnu777, "zmnu777", mnuEdit, "-");
    menus.item(mnuResize, "mnuResize", mnuEdit, "Resize Image...", "Ctrl+R");

    menus.top(mnuFilter, "mnuFilter", "Fil&ters");
    menus.item(mnuSelectPluginFolder, "mnuSelectPluginFolder", mnuFilter, "External Plugins ...", "Ctrl+E");
    add_menu(mnuFX, "mnuFX", &mnuFilter);
    fill_array(mnuFX, FXEntries);
    mnuFX[HiddenFXIndex].Visible = false;

    menus.top(mnuColors, "mnuColors", "&Colors");
    add_menu(mnuColorFX, "mnuColorFX", &mnuColors);
    fill_array(mnuColorFX, ColorFXEntries);

    menus.top(mnuTools, "mnuTools", "&Tools");
    mnuTools.Visible = false;
    menus.item(mnuCursor, "mnuCursor", mnuTools, "Cursor");
    menus.item(mnuSelection, "mnuSelection", mnuTools, "Selection");
    menus.item(mnuZoom, "mnuZoom", mnuTools, "Zoom");

    menus.top(mnuSelctions, "mnuSelctions", "&Selections");
    mnuSelctions.Visible = false;
    menus.item(mnuSelectNone, "mnuSelectNone", mnuSelctions, "Select None");

    menus.top(mnuFilters, "mnuFilters", "&Filters");
    mnuFilters.Visible = false;
    menus.item(mnuColorTuner, "mnuColorTuner", mnuFilters, "Color Tuner");
    menus.item(mnuChannelSwap, "mnuChannelSwap", mnuFilters, "Channel Swap");
    menus.item(mnuGreyscale, "mnuGreyscale", mnuFilters, "Greyscale");
    menus.item(mnuInverse, "mnuInverse", mnuFilters, "Inverse");
    menus.item(mnuRandomNoise, "mnuRandomNoise", mnuFilters, "Random Noise");
    menus.item(mnuYUVIntensify, "mnuYUVIntensify", mnuFilters, "YUV Intensify");

    menus.top(mnuHelp, "mnuHelp", "Help");
    menus.item(mnuHelp2, "mnuHelp2", mnuHelp, "Help", "F1");

    // A menu of the bar runs its handler as it drops down; the entries as they are chosen.
    mnuFile.Click = [this] { mnuFile_Click(); };
    mnuEdit.Click = [this] { mnuEdit_Click(); };
    mnuFilter.Click = [this] { mnuFilter_Click(); };
    mnuColors.Click = [this] { mnuColors_Click(); };
    mnuOpen.Click = [this] { mnuOpen_Click(); };
    mnuSaveAs.Click = [this](int Index) { mnuSaveAs_Click(Index); };
    mnuFileSelectSource.Click = [this] { mnuFileSelectSource_Click(); };
    mnuFileAcquire.Click = [this] { mnuFileAcquire_Click(); };
    mnuFilePrintSetup.Click = [this] { mnuFilePrintSetup_Click(); };
    mnuFilePrint.Click = [this](int Index) { mnuFilePrint_Click(Index); };
    mnuExit.Click = [this] { mnuExit_Click(); };
    mnuUndo.Click = [this] { mnuUndo_Click(); };
    mnuCopy.Click = [this] { mnuCopy_Click(); };
    mnuPaste.Click = [this] { mnuPaste_Click(); };
    mnuResize.Click = [this] { mnuResize_Click(); };
    mnuSelectPluginFolder.Click = [this] { mnuSelectPluginFolder_Click(); };
    mnuFX.Click = [this](int Index) { mnuFX_Click(Index); };
    mnuColorFX.Click = [this](int Index) { mnuColorFX_Click(Index); };
    mnuCursor.Click = [this] { mnuCursor_Click(); };
    mnuSelection.Click = [this] { mnuSelection_Click(); };
    mnuZoom.Click = [this] { mnuZoom_Click(); };
    mnuSelectNone.Click = [this] { mnuSelectNone_Click(); };
    mnuColorTuner.Click = [this] { mnuColorTuner_Click(); };
    mnuChannelSwap.Click = [this] { mnuChannelSwap_Click(); };
    mnuGreyscale.Click = [this] { mnuGreyscale_Click(); };
    mnuInverse.Click = [this] { mnuInverse_Click(); };
    mnuRandomNoise.Click = [this] { mnuRandomNoise_Click(); };
    mnuYUVIntensify.Click = [this] { mnuYUVIntensify_Click(); };
    mnuHelp2.Click = [this] { mnuHelp2_Click(); };
}

// --- life ---

void PicView::Form_Load() {
    ApplyDesign();
    Form1& main = app.form1();
    vb::ResumeNext([&] { Icon = main.Icon.get(); });
    // Bar position 1 is Edit, whose entry 2 is "Copy"; bar position 0 is File, entry 0 "Open...".
    vb::ResumeNext([&] { ChangeMenuBitmap2(*this, main.Image3[15], 1, 2); });
    vb::ResumeNext([&] { ChangeMenuBitmap2(*this, main.Image3[4], 0, 0); });
    vb::ResumeNext([&] { Titlebar(); });
}

void PicView::Form_Unload(int& /*Cancel*/) {
    vb::ResumeNext([&] {
        if (ImageModified &&
            app.host.MsgBox("Do you want to save the image?", ui::vbQuestion | ui::vbYesNo) == ui::vbYes)
            mnuSaveAs_Click(0);
    });
    ImageModified = false;
    CloseImg(app, app.PicImage);
    CloseImg(app, UndoImage);
}

void PicView::Form_Resize() {
    PlaceScrollBars();
}

void PicView::PlaceScrollBars() {
    const int tx = app.host.TwipsPerPixelX(), ty = app.host.TwipsPerPixelY();
    const int barWidth = ScrollBarPixels * tx, barHeight = ScrollBarPixels * ty;
    const int clientWidth = ScaleWidth(), clientHeight = ScaleHeight();
    bool across = Picture1.Width > clientWidth, down = Picture1.Height > clientHeight;
    if (across && !down) down = Picture1.Height > clientHeight - barHeight;
    if (down && !across) across = Picture1.Width > clientWidth - barWidth;
    const int viewWidth = std::max(tx, clientWidth - (down ? barWidth : 0));
    const int viewHeight = std::max(ty, clientHeight - (across ? barHeight : 0));
    auto place = [](ui::ScrollBar& bar, bool needed, int hidden, int shown, int left, int top, int width, int height) {
        const int most = needed ? std::max(1, hidden) : 0;
        if (bar.Value > most) bar.Value = most;
        bar.Max = std::max(1, most);
        bar.SmallChange = 16;
        bar.LargeChange = std::max(1, shown);
        if (needed) bar.Move(left, top, width, height);
        bar.Visible = needed;
    };
    place(HScroll1, across, (Picture1.Width - viewWidth) / tx, viewWidth / tx, 0, viewHeight, viewWidth, barHeight);
    place(VScroll1, down, (Picture1.Height - viewHeight) / ty, viewHeight / ty, viewWidth, 0, barWidth, viewHeight);
    ScrollPicture();
}

void PicView::ScrollPicture() {
    const int left = HScroll1.Visible ? -HScroll1.Value * app.host.TwipsPerPixelX() : 0;
    const int top = VScroll1.Visible ? -VScroll1.Value * app.host.TwipsPerPixelY() : 0;
    if (Picture1.Left != left) Picture1.Left = left;
    if (Picture1.Top != top) Picture1.Top = top;
}

// --- the procedures others call ---

void PicView::AdjustWindow() {
    const int tx = app.host.TwipsPerPixelX();
    if (WindowState == ui::vbMinimized) WindowState = ui::vbNormal;
    // A maximised window keeps its size; the scroll bars reach what it cannot show.
    if (WindowState == ui::vbNormal) {
        // The client area takes the whole picture box: the frame, caption and menu bar are added as
        // the window has them.
        const int frameWidth = Width - ScaleWidth(), frameHeight = Height - ScaleHeight();
        Width = std::max(Picture1.Width + frameWidth, MinimumWidthPixels * tx);
        Height = Picture1.Height + frameHeight;
        // Never larger than the screen's work area, and wholly on it: the scroll bars reach the rest.
        const int screenWidth = app.host.ScreenWidth(), screenHeight = app.host.ScreenHeight();
        if (Width > screenWidth) Width = screenWidth;
        if (Height > screenHeight) Height = screenHeight;
        if (Left + Width > screenWidth) Left = std::max(0, screenWidth - Width);
        if (Top + Height > screenHeight) Top = std::max(0, screenHeight - Height);
    }
    PlaceScrollBars();
}

void PicView::Titlebar() {
    if (app.PicImage == 0) {
        Caption = "Picture Editor";
        return;
    }
    imgman::ImageInfo info;
    std::int32_t flags = 0;
    imgman::ImgGetInfoStruct(app.PicImage, info, flags);
    Caption = PictureEditorCaption(PicFileName, info.Width, info.Height, info.BitCount);
}

void PicView::ShowNewImage() {
    SizeBoxToImg(app, Picture1, app.PicImage);
    Picture1.Cls();
    DrawImg(app, app.PicImage, Picture1);
    AdjustWindow();
}

void PicView::OfferToSaveChanges() {
    if (!ImageModified) return;
    if (app.host.MsgBox("Do you want to save the image?", ui::vbQuestion | ui::vbYesNo) == ui::vbYes)
        mnuSaveAs_Click(0);
    ImageModified = false;
}

void PicView::PluginScan(const std::string& /*Diry*/) {}
void PicView::CreateUndo() {}

// --- menu states, set as each menu drops down ---

void PicView::mnuFile_Click() {
    const bool hasImage = app.PicImage != 0;
    mnuSaveAs[0].Enabled = hasImage;
    mnuSaveAs[1].Enabled = hasImage;
    mnuFilePr.Enabled = hasImage;
    // Neither scanning nor the Print submenu is offered in this edition once the menu was opened.
    mnuFileAcquire.Enabled = false;
    mnuFilePr.Enabled = false;
}

void PicView::mnuEdit_Click() {
    mnuCopy.Enabled = false;
    mnuResize.Enabled = false;
    mnuUndo.Enabled = UndoImage != 0;
}

void PicView::mnuFilter_Click() {
    disable_all_but_separators(mnuFX);
    mnuSelectPluginFolder.Enabled = false;
}

void PicView::mnuColors_Click() {
    disable_all_but_separators(mnuColorFX);
}

// --- File ---

void PicView::mnuOpen_Click() {
    Hourglass busy(*this);
    int h = 0;
    std::string name;
    vb::ResumeNext([&] { name = OpenImgDialog(app, h); });
    if (h == 0) {
        // A cancelled dialog says nothing; a picture the imaging layer could not read says which
        // and why.
        if (!name.empty() && imgman::ImgGetStatus() != imgman::StatusCancelled)
            vb::ResumeNext([&] { app.host.MsgBox(CouldNotOpenText(name), ui::vbExclamation); });
        return;
    }
    if (!names_bmp_or_jpg(name)) {
        vb::ResumeNext([&] { app.host.MsgBox("\r\nPlease select a BMP or JPG file!", ui::vbExclamation); });
        CloseImg(app, h);
        return;
    }
    if (h != 0) {
        // The opened file is not a change: a pasted picture is offered for saving before it goes,
        // so closing later never writes the opened picture back over its own file.
        vb::ResumeNext([&] { OfferToSaveChanges(); });
        CloseImg(app, app.PicImage);
        app.PicImage = h;
        PicFileName = name;
        vb::ResumeNext([&] { ShowNewImage(); });
    }
    vb::ResumeNext([&] { Titlebar(); });
}

void PicView::mnuSaveAs_Click(int Index) {
    try {
        int r = 0;
        if (Index == 0 && !PicFileName.empty() &&
            lower(PicFileName.substr(PicFileName.size() < 4 ? 0 : PicFileName.size() - 4)) != ".gif")
            r = imgman::ImgXWriteImage(PicFileName, app.PicImage, app.host, imgman::WriteToName);
        else
            r = imgman::ImgXWriteImage("", app.PicImage, app.host, imgman::WriteByDialog);
        if (r == 1) {
            ImageModified = false;
        } else if (imgman::ImgGetStatus() != imgman::StatusCancelled) {
            imgman::ImgErrBox(app.host);
        }
    } catch (const vb::Error&) {
    }
}

void PicView::mnuFilePrint_Click(int Index) {
    try {
        // Cancel in the print dialog prints nothing.
        if (!app.host.PrintDialog("the picture")) return;
        imgman::Printer printer;
        const int PW = printer.ScaleWidth(), PH = printer.ScaleHeight();
        const double pDpi = printer.Dpi;
        const double sDpi = 1440.0 / app.host.TwipsPerPixelX();
        imgman::ImageInfo info;
        std::int32_t flags = 0;
        if (imgman::ImgGetInfoStruct(app.PicImage, info, flags) != 1) return;
        const imgman::Rect source{0, 0, info.Width - 1, info.Height - 1};
        const imgman::Rect destination = PrintDestination(Index, info.Width, info.Height, PW, PH, pDpi, sDpi);
        imgman::ImgPrintImage(app.PicImage, printer, destination, source);
        // A page the desktop's print command did not take is reported, not lost in silence.
        if (printer.EndDoc() != 1) imgman::ImgErrBox(app.host);
    } catch (const vb::Error&) {
    }
}

void PicView::mnuFileSelectSource_Click() {
    Hourglass busy(*this);
    vb::ResumeNext([&] {
        if (imgman::ScanIsTWAINAvailable() != 0) {
            if (imgman::ScanSelectSource(app.host) == 0)
                app.host.MsgBox("Select Source wasn't unsuccessful!", ui::vbExclamation);
        } else {
            app.host.MsgBox("There's no scanning device available.", ui::vbExclamation);
        }
    });
}

void PicView::mnuFileAcquire_Click() {}
void PicView::mnuFilePrintSetup_Click() {}

void PicView::mnuExit_Click() {
    Unload();
}

// --- Edit ---

void PicView::mnuUndo_Click() {
    Hourglass busy(*this);
    if (UndoImage != 0) {
        CloseImg(app, app.PicImage);
        app.PicImage = UndoImage;
        UndoImage = 0;
        imgman::ImageInfo info;
        std::int32_t flags = 0;
        imgman::ImgGetInfoStruct(app.PicImage, info, flags);
        Picture1.Width = info.Width * app.host.TwipsPerPixelX();
        Picture1.Height = info.Height * app.host.TwipsPerPixelY();
        Picture1.Cls();
        DrawImg(app, app.PicImage, Picture1);
        AdjustWindow();
    }
    vb::ResumeNext([&] { Titlebar(); });
}

void PicView::mnuCopy_Click() {
    vb::ResumeNext([&] { app.host.ClearClipboard(); });
    vb::ResumeNext([&] {
        if (!Picture1.Image().empty()) app.host.SetClipboardImage(Picture1.Image());
    });
}

void PicView::mnuPaste_Click() {
    Hourglass busy(*this);
    const int h = imgman::ImgFromClipboard(app.host);
    if (h != 0) {
        CloseImg(app, app.PicImage);
        app.PicImage = h;
        vb::ResumeNext([&] { ShowNewImage(); });
        ImageModified = true;
    }
    vb::ResumeNext([&] { Titlebar(); });
}

void PicView::mnuResize_Click() {}

// --- the image operations of the larger edition: nothing here ---

void PicView::mnuSelectPluginFolder_Click() {}
void PicView::mnuFX_Click(int) {}
void PicView::mnuColorFX_Click(int) {}
void PicView::mnuCursor_Click() {}
void PicView::mnuSelection_Click() {}
void PicView::mnuZoom_Click() {}
void PicView::mnuSelectNone_Click() {}
void PicView::mnuColorTuner_Click() {}
void PicView::mnuChannelSwap_Click() {}
void PicView::mnuGreyscale_Click() {}
void PicView::mnuInverse_Click() {}
void PicView::mnuRandomNoise_Click() {}
void PicView::mnuYUVIntensify_Click() {}
void PicView::Picture1_MouseDown(int, int, float, float) {}
void PicView::Picture1_MouseMove(int, int, float, float) {}

void PicView::Timer1_Timer() {
    if (DottedNext) {
        Shape1.BorderStyle = BorderDotted;
        DottedNext = false;
    } else {
        Shape1.BorderStyle = BorderDashDot;
        DottedNext = true;
    }
}

// --- Help ---

void PicView::mnuHelp2_Click() {
    ShowHelp(app, "pictureeditor.htm");
}

} // namespace vexolan
