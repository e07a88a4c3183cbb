#include "platform/ui/Controls.hpp"

#include "platform/ui/Window.hpp"

#include <algorithm>

namespace ui {

namespace {

// Byte offsets of each UTF-8 code point of `s`, plus s.size() at the end.
std::vector<std::size_t> code_point_offsets(std::string_view s) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) out.push_back(i);
    out.push_back(s.size());
    return out;
}

int length_in_chars(std::string_view s) {
    return static_cast<int>(code_point_offsets(s).size()) - 1;
}

vb::Error invalid_value() {
    return vb::Error(vb::ErrInvalidProperty);
}

} // namespace

std::optional<std::string> paste_text(std::string_view clipboard, bool multiLine) {
    std::string_view text = clipboard.substr(0, clipboard.find('\0'));
    if (text.empty()) return std::nullopt;
    if (!multiLine) return std::string(text.substr(0, text.find_first_of("\r\n")));
    std::string pasted;
    pasted.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            pasted += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            pasted += text[i];
        }
    }
    return pasted;
}

// --- Label ---

Label::Label() {
    BackColor.store(vbButtonFace);
    ForeColor.store(vbButtonText);
    Caption.on_change = [this] { fit_to_caption(); };
    AutoSize.on_change = [this] { fit_to_caption(); };
}

void Label::fit_to_caption() {
    if (!AutoSize || !Parent()) return;
    Width = TextWidth(Caption.get());
    Height = TextHeight(Caption.get());
}

// --- CommandButton ---

CommandButton::CommandButton() {
    BackColor.store(vbButtonFace);
    ForeColor.store(vbButtonText);
    Value.setter = [this](bool v) {
        if (v) Click();
    };
    Default.on_change = [this] {
        if (!Default || !Parent()) return;
        for (Control* c : Parent()->Controls())
            if (auto* b = dynamic_cast<CommandButton*>(c); b && b != this) b->Default.store(false);
    };
    Cancel.on_change = [this] {
        if (!Cancel || !Parent()) return;
        for (Control* c : Parent()->Controls())
            if (auto* b = dynamic_cast<CommandButton*>(c); b && b != this) b->Cancel.store(false);
    };
}

void CommandButton::handle_key_press(int keyAscii) {
    if (keyAscii == vbKeySpace && AcceptsInput()) Click();
}

// --- CheckBox ---

CheckBox::CheckBox() {
    BackColor.store(vbButtonFace);
    ForeColor.store(vbButtonText);
    Value.adjust = [](int v) {
        if (v < vbUnchecked || v > vbGrayed) throw invalid_value();
        return v;
    };
    Value.on_change = [this] { Click(); };
}

void CheckBox::user_click() {
    if (!AcceptsInput()) return;
    user_mouse_down(vbLeftButton, 0, 0, 0);
    user_mouse_up(vbLeftButton, 0, 0, 0);
    Value = Value == vbChecked ? vbUnchecked : vbChecked;
}

void CheckBox::handle_key_press(int keyAscii) {
    if (keyAscii == vbKeySpace) Value = Value == vbChecked ? vbUnchecked : vbChecked;
}

// --- OptionButton ---

OptionButton::OptionButton() {
    BackColor.store(vbButtonFace);
    ForeColor.store(vbButtonText);
    Value.setter = [this](bool v) {
        if (!v) {
            Value.store(false);
            return;
        }
        bool changed = Value.store(true);
        if (Parent()) {
            for (Control* c : Parent()->Controls()) {
                auto* o = dynamic_cast<OptionButton*>(c);
                if (o && o != this && o->Container() == Container()) o->Value.store(false);
            }
        }
        if (changed) Click();
    };
}

void OptionButton::user_click() {
    if (!AcceptsInput()) return;
    user_mouse_down(vbLeftButton, 0, 0, 0);
    user_mouse_up(vbLeftButton, 0, 0, 0);
    Value = true;
}

// --- Frame ---

Frame::Frame() {
    BackColor.store(vbButtonFace);
    ForeColor.store(vbButtonText);
}

// --- TextBox ---

TextBox::TextBox() {
    Text.adjust = [this](std::string v) {
        if (MaxLength > 0) {
            auto offsets = code_point_offsets(v);
            if (static_cast<int>(offsets.size()) - 1 > MaxLength)
                v.resize(offsets[static_cast<std::size_t>(MaxLength.get())]);
        }
        return v;
    };
    Text.on_change = [this] {
        int len = length_in_chars(Text.get());
        if (SelStart > len) SelStart.store(len);
        if (SelStart + SelLength > len) SelLength.store(len - SelStart);
        Change();
    };
    SelStart.adjust = [this](int v) {
        if (v < 0) throw invalid_value();
        int len = length_in_chars(Text.get());
        if (v > len) v = len;
        if (SelStart != v) SelLength.store(0);
        return v;
    };
    SelLength.adjust = [this](int v) {
        if (v < 0) throw invalid_value();
        return std::min(v, length_in_chars(Text.get()) - SelStart);
    };
}

std::string TextBox::SelText() const {
    auto offsets = code_point_offsets(Text.get());
    std::size_t a = offsets[static_cast<std::size_t>(SelStart.get())];
    std::size_t b = offsets[static_cast<std::size_t>(SelStart + SelLength)];
    return Text->substr(a, b - a);
}

void TextBox::SetSelText(std::string_view text) {
    auto offsets = code_point_offsets(Text.get());
    std::size_t a = offsets[static_cast<std::size_t>(SelStart.get())];
    std::size_t b = offsets[static_cast<std::size_t>(SelStart + SelLength)];
    std::string next = Text->substr(0, a) + std::string(text) + Text->substr(b);
    int caret = SelStart + length_in_chars(text);
    Text = next;
    SelStart.store(std::min(caret, length_in_chars(Text.get())));
    SelLength.store(0);
}

void TextBox::user_type(std::string_view text) {
    user_focus();
    auto offsets = code_point_offsets(text);
    for (std::size_t i = 0; i + 1 < offsets.size(); ++i) {
        std::string_view ch = text.substr(offsets[i], offsets[i + 1] - offsets[i]);
        if (ch.size() == 1) {
            if (Parent())
                Parent()->user_key_press(static_cast<unsigned char>(ch[0]));
            else
                handle_key_press(static_cast<unsigned char>(ch[0]));
        } else if (!Locked) {
            SetSelText(ch);
        }
    }
}

void TextBox::user_paste(std::string_view text) {
    if (Locked) return;
    std::optional<std::string> pasted = paste_text(text, MultiLine);
    if (!pasted) return;
    if (MaxLength > 0) {
        // As much of the paste as the box has room for; the text around the selection stays.
        const int room = std::max(0, MaxLength - (length_in_chars(Text.get()) - SelLength));
        auto offsets = code_point_offsets(*pasted);
        if (static_cast<int>(offsets.size()) - 1 > room) {
            pasted->resize(offsets[static_cast<std::size_t>(room)]);
            // A line end is never cut in two.
            if (!pasted->empty() && pasted->back() == '\r') pasted->pop_back();
        }
    }
    SetSelText(*pasted);
}

void TextBox::handle_key_press(int keyAscii) {
    if (Locked) return;
    if (keyAscii == vbKeyBack) {
        if (SelLength == 0) {
            if (SelStart == 0) return;
            SelStart.store(SelStart - 1);
            SelLength.store(1);
        }
        SetSelText("");
        return;
    }
    if (keyAscii == vbKeyReturn) {
        if (MultiLine) SetSelText("\r\n");
        return;
    }
    if (keyAscii < 32 && keyAscii != vbKeyTab) return;
    if (keyAscii == vbKeyTab && !MultiLine) return;
    if (keyAscii >= 127) return; // only ASCII arrives as a key code here; DEL is no character
    SetSelText(std::string(1, static_cast<char>(keyAscii)));
}

void TextBox::handle_key_down(int keyCode, int shift) {
    if (keyCode == vbKeyDelete && !Locked && shift != vbShiftMask) {
        if (SelLength == 0) {
            if (SelStart >= length_in_chars(Text.get())) return;
            SelLength.store(1);
        }
        SetSelText("");
    } else if (keyCode == vbKeyLeft && SelStart > 0 && shift == 0) {
        SelStart = SelStart - 1;
    } else if (keyCode == vbKeyRight && shift == 0) {
        SelStart = SelStart + 1;
    } else if (keyCode == vbKeyHome && shift == 0) {
        SelStart = 0;
    } else if (keyCode == vbKeyEnd && shift == 0) {
        SelStart = length_in_chars(Text.get());
    }
}

// --- Timer ---

Timer::Timer() {
    Interval.adjust = [](int v) {
        if (v < 0 || v > 65535) throw invalid_value();
        return v;
    };
    Interval.on_change = [this] { reschedule(); };
    Enabled.on_change = [this] { reschedule(); };
}

Timer::~Timer() {
    if (Host* h = host()) h->registry().remove_timer(*this);
}

bool Timer::Running() const {
    return Enabled && Interval > 0 && Parent() && Parent()->Loaded();
}

void Timer::reschedule() {
    Host* h = host();
    if (!h) return;
    if (Running())
        due_ = h->SteadyNow() + std::chrono::milliseconds(Interval.get());
    else
        due_.reset();
    if (h->registry().on_schedule_changed) h->registry().on_schedule_changed();
}

void Timer::tick(std::chrono::steady_clock::time_point now) {
    due_ = now + std::chrono::milliseconds(Interval.get());
    Tick();
}

// --- Image, Line ---

Image::Image() = default;

Line::Line() = default;

// --- Shape, ImageList ---

Shape::Shape() = default;

ImageList::ImageList() {
    Visible.store(false);
}

int ImageList::Add(int picture) {
    pictures_.push_back(picture);
    notify("ListImages");
    return Count();
}

void ImageList::Clear() {
    pictures_.clear();
    notify("ListImages");
}

int ImageList::Picture(int index) const {
    if (index < 1 || index > Count()) throw vb::Error(35600, "Index out of bounds");
    return pictures_[static_cast<std::size_t>(index - 1)];
}

// --- PictureBox ---

PictureBox::PictureBox() {
    BackColor.store(vbButtonFace);
    Width.on_change = [this] { Resize(); };
    Height.on_change = [this] { Resize(); };
}

int PictureBox::ScaleWidth() const {
    Host* h = host();
    int border = BorderStyle != 0 && h ? 2 * h->TwipsPerPixelX() : 0;
    return std::max(0, Width - border);
}

int PictureBox::ScaleHeight() const {
    Host* h = host();
    int border = BorderStyle != 0 && h ? 2 * h->TwipsPerPixelY() : 0;
    return std::max(0, Height - border);
}

void PictureBox::Cls() {
    CurrentX = 0;
    CurrentY = 0;
    if (!image_.empty()) {
        image_ = Bitmap{};
        notify("Image");
    }
    if (!texts_.empty()) {
        texts_.clear();
        notify("Texts");
    }
    if (boxes_.empty()) return;
    boxes_.clear();
    notify("Boxes");
}

int PictureBox::ScalePixelsX() const {
    Host* h = host();
    return ScaleWidth() / std::max(1, h ? h->TwipsPerPixelX() : 15);
}

int PictureBox::ScalePixelsY() const {
    Host* h = host();
    return ScaleHeight() / std::max(1, h ? h->TwipsPerPixelY() : 15);
}

void PictureBox::PaintImage(const std::function<void(Bitmap&)>& paint) {
    image_.resize(ScalePixelsX(), ScalePixelsY());
    paint(image_);
    notify("Image");
    // A picture drawn into the box covers what was printed there before.
    if (!texts_.empty()) {
        texts_.clear();
        notify("Texts");
    }
}

void PictureBox::Print(std::string_view text) {
    texts_.push_back({CurrentX, CurrentY, std::string(text), Font.choice(), ForeColor});
    CurrentY = CurrentY + TextHeight(text);
    CurrentX = 0;
    notify("Texts");
}

int PictureBox::TextWidth(std::string_view text) const {
    Host* h = host();
    if (!h) return 0;
    return h->TextWidthPixels(Font.choice(), text) * h->TwipsPerPixelX();
}

int PictureBox::TextHeight(std::string_view text) const {
    Host* h = host();
    if (!h) return 0;
    return h->TextHeightPixels(Font.choice(), text) * h->TwipsPerPixelY();
}

void PictureBox::DrawFilledBox(int x1, int y1, int x2, int y2, Color color) {
    boxes_.push_back({x1, y1, x2, y2, color});
    notify("Boxes");
}

// --- ScrollBar ---

ScrollBar::ScrollBar() {
    BackColor.store(vbButtonFace);
    Value.adjust = [this](int v) {
        if (v < std::min(Min.get(), Max.get()) || v > std::max(Min.get(), Max.get())) throw invalid_value();
        return v;
    };
    Value.on_change = [this] { Change(); };
    auto keep_in_range = [this] {
        int v = clamp(Value);
        if (v != Value) Value = v;
    };
    Min.on_change = keep_in_range;
    Max.on_change = keep_in_range;
}

int ScrollBar::clamp(int v) const {
    return std::clamp(v, std::min(Min.get(), Max.get()), std::max(Min.get(), Max.get()));
}

void ScrollBar::user_scroll_to(int value) {
    if (!AcceptsInput()) return;
    user_focus();
    Scroll();
    Value = clamp(value);
}

void ScrollBar::user_small_step(int direction) {
    if (!AcceptsInput()) return;
    user_focus();
    int step = (Max >= Min ? 1 : -1) * (direction < 0 ? -1 : 1) * SmallChange;
    Value = clamp(Value + step);
}

void ScrollBar::user_large_step(int direction) {
    if (!AcceptsInput()) return;
    user_focus();
    int step = (Max >= Min ? 1 : -1) * (direction < 0 ? -1 : 1) * LargeChange;
    Value = clamp(Value + step);
}

} // namespace ui
