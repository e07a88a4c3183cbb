// Pictures and selections on a real screen, checked on the screenshot's pixels: a menu entry with a
// picture shows it left of its caption and an entry without one shows nothing there; each toolbar
// button shows its picture; a report list behind a modal dialog keeps showing its selected rows.
#include "shell/artwork.hpp"
#include "tests/screen/screen_support.hpp"

#include "platform/fs/files.hpp"
#include "platform/ui/ui.hpp"

#include <FL/Fl_PNG_Image.H>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
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

class ToolbarWindow : public ui::Window {
public:
    explicit ToolbarWindow(ui::Host& host) : ui::Window(host, "ToolbarPictures") {
        add(Toolbar1, "Toolbar1");
        add(ImageList1, "ImageList1");
        Caption = "Vexolan - Toolbar Pictures";
        Width = 400 * 15;
        Height = 200 * 15;
        Toolbar1.Move(0, 0, 400 * 15, 30 * 15);
        Toolbar1.ImageList = &ImageList1;
        for (int picture : {PreviewButtonPicture, OverlayButtonPicture, AlphaButtonPicture})
            Toolbar1.Buttons.Add().Image = ImageList1.Add(picture);
    }
    ui::Toolbar Toolbar1;
    ui::ImageList ImageList1;
};

// A report list with five rows, the second and fourth selected, and a small modal dialog.
class ListWindow : public ui::Window {
public:
    explicit ListWindow(ui::Host& host) : ui::Window(host, "SelectionList") {
        add(ListView1, "ListView1");
        Caption = "Vexolan - Selection";
        Width = 400 * 15;
        Height = 300 * 15;
        ListView1.Move(0, 0, 380 * 15, 200 * 15);
        ListView1.View = ui::lvwReport;
        ListView1.MultiSelect = true;
        ListView1.ColumnHeaders.Add(-1, "", "Name", 370 * 15);
        for (const char* s : {"a.8bf", "b.8bf", "c.8bf", "d.8bf", "e.8bf"})
            ListView1.ListItems.Add(-1, "", s);
    }
    ui::ListView ListView1;
};

class SmallDialog : public ui::Window {
public:
    explicit SmallDialog(ui::Host& host) : ui::Window(host, "SmallDialog") {
        add(Command1, "Command1");
        Caption = "Vexolan - Dialog";
        Width = 200 * 15;
        Height = 100 * 15;
        Command1.Move(50 * 15, 20 * 15, 90 * 15, 26 * 15);
        Command1.Caption = "Cancel";
        Command1.Cancel = true;
        Command1.Click = [this] { Unload(); };
    }
    ui::CommandButton Command1;
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
std::optional<std::pair<int, int>> find_picture(const Picture& shot, const Picture& picture, int tolerance,
                                                int left = 0, int top = 0, int right = 1 << 20,
                                                int bottom = 1 << 20) {
    for (int y = top; y + picture.height <= std::min(shot.height, bottom); ++y)
        for (int x = left; x + picture.width <= std::min(shot.width, right); ++x) {
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

TEST_F(MenuPictureScreen, EachToolbarButtonShowsItsPicture) {
    ToolbarWindow w(host);
    w.Show();
    const std::string with = test_support::screenshot_folder() + "/toolbar_pictures.png";
    const std::string without = test_support::screenshot_folder() + "/toolbar_no_pictures.png";
    Driver first(*this, R"(
        id=$(find_window '^Vexolan - Toolbar Pictures$')
        sleep 0.4
        import -window "$id" )" + with + R"(
    )");
    first.finish();
    for (int i = 1; i <= 3; ++i)
        w.Toolbar1.Buttons(i).Image = 0;
    w.Toolbar1.Refresh();
    Driver second(*this, R"(
        id=$(find_window '^Vexolan - Toolbar Pictures$')
        sleep 0.4
        import -window "$id" )" + without + R"(
    )");
    second.finish();
    const Picture shot = load(with), bare = load(without);
    ASSERT_EQ(shot.width, bare.width);
    // The buttons are 24 pixels wide, one pixel apart, from x = 2; the bar is 30 pixels high.
    int k = 0;
    for (int picture : {PreviewButtonPicture, OverlayButtonPicture, AlphaButtonPicture}) {
        const Picture art = load(files::app_path(ArtworkFile(picture)));
        const int left = 2 + k++ * 25;
        auto found = find_picture(shot, art, 24, left, 2, left + 24, 28);
        ASSERT_TRUE(found) << "button " << k << " does not show its picture";
        int differing = 0;
        for (int y = 0; y < art.height; ++y)
            for (int x = 0; x < art.width; ++x) {
                const std::uint8_t *a = at(shot, found->first + x, found->second + y),
                                   *b = at(bare, found->first + x, found->second + y);
                if (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) > 30) ++differing;
            }
        EXPECT_GT(differing, 40) << "button " << k << " looks the same without its picture";
        EXPECT_FALSE(find_picture(bare, art, 24, left, 2, left + 24, 28)) << "button " << k;
    }
    w.Unload();
}

TEST_F(MenuPictureScreen, ARowsSelectionStaysVisibleBehindAModalDialog) {
    ListWindow w(host);
    SmallDialog dialog(host);
    w.Show();
    w.ListView1.SetFocus();
    w.ListView1.ListItems(2).Selected = true;
    w.ListView1.ListItems(4).Selected = true;
    const std::string shot = test_support::screenshot_folder() + "/selection_behind_dialog.png";
    const std::string geometry = (root / "geometry.txt").string();
    Driver user(*this, R"(
        id=$(find_window '^Vexolan - Selection$')
        dlg=$(find_window '^Vexolan - Dialog$')
        sleep 0.5
        import -window "$id" )" + shot + R"(
        xdotool getwindowgeometry --shell "$id" > )" + geometry + R"(
        xdotool getwindowgeometry --shell "$dlg" >> )" + geometry + R"(
        focus "$dlg"
        xdotool key Escape
    )");
    pump_until([] { return false; }, 0.3);
    dialog.ShowModal();
    user.finish();
    EXPECT_FALSE(dialog.Loaded());
    // The dialog opened centred over the window it was opened from.
    std::ifstream in(geometry);
    std::vector<int> values;
    for (std::string line; std::getline(in, line);)
        for (const char* key : {"X=", "Y=", "WIDTH=", "HEIGHT="})
            if (line.rfind(key, 0) == 0) values.push_back(std::stoi(line.substr(std::string(key).size())));
    ASSERT_EQ(values.size(), 8u);
    EXPECT_NEAR(values[0] + values[2] / 2, values[4] + values[6] / 2, 12);
    EXPECT_NEAR(values[1] + values[3] / 2, values[5] + values[7] / 2, 20);
    // Rows 2 and 4 keep a highlight: right of their text and of the dialog the row is not the
    // list's white, and rows 1, 3 and 5 are.
    const Picture screen = load(shot);
    const ui::ListView& list = w.ListView1;
    const int x = 350, white = 255 * 3;
    for (int row = 1; row <= 5; ++row) {
        const int y = list.HeaderHeightPixels() + 2 + (row - 1) * list.RowHeightPixels() + list.RowHeightPixels() / 2;
        const std::uint8_t* p = at(screen, x, y);
        const int sum = p[0] + p[1] + p[2];
        if (row == 2 || row == 4)
            EXPECT_LT(sum, white - 60) << "row " << row << " lost its highlight";
        else
            EXPECT_GT(sum, white - 15) << "row " << row << " is highlighted";
    }
    w.Unload();
}
