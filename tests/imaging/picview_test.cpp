// The picture editor: captions, the window's size around the picture, the menu states as menus
// open, Open, Paste and Copy, Save and Save As, printing, the scanner and the save question on close.

#include "imaging/PicView.hpp"
#include "imaging/preview.hpp"
#include "platform/imgman/imgman.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/pictures.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace vexolan;
using test_support::Rgb;

namespace {

struct PicViewTest : test_support::AppTest {
    PicView& pv = app.picView();

    void TearDown() override {
        host.accept_unscripted_msgboxes = true;
        pv.Unload();
        EXPECT_EQ(app.PicImage, 0);
        EXPECT_EQ(imgman::live_handle_count(), 0);
    }
    std::string picture(const std::string& name, int w, int h, int bpp = 24) {
        return root.write(name, test_support::bmp_file(w, h, bpp)).string();
    }
    void load(const std::string& path) {
        int h = 0;
        LoadintoPicView(app, path, h);
        EXPECT_EQ(h, 0);
    }
    static ui::Bitmap solid(int w, int h, Rgb c) {
        ui::Bitmap b;
        b.resize(w, h);
        for (std::size_t i = 0; i < b.Rgba.size(); i += 4)
            b.Rgba[i] = c.r, b.Rgba[i + 1] = c.g, b.Rgba[i + 2] = c.b, b.Rgba[i + 3] = 255;
        return b;
    }
    void paste(int w, int h, Rgb c = {200, 30, 10}) {
        host.clipboard_image = solid(w, h, c);
        if (!pv.Visible.get()) pv.Show(); // a user pastes into the window on the screen
        pv.user_key_down('V', ui::vbCtrlMask);
    }
    static imgman::ImageInfo info_of_file(const std::string& path) {
        imgman::ImageInfo info;
        std::int32_t flags = 0;
        const int h = imgman::ImgOpenSolo(path);
        if (h == 0) return info;
        imgman::ImgGetInfoStruct(h, info, flags);
        imgman::ImgClose(h);
        return info;
    }
    static Rgb pixel_of_file(const std::string& path, int x, int y) {
        const int h = imgman::ImgOpenSolo(path);
        if (h == 0) return {};
        const imgman::Image& img = *imgman::image_of(h);
        const std::uint8_t* p = &img.rgba[(static_cast<std::size_t>(y) * img.width + x) * 4];
        Rgb c{p[0], p[1], p[2]};
        imgman::ImgClose(h);
        return c;
    }
};

} // namespace

TEST(PictureEditorCaption, NamesTheFileTheSizeAndTheColours) {
    struct Case {
        std::string file;
        int w, h, bpp;
        std::string caption;
    } cases[] = {
        {"/p/one.bmp", 5, 3, 1, "Picture Editor - one.bmp - 5x3, 2 Colors (1bit)"},
        {"/p/grey.bmp", 640, 480, 8, "Picture Editor - grey.bmp - 640x480, 256 Colors (8bit)"},
        {"/p/photo.jpg", 640, 480, 24, "Picture Editor - photo.jpg - 640x480, 16 Milion Colors (24bit)"},
        {"/p/deep.bmp", 1200, 10, 32, "Picture Editor - deep.bmp - 1200x10, 4294967296 Colors (32bit)"},
        {"/p/hi.bmp", 2, 2, 16, "Picture Editor - hi.bmp - 2x2, 65536 Colors (16bit)"},
        {"", 7, 5, 24, "Picture Editor - Untitled - 7x5, 16 Milion Colors (24bit)"},
        {"/p/x.bmp", 0, 0, 0, "Picture Editor"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PictureEditorCaption(c.file, c.w, c.h, c.bpp), c.caption);
}

TEST_F(PicViewTest, TitlesOfOneEightTwentyFourAndThirtyTwoBitPictures) {
    EXPECT_EQ(pv.Caption.get(), "Picture Editor"); // nothing shown yet
    for (int bpp : {1, 8, 24, 32}) {
        const std::string path = picture("p" + std::to_string(bpp) + ".bmp", 9, 4, bpp);
        load(path);
        EXPECT_EQ(pv.Caption.get(), PictureEditorCaption(path, 9, 4, bpp));
        EXPECT_EQ(pv.PicFileName, path);
    }
    EXPECT_EQ(pv.Caption.get(), "Picture Editor - p32.bmp - 9x4, 4294967296 Colors (32bit)");
    EXPECT_TRUE(pv.Visible.get());
    EXPECT_EQ(imgman::live_handle_count(), 1); // each new picture closed the one before
}

TEST_F(PicViewTest, AFileThatDoesNotOpenLeavesThePictureEditorAlone) {
    const std::string bad = root.write("bad.bmp", "BM, but no picture").string();
    host.answer_msgbox(ui::vbOK, "Couldn't open " + bad + "\r\nbad.bmp: The file is not a readable BMP picture.");
    load(bad);
    EXPECT_FALSE(pv.Loaded());
    EXPECT_EQ(app.PicImage, 0);
    EXPECT_EQ(pv.PicFileName, "");
}

TEST_F(PicViewTest, TheWindowSizesItselfAroundThePictureBox) {
    // A loaded picture fills the box at its full size; a pasted one shows a pixel less each way. The
    // window's client area holds the whole box (the frame is 4 pixels each side), 327 pixels wide at
    // least.
    struct Case {
        bool pasted;
        int w, h, boxW, boxH, windowW;
    } cases[] = {{false, 100, 50, 100, 50, 327}, {false, 319, 20, 319, 20, 327}, {false, 320, 20, 320, 20, 328},
                 {true, 328, 20, 327, 19, 335},  {true, 329, 20, 328, 19, 336},  {true, 600, 400, 599, 399, 607}};
    const int extra = host.CaptionHeight() + host.MenuHeight() + 8;
    for (const Case& c : cases) {
        if (c.pasted)
            paste(c.w, c.h);
        else
            load(picture("w.bmp", c.w, c.h));
        EXPECT_EQ(pv.Picture1.Width.get(), c.boxW * 15) << c.w << (c.pasted ? " pasted" : " loaded");
        EXPECT_EQ(pv.Picture1.Height.get(), c.boxH * 15);
        EXPECT_EQ(pv.Width.get(), c.windowW * 15) << c.w << (c.pasted ? " pasted" : " loaded");
        EXPECT_EQ(pv.Height.get(), (c.boxH + extra) * 15);
        EXPECT_EQ(pv.ScaleWidth(), std::max(c.boxW, 319) * 15);
        EXPECT_EQ(pv.ScaleHeight(), c.boxH * 15);
        EXPECT_FALSE(pv.HScroll1.Visible.get());
        EXPECT_FALSE(pv.VScroll1.Visible.get());
    }
    pv.WindowState = ui::vbMinimized;
    pv.AdjustWindow();
    EXPECT_EQ(pv.WindowState.get(), ui::vbNormal);
    host.answer_msgbox(ui::vbNo, "Do you want to save the image?");
}

TEST_F(PicViewTest, MenusSetTheirStatesOnlyAsTheyOpen) {
    // Before any menu opened, the entries keep their design states: Ctrl+C copies.
    load(picture("c.bmp", 6, 4));
    pv.user_key_down('C', ui::vbCtrlMask);
    ASSERT_TRUE(host.clipboard_image.has_value());
    EXPECT_EQ(host.clipboard_image->Width, 6);
    EXPECT_EQ(host.clipboard_image->Rgba[0], test_support::pattern_colour(0, 0, 24).r);

    struct Check {
        ui::Menu* entry;
        bool enabled;
    };
    pv.mnuFile.user_open();
    for (Check c : {Check{&pv.mnuSaveAs[0], true}, Check{&pv.mnuSaveAs[1], true}, Check{&pv.mnuFilePr, false},
                    Check{&pv.mnuFileAcquire, false}, Check{&pv.mnuOpen, true}})
        EXPECT_EQ(c.entry->Enabled.get(), c.enabled) << c.entry->Name();
    // Ctrl+P has no effect once the Print submenu was disabled.
    pv.user_key_down('P', ui::vbCtrlMask);

    host.clipboard_image.reset();
    pv.mnuEdit.user_open();
    EXPECT_FALSE(pv.mnuCopy.Enabled.get());
    EXPECT_FALSE(pv.mnuResize.Enabled.get());
    EXPECT_FALSE(pv.mnuUndo.Enabled.get());
    EXPECT_TRUE(pv.mnuPaste.Enabled.get());
    pv.user_key_down('C', ui::vbCtrlMask);
    EXPECT_FALSE(host.clipboard_image.has_value());

    pv.mnuFilter.user_open();
    pv.mnuColors.user_open();
    EXPECT_FALSE(pv.mnuSelectPluginFolder.Enabled.get());
    for (ui::MenuArray* array : {&pv.mnuFX, &pv.mnuColorFX})
        for (int i : array->Indices())
            EXPECT_EQ((*array)[i].Enabled.get(), (*array)[i].IsSeparator()) << array->Name() << i;
    EXPECT_EQ(pv.mnuFX.Count(), 21);
    EXPECT_EQ(pv.mnuFX[18].Caption.get(), "Rotate 90\xC2\xB0");
    EXPECT_FALSE(pv.mnuFX[10].Visible.get());
    EXPECT_EQ(pv.mnuColorFX[1].Caption.get(), "2 Colors Ditherd");
    EXPECT_EQ(pv.mnuColorFX[10].Shortcut.get(), "Ctrl+F8");
    EXPECT_EQ(pv.PresentMenus().size(), 5u); // Tools, Selections and the second Filters are hidden

    // With no picture the File menu also disables Save and Save As.
    pv.Unload();
    pv.mnuFile.user_open();
    EXPECT_FALSE(pv.mnuSaveAs[0].Enabled.get());
    EXPECT_FALSE(pv.mnuSaveAs[1].Enabled.get());
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(PicViewTest, PasteThenCloseAsksAndYesRewritesTheFile) {
    const std::string path = picture("photo.bmp", 20, 10, 8);
    load(path);
    paste(7, 5, {200, 30, 10});
    EXPECT_EQ(pv.PicFileName, path); // a paste keeps the file
    EXPECT_EQ(pv.Caption.get(), "Picture Editor - photo.bmp - 7x5, 16 Milion Colors (24bit)");
    EXPECT_TRUE(pv.Modified());

    host.answer_msgbox(ui::vbYes, "Do you want to save the image?", ui::vbQuestion | ui::vbYesNo, "Vexolan");
    pv.user_close();
    EXPECT_FALSE(pv.Loaded());
    const imgman::ImageInfo info = info_of_file(path);
    EXPECT_EQ(info.Width, 7);
    EXPECT_EQ(info.Height, 5);
    EXPECT_EQ(info.BitCount, 24);
    EXPECT_EQ(pixel_of_file(path, 6, 4), (Rgb{200, 30, 10}));

    // No leaves the file alone; a picture shown without a paste closes without asking.
    load(path);
    paste(3, 3, {1, 2, 3});
    host.answer_msgbox(ui::vbNo, "Do you want to save the image?");
    pv.user_close();
    EXPECT_EQ(info_of_file(path).Width, 7);
    load(path);
    pv.user_close();
    EXPECT_EQ(host.message_boxes().size(), 2u);
}

TEST_F(PicViewTest, AnUntitledPasteSavesThroughTheDialogAndCancelIsSilent) {
    paste(4, 4);
    EXPECT_EQ(pv.Caption.get(), "Picture Editor - Untitled - 4x4, 16 Milion Colors (24bit)");
    host.answer_file_dialog("");
    pv.mnuSaveAs_Click(0);
    ASSERT_EQ(host.file_dialogs().size(), 1u);
    EXPECT_EQ(imgman::ImgGetStatus(), imgman::StatusCancelled);
    EXPECT_TRUE(host.message_boxes().empty());
    EXPECT_TRUE(pv.Modified());

    // A name the imaging layer cannot write gets its error box, and the picture stays changed.
    host.answer_file_dialog((root / "notes.txt").string());
    host.answer_msgbox(ui::vbOK);
    pv.mnuSaveAs[1].user_click();
    EXPECT_EQ(host.last_msgbox().Style, ui::vbExclamation);
    EXPECT_NE(host.last_msgbox().Prompt.find(".bmp"), std::string::npos);
    EXPECT_TRUE(pv.Modified());

    const std::string saved = (root / "pasted.jpg").string();
    host.answer_file_dialog(saved);
    pv.mnuSaveAs[1].user_click();
    EXPECT_FALSE(pv.Modified());
    EXPECT_EQ(info_of_file(saved).Width, 4);
    EXPECT_EQ(pv.PicFileName, ""); // Save As keeps the picture untitled
    EXPECT_EQ(pv.Caption.get(), "Picture Editor - Untitled - 4x4, 16 Milion Colors (24bit)");
}

TEST_F(PicViewTest, SaveWritesTheOwnFileSaveAsAnotherAndGifGoesThroughTheDialog) {
    const std::string path = picture("own.bmp", 12, 9, 8);
    load(path);
    pv.mnuSaveAs_Click(0);
    EXPECT_TRUE(host.file_dialogs().empty());
    EXPECT_EQ(info_of_file(path).BitCount, 24); // BMP pictures are written with 24 bits
    EXPECT_EQ(info_of_file(path).Width, 12);
    EXPECT_EQ(pixel_of_file(path, 11, 8), test_support::pattern_colour(11, 8, 8));

    const std::string other = (root / "other.png").string();
    host.answer_file_dialog(other);
    pv.mnuSaveAs_Click(1);
    EXPECT_EQ(info_of_file(other).Height, 9);
    EXPECT_EQ(pv.PicFileName, path); // the Save target stays the old file
    EXPECT_EQ(pv.Caption.get(), PictureEditorCaption(path, 12, 9, 8));

    const std::string gif = root.write("anim.GIF", test_support::gif_file(5, 5)).string();
    load(gif);
    host.answer_file_dialog("");
    pv.mnuSaveAs_Click(0);
    EXPECT_EQ(host.file_dialogs().size(), 2u);
    EXPECT_EQ(test_support::read_file(gif), test_support::gif_file(5, 5));
}

TEST_F(PicViewTest, OpenTakesBmpAndJpgNamesOnlyAndCancelIsSilent) {
    const std::string jpg = root.write("shot.JPG", test_support::jpeg_file(30, 20)).string();
    const std::string png = root.write("shot.png", test_support::png_file(8, 8)).string();
    const std::string gifNamedBmp = root.write("a.bmp.gif", test_support::gif_file(6, 6)).string();
    pv.Show();

    host.answer_file_dialog("");
    pv.mnuOpen_Click(); // cancelled: no message
    EXPECT_TRUE(host.message_boxes().empty());

    host.answer_file_dialog(png);
    host.answer_msgbox(ui::vbOK, "\r\nPlease select a BMP or JPG file!", ui::vbExclamation, "Vexolan");
    pv.mnuOpen_Click();
    EXPECT_EQ(app.PicImage, 0);
    EXPECT_EQ(imgman::live_handle_count(), 0); // the refused picture was closed

    host.answer_file_dialog(jpg);
    pv.user_key_down('O', ui::vbCtrlMask);
    EXPECT_EQ(pv.PicFileName, jpg);
    EXPECT_EQ(pv.Caption.get(), "Picture Editor - shot.JPG - 30x20, 16 Milion Colors (24bit)");
    EXPECT_EQ(pv.Picture1.Width.get(), 29 * 15);
    EXPECT_EQ(pv.MousePointer.get(), ui::vbDefault);

    host.answer_file_dialog(gifNamedBmp); // ".bmp" occurs in the name
    pv.mnuOpen_Click();
    EXPECT_EQ(pv.PicFileName, gifNamedBmp);

    const std::string damaged = root.write("broken.bmp", "BM, nothing else").string();
    host.answer_file_dialog(damaged);
    host.answer_msgbox(ui::vbOK);
    pv.mnuOpen_Click();
    EXPECT_NE(host.last_msgbox().Prompt.find("broken.bmp"), std::string::npos);
    EXPECT_EQ(pv.PicFileName, gifNamedBmp); // the shown picture stays
}

TEST_F(PicViewTest, OpenAfterAPasteOffersToSaveAndThenClosesWithoutAsking) {
    const std::string first = picture("first.bmp", 10, 10);
    const std::string second = picture("second.jpg", 10, 10);
    const std::string secondBytes = test_support::read_file(second);
    load(first);
    paste(5, 5);
    host.answer_file_dialog(second);
    host.answer_msgbox(ui::vbNo, "Do you want to save the image?");
    pv.mnuOpen_Click();
    EXPECT_FALSE(pv.Modified());
    pv.user_close(); // no question: the opened picture is unchanged
    EXPECT_EQ(test_support::read_file(second), secondBytes);
    EXPECT_EQ(info_of_file(first).Width, 10);

    // The same holds for a picture handed over by the main window after a paste; Yes saves the
    // pasted picture over its own file first.
    load(first);
    paste(5, 5);
    host.answer_msgbox(ui::vbYes, "Do you want to save the image?");
    load(second);
    EXPECT_EQ(info_of_file(first).Width, 5);
    pv.user_close();
    EXPECT_EQ(test_support::read_file(second), secondBytes);
}

TEST_F(PicViewTest, SelectSourceSaysThereIsNoScanner) {
    host.answer_msgbox(ui::vbOK, "There's no scanning device available.", ui::vbExclamation, "Vexolan");
    pv.mnuFileSelectSource.user_click();
    EXPECT_EQ(pv.MousePointer.get(), ui::vbDefault);
    pv.mnuFileAcquire.user_click(); // does nothing
    EXPECT_EQ(host.message_boxes().size(), 1u);
}

TEST(PrintDestination, ActualSizeAndFitToPageRoundHalfToEven) {
    struct Case {
        int index, w, h, pw, ph;
        double pDpi, sDpi;
        int right, bottom;
    } cases[] = {
        {0, 10, 8, 2481, 3507, 300, 96, 31, 25},       // 31.25 and 25
        {0, 2, 6, 2481, 3507, 300, 96, 6, 19},         // 6.25 and 18.75
        {0, 4, 4, 2481, 3507, 300, 120, 10, 10},       // exactly 10
        {1, 400, 100, 2481, 3507, 300, 96, 2481, 620}, // wide: the page's width (620.25)
        {1, 100, 400, 2481, 3507, 300, 96, 877, 3507}, // tall: the page's height (876.75)
        {1, 2, 1, 5, 10, 300, 96, 5, 2},               // 2.5 rounds to 2
        {1, 2, 3, 4, 6, 300, 96, 4, 6},                // the page's own proportions
    };
    for (const Case& c : cases) {
        const imgman::Rect r = PrintDestination(c.index, c.w, c.h, c.pw, c.ph, c.pDpi, c.sDpi);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right, c.right) << c.index << " " << c.w << "x" << c.h;
        EXPECT_EQ(r.bottom, c.bottom) << c.index << " " << c.w << "x" << c.h;
    }
}

TEST_F(PicViewTest, PrintSendsThePageOrSaysWhyNot) {
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    const auto bin = root.path() / "bin";
    const std::string printed = (root / "printed.png").string();
    root.write("bin/lp", "#!/bin/sh\nfor a; do last=\"$a\"; done; /bin/cp \"$last\" " + printed + "\n");
    std::filesystem::permissions(bin / "lp", std::filesystem::perms::owner_all);
    setenv("PATH", bin.c_str(), 1);

    load(picture("print.bmp", 10, 8));
    // Cancel in the print dialog prints nothing.
    host.answer_msgbox(ui::vbCancel, "Print the picture on the default printer?", ui::vbOKCancel | ui::vbQuestion,
                       "Print");
    pv.user_key_down('P', ui::vbCtrlMask); // Ctrl+P works until the File menu was opened
    EXPECT_FALSE(std::filesystem::exists(printed));

    host.answer_msgbox(ui::vbOK, "Print the picture on the default printer?");
    pv.mnuFilePrint[0].user_click();
    ASSERT_TRUE(std::filesystem::exists(printed));
    // At 300 dots per inch and 96 screen pixels per inch, 10 x 8 pixels become 31 x 25 dots.
    EXPECT_EQ(pixel_of_file(printed, 30, 24), test_support::pattern_colour(9, 7, 24));
    EXPECT_EQ(pixel_of_file(printed, 31, 24), (Rgb{255, 255, 255}));
    EXPECT_EQ(pixel_of_file(printed, 30, 25), (Rgb{255, 255, 255}));

    // Fit to page: as wide as the A4 page (2481 dots), 1985 high.
    host.answer_msgbox(ui::vbOK, "Print the picture on the default printer?");
    pv.mnuFilePrint[1].user_click();
    EXPECT_EQ(pixel_of_file(printed, 2480, 1984), test_support::pattern_colour(9, 7, 24));
    EXPECT_EQ(pixel_of_file(printed, 2480, 1985), (Rgb{255, 255, 255}));

    // No print command: the failure is told, not swallowed.
    setenv("PATH", (root / "nothing").c_str(), 1);
    host.answer_msgbox(ui::vbOK, "Print the picture on the default printer?");
    host.answer_msgbox(ui::vbOK);
    pv.mnuFilePrint[0].user_click();
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_NE(host.last_msgbox().Prompt.find("lp"), std::string::npos);
    EXPECT_EQ(host.last_msgbox().Style, ui::vbExclamation);
}

TEST_F(PicViewTest, TheSelectionFrameAlternatesItsBorderAndUndoOnlyRefreshesTheCaption) {
    EXPECT_EQ(pv.Timer1.Interval.get(), 250);
    EXPECT_FALSE(pv.Timer1.Enabled.get());
    EXPECT_FALSE(pv.Shape1.Visible.get());
    pv.Timer1_Timer();
    EXPECT_EQ(pv.Shape1.BorderStyle.get(), 4);
    pv.Timer1_Timer();
    EXPECT_EQ(pv.Shape1.BorderStyle.get(), 3);
    pv.Timer1_Timer();
    EXPECT_EQ(pv.Shape1.BorderStyle.get(), 4);

    load(picture("u.bmp", 40, 30));
    pv.Caption = "stale";
    pv.user_key_down('Z', ui::vbCtrlMask);
    EXPECT_EQ(pv.Caption.get(), PictureEditorCaption(pv.PicFileName, 40, 30, 24));
    EXPECT_EQ(pv.Picture1.Width.get(), 40 * 15);
}

TEST_F(PicViewTest, TheWindowOpensWithItsDesignClientAreaAndTheMainWindowsIcon) {
    pv.Load();
    EXPECT_EQ(pv.ScaleWidth(), 3852);
    EXPECT_EQ(pv.ScaleHeight(), 2700);
    EXPECT_EQ(pv.Icon.get(), app.form1().Icon.get());
    EXPECT_EQ(pv.Caption.get(), "Picture Editor");
    EXPECT_FALSE(pv.Visible.get()); // it never shows itself
}
