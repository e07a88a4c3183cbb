// No error that a user's action raises ends the program: an event procedure that fails, whatever
// started it (a button, a menu entry, a key, a timer, a close), shows the error box and ends only
// that action; the program goes on answering. Help > About... with the About box open from the
// logo brings the box to the front.

#include "tests/shell/startup_fixture.hpp"

#include "shell/Form1.hpp"
#include "shell/frmAbout.hpp"

#include <functional>

using namespace vexolan;
using test_support::StartupTest;

namespace {

struct ErrorNetTest : StartupTest {};

const std::string DeviceError = "Vexo Error 57: Device I/O error";
const std::string ErrorTitle = "Just a small problem...";

struct Row {
    const char* name;
    // Connects `handler` to an event of the started program and makes the user raise it.
    std::function<void(Form1&, test_support::ScriptedHost&, std::function<void()> handler)> act;
};

const Row Rows[] = {
    {"a button of the button bar",
     [](Form1& f, test_support::ScriptedHost&, std::function<void()> handler) {
         f.Command1[0].Click = handler;
         f.Command1[0].user_click();
     }},
    {"a menu entry",
     [](Form1& f, test_support::ScriptedHost&, std::function<void()> handler) {
         f.mnuabout.Click = handler;
         f.mnuabout.user_click();
     }},
    {"a key typed into the file-type filter",
     [](Form1& f, test_support::ScriptedHost&, std::function<void()> handler) {
         f.Combo1[0].KeyPress = [handler](int&) { handler(); };
         f.Combo1[0].user_key_press('a');
     }},
    {"a timer's tick",
     [](Form1& f, test_support::ScriptedHost& host, std::function<void()> handler) {
         f.Timer2.Tick = handler;
         f.Timer2.Interval = 100;
         f.Timer2.Enabled = true;
         host.advance(150);
         f.Timer2.Enabled = false;
     }},
    {"the window's close",
     [](Form1& f, test_support::ScriptedHost&, std::function<void()> handler) {
         f.QueryUnload = [handler](int& Cancel, int) {
             Cancel = 1;
             handler();
         };
         f.user_close();
     }},
};

} // namespace

TEST_F(ErrorNetTest, AFailingEventShowsTheErrorBoxAndTheProgramGoesOn) {
    mark_not_first_run();
    save("Options", "Show Tips at Startup", "0");
    StartProgram(app);
    ASSERT_TRUE(f.Loaded());

    for (const Row& row : Rows) {
        SCOPED_TRACE(row.name);
        host.answer_msgbox(ui::vbOK, DeviceError, std::nullopt, ErrorTitle);
        row.act(f, host, [] { throw vb::Error(vb::ErrDeviceIO); });
        ASSERT_FALSE(host.message_boxes().empty());
        EXPECT_EQ(host.message_boxes().back().Prompt, DeviceError);
        EXPECT_EQ(host.message_boxes().back().Title, ErrorTitle);
        // The program still answers: the main window is there and the next action runs.
        ASSERT_TRUE(f.Loaded());
        int ran = 0;
        row.act(f, host, [&] { ++ran; });
        EXPECT_EQ(ran, 1);
    }
    f.QueryUnload.disconnect();
    f.Combo1[0].KeyPress.disconnect();
    f.Timer2.Tick = [&form = f] { form.Timer2_Timer(); };

    // The About box opened from the logo, then Help > About...: the box comes to the front, the
    // program goes on, and the box's OK closes it.
    frmAbout& about = app.aboutBox();
    const std::size_t boxes = host.message_boxes().size();
    f.Image1.user_mouse_down(ui::vbLeftButton, 0, 10, 10);
    ASSERT_TRUE(about.Visible.get());
    f.mnuabout.Click = [&form = f] { form.mnuabout_Click(); };
    f.mnuabout.user_click();
    EXPECT_EQ(host.message_boxes().size(), boxes) << "no error box";
    EXPECT_TRUE(about.Visible.get());
    about.cmdOK.user_click();
    EXPECT_FALSE(about.Loaded());
    EXPECT_TRUE(f.Loaded());
}
