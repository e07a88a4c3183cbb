// The picture editor with real picture files: a plain Save keeps the alpha channel of a 32-bit BMP,
// a picture that does not open is named with the imaging layer's reason, and the Open dialog offers
// only the pictures the command opens.

#include "imaging/PicView.hpp"
#include "imaging/preview.hpp"
#include "platform/imgman/imgman.hpp"
#include "shell/App.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/pictures.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

namespace {

struct PictureEditorFilesTest : test_support::AppTest {
    PicView& pv = app.picView();

    void TearDown() override {
        host.accept_unscripted_msgboxes = true;
        pv.Unload();
        EXPECT_EQ(imgman::live_handle_count(), 0);
    }
    // The decoded pixels (RGBA) and depth of a file, as the imaging layer reads it.
    static std::pair<std::vector<std::uint8_t>, int> read_back(const std::string& path) {
        const int h = imgman::ImgOpenSolo(path);
        if (h == 0) return {};
        const imgman::Image& img = *imgman::image_of(h);
        auto result = std::make_pair(img.rgba, img.bpp);
        imgman::ImgClose(h);
        return result;
    }
};

// A plain 32-bit BMP whose fourth bytes vary: 0 (transparent) to 255, by pixel.
std::string bmp_with_alpha(int w, int h) {
    std::string bmp = test_support::bmp_file(w, h, 32);
    for (int i = 0; i < w * h; ++i)
        bmp[54 + static_cast<std::size_t>(i) * 4 + 3] = static_cast<char>((i * 53) & 255);
    return bmp;
}

} // namespace

TEST_F(PictureEditorFilesTest, SaveKeepsTheAlphaChannelOfAThirtyTwoBitBmp) {
    const std::string path = root.write("alpha.bmp", bmp_with_alpha(13, 7)).string();
    const auto before = read_back(path);
    ASSERT_EQ(before.second, 32);
    int transparent = 0;
    for (std::size_t i = 3; i < before.first.size(); i += 4)
        transparent += before.first[i] == 0;
    ASSERT_GT(transparent, 0) << "the picture has transparent pixels";
    int h = 0;
    LoadintoPicView(app, path, h);
    pv.user_key_down('S', ui::vbCtrlMask);
    EXPECT_TRUE(host.message_boxes().empty());
    const auto after = read_back(path);
    EXPECT_EQ(after.second, 32);
    EXPECT_EQ(after.first, before.first) << "every colour and alpha value as it was";
    EXPECT_EQ(pv.Caption.get(), PictureEditorCaption(path, 13, 7, 32));

    // Save As JPEG, which cannot hold the alpha channel, asks first; No writes nothing.
    const std::string jpg = (root / "flat.jpg").string();
    const std::string question = "A JPEG picture cannot be transparent: the transparent parts of flat.jpg would be "
                                 "lost.\r\nSave it as JPEG anyway?";
    host.answer_file_dialog(jpg);
    host.answer_msgbox(ui::vbNo, question, ui::vbYesNo | ui::vbQuestion, "Save Picture");
    pv.mnuSaveAs_Click(1);
    EXPECT_FALSE(std::filesystem::exists(jpg));
    host.answer_file_dialog(jpg);
    host.answer_msgbox(ui::vbYes, question);
    pv.mnuSaveAs_Click(1);
    EXPECT_TRUE(std::filesystem::exists(jpg));
    EXPECT_EQ(host.message_boxes().size(), 2u);

    // A 32-bit picture without alpha (its fourth bytes 0) stays one, and opaque.
    const std::string opaque = root.write("opaque.bmp", test_support::bmp_file(5, 4, 32)).string();
    const auto opaqueBefore = read_back(opaque);
    LoadintoPicView(app, opaque, h);
    pv.user_key_down('S', ui::vbCtrlMask);
    EXPECT_EQ(read_back(opaque), opaqueBefore);
}

TEST_F(PictureEditorFilesTest, AFailedOpenNamesTheFileAndTheReasonAndTheDialogOffersBmpAndJpgOnly) {
    // A 1-pixel BMP whose header says 100 x 100: the imaging layer knows it ends too early.
    std::string cut = test_support::bmp_file(100, 100, 24);
    cut.resize(cut.size() / 2);
    const std::string path = root.write("cut.bmp", cut).string();
    int h = 0;
    host.answer_msgbox(ui::vbOK,
                       "Couldn't open " + path + "\r\ncut.bmp: The BMP picture is damaged: it ends before its last pixel.",
                       ui::vbExclamation);
    LoadintoPicView(app, path, h);
    EXPECT_EQ(app.PicImage, 0);

    const std::string good = root.write("good.bmp", test_support::bmp_file(4, 4, 24)).string();
    LoadintoPicView(app, good, h);
    host.answer_file_dialog(path);
    host.answer_msgbox(ui::vbOK,
                       "Couldn't open " + path + "\r\ncut.bmp: The BMP picture is damaged: it ends before its last pixel.",
                       ui::vbExclamation);
    pv.mnuOpen_Click();
    EXPECT_EQ(pv.PicFileName, good); // the shown picture stays
    ASSERT_EQ(host.file_dialogs().size(), 1u);
    std::vector<std::pair<std::string, std::string>> offered;
    for (const ui::FileFilter& filter : host.file_dialogs()[0].Filters)
        offered.emplace_back(filter.Description, filter.Pattern);
    EXPECT_EQ(offered, (std::vector<std::pair<std::string, std::string>>{{"Pictures (*.bmp;*.jpg)", "*.bmp;*.jpg"},
                                                                         {"BMP Pictures (*.bmp)", "*.bmp"},
                                                                         {"JPEG Pictures (*.jpg)", "*.jpg"}}));
}
