// The windows behave as desktop windows: the main window sizes and maximizes under a window
// manager, a window comes back where it was closed, message boxes and modal windows stay above
// the window that opened them and hold back input to the others, Delete deletes, a held mouse
// button is known from the events, and a tooltip survives its control's restyling. Checked on X's
// own view of the windows (sizes, positions, hints, stacking) and on the model.
#include "ffeditor/FFEditorType1.hpp"
#include "imaging/handles.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"

#include "platform/fltk/wm.hpp"
#include "platform/ui/Controls.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
// Xlib's event names would hide the model's events of the same names.
#undef KeyPress
#undef KeyRelease

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace vexolan;
using test_support::Driver;

namespace {

using test_support::Openbox;

// A plain window of the program, sized and placed in pixels.
class PlainWindow : public ui::Window {
public:
    PlainWindow(ui::Host& host, std::string caption, int left, int top, int width, int height)
        : ui::Window(host, "Plain") {
        add(Text1, "Text1");
        add(Command1, "Command1");
        add(Picture1, "Picture1");
        add(Combo1, "Combo1");
        Caption = std::move(caption);
        // At 0,0 the window is given no position of its own: it opens over the window it was
        // opened from.
        if (left != 0 || top != 0) {
            Left = left * 15;
            Top = top * 15;
        }
        Width = width * 15;
        Height = height * 15;
        Text1.Move(10 * 15, 10 * 15, 200 * 15, 24 * 15);
        Command1.Move(10 * 15, 50 * 15, 100 * 15, 30 * 15);
        Command1.Caption = "Press";
        Picture1.Move(150 * 15, 50 * 15, 100 * 15, 60 * 15);
        Combo1.Move(10 * 15, 120 * 15, 300 * 15, 22 * 15);
    }
    ui::TextBox Text1;
    ui::CommandButton Command1;
    ui::PictureBox Picture1;
    ui::ComboBox Combo1;
};

struct DesktopWindow : test_support::ScreenTest {
    Display* display() { return fl_display; }
    ::Window xid(ui::Window& w) { return fl_xid(host.screen_window(w)); }
    bool on_screen(ui::Window& w) {
        Fl_Window* s = host.screen_window(w);
        return s && s->shown() && s->visible();
    }
    // The client area's position on the screen.
    void client_origin(ui::Window& w, int& x, int& y) {
        ::Window child = 0;
        XTranslateCoordinates(display(), xid(w), DefaultRootWindow(display()), 0, 0, &x, &y, &child);
    }
    void client_size(ui::Window& w, int& width, int& height) {
        XWindowAttributes a{};
        XGetWindowAttributes(display(), xid(w), &a);
        width = a.width;
        height = a.height;
    }
    // The window's frame as the window manager states it.
    fltk::wm::Frame frame(ui::Window& w) {
        std::optional<fltk::wm::Frame> f = fltk::wm::frame_of(*host.screen_window(w));
        return f.value_or(fltk::wm::Frame{});
    }
    // The top-level windows managed, bottom first.
    std::vector<::Window> stacking() {
        Atom type = None;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        std::vector<::Window> out;
        XGetWindowProperty(display(), DefaultRootWindow(display()),
                           XInternAtom(display(), "_NET_CLIENT_LIST_STACKING", False), 0, 1024, False, XA_WINDOW,
                           &type, &format, &n, &after, &data);
        if (data) {
            const long* v = reinterpret_cast<const long*>(data);
            for (unsigned long i = 0; i < n; ++i)
                out.push_back(static_cast<::Window>(v[i]));
            XFree(data);
        }
        return out;
    }
    // The children of the root window (the frames under a window manager), bottom first.
    std::vector<::Window> root_children() {
        ::Window rootOut = 0, parent = 0, *children = nullptr;
        unsigned int n = 0;
        std::vector<::Window> out;
        if (XQueryTree(display(), DefaultRootWindow(display()), &rootOut, &parent, &children, &n)) {
            out.assign(children, children + n);
            XFree(children);
        }
        return out;
    }
    static int index_of(const std::vector<::Window>& list, ::Window w) {
        auto it = std::find(list.begin(), list.end(), w);
        return it == list.end() ? -1 : static_cast<int>(it - list.begin());
    }
    void settle(double seconds = 0.5) { pump_until([] { return false; }, seconds); }
    // Shows the main window at 60,40 with the start-up's first layout, which records the design
    // sizes, and waits until it is on the screen.
    bool show_main_window() {
        Form1& f = app.form1();
        f.Caption = "Vexolan 1.52 - Light Edition";
        f.Left = 60 * 15;
        f.Top = 40 * 15;
        f.Show();
        f.Enabled = true;
        f.Form_Resize();
        if (!pump_until([&] { return on_screen(f); })) return false;
        settle();
        return true;
    }
};

// A screen window that is not the model's and whose caption is `caption`, or nullptr.
Fl_Window* dialog_named(const std::string& caption) {
    for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
        if (w->label() && caption == w->label()) return w;
    return nullptr;
}

} // namespace

// --- the main window sizes and maximizes ---------------------------------------------------------

TEST_F(DesktopWindow, MainWindowResizesAboveItsMinimumAndMaximizesUnderAWindowManager) {
    Openbox box;
    NEED_OPENBOX(box);
    Form1& f = app.form1();
    ASSERT_TRUE(show_main_window());

    // The window manager is told a minimum size and no maximum.
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(display(), xid(f), &hints, &supplied));
    EXPECT_TRUE(hints.flags & PMinSize);
    EXPECT_TRUE(!(hints.flags & PMaxSize) || hints.max_width > 2000) << "maximum " << hints.max_width;
    int w0 = 0, h0 = 0;
    client_size(f, w0, h0);
    EXPECT_LE(hints.min_width, w0);
    const int listBefore = f.ListView1[0].Width;

    // Dragged larger by the user (the window manager sizes it): the model and the layout follow.
    Driver grow(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        xdotool windowsize "$id" 1000 700
        sleep 0.5
    )");
    grow.finish();
    settle();
    int w1 = 0, h1 = 0;
    client_size(f, w1, h1);
    EXPECT_EQ(w1, 1000) << "the window manager did not let the window grow";
    EXPECT_EQ(f.ScaleWidth() / 15, 1000);
    EXPECT_GT(f.ListView1[0].Width, listBefore * 5 / 4) << "the panes did not grow with the window";

    // Smaller than its design: the window manager stops at the minimum.
    Driver shrink(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        xdotool windowsize "$id" 300 200
        sleep 0.5
    )");
    shrink.finish();
    settle();
    int w2 = 0, h2 = 0;
    client_size(f, w2, h2);
    EXPECT_GE(w2, hints.min_width);
    EXPECT_GE(h2, hints.min_height);

    // A double click on the caption bar maximizes: the model says so, and the window fills the screen.
    const fltk::wm::Frame fr = frame(f);
    int cx = 0, cy = 0;
    client_origin(f, cx, cy);
    Driver maximize(*this, "xdotool mousemove " + std::to_string(cx + 200) + " " + std::to_string(cy - fr.top / 2) +
                               " click --repeat 2 --delay 80 1\nsleep 0.8\nimport -window root \"$SHOTS/maximized_main.png\"\n");
    maximize.finish();
    settle();
    EXPECT_EQ(f.WindowState.get(), ui::vbMaximized);
    EXPECT_TRUE(fltk::wm::maximized(*host.screen_window(f)));
    int w3 = 0, h3 = 0;
    client_size(f, w3, h3);
    EXPECT_GE(w3, 1280 - fr.left - fr.right);
    EXPECT_GT(f.ListView1[0].Width, listBefore * 3 / 2);

    // Restored by the program (as the restore button does): back to the normal size.
    f.WindowState = ui::vbNormal;
    settle(0.8);
    EXPECT_FALSE(fltk::wm::maximized(*host.screen_window(f)));
    int w4 = 0, h4 = 0;
    client_size(f, w4, h4);
    EXPECT_LT(w4, 1200) << "model " << f.Width / 15 << " x " << f.Height / 15 << " state " << f.WindowState.get();

    // Maximized by the program before it shows, as a start with the saved state "maximized" does.
    f.Hide();
    settle(0.3);
    f.WindowState = ui::vbMaximized;
    f.Show();
    ASSERT_TRUE(pump_until([&] { return fltk::wm::maximized(*host.screen_window(f)); }, 5));
    EXPECT_EQ(f.WindowState.get(), ui::vbMaximized);
}

// --- positions hold across starts ------------------------------------------------------------------

TEST_F(DesktopWindow, AWindowOpensWhereItWasClosedAtEveryStart) {
    Openbox box;
    NEED_OPENBOX(box);
    int left = 404, top = 238;
    for (int start = 0; start < 3; ++start) {
        PlainWindow w(host, "Placed", left, top, 300, 200);
        w.Show();
        ASSERT_TRUE(pump_until([&] { return on_screen(w); }));
        settle();
        const fltk::wm::Frame fr = frame(w);
        EXPECT_GT(fr.top, 0) << "openbox gave the window no frame";
        int cx = 0, cy = 0;
        client_origin(w, cx, cy);
        // The outer corner on the screen is where the model placed it, and the model still says so.
        EXPECT_EQ(cx - fr.left, 404) << "start " << start;
        EXPECT_EQ(cy - fr.top, 238) << "start " << start;
        // What the program saves at its end is what it is given at the next start.
        left = w.Left / 15;
        top = w.Top / 15;
        EXPECT_EQ(left, 404) << "start " << start;
        EXPECT_EQ(top, 238) << "start " << start;
        w.Unload();
        settle(0.2);
    }
}

// --- modal windows ------------------------------------------------------------------------------------------

namespace {

// Raises a message box from inside a modal window's loop, as the program does from an event.
struct AskLater {
    ui::Host* host;
    int answer = 0;
    static void run(void* self) {
        auto* a = static_cast<AskLater*>(self);
        a->answer = a->host->MsgBox("This format is only available in the Pro Edition!", ui::vbExclamation, "Pro");
    }
};

} // namespace

TEST_F(DesktopWindow, AMessageBoxStaysAboveTheModalWindowAndHoldsBackItsInput) {
    Openbox box;
    NEED_OPENBOX(box);
    PlainWindow main(host, "Main Plain", 100, 100, 500, 400);
    PlainWindow convert(host, "Convert Plain", 200, 150, 320, 220);
    int presses = 0;
    convert.Command1.Click = [&] { ++presses; };
    main.Show();
    ASSERT_TRUE(pump_until([&] { return on_screen(main); }));
    AskLater ask{&host};
    std::string stack = (root / "stacking.txt").string();
    // While the warning is open the user clicks the modal window's button and the main window;
    // the warning is then answered with Return.
    Driver user(*this, R"(
        conv=$(find_window '^Convert Plain$')
        warn=$(find_window '^Pro$')
        sleep 0.3
        xdotool mousemove --window "$conv" 60 65 click 1
        sleep 0.3
        main=$(find_window '^Main Plain$')
        xdotool mousemove --window "$main" 400 350 click 1
        sleep 0.5
        echo "$conv $warn" > )" + stack + R"(
        xprop -id "$warn" WM_TRANSIENT_FOR >> )" + stack + R"(
        xprop -root _NET_CLIENT_LIST_STACKING >> )" + stack + R"(
        shoot "$conv" modal_stacking
        focus "$warn"
        xdotool key Return
        gone '^Pro$'
        sleep 0.2
        xdotool mousemove --window "$conv" 60 65 click 1
    )");
    Fl::add_timeout(0.8, AskLater::run, &ask);
    convert.Command1.Click = [&] {
        ++presses;
        convert.Hide();
    };
    convert.ShowModal();
    user.finish();
    Fl::remove_timeout(AskLater::run, &ask);
    // The press while the warning was open never reached the button; the one after it did.
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(ask.answer, ui::vbOK);
    // The warning belonged to the modal window and stood above it and above the main window.
    std::ifstream in(stack);
    unsigned long conv = 0, warn = 0;
    in >> conv >> warn;
    std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ostringstream hex;
    hex << "0x" << std::hex << conv;
    EXPECT_NE(rest.find("WM_TRANSIENT_FOR(WINDOW): window id # " + hex.str()), std::string::npos) << rest;
    std::vector<std::string> ids;
    std::size_t at = rest.find("_NET_CLIENT_LIST_STACKING");
    ASSERT_NE(at, std::string::npos) << rest;
    std::istringstream list(rest.substr(rest.find('#', at) + 1));
    for (std::string id; std::getline(list, id, ',');)
        ids.push_back(std::to_string(std::stoul(id, nullptr, 16)));
    auto pos = [&](unsigned long w) {
        return std::find(ids.begin(), ids.end(), std::to_string(w)) - ids.begin();
    };
    EXPECT_GT(pos(warn), pos(conv)) << rest;
    EXPECT_EQ(pos(warn), static_cast<long>(ids.size()) - 1) << "the warning is not on top: " << rest;
}

namespace {

// Raises the modal window (as the program's own code may), then checks the stacking.
struct RaiseUnder {
    DesktopWindow* test;
    ui::Window* raised;
    bool above = false;
    bool checked = false;
    static void raise(void* self) {
        auto* r = static_cast<RaiseUnder*>(self);
        r->raised->ZOrder(0);
        Fl::add_timeout(0.3, check, self);
    }
    static void check(void* self) {
        auto* r = static_cast<RaiseUnder*>(self);
        Fl_Window* box = dialog_named("Stack");
        std::vector<::Window> order = r->test->root_children();
        if (box && box->shown())
            r->above = DesktopWindow::index_of(order, fl_xid(box)) >
                       DesktopWindow::index_of(order, fl_xid(r->test->host.screen_window(*r->raised)));
        r->checked = true;
        // Answered as the close box answers a lone OK; the wait the box is in wakes up for it.
        if (box) box->do_callback();
        Fl::add_timeout(0.05, [](void*) {});
    }
};

} // namespace

TEST_F(DesktopWindow, WithoutAWindowManagerAMessageBoxStaysAboveAWindowRaisedMeanwhile) {
    PlainWindow main(host, "Main Plain", 100, 100, 500, 400);
    main.Show();
    ASSERT_TRUE(pump_until([&] { return on_screen(main); }));
    RaiseUnder r{this, &main};
    Fl::add_timeout(0.3, RaiseUnder::raise, &r);
    host.MsgBox("Over everything", ui::vbOKOnly, "Stack");
    EXPECT_TRUE(r.checked);
    EXPECT_TRUE(r.above) << "the message box went under the window raised after it";
}

TEST_F(DesktopWindow, AWindowOpenedByAKeyBeforeAnyClickOpensOverTheWindowNotInTheCorner) {
    PlainWindow main(host, "Main Plain", 300, 200, 500, 400);
    PlainWindow editor(host, "Editor Plain", 0, 0, 200, 150);
    // F8 in the main window, pressed before the user clicked anywhere, opens the other window.
    main.KeyPreview = true;
    main.KeyDown = [&](int& key, int&) {
        if (key == ui::vbKeyF1 + 7) editor.Show();
    };
    main.Show();
    ASSERT_TRUE(pump_until([&] { return on_screen(main); }));
    host.registry().window_activated(editor); // the last window the program activated is another
    Driver user(*this, R"(
        id=$(find_window '^Main Plain$')
        focus "$id"
        xdotool key F8
        find_window '^Editor Plain$' >/dev/null
        sleep 0.3
    )");
    user.finish();
    ASSERT_TRUE(editor.Visible.get());
    EXPECT_EQ(editor.Left / 15, 300 + (500 - 200) / 2);
    EXPECT_EQ(editor.Top / 15, 200 + (400 - 150) / 2);
}

// --- keys and pointer --------------------------------------------------------------------------------------

TEST_F(DesktopWindow, DeleteDeletesAndTypesNoCharacter) {
    PlainWindow w(host, "Keys Plain", 100, 100, 400, 200);
    w.Text1.Text = "a+b";
    std::vector<int> presses;
    w.Text1.KeyPress = [&](int& ascii) { presses.push_back(ascii); };
    w.Show();
    ASSERT_TRUE(pump_until([&] { return on_screen(w); }));
    Driver user(*this, R"(
        id=$(find_window '^Keys Plain$')
        focus "$id"
        xdotool mousemove --window "$id" 100 22 click 1
        sleep 0.2
        xdotool key Home Right Delete
        sleep 0.2
        xdotool key End Delete
        sleep 0.3
    )");
    user.finish();
    EXPECT_EQ(w.Text1.Text.get(), "ab");
    EXPECT_EQ(w.Text1.Text->find('\x7f'), std::string::npos);
    EXPECT_TRUE(presses.empty()) << "Delete raised KeyPress " << (presses.empty() ? 0 : presses[0]);
}

TEST_F(DesktopWindow, AHeldMouseButtonIsKnownUntilItsRelease) {
    PlainWindow w(host, "Hold Plain", 100, 100, 400, 200);
    int rounds = 0;
    bool ended = false;
    // The program's loop for a held button (a slider's margin): it repeats while the button is down.
    w.Picture1.MouseDown = [&](int, int, float, float) {
        while (host.KeyDown(ui::vbKeyLButton) && rounds < 500) {
            ++rounds;
            host.DoEvents();
            host.Sleep(20);
        }
        ended = true;
    };
    w.Show();
    ASSERT_TRUE(pump_until([&] { return on_screen(w); }));
    Driver user(*this, R"(
        id=$(find_window '^Hold Plain$')
        xdotool mousemove --window "$id" 200 80 mousedown 1
        sleep 0.8
        xdotool mouseup 1
        sleep 0.3
    )");
    user.finish();
    EXPECT_TRUE(ended);
    EXPECT_GE(rounds, 10) << "the held button was not seen";
    EXPECT_LT(rounds, 500) << "the release was not seen";
    EXPECT_FALSE(host.KeyDown(ui::vbKeyLButton));
}

TEST_F(DesktopWindow, TheMainWindowLaysOutOnceTheButtonComesUp) {
    Form1& f = app.form1();
    ASSERT_TRUE(show_main_window());
    const int listBefore = f.ListView1[0].Width;
    int during = 0;
    bool deferred = false;
    // The status line is pressed and held while the window grows.
    f.Label3.MouseDown = [&](int, int, float, float) {
        f.Width = 1000 * 15;
        during = f.ListView1[0].Width;
        deferred = f.Timer2.Enabled;
    };
    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        xdotool mousemove --window "$id" 100 )" +
                           std::to_string(f.Label3.Top / 15 + host.MenuHeight() + 5) + R"( mousedown 1
        sleep 0.6
        xdotool mouseup 1
        sleep 0.6
    )");
    user.finish();
    settle(0.3);
    EXPECT_TRUE(deferred) << "the relayout did not wait for the button";
    EXPECT_EQ(during, listBefore);
    EXPECT_FALSE(f.Timer2.Enabled.get());
    EXPECT_GT(f.ListView1[0].Width, listBefore * 5 / 4) << "the relayout did not run after the release";
}

TEST_F(DesktopWindow, HoveringTheEditorsLabelsKeepsTheirTooltipsWhole) {
    FFEditorType1& e = app.EditorForm();
    e.Left = 100 * 15;
    e.Top = 100 * 15;
    e.Show();
    ASSERT_TRUE(pump_until([&] { return on_screen(e); }));
    const std::string tip = e.Label6[0].ToolTipText.get();
    ASSERT_FALSE(tip.empty());
    // Each move over an information label recolours the labels (and restyles their widgets);
    // then the pointer rests until the tooltip shows.
    auto at = [](const ui::Label& l, int dx) {
        return std::to_string(l.Left / 15 + dx) + " " + std::to_string(l.Top / 15 + l.Height / 30);
    };
    std::string moves;
    for (int k = 0; k < 6; ++k)
        moves += "xdotool mousemove --window \"$id\" " + at(e.Label6[0], 10 + 8 * k) + "\nsleep 0.05\n" +
                 "xdotool mousemove --window \"$id\" " + at(e.Label6[1], 10 + 8 * k) + "\nsleep 0.05\n";
    Driver user(*this, "id=$(find_window '^Filter Factory Editor$')\n" + moves +
                           "xdotool mousemove --window \"$id\" " + at(e.Label6[0], 30) + "\nsleep 0.2\n" +
                           "xdotool mousemove --window \"$id\" " + at(e.Label6[0], 34) + "\nsleep 2\n" +
                           "shoot \"$id\" editor_tooltip\n");
    user.finish();
    // The tooltip window shows the label's own text.
    bool shown = false;
    for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
        if (w->tooltip_window() && w->shown() && w->visible()) shown = true;
    EXPECT_TRUE(shown) << "no tooltip after resting on the label";
    Fl_Widget* label = host.widget(e.Label6[0]);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(std::string(label->tooltip() ? label->tooltip() : ""), tip);
    CloseImg(app, app.PreviewImage);
    CloseImg(app, app.PluginImage);
}

TEST_F(DesktopWindow, AnEditableComboBoxEditsLikeATextBox) {
    PlainWindow w(host, "Combo Plain", 100, 100, 400, 200);
    w.Combo1.AddItem("/home/user/plugins/");
    w.Combo1.Text = "/home/user/out/";
    w.Show();
    ASSERT_TRUE(pump_until([&] { return on_screen(w); }));
    // The edit part: 10 to 293 pixels across, 120 to 142 down (the button takes the right end).
    auto step = [&](const std::string& actions) {
        Driver user(*this, "id=$(find_window '^Combo Plain$')\nfocus \"$id\"\n" + actions + "\nsleep 0.3\n");
        user.finish();
        return w.Combo1.Text.get();
    };
    // A click into the text opens no list and puts the caret; Ctrl+A and a typed path replace it all.
    EXPECT_EQ(step("xdotool mousemove --window \"$id\" 60 131 click 1\nsleep 0.2\n"
                   "xdotool key ctrl+a\nxdotool type --delay 30 /tmp/in/"),
              "/tmp/in/");
    // Home and Delete take the first character; Shift+Left twice from the end selects "n/", and a
    // typed character replaces it.
    EXPECT_EQ(step("xdotool key Home Delete End shift+Left shift+Left\nxdotool type X"), "tmp/iX");
    EXPECT_EQ(w.Combo1.Text->find('\x7f'), std::string::npos);
    // Dragged over with the mouse from its start to past its end: all selected, and replaced.
    EXPECT_EQ(step("xdotool mousemove --window \"$id\" 13 131 mousedown 1\nsleep 0.1\n"
                   "xdotool mousemove --window \"$id\" 150 131\nsleep 0.1\nxdotool mouseup 1\n"
                   "xdotool type Z"),
              "Z");
    // A click puts the caret between characters: before the "Z" here, so "A" goes first.
    EXPECT_EQ(step("xdotool mousemove --window \"$id\" 13 131 click 1\nsleep 0.1\nxdotool type A"), "AZ");
    EXPECT_EQ(w.Combo1.ListIndex.get(), -1);
    // The button still drops the list down; picking an entry shows it.
    step("xdotool mousemove --window \"$id\" 300 131 click 1\nsleep 0.4\nxdotool key Down Return");
    EXPECT_EQ(w.Combo1.Text.get(), "/home/user/plugins/");
}
