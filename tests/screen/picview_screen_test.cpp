// The picture editor and the preview picture on a real screen: View > "Picture Editor" shows the
// preview picture pixel for pixel, Save and Save As write pictures that open again, and
// the image list chooses the preview picture, all through the menus.

#include "imaging/PicView.hpp"
#include "imaging/handles.hpp"
#include "imaging/preview.hpp"
#include "platform/imgman/images.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/pictures.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vexolan;
using test_support::Driver;

namespace {

// The keys that choose `entry` of the bar menu `menu` once it has dropped down: one Down for each
// entry it passes (the screen skips separators, hidden and disabled entries), then Return.
std::string choose(const ui::Menu& menu, const ui::Menu& entry) {
    std::string keys = "xdotool key";
    for (ui::Menu* m : menu.PresentItems()) {
        if (m->IsSeparator() || !m->Enabled) continue;
        keys += " Down";
        if (m == &entry) return keys + " Return\n";
    }
    ADD_FAILURE() << entry.Name() << " is not on " << menu.Name();
    return "false\n";
}

struct PicViewScreen : test_support::ScreenTest {
    Form1& f = app.form1();

    PicViewScreen() { f.Caption = "Vexolan 1.52 - Light Edition"; }
    void TearDown() override {
        app.host.registry().UnloadAll();
        CloseImg(app, app.PreviewImage);
        EXPECT_EQ(imgman::live_handle_count(), 0);
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
};

} // namespace

TEST_F(PicViewScreen, PictureEditorShowsThePreviewPictureAndSavesIt) {
    // An 8-bit preview picture: the saved BMP pictures have 24 bits.
    const std::string preview = root.write("preview.bmp", test_support::bmp_file(120, 80, 8)).string();
    app.Settings.SaveSetting("Vexo10", "Settings", "PreviewPic", preview);
    const std::string copy = (root / "copy.bmp").string();
    const std::string shot = (root / "editor.png").string();
    PicView& editor = app.picView();
    f.Show();
    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        xdotool key alt+v
        sleep 0.4
        )" + choose(f.mnuView, f.mnuPictureView) +
                           R"(
        pic=$(find_window '^Picture Editor - preview.bmp - 120x80, 256 Colors')
        focus "$pic"
        shoot "$pic" picture_editor
        import -window "$pic" )" +
                           shot + R"(
        xdotool key ctrl+s
        sleep 0.4
        xdotool key alt+f
        sleep 0.4
        )" + choose(editor.mnuFile, editor.mnuSaveAs[1]) +
                           R"(
        dlg=$(find_window '^Save Picture As$')
        shoot "$dlg" picture_editor_save_as
        focus "$dlg"
        xdotool type --delay 20 ')" +
                           copy + R"('
        sleep 0.3
        xdotool key Return
        sleep 0.5
    )");
    EXPECT_TRUE(pump_until([&] { return std::filesystem::exists(copy); }));
    user.finish();

    ASSERT_TRUE(editor.Visible.get());
    EXPECT_EQ(editor.PicFileName, preview);
    // What the screen shows below the menu bar is the picture, pixel for pixel (the box is the
    // picture's full size).
    int taken = 0;
    ASSERT_TRUE(OpenImg(app, shot, taken, true));
    const imgman::Image& img = *imgman::image_of(taken);
    const int top = host.MenuHeight();
    int compared = 0;
    for (int y = 0; y < 76; y += 5)
        for (int x = 0; x < 120; x += 7) {
            ASSERT_LT(top + y, img.height);
            const std::uint8_t* p = &img.rgba[(static_cast<std::size_t>(top + y) * img.width + x) * 4];
            const test_support::Rgb want = test_support::pattern_colour(x, y, 8);
            EXPECT_NEAR(p[0], want.r, 2) << x << "," << y;
            EXPECT_NEAR(p[1], want.g, 2) << x << "," << y;
            EXPECT_NEAR(p[2], want.b, 2) << x << "," << y;
            ++compared;
        }
    EXPECT_GT(compared, 200);
    CloseImg(app, taken);

    // Save wrote the picture over its own file, Save As to the chosen one: same size, 24 bits.
    for (const std::string& path : {preview, copy}) {
        const imgman::ImageInfo info = info_of_file(path);
        EXPECT_EQ(info.Width, 120) << path;
        EXPECT_EQ(info.Height, 80) << path;
        EXPECT_EQ(info.BitCount, 24) << path;
    }
    EXPECT_EQ(editor.Caption.get(), "Picture Editor - preview.bmp - 120x80, 256 Colors (8bit)");
}

TEST_F(PicViewScreen, TheImageListChoosesThePreviewPicture) {
    const std::string first = root.write("first.bmp", test_support::bmp_file(640, 480, 24)).string();
    const std::string second = root.write("second.jpg", test_support::jpeg_file(480, 640)).string();
    Form2& prefs = app.form2();
    prefs.List1[1].AddItem(first);
    prefs.List1[1].AddItem(second);
    f.mnuPictures[0].Caption = first;
    f.mnuPictures.Load(1);
    f.mnuPictures[1].Caption = second;
    app.OriginalBMP = first;
    CreateThumb(app);
    f.Show();
    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        xdotool key alt+f
        sleep 0.4
        shoot "$id" image_list
        )" + choose(f.mnuProject, f.mnuPictures[1]) +
                           R"(
        sleep 0.5
    )");
    EXPECT_TRUE(pump_until([&] { return app.OriginalBMP == second; }));
    user.finish();
    // A picture of the list is no new entry.
    EXPECT_EQ(prefs.List1[1].ListCount(), 2);
    ASSERT_NE(app.PreviewImage, 0);
    const imgman::Image& thumb = *imgman::image_of(app.PreviewImage);
    EXPECT_EQ(thumb.width, 82); // the portrait picture's thumbnail
    EXPECT_EQ(thumb.height, 110);
    EXPECT_TRUE(f.mnuPictures[1].Checked.get());
    EXPECT_FALSE(f.mnuPictures[0].Checked.get());
}
