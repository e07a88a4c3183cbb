#pragma once
// A Host for tests: every question to the user is answered from a queue the test fills, every
// message box is recorded, and a question nobody scripted fails the test (it answers Cancel or
// nothing, so the code under test goes on instead of hanging). Time is a fake clock that only
// moves when the test advances it, firing the timers that fall due.
//
//     test_support::ScriptedHost host;
//     host.answer_msgbox(ui::vbYes, "Delete 3 files?");          // expected prompt checked
//     host.on_modal("SelectFolder", [](ui::Window& w) { ... });  // act on a modal window
//     host.choose_popup("mnuRename");                            // the pop-up menu's choice
//     host.press_key_from_poll(ui::vbKeyEscape, 2);              // Esc down from the 2nd poll
//     host.advance(100);                                         // 100 ms pass; timers tick

#include "platform/ui/Host.hpp"
#include "platform/ui/Window.hpp"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace test_support {

class ScriptedHost : public ui::Host {
public:
    ScriptedHost();
    // Fails the test for answers queued but never asked for (the question the test expected did
    // not come), unless `expect_all_answers_used` was turned off.
    ~ScriptedHost() override;

    bool expect_all_answers_used = true;

    // --- message boxes ---
    struct MsgBoxRecord {
        std::string Prompt;
        int Style = 0;
        std::string Title; // as shown: "Vexolan" when the caller gave none
        int Answer = 0;
    };
    // Queues the answer to the next message box, whatever it says.
    void answer_msgbox(int answer);
    // Queues the answer to the next message box and checks that it shows `prompt` (and the style
    // and title, when given).
    void answer_msgbox(int answer, std::string prompt, std::optional<int> style = std::nullopt,
                       std::optional<std::string> title = std::nullopt);
    // Answers every message box whose prompt nobody queued with vbOK instead of failing (for a
    // test that only looks at the record).
    bool accept_unscripted_msgboxes = false;
    const std::vector<MsgBoxRecord>& message_boxes() const { return msgboxes_; }
    // Runs as each message box comes up, before it is answered (a test may look at the state the
    // asking command is in).
    std::function<void(std::string_view prompt)> on_msgbox;
    const MsgBoxRecord& last_msgbox() const;

    // --- other questions ---
    void answer_inputbox(std::string text);
    const std::vector<std::string>& inputbox_prompts() const { return inputbox_prompts_; }
    // The title and the default text of each input box asked, in order.
    const std::vector<std::string>& inputbox_titles() const { return inputbox_titles_; }
    const std::vector<std::string>& inputbox_defaults() const { return inputbox_defaults_; }
    void answer_file_dialog(std::string path); // "" = the user cancels
    const std::vector<ui::FileDialogRequest>& file_dialogs() const { return file_dialogs_; }
    void answer_font_dialog(std::optional<ui::FontChoice> font); // nullopt = the user cancels
    // The font each font dialog opened with, in order.
    const std::vector<ui::FontChoice>& font_dialog_initials() const { return font_initials_; }
    void answer_browse_for_folder(std::string folder); // "" = the user cancels
    const std::vector<std::string>& browse_prompts() const { return browse_prompts_; }

    // --- modal windows ---
    // Queues what happens while the next modal window runs: `act` gets the window (check its
    // name is `window_name` unless that is empty). When `act` returns with the window still
    // visible, the host hides it, as if the user closed it in a way that raises no event.
    void on_modal(std::string window_name, std::function<void(ui::Window&)> act);
    const std::vector<std::string>& modal_windows() const { return modal_windows_; }

    // --- pop-up menus ---
    // Queues the entry chosen from the next pop-up menu (by name and, for an array item, index);
    // choose_no_popup() queues a pop-up closed without a choice.
    void choose_popup(std::string menu_name, int index = -1);
    void choose_no_popup();
    struct PopupRecord {
        std::string Menu;
        int X = -1, Y = -1;
    };
    const std::vector<PopupRecord>& popups() const { return popups_; }

    // --- time ---
    // Moves the fake clock on by `ms`, stopping at each due time to fire the timers due then.
    void advance(int ms);
    // The wall-clock date the fake clock started at (default 12/9/2026 10:00:00 AM); Now() adds
    // the time advanced since, in whole seconds.
    void set_start_date(const vb::DateTime& d);

    // --- keys ---
    // The key reads as down from its `nth` poll on (1 = the first).
    void press_key_from_poll(int keyCode, int nth);
    void set_key_down(int keyCode, bool down);
    int key_polls(int keyCode) const;

    // --- the event loop and the pointer ---
    int do_events_count() const { return do_events_; }
    std::function<void()> on_do_events;
    const std::vector<int>& mouse_pointer_history() const { return pointers_; }

    // --- screen and clipboard ---
    void set_twips_per_pixel(int tpp) { tppx_ = tppy_ = tpp; }
    void set_twips_per_pixel(int x, int y) { tppx_ = x, tppy_ = y; }
    void set_screen_size_pixels(int w, int h) { screen_w_ = w, screen_h_ = h; }
    std::string clipboard;
    std::optional<ui::Bitmap> clipboard_image;

    // --- ui::Host ---
    int MsgBox(std::string_view prompt, int style = ui::vbOKOnly, std::string_view title = {}) override;
    std::string InputBox(std::string_view prompt, std::string_view title = {},
                         std::string_view defaultText = {}) override;
    void ShowModal(ui::Window& window) override;
    void PopupMenu(ui::Window& owner, ui::Menu& menu, int x = -1, int y = -1) override;
    std::string FileDialog(const ui::FileDialogRequest& request) override;
    std::optional<ui::FontChoice> FontDialog(const ui::FontChoice& initial) override;
    std::string BrowseForFolder(std::string_view prompt, std::string_view initialFolder) override;
    void DoEvents() override;
    // Moves the fake clock on without firing timers (nothing runs while the program sleeps).
    void Sleep(int milliseconds) override {
        sleeps_.push_back(milliseconds);
        now_ += std::chrono::milliseconds(milliseconds);
    }
    const std::vector<int>& sleeps() const { return sleeps_; }
    void SetMousePointer(int pointer) override;
    int MousePointer() const override { return pointer_; }
    bool KeyDown(int keyCode) override;
    std::chrono::steady_clock::time_point SteadyNow() override { return now_; }
    vb::DateTime Now() override;
    double Rnd() override;
    void Randomize(std::uint32_t seed) override { rng_.seed(seed); }
    int TwipsPerPixelX() const override { return tppx_; }
    int TwipsPerPixelY() const override { return tppy_; }
    int ScreenWidth() const override { return screen_w_ * tppx_; }
    int ScreenHeight() const override { return screen_h_ * tppy_; }
    int CaptionHeight() const override { return 18; }
    int MenuHeight() const override { return 19; }
    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(std::string_view text) override {
        clipboard = std::string(text);
        clipboard_image.reset();
    }
    void ClearClipboard() override {
        clipboard.clear();
        clipboard_image.reset();
    }
    std::optional<ui::Bitmap> ClipboardImage() override { return clipboard_image; }
    void SetClipboardImage(const ui::Bitmap& picture) override {
        clipboard.clear();
        clipboard_image = picture;
    }

private:
    struct MsgBoxAnswer {
        int Answer = ui::vbOK;
        std::optional<std::string> Prompt;
        std::optional<int> Style;
        std::optional<std::string> Title;
    };
    struct ModalScript {
        std::string WindowName;
        std::function<void(ui::Window&)> Act;
    };
    struct PopupChoice {
        std::string Menu; // "" = none chosen
        int Index = -1;
    };
    struct KeyScript {
        int DownFromPoll = 0; // 0 = never by script
        bool Down = false;
        int Polls = 0;
    };

    std::deque<MsgBoxAnswer> msgbox_answers_;
    std::vector<MsgBoxRecord> msgboxes_;
    std::deque<std::string> inputbox_answers_;
    std::vector<std::string> inputbox_prompts_;
    std::vector<std::string> inputbox_titles_;
    std::vector<std::string> inputbox_defaults_;
    std::deque<std::string> file_answers_;
    std::vector<ui::FileDialogRequest> file_dialogs_;
    std::deque<std::optional<ui::FontChoice>> font_answers_;
    std::vector<ui::FontChoice> font_initials_;
    std::deque<std::string> browse_answers_;
    std::vector<std::string> browse_prompts_;
    std::deque<ModalScript> modal_scripts_;
    std::vector<std::string> modal_windows_;
    std::deque<PopupChoice> popup_choices_;
    std::vector<PopupRecord> popups_;
    std::map<int, KeyScript> keys_;
    std::chrono::steady_clock::time_point start_{};
    std::chrono::steady_clock::time_point now_{};
    vb::DateTime start_date_{2026, 12, 9, 10, 0, 0};
    std::mt19937 rng_{12345};
    int do_events_ = 0;
    int pointer_ = ui::vbDefault;
    std::vector<int> pointers_;
    std::vector<int> sleeps_;
    int tppx_ = 15, tppy_ = 15;
    int screen_w_ = 1280, screen_h_ = 1024;
};

} // namespace test_support
