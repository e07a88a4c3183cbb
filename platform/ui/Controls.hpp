#pragma once
// The simple control kinds: labels, buttons, check and option boxes, frames, text boxes, timers,
// images, lines, picture boxes and scroll bars.

#include "platform/ui/Bitmap.hpp"
#include "platform/ui/Control.hpp"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// What a paste puts into an entry, from the text the clipboard (or the primary selection) holds:
// the text up to its first NUL; a one-line entry takes its first line, a multi-line one keeps every
// line, each ending in CR LF. Nothing when there is no text at all (a picture, an empty
// clipboard): the entry then stays as it is, selection and all.
std::optional<std::string> paste_text(std::string_view clipboard, bool multiLine);

enum AlignmentKind : int { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };
enum CheckValue : int { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };

class Label : public Control {
public:
    Label();
    std::string_view Kind() const override { return "Label"; }
    bool CanFocus() const override { return false; }

    // With AutoSize, a caption change sizes the label to its text (one line per CR, LF or CR LF).
    Property<std::string> Caption{this, "Caption"};
    Property<int> Alignment{this, "Alignment", vbLeftJustify};
    Property<bool> AutoSize{this, "AutoSize"};
    Property<bool> WordWrap{this, "WordWrap"};
    Property<int> BackStyle{this, "BackStyle", 1}; // 0 transparent, 1 opaque
    Property<int> BorderStyle{this, "BorderStyle"};

private:
    void fit_to_caption();
};

class CommandButton : public Control {
public:
    CommandButton();
    std::string_view Kind() const override { return "CommandButton"; }

    Property<std::string> Caption{this, "Caption"};
    // The button Return presses / Escape presses; setting one clears it on the window's others.
    Property<bool> Default{this, "Default"};
    Property<bool> Cancel{this, "Cancel"};
    // Setting True clicks the button (it reads False again at once).
    Property<bool> Value{this, "Value"};
    Property<int> Picture{this, "Picture"};
    Property<int> Style{this, "Style"}; // 0 standard, 1 graphical

    void handle_key_press(int keyAscii) override; // Space presses the focused button
};

class CheckBox : public Control {
public:
    CheckBox();
    std::string_view Kind() const override { return "CheckBox"; }

    Property<std::string> Caption{this, "Caption"};
    // 0 unchecked, 1 checked, 2 grayed; a change raises Click; other values fail with error 380.
    Property<int> Value{this, "Value", vbUnchecked};
    Property<int> Alignment{this, "Alignment", vbLeftJustify};

    // A click toggles checked / unchecked (a grayed box becomes unchecked).
    void user_click() override;
    void handle_key_press(int keyAscii) override; // Space toggles
};

class OptionButton : public Control {
public:
    OptionButton();
    std::string_view Kind() const override { return "OptionButton"; }

    Property<std::string> Caption{this, "Caption"};
    // Setting True raises Click when it was False and clears the other option buttons of the same
    // container (no Click for them). Setting False raises nothing.
    Property<bool> Value{this, "Value"};
    Property<int> Alignment{this, "Alignment", vbLeftJustify};

    void user_click() override;
};

class Frame : public Control {
public:
    Frame();
    std::string_view Kind() const override { return "Frame"; }
    bool CanFocus() const override { return false; }

    Property<std::string> Caption{this, "Caption"};
    Property<int> BorderStyle{this, "BorderStyle", 1};
};

class TextBox : public Control {
public:
    TextBox();
    std::string_view Kind() const override { return "TextBox"; }

    // A change raises Change. With MaxLength > 0, a longer text is cut to MaxLength characters.
    Property<std::string> Text{this, "Text"};
    // The selection, in characters (UTF-8 code points); SelStart beyond the text goes to its end.
    Property<int> SelStart{this, "SelStart"};
    Property<int> SelLength{this, "SelLength"};
    Property<bool> MultiLine{this, "MultiLine"};
    Property<bool> Locked{this, "Locked"};
    Property<int> MaxLength{this, "MaxLength"};
    Property<std::string> PasswordChar{this, "PasswordChar"};
    Property<int> Alignment{this, "Alignment", vbLeftJustify};
    Property<int> ScrollBars{this, "ScrollBars"};
    // The selected text; setting it replaces the selection (raising Change).
    std::string SelText() const;
    void SetSelText(std::string_view text);

    // The user types text at the selection: for each character KeyPress runs, and unless the
    // handler zeroed it (or the box is locked) it replaces the selection, raising Change.
    void user_type(std::string_view text);
    // The user pastes text at the selection (from the clipboard, the middle button or a drop): what
    // paste_text makes of it replaces the selection, raising Change, unless the box is locked or
    // there is no text. With MaxLength, only as many characters go in as the box has room for.
    void user_paste(std::string_view text);
    void handle_key_press(int keyAscii) override;
    // Delete removes the selection or a character; Shift+Delete is a cut, which the screen does.
    void handle_key_down(int keyCode, int shift) override;
};

class Timer : public Control {
public:
    Timer();
    ~Timer() override;
    std::string_view Kind() const override { return "Timer"; }
    bool CanFocus() const override { return false; }

    // Milliseconds between ticks; 0 stops the timer. Enabled True (the default) with a positive
    // Interval on a loaded window runs it; every change of either restarts the count.
    Property<int> Interval{this, "Interval"};
    // (Control::Enabled)

    // Windows' Timer event (a member cannot share its class's name):
    //     Timer2.Tick = [this] { Timer2_Timer(); };
    Event<> Tick;

    bool Running() const;
    std::optional<std::chrono::steady_clock::time_point> Due() const { return due_; }
    // Called by the Registry when due: schedules the next tick and raises the event.
    void tick(std::chrono::steady_clock::time_point now);
    // Restarts the count from the host's clock now (or stops it); the window calls it on load
    // and unload.
    void reschedule();

private:
    std::optional<std::chrono::steady_clock::time_point> due_;
    bool registered_ = false;
};

class Image : public Control {
public:
    Image();
    std::string_view Kind() const override { return "Image"; }
    bool CanFocus() const override { return false; }

    Property<int> Picture{this, "Picture"}; // an image handle; 0 none
    Property<int> BorderStyle{this, "BorderStyle"};
    Property<bool> Stretch{this, "Stretch"};
};

class Line : public Control {
public:
    Line();
    std::string_view Kind() const override { return "Line"; }
    bool CanFocus() const override { return false; }

    Property<int> X1{this, "X1"};
    Property<int> Y1{this, "Y1"};
    Property<int> X2{this, "X2"};
    Property<int> Y2{this, "Y2"};
    Property<Color> BorderColor{this, "BorderColor", 0};
    Property<int> BorderWidth{this, "BorderWidth", 1};
    Property<int> BorderStyle{this, "BorderStyle", 1};
};

enum ShapeKind : int { vbShapeRectangle = 0, vbShapeSquare = 1, vbShapeOval = 2, vbShapeCircle = 3 };

// A drawn shape (a selection frame); never takes the focus.
class Shape : public Control {
public:
    Shape();
    std::string_view Kind() const override { return "Shape"; }
    bool CanFocus() const override { return false; }

    // Windows' Shape property (a member cannot share its class's name).
    Property<int> ShapeStyle{this, "Shape", vbShapeRectangle};
    Property<int> BorderStyle{this, "BorderStyle", 1}; // 1 solid, 2 dash, 3 dot, 4 dash-dot ...
    Property<int> BorderWidth{this, "BorderWidth", 1};
    Property<Color> BorderColor{this, "BorderColor", 0};
    Property<int> FillStyle{this, "FillStyle", 1}; // 1 transparent
    Property<Color> FillColor{this, "FillColor", 0};
};

// A list of pictures (image handles) that report lists and toolbars take their icons from, by
// index from 1. Invisible on the window.
class ImageList : public Control {
public:
    ImageList();
    std::string_view Kind() const override { return "ImageList"; }
    bool CanFocus() const override { return false; }

    Property<int> ImageWidth{this, "ImageWidth", 16}; // pixels
    Property<int> ImageHeight{this, "ImageHeight", 16};
    // Adds a picture (an image handle) and returns its index (from 1).
    int Add(int picture);
    void Clear();
    int Count() const { return static_cast<int>(pictures_.size()); }
    // The picture at an index (from 1); outside fails with error 35600.
    int Picture(int index) const;

private:
    std::vector<int> pictures_;
};

class PictureBox : public Control {
public:
    PictureBox();
    std::string_view Kind() const override { return "PictureBox"; }

    Property<int> Picture{this, "Picture"};
    Property<int> BorderStyle{this, "BorderStyle", 1};
    Property<bool> AutoRedraw{this, "AutoRedraw"};
    Property<bool> AutoSize{this, "AutoSize"};
    Property<bool> Stretch{this, "Stretch"};

    // The client area in twips (the border takes a pixel each side).
    int ScaleWidth() const;
    int ScaleHeight() const;
    void Cls();
    void DrawFilledBox(int x1, int y1, int x2, int y2, Color color);
    const std::vector<FilledBox>& Boxes() const { return boxes_; }

    // Text output: Print writes `text` at (CurrentX, CurrentY) in the box's font and ForeColor and
    // moves CurrentY down one line (CurrentX back to 0); Cls, and a picture drawn into the box,
    // clear what was printed; Cls also puts the position back to the corner. TextWidth and TextHeight measure in twips
    // with the box's font.
    Property<int> CurrentX{this, "CurrentX"};
    Property<int> CurrentY{this, "CurrentY"};
    void Print(std::string_view text);
    int TextWidth(std::string_view text) const;
    int TextHeight(std::string_view text) const;
    const std::vector<PrintedText>& Texts() const { return texts_; }

    // The persistent image: what is drawn into the box stays until Cls. It covers the client area
    // in pixels (transparent where nothing was drawn, so the back colour shows there).
    const Bitmap& Image() const { return image_; }
    // Draws into the persistent image: `paint` gets it sized to the client area as it is now (what
    // lay there stays where the box kept its size), and the box is redrawn afterwards.
    void PaintImage(const std::function<void(Bitmap&)>& paint);
    // The client area in whole pixels.
    int ScalePixelsX() const;
    int ScalePixelsY() const;

    Event<> Paint;
    Event<> Resize;

private:
    std::vector<FilledBox> boxes_;
    std::vector<PrintedText> texts_;
    Bitmap image_;
};

class ScrollBar : public Control {
public:
    ScrollBar();
    // A change raises Change; a value outside Min..Max fails with error 380.
    Property<int> Value{this, "Value"};
    Property<int> Min{this, "Min"};
    Property<int> Max{this, "Max", 32767};
    Property<int> SmallChange{this, "SmallChange", 1};
    Property<int> LargeChange{this, "LargeChange", 1};

    Event<> Scroll;

    // The user drags the thumb (Scroll) and lets go at `value` (Change); the arrows and the trough
    // move by SmallChange / LargeChange (Change), clamped to Min..Max.
    void user_scroll_to(int value);
    void user_small_step(int direction);
    void user_large_step(int direction);

private:
    int clamp(int v) const;
};

class HScrollBar : public ScrollBar {
public:
    std::string_view Kind() const override { return "HScrollBar"; }
};

class VScrollBar : public ScrollBar {
public:
    std::string_view Kind() const override { return "VScrollBar"; }
};

} // namespace ui
