// Pictures on the screen: an image drawn into a picture box shows there pixel for pixel, and the
// desktop's image clipboard carries a picture out and back.

#include "imaging/handles.hpp"
#include "platform/imgman/images.hpp"
#include "platform/ui/Controls.hpp"
#include "platform/ui/Window.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/pictures.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::Driver;

namespace {

struct PictureScreen : test_support::ScreenTest {
    void TearDown() override { EXPECT_EQ(imgman::live_handle_count(), 0); }
};

} // namespace

TEST_F(PictureScreen, DrawnPictureShowsInTheBox) {
    ui::Window w(host, "PicTest");
    ui::PictureBox box;
    w.add(box, "Picture1");
    w.Caption = "Vexolan - Picture Test";
    w.Width = 300 * 15;
    w.Height = 200 * 15;
    box.BorderStyle = 0;
    box.Move(0, 0, 100 * 15, 60 * 15);
    int handle = 0;
    ASSERT_TRUE(OpenImg(app, root.write("p.bmp", test_support::bmp_file(100, 60, 24)).string(), handle, true));
    w.Show();
    ASSERT_TRUE(DrawImg(app, handle, box));
    const std::string shot = (root / "shot.png").string();
    Driver user(*this, R"(
        id=$(find_window '^Vexolan - Picture Test$')
        shoot "$id" picture_box
        sleep 0.3
        import -window "$id" )" +
                           shot + R"(
    )");
    user.finish();
    int taken = 0;
    ASSERT_TRUE(OpenImg(app, shot, taken, true));
    const imgman::Image& img = *imgman::image_of(taken);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{37, 21}, std::pair{99, 59}}) {
        const std::uint8_t* p = &img.rgba[(static_cast<std::size_t>(y) * img.width + x) * 4];
        const test_support::Rgb want = test_support::pattern_colour(x, y, 24);
        EXPECT_NEAR(p[0], want.r, 2) << x << "," << y;
        EXPECT_NEAR(p[1], want.g, 2) << x << "," << y;
        EXPECT_NEAR(p[2], want.b, 2) << x << "," << y;
    }
    CloseImg(app, taken);
    CloseImg(app, handle);
    w.Unload();
}

TEST_F(PictureScreen, ImageClipboardCarriesAPictureOutAndBack) {
    ui::Bitmap b;
    b.resize(4, 3);
    for (std::size_t i = 0; i < b.Rgba.size(); i += 4)
        b.Rgba[i] = 10, b.Rgba[i + 1] = 200, b.Rgba[i + 2] = 30, b.Rgba[i + 3] = 255;
    host.SetClipboardImage(b);
    const int h = imgman::ImgFromClipboard(host);
    ASSERT_NE(h, 0);
    const imgman::Image& img = *imgman::image_of(h);
    EXPECT_EQ(img.width, 4);
    EXPECT_EQ(img.height, 3);
    EXPECT_EQ(img.rgba[1], 200);
    imgman::ImgClose(h);
}
