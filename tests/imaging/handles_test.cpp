// The program's image handle procedures: opening with and without the message, the dialog,
// scaled copies, placing a picture in a box and sizing a box to a picture.

#include "imaging/handles.hpp"
#include "platform/ui/Controls.hpp"
#include "platform/ui/Window.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/pictures.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

namespace {

struct HandlesTest : test_support::AppTest {
    ui::Window form{host, "PicView"};
    ui::PictureBox box;
    HandlesTest() { form.add(box, "Picture1"); }
    void TearDown() override { EXPECT_EQ(imgman::live_handle_count(), 0) << "a test left images open"; }
    std::string picture(int w, int h) { return root.write("pic.bmp", test_support::bmp_file(w, h, 24)).string(); }
};

} // namespace

TEST_F(HandlesTest, OpenImgOfAMissingFileClosesTheOldImageAndTellsUnlessQuiet) {
    int handle = 0;
    ASSERT_TRUE(OpenImg(app, picture(4, 4), handle, false));
    EXPECT_EQ(imgman::live_handle_count(), 1);
    const std::string missing = (root / "missing.bmp").string();
    // The path, and on a second line the imaging layer's reason.
    host.answer_msgbox(ui::vbOK, "Couldn't open " + missing + "\r\nCouldn't read " + missing + ": File not found",
                       ui::vbExclamation, "Vexolan");
    EXPECT_FALSE(OpenImg(app, missing, handle, false));
    EXPECT_EQ(handle, 0);
    EXPECT_EQ(imgman::live_handle_count(), 0);

    ASSERT_TRUE(OpenImg(app, picture(4, 4), handle, true));
    EXPECT_FALSE(OpenImg(app, missing, handle, true)); // quiet: no message box
    EXPECT_EQ(handle, 0);
    EXPECT_EQ(imgman::live_handle_count(), 0);
    EXPECT_EQ(host.message_boxes().size(), 1u);
}

TEST_F(HandlesTest, OpenImgDialogGivesThePathOrNothing) {
    int handle = 0;
    const std::string path = picture(3, 3);
    host.answer_file_dialog(path);
    EXPECT_EQ(OpenImgDialog(app, handle), path);
    EXPECT_NE(handle, 0);
    host.answer_file_dialog("");
    EXPECT_EQ(OpenImgDialog(app, handle), "");
    EXPECT_EQ(handle, 0);
    // A chosen file that does not open: its path (for the caller's message), and no picture.
    const std::string bad = root.write("bad.bmp", "BMnonsense").string();
    host.answer_file_dialog(bad);
    EXPECT_EQ(OpenImgDialog(app, handle), bad);
    EXPECT_EQ(handle, 0);
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(HandlesTest, CopyImgFillsInZeroSizesAndClosesTheDestinationFirst) {
    int source = 0, destination = 0;
    ASSERT_TRUE(OpenImg(app, picture(320, 200), source, true));
    int w = 0, h = 0;
    ASSERT_TRUE(CopyImg(app, w, h, source, destination));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 200);
    const int first = destination;
    w = 160, h = 0;
    ASSERT_TRUE(CopyImg(app, w, h, source, destination));
    EXPECT_EQ(h, 200);
    EXPECT_EQ(imgman::image_of(first), nullptr); // the old copy was closed
    EXPECT_EQ(imgman::image_of(destination)->width, 160);
    EXPECT_EQ(imgman::live_handle_count(), 2);

    CloseImg(app, source);
    EXPECT_FALSE(CopyImg(app, w, h, source, destination));
    EXPECT_EQ(destination, 0);
    EXPECT_EQ(imgman::live_handle_count(), 0);
    CloseImg(app, source); // 0: nothing happens
}

TEST_F(HandlesTest, DrawImgRectCentresSmallerAxesAndStretchesTheOthers) {
    struct Case {
        int boxW, boxH, w, h;
        imgman::Rect want;
    };
    const Case cases[] = {
        {200, 40, 100, 50, {50, 0, 150, 40}}, // centred across, squeezed down
        {200, 40, 200, 10, {0, 15, 200, 25}}, // as wide as the box: spans it
        {50, 50, 300, 300, {0, 0, 50, 50}},   // larger both ways: stretched into the box
        {10, 10, 1, 1, {5, 5, 5, 5}},
    };
    for (const Case& c : cases) {
        const imgman::Rect r = DrawImgRect(c.boxW * 15.0, c.boxH * 15.0, 15, 15, c.w, c.h);
        EXPECT_EQ(r.left, c.want.left);
        EXPECT_EQ(r.top, c.want.top);
        EXPECT_EQ(r.right, c.want.right);
        EXPECT_EQ(r.bottom, c.want.bottom);
    }
    // The box's size in pixels rounds halves to even: 100.5 becomes 100.
    EXPECT_EQ(DrawImgRect(100.5 * 15, 10 * 15, 15, 15, 200, 20).right, 100);
}

TEST_F(HandlesTest, DrawImgPaintsThePictureIntoTheBox) {
    int handle = 0;
    box.BorderStyle = 0;
    box.Width = 200 * 15;
    box.Height = 40 * 15;
    EXPECT_FALSE(DrawImg(app, handle, box));
    EXPECT_TRUE(box.Image().empty());
    ASSERT_TRUE(OpenImg(app, picture(100, 50), handle, true));
    EXPECT_TRUE(DrawImg(app, handle, box));
    EXPECT_EQ(box.Image().Width, 200);
    EXPECT_EQ(box.Image().pixel(49, 20), 0u); // left of the picture: untouched
    EXPECT_EQ(box.Image().pixel(50, 0) >> 24, 255u);
    EXPECT_EQ(box.Image().pixel(149, 39) >> 24, 255u);
    EXPECT_EQ(box.Image().pixel(150, 20), 0u);
    box.Cls();
    EXPECT_TRUE(box.Image().empty());
    CloseImg(app, handle);
}

TEST_F(HandlesTest, SizeBoxToImgMakesTheBoxOnePixelSmaller) {
    int handle = 0;
    box.Width = 99;
    SizeBoxToImg(app, box, handle);
    EXPECT_EQ(box.Width, 99);
    ASSERT_TRUE(OpenImg(app, picture(100, 50), handle, true));
    SizeBoxToImg(app, box, handle);
    EXPECT_EQ(box.Width, 1485);
    EXPECT_EQ(box.Height, 735);
    CloseImg(app, handle);
}
