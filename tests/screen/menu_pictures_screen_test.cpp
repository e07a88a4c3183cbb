// Pictures of menu entries on a real screen: an entry with a picture shows it left of its caption,
// an entry without one in the same drop-down shows nothing there, and the captions stay in line.
#include "shell/artwork.hpp"
#include "tests/screen/screen_support.hpp"

#include "platform/fs/files.hpp"
#include "platform/ui/ui.hpp"

#include <FL/Fl_PNG_Image.H>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

using namespace vexolan;
using test_support::Driver;

namespace {

class MenuWindow : public ui::Window {
public:
    explicit MenuWindow(ui::Host& host) : ui::Window(host, "MenuPictures") {
        add_menu(mnuFile, "mnuFile");
        add_menu(mnuOpen, "mnuOpen", &mnuFile);
        add_menu(mnuSave, "mnuSave", &mnuFile);
        add_menu(mnuExit, "mnuExit", &mnuFile);
        Caption = "Vexolan - Menu Pictures";
        Width = 400 * 15;
        Height = 300 * 15;
        mnuFile.Caption = "&File";
        mnuOpen.Caption = "&Open";
        mnuSave.Caption = "&Save";
        mnuExit.Caption = "E&xit";
        mnuOpen.Picture = FirstMenuPicture - 4;
        mnuExit.Picture = FirstMenuPicture - 3;
    }
    ui::Menu mnuFile, mnuOpen, mnuSave, mnuExit;
};

struct MenuPictureScreen : test_support::ScreenTest {};

// A PNG file as the screen reads it (no colour correction), four bytes a pixel.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
};

Picture load(const std::string& file) {
    Picture out;
    Fl_PNG_Image png(file.c_str());
    EXPECT_GT(png.w(), 0) << file;
    if (png.w() <= 0 || png.count() < 1) return out;
    const int depth = png.d(), line = png.ld() ? png.ld() : png.w() * depth;
    const auto* data = reinterpret_cast<const std::uint8_t*>(png.data()[0]);
    out.width = png.w();
    out.height = png.h();
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const std::uint8_t* p = data + y * line + x * depth;
            const bool colour = depth >= 3;
            out.rgba.insert(out.rgba.end(), {p[0], colour ? p[1] : p[0], colour ? p[2] : p[0],
                                             depth == 4 ? p[3] : depth == 2 ? p[1] : std::uint8_t{255}});
        }
    return out;
}

const std::uint8_t* at(const Picture& img, int x, int y) {
    return &img.rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(img.width) + static_cast<std::size_t>(x)) *
                     4];
}

// Where the picture's opaque pixels lie in the screenshot (each channel within `tolerance`).
std::optional<std::pair<int, int>> find_picture(const Picture& shot, const Picture& picture,
                                                int tolerance) {
    for (int y = 0; y + picture.height <= shot.height; ++y)
        for (int x = 0; x + picture.width <= shot.width; ++x) {
            bool match = true, any = false;
            for (int py = 0; py < picture.height && match; ++py)
                for (int px = 0; px < picture.width && match; ++px) {
                    const std::uint8_t* p = at(picture, px, py);
                    if (p[3] != 255) continue;
                    any = true;
                    const std::uint8_t* s = at(shot, x + px, y + py);
                    for (int c = 0; c < 3; ++c)
                        if (std::abs(int(p[c]) - int(s[c])) > tolerance) match = false;
                }
            if (match && any) return std::pair{x, y};
        }
    return std::nullopt;
}

} // namespace

TEST_F(MenuPictureScreen, EntriesWithAPictureShowItAndOthersShowNone) {
    MenuWindow w(host);
    w.Show();
    const std::string shot = test_support::screenshot_folder() + "/menu_pictures.png";
    Driver user(*this, R"(
        id=$(find_window '^Vexolan - Menu Pictures$')
        focus "$id"
        xdotool mousemove --window "$id" 20 11 click 1
        sleep 0.6
        import -window root )" + shot + R"(
        xdotool key Escape
        sleep 0.2
    )");
    user.finish();
    const Picture screen = load(shot);
    const Picture open = load(files::app_path(ArtworkFile(FirstMenuPicture - 4)));
    const Picture exit = load(files::app_path(ArtworkFile(FirstMenuPicture - 3)));
    auto openAt = find_picture(screen, open, 24);
    auto exitAt = find_picture(screen, exit, 24);
    ASSERT_TRUE(openAt) << "the picture of Open is not on the screen";
    ASSERT_TRUE(exitAt) << "the picture of Exit is not on the screen";
    // One column, Exit two rows below Open; the row of Save between them is bare in that column.
    EXPECT_EQ(openAt->first, exitAt->first);
    ASSERT_GT(exitAt->second, openAt->second + 2 * open.height);
    const std::uint8_t* bare = at(screen, openAt->first, openAt->second + open.height + 2);
    for (int y = openAt->second + open.height + 2; y < exitAt->second - 2; ++y)
        for (int x = openAt->first; x < openAt->first + open.width; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_NEAR(at(screen, x, y)[c], bare[c], 6) << "something is drawn beside Save at " << x << "," << y;
    w.Unload();
}
