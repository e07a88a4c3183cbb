// The main window as the screen shows it: a saved position in the screen's corner is kept, a long
// list keeps its scroll bars when only the list is drawn again (as when the start-up tip takes the
// focus from it), and the drive boxes read the same before and after the view-mode pop-up. Checked
// on X's own view of the window and on its pixels.
#include "imaging/handles.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/frmTip.hpp"
#include "shell/startup.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fltk/WindowView.hpp"
#include "platform/fs/files.hpp"
#include "platform/imgman/imgman.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

using namespace vexolan;
using test_support::Driver;

namespace {

struct BindingFaultsScreen;

// How many pixels differ between two pictures of the same place.
int differing(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    if (a.size() != b.size()) return static_cast<int>(std::max(a.size(), b.size()));
    int n = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        n += a[i] != b[i] ? 1 : 0;
    return n;
}

struct FaultCase {
    const char* name;
    bool windowManager;
    std::function<void(BindingFaultsScreen&)> check;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

struct BindingFaultsScreen : test_support::ScreenTest, ::testing::WithParamInterface<FaultCase> {
    Form1& f = app.form1();
    test_support::TempDir data{"binding_faults"};
    std::string startFolder = files::CurDir();
    files::FaultScope faults;

    BindingFaultsScreen() {
        app.ExitDraw = [] { return 0.9; };
    } // no advertisement when the test ends
    ~BindingFaultsScreen() override { files::ChDir(startFolder); }

    void save(std::string_view section, std::string_view key, std::string_view value) {
        app.Settings.SaveSetting("Vexo10", section, key, value);
    }
    // The program starts with both panes on the data folder, holding `files` files.
    void start(int files) {
        for (int i = 0; i < files; ++i)
            data.write("file" + std::to_string(100 + i) + ".txt", "x");
        save("Folders", "Folder1", data.path().string());
        save("Folders", "Folder2", data.path().string());
        StartProgram(app, "");
        ASSERT_TRUE(pump_until([&] { return host.screen_window(f) && host.screen_window(f)->visible(); }));
        pump_until([] { return false; }, 1.0);
    }
    // A window's client origin on the screen.
    static void origin(Fl_Window& w, int& x, int& y) {
        ::Window child = 0;
        XTranslateCoordinates(fl_display, fl_xid(&w), DefaultRootWindow(fl_display), 0, 0, &x, &y, &child);
    }
    // The screenshot of the main window the script saved as `name`.
    std::string shot(const std::string& name) { return test_support::screenshot_folder() + "/" + name + ".png"; }
    // The colours of a rectangle of a screenshot, row by row; pixels in `hidden` (screenshot
    // coordinates x, y, w, h) are left out.
    std::vector<std::uint32_t> pixels(const std::string& file, int x, int y, int w, int h,
                                      std::array<int, 4> hidden = {0, 0, 0, 0}) {
        int handle = 0;
        std::vector<std::uint32_t> out;
        EXPECT_TRUE(OpenImg(app, file, handle, true)) << file;
        const imgman::Image* img = imgman::image_of(handle);
        for (int j = y; img && j < y + h; ++j)
            for (int i = x; i < x + w; ++i) {
                if (i >= hidden[0] && i < hidden[0] + hidden[2] && j >= hidden[1] && j < hidden[1] + hidden[3])
                    continue;
                if (i < 0 || j < 0 || i >= img->width || j >= img->height) continue;
                const std::uint8_t* p = &img->rgba[(static_cast<std::size_t>(j) * img->width + i) * 4];
                out.push_back((p[0] << 16) | (p[1] << 8) | p[2]);
            }
        CloseImg(app, handle);
        return out;
    }
    // Where a control of the main window lies in its window, in pixels.
    std::array<int, 4> box(ui::Control& c) {
        Fl_Widget* w = host.widget(c);
        return w ? std::array<int, 4>{w->x(), w->y(), w->w(), w->h()} : std::array<int, 4>{0, 0, 0, 0};
    }
};

const FaultCase Cases[] = {
    {"SavedPositionInTheScreenCornerIsKept", false,
     [](BindingFaultsScreen& t) {
         t.save("Options", "Show Tips at Startup", "0");
         t.save("Folders", "LastX", "0");
         t.save("Folders", "LastY", "0");
         t.start(1);
         EXPECT_EQ(t.f.Left.get(), 0);
         EXPECT_EQ(t.f.Top.get(), 0);
         // On the screen: the client area lies just inside the corner, within the frame's width.
         int x = 0, y = 0;
         BindingFaultsScreen::origin(*t.host.screen_window(t.f), x, y);
         EXPECT_LE(x, 16) << "the window is not at the screen's left edge";
         EXPECT_LE(y, 48) << "the window is not at the screen's top edge";
     }},
    {"LongListKeepsItsScrollBarsWhileTheStartupTipIsOpen", true,
     [](BindingFaultsScreen& t) {
         t.start(120);
         frmTip& tip = t.app.tipWindow();
         ASSERT_TRUE(t.pump_until([&] { return t.host.screen_window(tip) && t.host.screen_window(tip)->visible(); }));
         // The tip takes the focus from the list, which draws itself again (without its focus
         // frame): exactly that redraw, whatever the window manager did meanwhile.
         t.pump_until([] { return false; }, 0.5);
         t.host.widget(t.f.ListView1[0])->redraw();
         t.pump_until([] { return false; }, 0.5);
         fltk::WindowView* view = t.host.view_of(t.f);
         Fl_Widget* vertical = view->scroll_bar(t.f.ListView1[0], true);
         ASSERT_NE(vertical, nullptr) << "the list has no vertical scroll bar";
         // The tip's part of the screen (with room for its frame), in the main window's pixels.
         int mx = 0, my = 0, tx = 0, ty = 0;
         BindingFaultsScreen::origin(*t.host.screen_window(t.f), mx, my);
         Fl_Window* tipWindow = t.host.screen_window(tip);
         BindingFaultsScreen::origin(*tipWindow, tx, ty);
         std::array<int, 4> covered{tx - mx - 10, ty - my - 40, tipWindow->w() + 20, tipWindow->h() + 50};
         Driver user(t, R"(
             id=$(find_window '^Vexolan 1.52')
             shoot "$id" faults_tip_list
         )");
         user.finish();
         std::vector<std::uint32_t> bar =
             t.pixels(t.shot("faults_tip_list"), vertical->x(), vertical->y(), vertical->w(), vertical->h(), covered);
         ASSERT_FALSE(bar.empty()) << "the tip covers the whole scroll bar";
         EXPECT_GT(std::set<std::uint32_t>(bar.begin(), bar.end()).size(), 2u)
             << "the scroll bar's place shows one colour: the bar is not drawn";
     }},
    {"DriveBoxesReadTheSameAfterTheViewModePopup", false,
     [](BindingFaultsScreen& t) {
         t.save("Options", "Show Tips at Startup", "0");
         t.start(3);
         // The right pane's icon, while the left pane is the active one: the click makes the right
         // pane active, and both panes draw their frames again while the pop-up is open.
         const auto icon = t.box(t.f.Image2[1]);
         const std::filesystem::path menu = t.root.path() / "menu";
         Driver user(t, R"(
             id=$(find_window '^Vexolan 1.52')
             shoot "$id" faults_drive_before
             xdotool mousemove --window "$id" )" +
                            std::to_string(icon[0] + icon[2] / 2) + " " + std::to_string(icon[1] + icon[3] / 2) +
                            R"( click 1
             wait_menu
             echo "$X $Y $WIDTH $HEIGHT" > ')" +
                            menu.string() + R"('
             shoot "$id" faults_drive_popup
             xdotool key Escape
             sleep 0.5
             shoot "$id" faults_drive_after
         )");
         user.finish();
         // The pop-up's place in the main window's pixels (it lies over the window in the screenshot).
         std::vector<int> m = test_support::read_numbers(menu);
         ASSERT_EQ(m.size(), 4u);
         int mx = 0, my = 0;
         BindingFaultsScreen::origin(*t.host.screen_window(t.f), mx, my);
         const std::array<int, 4> popup{m[0] - mx, m[1] - my, m[2], m[3]};
         for (int pane = 0; pane < 2; ++pane) {
             const auto d = t.box(t.f.Drive1[pane]);
             const auto before = t.pixels(t.shot("faults_drive_before"), d[0], d[1], d[2], d[3], popup);
             ASSERT_FALSE(before.empty());
             EXPECT_EQ(differing(t.pixels(t.shot("faults_drive_popup"), d[0], d[1], d[2], d[3], popup), before), 0)
                 << "the drive box of pane " << pane << " changed while the pop-up was open";
             EXPECT_EQ(differing(t.pixels(t.shot("faults_drive_after"), d[0], d[1], d[2], d[3], popup), before), 0)
                 << "the drive box of pane " << pane << " changed after the pop-up";
         }
     }},
};

} // namespace

TEST_P(BindingFaultsScreen, MainWindowDrawsAndPlacesAsItShould) {
    const FaultCase& c = GetParam();
    std::unique_ptr<test_support::Openbox> box;
    if (c.windowManager) {
        box = std::make_unique<test_support::Openbox>();
        NEED_OPENBOX(*box);
    }
    c.check(*this);
}

INSTANTIATE_TEST_SUITE_P(Rows, BindingFaultsScreen, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });
