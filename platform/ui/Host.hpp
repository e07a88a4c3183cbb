#pragma once
// The Host: the one way out from the program to the user and the desktop. Every message box, input
// box, modal window, pop-up menu and common dialog passes through it, and so do the clock, random
// numbers, key and mouse polling and the clipboard. The desktop program runs on the FLTK host; tests
// run on a scripted host that answers from a queue.

#include "platform/ui/Bitmap.hpp"
#include "platform/values/values.hpp"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Window;
class Menu;
class Timer;
class Host;

// Message box styles and answers, with Windows' numbers.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// The title a message box gets when its caller gives none.
inline constexpr std::string_view DefaultTitle = "Vexolan";

// Mouse pointers the program sets.
enum MousePointerKind : int { vbDefault = 0, vbArrow = 1, vbHourglass = 11, vbArrowHourglass = 13 };

// Virtual key codes the program polls.
enum KeyCode : int {
    vbKeyLButton = 1,
    vbKeyRButton = 2,
    vbKeyBack = 8,
    vbKeyTab = 9,
    vbKeyReturn = 13,
    vbKeyShift = 16,
    vbKeyControl = 17,
    vbKeyMenu = 18,
    vbKeyEscape = 27,
    vbKeySpace = 32,
    vbKeyPageUp = 33,
    vbKeyPageDown = 34,
    vbKeyEnd = 35,
    vbKeyHome = 36,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
    vbKeyInsert = 45,
    vbKeyDelete = 46,
    vbKeyF1 = 112,
    vbKeyF2 = 113,
    vbKeyF5 = 116,
};

// Shift-state bits passed with key and mouse events.
enum ShiftBits : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };
// Mouse button bits passed with mouse events.
enum ButtonBits : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };

// A filter pair of a file dialog: the text shown and its pattern list ("Plugins", "*.8bf;*.prm").
struct FileFilter {
    std::string Description;
    std::string Pattern;
};

// What a file dialog asks.
struct FileDialogRequest {
    enum Mode { Open = 0, SaveWithPrompt = 1, SaveNoPrompt = 2 };
    Mode DialogMode = Open;
    std::string Title;
    std::string InitialFolder;
    std::string ProposedName;
    std::vector<FileFilter> Filters;
    std::string DefaultExtension;
};

// A font as the font dialog shows and returns it.
struct FontChoice {
    std::string Name;
    double Size = 8;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikeout = false;
};

// What the model keeps per host: the loaded windows (Windows' Forms collection) and the timers
// of every window, so that each host (and so each test) starts with none.
class Registry {
public:
    explicit Registry(Host& host) : host_(host) {}

    // --- loaded windows, in the order they were loaded ---
    const std::vector<Window*>& LoadedWindows() const { return windows_; }
    void window_loaded(Window& w);
    void window_unloaded(Window& w);
    // The window the user works in (Windows' Screen.ActiveForm): the one shown or activated last;
    // when it unloads or hides, the last loaded window still visible, or nullptr.
    Window* ActiveWindow() const { return active_; }
    void window_activated(Window& w) { active_ = &w; }
    void window_hidden(Window& w);
    // Unloads every loaded window, last loaded first (a window whose unload is cancelled stays).
    void UnloadAll();
    // Told when a window loads (before its Load procedure runs) and after it unloads, so a screen
    // host can create and destroy the real window and attach its view. A window destroyed while
    // loaded is reported as unloaded from its destructor: use only its ui::Window part then.
    std::function<void(Window&)> on_window_loaded;
    std::function<void(Window&)> on_window_unloaded;

    // --- timers ---
    void add_timer(Timer& t);
    void remove_timer(Timer& t);
    const std::vector<Timer*>& Timers() const { return timers_; }
    // The earliest time a running timer is due, if any timer runs.
    std::optional<std::chrono::steady_clock::time_point> NextDue() const;
    // Raises the Timer event of every running timer due at `now` (each once, in due order) and
    // schedules its next tick one Interval after `now`. Returns how many ticked. Each tick is a user
    // action of its own (Host::user_action).
    int FireDue(std::chrono::steady_clock::time_point now);
    // Called whenever a timer starts, stops or changes its Interval (a screen host re-arms its
    // own timeout from NextDue()).
    std::function<void()> on_schedule_changed;

private:
    Host& host_;
    std::vector<Window*> windows_;
    std::vector<Timer*> timers_;
    Window* active_ = nullptr;
};

class Host {
public:
    Host() : registry_(*this) {}
    virtual ~Host() = default;
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The model's book-keeping of this host's windows and timers.
    Registry& registry() { return registry_; }

    // --- questions to the user ---
    // Shows a message box; an empty title means "Vexolan". Returns one of MsgBoxResult.
    virtual int MsgBox(std::string_view prompt, int style = vbOKOnly, std::string_view title = {}) = 0;
    // Windows InputBox: the text entered, or "" when the user cancels.
    virtual std::string InputBox(std::string_view prompt, std::string_view title = {},
                                 std::string_view defaultText = {}) = 0;
    // Runs `window` modally: returns once it is hidden or unloaded. Window::ShowModal() has
    // already loaded and shown the window when it calls this.
    virtual void ShowModal(Window& window) = 0;
    // Shows a pop-up menu at a position in twips of `owner`'s client area (or at the mouse when
    // both are negative); the chosen item's Click runs before this returns.
    virtual void PopupMenu(Window& owner, Menu& menu, int x = -1, int y = -1) = 0;
    // The full path chosen in an open or save dialog, or "" on cancel.
    virtual std::string FileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<FontChoice> FontDialog(const FontChoice& initial) = 0;
    // A folder browser; "" on cancel.
    virtual std::string BrowseForFolder(std::string_view prompt, std::string_view initialFolder) = 0;
    // The desktop's information box of a file or folder ("Properties"): `text` holds one line per
    // fact. Unless a host draws its own, a message box titled `title`.
    virtual void ShowProperties(std::string_view title, std::string_view text);
    // "Open With" for a file no program is associated with: the program the user names to open
    // `file` with (a command line of its own), or "" when the user cancels. Unless a host draws
    // its own, an input box.
    virtual std::string OpenWith(std::string_view file);
    // The print dialog: true when the user goes on to print `what` on the desktop's printer, false
    // when the user cancels. Unless a host draws its own, a question with OK and Cancel.
    virtual bool PrintDialog(std::string_view what);

    // --- the event loop ---
    // Lets pending window events through (a no-op in tests unless scripted).
    virtual void DoEvents() = 0;
    // Draws what changed on the screen now, handling no input (no click, key or timer gets
    // through), for long work that shows its progress. Cheap to call in a loop: a screen host
    // draws at most every FlushInterval and returns at once otherwise. A control's or window's
    // Refresh calls it.
    static constexpr std::chrono::milliseconds FlushInterval{80};
    virtual void FlushDrawing() {}
    virtual void SetMousePointer(int pointer) = 0;
    virtual int MousePointer() const = 0;
    // Blocks for a while (Windows' Sleep): no event gets through meanwhile. Tests move their clock.
    virtual void Sleep(int milliseconds);

    // --- polling ---
    // Whether the key (a KeyCode) is down now; the mouse buttons are vbKeyLButton/vbKeyRButton.
    virtual bool KeyDown(int keyCode) = 0;

    // --- time and chance ---
    // A steady clock for measuring durations.
    virtual std::chrono::steady_clock::time_point SteadyNow() = 0;
    // The wall-clock date and time, local.
    virtual vb::DateTime Now() = 0;
    // A number in [0, 1), as Windows Rnd.
    virtual double Rnd() = 0;
    virtual void Randomize(std::uint32_t seed) = 0;

    // --- the screen ---
    virtual int TwipsPerPixelX() const = 0;
    virtual int TwipsPerPixelY() const = 0;
    virtual int ScreenWidth() const = 0;  // twips
    virtual int ScreenHeight() const = 0; // twips
    // Height of a window caption and of a menu bar, in pixels.
    virtual int CaptionHeight() const = 0;
    virtual int MenuHeight() const = 0;
    // Width and height of a text in pixels in a font. Without a screen (the default), every
    // character (UTF-8 code point) is round(Size * 3/4) pixels wide (6 at 8 points) and a line is
    // round(Size * 5/3) pixels high (13 at 8 points); a screen host measures the real font.
    virtual int TextWidthPixels(const FontChoice& font, std::string_view text) const;
    virtual int TextHeightPixels(const FontChoice& font, std::string_view text) const;

    // --- the clipboard ---
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(std::string_view text) = 0;
    virtual void ClearClipboard() = 0;
    // The picture on the clipboard, or nothing when it holds none; putting a picture there replaces
    // what the clipboard held. A host without an image clipboard never has a picture.
    virtual std::optional<Bitmap> ClipboardImage() { return std::nullopt; }
    virtual void SetClipboardImage(const Bitmap& /*picture*/) {}

    // --- the error net of what a user does ---
    // Runs what one action of the user started (a click, a key, a menu entry, a close, a timer's
    // tick). An error that escapes it ends that action only: it is shown through on_action_error
    // and the program goes on. An action started from inside another (the mouse events of a click,
    // a shortcut's menu entry) belongs to the outer one, whose net it meets; an error raised by code
    // outside any action (the start-up) goes on to its caller, and so does any error a procedure
    // handles itself.
    template <typename Action> void user_action(Action&& action) {
        const bool outermost = action_depth_ == 0;
        ++action_depth_;
        struct Leave {
            int& depth;
            ~Leave() { --depth; }
        } leave{action_depth_};
        if (!outermost) {
            action();
            return;
        }
        try {
            action();
        } catch (...) {
            action_failed();
        }
    }
    // Runs a nested event loop (a modal window, the dispatch of one event from the screen): the
    // user's actions inside it are actions of their own, each with its own net.
    template <typename Loop> void own_actions(Loop&& loop) {
        struct Restore {
            int& depth;
            int outer;
            ~Restore() { depth = outer; }
        } restore{action_depth_, action_depth_};
        action_depth_ = 0;
        loop();
    }
    // Shows an error that escaped a user action (the program's error box); unset, a message box
    // with the error's description.
    std::function<void(const vb::Error&)> on_action_error;

private:
    // Called from the net's handler: tells the error being handled.
    void action_failed();

    Registry registry_;
    int action_depth_ = 0;
};

} // namespace ui
