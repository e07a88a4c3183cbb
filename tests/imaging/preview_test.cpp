// The preview picture: the thumbnail size rule, the choice at start, the image-list menu and the
// main window's imaging commands.

#include "imaging/PicView.hpp"
#include "imaging/commands.hpp"
#include "imaging/preview.hpp"
#include "platform/imgman/imgman.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/pictures.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vexolan;

namespace {

struct PreviewTest : test_support::AppTest {
    Form1& f = app.form1();
    void TearDown() override {
        int h = app.PreviewImage;
        if (h != 0) imgman::ImgClose(h);
        app.PreviewImage = 0;
        EXPECT_EQ(imgman::live_handle_count(), 0);
    }
    std::string picture(const std::string& name, int w, int h, int bpp = 24) {
        return root.write(name, test_support::bmp_file(w, h, bpp)).string();
    }
    const imgman::Image& thumb() { return *imgman::image_of(app.PreviewImage); }
    // Image-list entries: the Preferences list holds the paths, the menu the captions.
    void image_list(const std::vector<std::pair<std::string, std::string>>& entries) {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (i > 0 && !f.mnuPictures.Exists(static_cast<int>(i))) f.mnuPictures.Load(static_cast<int>(i));
            f.mnuPictures[static_cast<int>(i)].Caption = entries[i].first;
            app.form2().List1[1].AddItem(entries[i].second);
        }
    }
};

} // namespace

TEST(ThumbnailSize, FollowsTheFrameRuleAtFifteenTwipsPerPixel) {
    struct Case {
        int w, h, tw, th;
    } cases[] = {{640, 480, 160, 120}, {480, 640, 82, 110}, {300, 290, 160, 155}, {50, 1, 160, 0},
                 {200, 200, 110, 110}, {1, 1, 1, 1},        {1, 2, 0, 110},       {2, 1, 160, 0}};
    for (const Case& c : cases) {
        const ThumbSize s = ThumbnailSize(c.w, c.h, 15, 15);
        EXPECT_EQ(s.width, c.tw) << c.w << "x" << c.h;
        EXPECT_EQ(s.height, c.th) << c.w << "x" << c.h;
    }
    // The frame is the same number of pixels at any resolution.
    EXPECT_EQ(ThumbnailSize(640, 480, 12, 12).width, 160);
    EXPECT_EQ(ThumbnailSize(480, 640, 12, 12).height, 110);
}

TEST_F(PreviewTest, ThumbnailsAreScaledAndRaisedToTwentyFourBits) {
    app.OriginalBMP = picture("wide.bmp", 50, 1);
    CreateThumb(app);
    ASSERT_NE(app.PreviewImage, 0);
    EXPECT_EQ(thumb().width, 160);
    EXPECT_EQ(thumb().height, 1); // 0 computed: CopyImg keeps the picture's height

    app.OriginalBMP = picture("grey.bmp", 640, 480, 8);
    CreateThumb(app);
    imgman::ImageInfo info;
    std::int32_t flags = 0;
    ASSERT_EQ(imgman::ImgGetInfoStruct(app.PreviewImage, info, flags), 1);
    EXPECT_EQ(info.Width, 160);
    EXPECT_EQ(info.Height, 120);
    EXPECT_EQ(info.BitCount, 24);

    app.OriginalBMP = picture("deep.bmp", 480, 640, 32);
    CreateThumb(app);
    ASSERT_EQ(imgman::ImgGetInfoStruct(app.PreviewImage, info, flags), 1);
    EXPECT_EQ(info.BitCount, 32);
    EXPECT_EQ(info.Width, 82);
    EXPECT_EQ(imgman::live_handle_count(), 1); // only the thumbnail stays open

    app.OriginalBMP = picture("single.bmp", 1, 1);
    CreateThumb(app);
    EXPECT_EQ(thumb().width, 1);
}

TEST_F(PreviewTest, APictureThatDoesNotOpenKeepsTheOldThumbnail) {
    app.OriginalBMP = picture("good.bmp", 200, 200);
    CreateThumb(app);
    const int before = app.PreviewImage;
    const std::string bad = root.write("bad.bmp", "BMnot a picture").string();
    app.OriginalBMP = bad;
    host.answer_msgbox(ui::vbOK, "Couldn't open " + bad + "\r\nbad.bmp: The file is not a readable BMP picture.");
    CreateThumb(app);
    EXPECT_EQ(app.PreviewImage, before);
    EXPECT_EQ(app.OriginalBMP, bad);
}

TEST_F(PreviewTest, AStoredPictureThatIsGoneFallsBackToTestBmpAndChecksItsEntry) {
    const std::string fallback = (appFolder / "Test.bmp").string();
    root.write("appfolder/Test.bmp", test_support::bmp_file(320, 240, 24));
    app.Settings.SaveSetting("Vexo10", "Settings", "PreviewPic", (root / "deleted.bmp").string());
    image_list({{"/elsewhere/x.jpg", "/elsewhere/x.jpg"}, {fallback, fallback}, {fallback, fallback}});
    PreparePreviewPic(app);
    EXPECT_EQ(app.OriginalBMP, fallback);
    ASSERT_NE(app.PreviewImage, 0);
    EXPECT_EQ(thumb().width, 160);
    EXPECT_FALSE(f.mnuPictures[0].Checked.get());
    EXPECT_TRUE(f.mnuPictures[1].Checked.get());
    EXPECT_FALSE(f.mnuPictures[2].Checked.get()); // only the first match
    EXPECT_TRUE(host.message_boxes().empty());

    const std::string stored = picture("kept.bmp", 300, 290);
    app.Settings.SaveSetting("Vexo10", "Settings", "PreviewPic", stored);
    PreparePreviewPic(app);
    EXPECT_EQ(app.OriginalBMP, stored);
    EXPECT_EQ(thumb().height, 155);
    EXPECT_TRUE(f.mnuPictures[1].Checked.get()); // checks, never unchecks
}

TEST_F(PreviewTest, ImageListEntriesAreCheckedByTypeAndChangeThePreviewPicture) {
    const std::string jpg = root.write("shot.JPG", test_support::jpeg_file(64, 48)).string();
    image_list({{"shot.JPG", jpg}, {"x.PNG", "/p/x.PNG"}});
    f.mnuPictures[1].Checked = true;

    host.answer_msgbox(ui::vbOK, "\r\nPlease select a BMP or JPG file!", ui::vbExclamation, "Vexolan");
    mnuPictures_Click(app, 1);
    EXPECT_TRUE(app.OriginalBMP.empty());
    EXPECT_EQ(app.PreviewImage, 0);

    mnuPictures_Click(app, 0);
    EXPECT_EQ(app.OriginalBMP, jpg); // the list's path, whatever the caption shows
    ASSERT_NE(app.PreviewImage, 0);
    EXPECT_EQ(thumb().width, 160);
    EXPECT_TRUE(f.mnuPictures[0].Checked.get());
    EXPECT_FALSE(f.mnuPictures[1].Checked.get());
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
    // The choice is stored only when the editor window unloads.
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "PreviewPic", "none"), "none");
}

TEST_F(PreviewTest, AnEmptyImageListEntryOpensThePreferencesOnTheImagesTab) {
    int tab = 0;
    host.on_modal("Form2", [&](ui::Window&) { tab = app.form2().SSTab1.SelectedItem.get(); });
    mnuPictures_Click(app, 0);
    ASSERT_EQ(host.modal_windows().size(), 1u);
    EXPECT_EQ(tab, 5);
    EXPECT_TRUE(app.OriginalBMP.empty());
}

TEST_F(PreviewTest, PictureEditorPreparesThePreviewPictureOnce) {
    root.write("appfolder/Test.bmp", test_support::bmp_file(32, 32, 24));
    const std::string fallback = (appFolder / "Test.bmp").string();
    mnuPictureView_Click(app);
    EXPECT_EQ(app.OriginalBMP, fallback);
    EXPECT_NE(app.PreviewImage, 0);
    PicView& editor = app.picView();
    EXPECT_TRUE(editor.Visible.get());
    EXPECT_EQ(editor.PicFileName, fallback);
    EXPECT_EQ(editor.Caption.get(), "Picture Editor - Test.bmp - 32x32, 16 Milion Colors (24bit)");
    // While the picture editor is shown it only comes to the front.
    const int shown = app.PicImage, thumbnail = app.PreviewImage;
    app.OriginalBMP = "/elsewhere/other.bmp";
    mnuPictureView_Click(app);
    EXPECT_EQ(app.PicImage, shown);
    EXPECT_EQ(app.PreviewImage, thumbnail);
    editor.Unload();
    EXPECT_EQ(app.PicImage, 0);
    // File > "Open Preview Image...": the picture chosen becomes the preview picture.
    const std::string chosen = picture("chosen.bmp", 40, 20);
    host.answer_file_dialog(chosen);
    mnuOpen_Click(app);
    EXPECT_EQ(app.OriginalBMP, chosen);
    EXPECT_EQ(thumb().width, 160);
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
}

TEST_F(PreviewTest, TheDisabledAndHiddenEntriesDoNothing) {
    mnuSavePreview_Click(app);
    mnuRandomize_Click(app);
    mnuUpdateCache_Click(app);
    mnuApplySetting_Click(app);
    mnuSaveSetting_Click(app);
    mnuSetWallpaper_Click(app);
    cmd_Invoke(app);
    cmd_Thumbnail(app);
    EXPECT_TRUE(host.message_boxes().empty());
    EXPECT_EQ(f.Timer1.Interval.get(), 250);
    EXPECT_FALSE(f.Timer1.Enabled.get());
}
