// The list kinds of the window model on screen: list, combo, drive, folder and file boxes, the
// report list, the tab strip and the toolbar. They are drawn here from the model and a click is
// turned into the model's own user_... call for the entry under the pointer, so the model decides
// what is selected and which events run. Drag and drop between controls is followed here too.
#include "platform/fltk/FltkHost.hpp"
#include "platform/fltk/WindowView.hpp"
#include "platform/fltk/draw.hpp"
#include "platform/fltk/selection.hpp"

#include "platform/ui/Bars.hpp"
#include "platform/ui/ListView.hpp"
#include "platform/ui/Lists.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_PNG_Image.H>
#include <FL/Fl_Scrollbar.H>
#include <FL/Fl_Shared_Image.H>
#include <FL/Fl_Tooltip.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

namespace fltk {

namespace {

constexpr int ListCellPixels = 150;     // a column of the report list's list view
constexpr int IconCellWidthPixels = 75; // a cell of its icon view
constexpr int IconCellHeightPixels = 70;
constexpr int DropButtonPixels = 17;
// The header icons of a sorted report list's column, and the room their mark takes.
constexpr int SortAscendingIcon = 11;
constexpr int SortDescendingIcon = 12;
constexpr int SortMarkPixels = 12;
// A check-box list's box, and the room before each entry's text that it takes.
constexpr int CheckBoxPixels = 11;
constexpr int CheckRoomPixels = 16;

bool is_check_list(const ui::Control& c) {
    auto* box = dynamic_cast<const ui::ListBox*>(&c);
    return box && box->Style == ui::vbListBoxCheckbox;
}

const Fl_Color Highlight = fl_rgb_color(0, 84, 227);

void set_font(const ui::Control& c) {
    ui::FontChoice f = c.Font.choice();
    fl_font(to_fl_font(f), to_fl_size(f));
}

void text_in(const std::string& text, int x, int y, int w, int h, Fl_Color colour, Fl_Align align = FL_ALIGN_LEFT) {
    fl_color(colour);
    std::string one = display_lines(text);
    std::replace(one.begin(), one.end(), '\n', ' ');
    fl_push_clip(x, y, w, h);
    fl_draw(one.c_str(), x + 2, y, w - 4, h, align | FL_ALIGN_CLIP, nullptr, 0);
    fl_pop_clip();
}

// An editable combo box: its edit part, left of the drop-down button, edits like a text box.
bool editable_combo(const ui::Control& c) {
    auto* combo = dynamic_cast<const ui::ComboBox*>(&c);
    return combo && combo->Style != ui::vbComboDropdownList;
}

// Where the edit part's text starts (window pixels), as text_in draws it.
int combo_text_left(int x) {
    return x + 4;
}

// The character of the edit part's text nearest to the window pixel `px` (font set).
int combo_char_at(const std::string& text, int left, int px) {
    int chars = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t next = vb::Utf8CharEnd(text, i);
        double before = fl_width(text.c_str(), static_cast<int>(i));
        double after = fl_width(text.c_str(), static_cast<int>(next));
        if (px < left + (before + after) / 2) return chars;
        ++chars;
        i = next;
    }
    return chars;
}

std::size_t combo_byte_of(const std::string& text, int n) {
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (count == n) return i;
        ++count;
    }
    return text.size();
}

// The combo box whose edit part the left button was pressed in (a drag then selects).
const ui::Control* combo_selecting = nullptr;

// The rows of a folder box: the open folder's chain from the root down, then its sub-folders. Row r
// stands for Windows' index -(chain length - r) for the chain and r - chain length for the rest.
int dir_chain_length(const ui::DirListBox& d) {
    int n = 0;
    while (!d.List(-(n + 1)).empty())
        ++n;
    return n;
}

std::string last_part(const std::string& path) {
    if (path == "/") return "/";
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int tab_width(const ui::TabStrip& t, int index) {
    return static_cast<int>(fl_width(display_lines(t.Tabs(index).Caption.get()).c_str())) + 20;
}

int toolbar_button_width(const ui::ToolbarButton& b) {
    if (b.Style == ui::tbrSeparator) return 8;
    std::string caption = b.Caption->empty() ? b.Key() : b.Caption.get();
    if (caption.empty()) return 24;
    return std::max(24, static_cast<int>(fl_width(caption.c_str())) + 14);
}

// The picture of a toolbar button: its Image numbers an entry of the toolbar's image list.
int toolbar_picture(const ui::Toolbar& bar, const ui::ToolbarButton& b) {
    ui::ImageList* images = bar.ImageList;
    if (!images || b.Image < 1 || b.Image > images->Count()) return 0;
    return images->Picture(b.Image);
}

std::string menu_text(const std::string& s) {
    std::string out;
    for (char c : s) {
        out += c;
        if (c == '&' || c == '@') out += c;
    }
    return out;
}

constexpr int ScrollBarPixels = 16;

// How much of a list's content there is and how much its frame shows, each way: rows up and down;
// across, pixels of the report view's columns or columns of the list view.
struct Extent {
    bool vertical = false, horizontal = false; // the scroll bars it needs
    int rows = 0, shownRows = 1, top = 0;
    int across = 0, shownAcross = 1, left = 0;
    int acrossStep = 1;
};

// The list view's rows per column, as the model's hit test counts them.
int list_view_rows(const ui::ListView& lv) {
    return std::max(1, lv.Height / TwipsPerPixel / std::max(1, lv.RowHeightPixels()));
}

Extent extent_of(const ui::Control& c, int width, int height, int left) {
    Extent e;
    std::function<int(int)> rowsIn;   // rows an inner height shows
    std::function<int(int)> acrossIn; // columns or pixels an inner width shows
    set_font(c);
    if (auto* dir = dynamic_cast<const ui::DirListBox*>(&c)) {
        int row = fl_height() + 2;
        e.rows = dir_chain_length(*dir) + dir->ListCount();
        e.top = dir->TopIndex;
        rowsIn = [row](int h) { return h / row; };
    } else if (auto* list = dynamic_cast<const ui::ListControl*>(&c)) {
        int row = std::max(1, list->ItemHeightPixels());
        e.rows = list->ListCount();
        e.top = list->TopIndex;
        rowsIn = [row](int h) { return h / row; };
    } else if (auto* lv = dynamic_cast<const ui::ListView*>(&c)) {
        int row = std::max(1, lv->RowHeightPixels()), count = lv->ListItems.Count();
        if (lv->View == ui::lvwReport) {
            int header = lv->HeaderHeightPixels();
            e.rows = count;
            e.top = lv->TopIndex;
            rowsIn = [row, header](int h) { return (h - header) / row; };
            for (int col = 1; col <= lv->ColumnHeaders.Count(); ++col)
                e.across += lv->ColumnHeaders(col).Width / TwipsPerPixel;
            e.left = left;
            e.acrossStep = 20;
            acrossIn = [](int w) { return w; };
        } else if (lv->View == ui::lvwList) {
            int rows = list_view_rows(*lv);
            e.across = (count + rows - 1) / rows;
            e.left = lv->TopIndex / rows;
            acrossIn = [](int w) { return w / ListCellPixels; };
        }
    }
    int w = width - 4, h = height - 4;
    e.vertical = rowsIn && e.rows > rowsIn(h);
    if (e.vertical) w -= ScrollBarPixels;
    e.horizontal = acrossIn && e.across > acrossIn(w);
    if (e.horizontal) {
        h -= ScrollBarPixels;
        if (!e.vertical && rowsIn && e.rows > rowsIn(h)) {
            e.vertical = true;
            w -= ScrollBarPixels;
        }
    }
    if (rowsIn) e.shownRows = std::max(1, rowsIn(h));
    if (acrossIn) e.shownAcross = std::max(1, acrossIn(w));
    e.top = std::clamp(e.top, 0, std::max(0, e.rows - 1));
    e.left = std::clamp(e.left, 0, std::max(0, e.across - e.shownAcross));
    return e;
}

} // namespace

// A list's scroll bar: dragging it, clicking its arrows or its trough, or turning the wheel on it
// scrolls the list, as the user does it, without taking the keyboard from the control that has it.
class ListScrollBar : public Fl_Scrollbar {
public:
    ListScrollBar(WindowView& view, ui::Control& list, bool vertical)
        : Fl_Scrollbar(0, 0, ScrollBarPixels, ScrollBarPixels), view_(view), list_(list), vertical_(vertical) {
        type(vertical ? FL_VERTICAL : FL_HORIZONTAL);
        clear_visible_focus();
        callback([](Fl_Widget* w, void*) {
            auto* bar = static_cast<ListScrollBar*>(w);
            bar->view_.scroll_bar_moved(bar->list_, bar->vertical_, static_cast<int>(bar->value()));
        });
    }
    int handle(int event) override {
        if (view_.detached()) return Fl_Scrollbar::handle(event);
        ++view_.host().event_depth;
        Fl_Widget* focus = Fl::focus();
        if (event == FL_PUSH) view_.activate_model_window();
        int r = Fl_Scrollbar::handle(event);
        if (focus && Fl::focus() != focus && focus->visible_r()) Fl::focus(focus);
        --view_.host().event_depth;
        return r;
    }

private:
    WindowView& view_;
    ui::Control& list_;
    bool vertical_;
};

bool WindowView::has_scroll_bars(const ui::Control& c) {
    std::string_view k = c.Kind();
    return k == "ListBox" || k == "DirListBox" || k == "FileListBox" || k == "ListView";
}

Fl_Widget* WindowView::scroll_bar(ui::Control& control, bool vertical) {
    auto it = scroll_bars_.find(&control);
    if (it == scroll_bars_.end()) return nullptr;
    Fl_Scrollbar* bar = vertical ? it->second.vertical : it->second.horizontal;
    return bar && bar->visible() ? bar : nullptr;
}

int WindowView::list_left(ui::Control& c) const {
    auto it = scroll_bars_.find(&c);
    return it == scroll_bars_.end() ? 0 : it->second.left;
}

void WindowView::list_content_box(ui::Control& c, Fl_Widget& w, int& x, int& y, int& width, int& height) const {
    x = w.x() + 2;
    y = w.y() + 2;
    width = w.w() - 4;
    height = w.h() - 4;
    auto it = scroll_bars_.find(&c);
    if (it == scroll_bars_.end()) return;
    if (it->second.vertical && it->second.vertical->visible()) width -= ScrollBarPixels;
    if (it->second.horizontal && it->second.horizontal->visible()) height -= ScrollBarPixels;
}

void WindowView::sync_scroll_bars(ui::Control& c) {
    Fl_Widget* w = widget(c);
    if (!w || !has_scroll_bars(c)) return;
    ListScrollBars& bars = scroll_bars_[&c];
    Extent e = extent_of(c, w->w(), w->h(), bars.left);
    bars.left = e.horizontal ? e.left : 0;
    bool shown = c.EffectivelyVisible();
    auto place = [&](Fl_Scrollbar*& bar, bool needed, bool vertical) {
        if (!needed || !shown) {
            if (bar && bar->visible()) {
                bar->hide();
                w->redraw();
            }
            return;
        }
        if (!bar) {
            bar = new ListScrollBar(*this, c, vertical);
            window()->insert(*bar, window()->find(w) + 1);
        }
        int corner = e.vertical && e.horizontal ? ScrollBarPixels : 0;
        if (vertical) {
            bar->resize(w->x() + w->w() - 2 - ScrollBarPixels, w->y() + 2, ScrollBarPixels, w->h() - 4 - corner);
            bar->scrollvalue(e.top, e.shownRows, 0, e.rows);
        } else {
            bar->resize(w->x() + 2, w->y() + w->h() - 2 - ScrollBarPixels, w->w() - 4 - corner, ScrollBarPixels);
            bar->scrollvalue(e.left, e.shownAcross, 0, e.across);
            bar->linesize(e.acrossStep);
        }
        if (c.EffectivelyEnabled())
            bar->activate();
        else
            bar->deactivate();
        if (!bar->visible()) {
            bar->show();
            w->redraw();
        }
        bar->redraw();
    };
    place(bars.vertical, e.vertical, true);
    place(bars.horizontal, e.horizontal, false);
}

void WindowView::remove_scroll_bars(ui::Control& c) {
    auto it = scroll_bars_.find(&c);
    if (it == scroll_bars_.end()) return;
    for (Fl_Scrollbar* bar : {it->second.vertical, it->second.horizontal})
        if (bar) {
            window()->remove(bar);
            Fl::delete_widget(bar);
        }
    scroll_bars_.erase(it);
}

void WindowView::scroll_bar_moved(ui::Control& c, bool vertical, int value) {
    if (detached_) return;
    auto* lv = dynamic_cast<ui::ListView*>(&c);
    if (vertical) {
        if (auto* list = dynamic_cast<ui::ListControl*>(&c))
            list->TopIndex = value;
        else if (auto* dir = dynamic_cast<ui::DirListBox*>(&c))
            dir->TopIndex = value;
        else if (lv)
            lv->TopIndex = value;
    } else if (lv && lv->View == ui::lvwList) {
        lv->TopIndex = std::min(value * list_view_rows(*lv), std::max(0, lv->ListItems.Count() - 1));
    } else {
        scroll_bars_[&c].left = value;
    }
    sync_scroll_bars(c);
    if (Fl_Widget* w = widget(c)) w->redraw();
}

bool WindowView::is_list_kind(const ui::Control& c) {
    std::string_view k = c.Kind();
    return k == "ListBox" || k == "ComboBox" || k == "DriveListBox" || k == "DirListBox" || k == "FileListBox" ||
           k == "ListView" || k == "TabStrip" || k == "Toolbar";
}

void WindowView::keep_cursor_in_view(ui::Control& c) {
    auto* list = dynamic_cast<ui::ListControl*>(&c);
    if (!list || dynamic_cast<ui::ComboBox*>(&c) || dynamic_cast<ui::DriveListBox*>(&c)) return;
    int rows = std::max(1, c.Height / TwipsPerPixel / std::max(1, list->ItemHeightPixels()));
    int cursor = list->ListIndex;
    if (cursor < 0) return;
    if (cursor < list->TopIndex)
        list->TopIndex = cursor;
    else if (cursor >= list->TopIndex + rows)
        list->TopIndex = cursor - rows + 1;
}

// --- drawing ---------------------------------------------------------------------------------------------

// Draws a list's sunken frame and background and clips its entries to the room inside the frame
// that its scroll bars leave; the width and height of the drawing shrink with it. The room of the
// scroll bars is left alone: a list redrawn on its own (a wheel turn, a key, the focus) would
// otherwise paint over its bars, which are widgets of their own and not redrawn with it.
struct WindowView::ContentClip {
    ContentClip(const WindowView& view, ui::Control& c, Fl_Widget& w, int& width, int& height, Fl_Color background) {
        int cx, cy, cw, ch;
        view.list_content_box(c, w, cx, cy, cw, ch);
        fl_draw_box(FL_DOWN_FRAME, w.x(), w.y(), w.w(), w.h(), FL_BLACK);
        fl_rectf(cx, cy, std::max(0, cw), std::max(0, ch), background);
        const int right = w.x() + w.w() - 2, bottom = w.y() + w.h() - 2;
        if (cx + cw < right && cy + ch < bottom) // the corner between two bars
            fl_rectf(cx + cw, cy + ch, right - cx - cw, bottom - cy - ch, to_fl_color(ui::vbButtonFace));
        width = cw + 4;
        height = ch + 4;
        fl_push_clip(cx, cy, std::max(0, cw), std::max(0, ch));
    }
    ~ContentClip() { fl_pop_clip(); }
    ContentClip(const ContentClip&) = delete;
    ContentClip& operator=(const ContentClip&) = delete;
};

void WindowView::draw_list(Fl_Widget& w, ui::Control& c) {
    int x = w.x(), y = w.y(), width = w.w(), height = w.h();
    bool enabled = c.EffectivelyEnabled();
    // A window behind another (a dialog over it) keeps showing its selection, in the inactive colour.
    const bool windowActive = host_.registry().ActiveWindow() == &model_;
    bool focused = model_.ActiveControl() == &c && windowActive;
    Fl_Color fore = enabled ? to_fl_color(c.ForeColor) : fl_rgb_color(128, 128, 128);
    fl_push_clip(x, y, width, height);
    set_font(c);

    if (auto* combo = dynamic_cast<ui::ComboBox*>(&c); combo || dynamic_cast<ui::DriveListBox*>(&c)) {
        auto& list = static_cast<ui::ListControl&>(c);
        std::string text = combo ? combo->Text.get() : static_cast<ui::DriveListBox&>(c).Drive.get();
        fl_draw_box(FL_DOWN_BOX, x, y, width, height, to_fl_color(ui::vbWindowBackground));
        if (editable_combo(c)) {
            // The edit part: the selection highlighted, and a caret while the box has the focus.
            const int left = combo_text_left(x);
            auto at = [&](int chars) {
                return left + static_cast<int>(fl_width(text.c_str(), static_cast<int>(combo_byte_of(text, chars))));
            };
            fl_push_clip(x + 2, y + 2, width - DropButtonPixels - 4, height - 4);
            if (focused && combo->SelLength > 0) {
                int a = at(combo->SelStart), b = at(combo->SelStart + combo->SelLength);
                fl_rectf(a, y + 3, b - a, height - 6, Highlight);
            }
            text_in(text, x + 2, y + 2, width - DropButtonPixels - 4, height - 4, fore);
            if (focused && combo->SelLength > 0) {
                // The selected characters in white over the highlight.
                int a = at(combo->SelStart), b = at(combo->SelStart + combo->SelLength);
                fl_push_clip(a, y + 2, b - a, height - 4);
                text_in(text, x + 2, y + 2, width - DropButtonPixels - 4, height - 4, FL_WHITE);
                fl_pop_clip();
            }
            if (focused) {
                int cx = at(combo->Caret());
                fl_color(fore);
                fl_line(cx, y + 4, cx, y + height - 5);
            }
            fl_pop_clip();
        } else {
            // A drop-down list shows its text highlighted while it has the focus. The text starts one
            // pixel inside the highlight and runs up to the drop button.
            if (focused) fl_rectf(x + 3, y + 3, width - DropButtonPixels - 6, height - 6, Highlight);
            text_in(text, x + 1, y + 2, width - DropButtonPixels - 3, height - 4, focused ? FL_WHITE : fore);
        }
        fl_draw_box(FL_UP_BOX, x + width - DropButtonPixels - 2, y + 2, DropButtonPixels, height - 4,
                    to_fl_color(ui::vbButtonFace));
        fl_color(fore);
        int ax = x + width - DropButtonPixels / 2 - 2, ay = y + height / 2;
        fl_polygon(ax - 4, ay - 2, ax + 4, ay - 2, ax, ay + 3);
        (void)list;
    } else if (auto* dir = dynamic_cast<ui::DirListBox*>(&c)) {
        ContentClip clip(*this, c, w, width, height, to_fl_color(c.BackColor));
        int row = fl_height() + 2, chain = dir_chain_length(*dir), total = chain + dir->ListCount();
        for (int r = dir->TopIndex, line = 0; r < total && line * row < height; ++r, ++line) {
            int index = r < chain ? -(chain - r) : r - chain;
            int indent = (r < chain ? r : chain) * 10;
            std::string name = last_part(dir->List(index));
            bool cursor = dir->ListIndex == index;
            int ry = y + 2 + line * row;
            if (cursor) fl_rectf(x + 2, ry, width - 4, row, focused ? Highlight : fl_rgb_color(200, 200, 200));
            fl_color(cursor && focused ? FL_WHITE : fl_rgb_color(200, 160, 40));
            fl_rectf(x + 6 + indent, ry + row / 2 - 4, 12, 9);
            text_in(name, x + 22 + indent, ry, width - 26 - indent, row, cursor && focused ? FL_WHITE : fore);
        }
    } else if (auto* list = dynamic_cast<ui::ListControl*>(&c)) {
        ContentClip clip(*this, c, w, width, height, to_fl_color(c.BackColor));
        int row = std::max(1, list->ItemHeightPixels());
        // A check-box list: a box before each entry shows its check, and the highlight is the cursor's.
        const bool checks = is_check_list(c);
        const int textLeft = checks ? CheckRoomPixels : 0;
        for (int i = list->TopIndex, line = 0; i < list->ListCount() && line * row < height - 2; ++i, ++line) {
            int ry = y + 2 + line * row;
            bool selected =
                checks ? list->ListIndex == i
                       : list->IsSelected(i) || (list->MultiSelect == ui::vbMultiSelectNone && list->ListIndex == i);
            if (selected)
                fl_rectf(x + 2 + textLeft, ry, width - 4 - textLeft, row,
                         focused ? Highlight : fl_rgb_color(200, 200, 200));
            if (checks) {
                const int bx = x + 4, by = ry + (row - CheckBoxPixels) / 2;
                fl_draw_box(FL_DOWN_BOX, bx, by, CheckBoxPixels, CheckBoxPixels, FL_WHITE);
                if (list->IsSelected(i)) {
                    fl_color(enabled ? FL_BLACK : fl_rgb_color(128, 128, 128));
                    fl_line_style(FL_SOLID, 2);
                    fl_line(bx + 2, by + 5, bx + 4, by + 8, bx + 8, by + 2);
                    fl_line_style(0);
                }
            }
            text_in(list->List(i), x + 2 + textLeft, ry, width - 4 - textLeft, row,
                    selected && focused ? FL_WHITE : fore);
            if (focused && list->ListIndex == i) {
                fl_color(FL_BLACK);
                fl_line_style(FL_DOT);
                fl_rect(x + 2, ry, width - 4, row);
                fl_line_style(0);
            }
        }
    } else if (auto* lv = dynamic_cast<ui::ListView*>(&c)) {
        ContentClip clip(*this, c, w, width, height, to_fl_color(c.BackColor));
        int row = lv->RowHeightPixels(), header = lv->HeaderHeightPixels();
        int count = lv->ListItems.Count();
        auto item_colours = [&](ui::ListItem& it, int rx, int ry, int rw) {
            bool sel = it.Selected;
            if (sel && (focused || !lv->HideSelection || !windowActive))
                fl_rectf(rx, ry, rw, row, focused ? Highlight : fl_rgb_color(200, 200, 200));
            return sel && focused ? FL_WHITE : (it.Ghosted ? fl_rgb_color(128, 128, 128) : fore);
        };
        if (lv->View == ui::lvwReport) {
            // Scrolled to the right: everything starts further left.
            const int left = x + 2 - list_left(c);
            int cx = left;
            if (header) {
                for (int col = 1; col <= lv->ColumnHeaders.Count(); ++col) {
                    ui::ColumnHeader& h = lv->ColumnHeaders(col);
                    int cw = h.Width / TwipsPerPixel;
                    fl_draw_box(FL_THIN_UP_BOX, cx, y + 2, cw, header, to_fl_color(ui::vbButtonFace));
                    // The sort mark of the sorted column (header icon 11 ascending, 12 descending)
                    // at the header's right end, a triangle pointing up or down.
                    const bool marked = h.Icon == SortAscendingIcon || h.Icon == SortDescendingIcon;
                    text_in(h.Text, cx + 2, y + 2, cw - 4 - (marked ? SortMarkPixels : 0), header, FL_BLACK);
                    if (marked && cw > SortMarkPixels + 4) {
                        const int mx = cx + cw - SortMarkPixels / 2 - 3, my = y + 2 + header / 2;
                        fl_color(fl_rgb_color(90, 90, 90));
                        if (h.Icon == SortAscendingIcon)
                            fl_polygon(mx - 4, my + 2, mx + 4, my + 2, mx, my - 2);
                        else
                            fl_polygon(mx - 4, my - 2, mx + 4, my - 2, mx, my + 2);
                    }
                    cx += cw;
                }
            }
            for (int i = lv->TopIndex; i < count; ++i) {
                int ry = y + 2 + header + (i - lv->TopIndex) * row;
                if (ry > y + height) break;
                ui::ListItem& it = lv->ListItems(i + 1);
                int total = 0;
                for (int col = 1; col <= lv->ColumnHeaders.Count(); ++col)
                    total += lv->ColumnHeaders(col).Width / TwipsPerPixel;
                int first = lv->ColumnHeaders.Count() ? lv->ColumnHeaders(1).Width / TwipsPerPixel : width;
                Fl_Color colour = item_colours(it, left, ry, lv->FullRowSelect ? total : first);
                cx = left;
                for (int col = 1; col <= std::max(1, lv->ColumnHeaders.Count()); ++col) {
                    int cw = lv->ColumnHeaders.Count() ? lv->ColumnHeaders(col).Width / TwipsPerPixel : width;
                    Fl_Color cc = col == 1 || lv->FullRowSelect ? colour : fore;
                    Fl_Align align = FL_ALIGN_LEFT;
                    if (lv->ColumnHeaders.Count() && lv->ColumnHeaders(col).Alignment == ui::lvwColumnRight)
                        align = FL_ALIGN_RIGHT;
                    text_in(it.ColumnText(col - 1), cx, ry, cw, row, cc, align);
                    cx += cw;
                }
                if (lv->GridLines) {
                    fl_color(fl_rgb_color(220, 220, 220));
                    fl_line(left, ry + row - 1, left + total, ry + row - 1);
                }
            }
        } else if (lv->View == ui::lvwList) {
            int rows = std::max(1, lv->Height / TwipsPerPixel / row);
            for (int i = lv->TopIndex; i < count; ++i) {
                int k = i - lv->TopIndex;
                int rx = x + 2 + (k / rows) * ListCellPixels, ry = y + 2 + (k % rows) * row;
                if (rx > x + width) break;
                ui::ListItem& it = lv->ListItems(i + 1);
                text_in(it.Text, rx, ry, ListCellPixels, row, item_colours(it, rx, ry, ListCellPixels));
            }
        } else {
            bool small = lv->View == ui::lvwSmallIcon;
            int cw = small ? ListCellPixels : IconCellWidthPixels, ch = small ? row : IconCellHeightPixels;
            int perLine = std::max(1, lv->Width / TwipsPerPixel / cw);
            for (int i = 0; i < count; ++i) {
                int rx = x + 2 + (i % perLine) * cw, ry = y + 2 + (i / perLine) * ch;
                if (ry > y + height) break;
                ui::ListItem& it = lv->ListItems(i + 1);
                if (small) {
                    text_in(it.Text, rx, ry, cw, ch, item_colours(it, rx, ry, cw));
                } else {
                    fl_color(fl_rgb_color(120, 140, 200));
                    fl_rectf(rx + cw / 2 - 16, ry + 4, 32, 32);
                    int tx = rx, ty = ry + 40;
                    Fl_Color colour = it.Selected && focused ? FL_WHITE : fore;
                    if (it.Selected) fl_rectf(tx, ty, cw, row, focused ? Highlight : fl_rgb_color(200, 200, 200));
                    text_in(it.Text, tx, ty, cw, row, colour, FL_ALIGN_CENTER);
                }
            }
        }
    } else if (auto* tabs = dynamic_cast<ui::TabStrip*>(&c)) {
        int th = fl_height() + 8;
        fl_rectf(x, y, width, height, to_fl_color(ui::vbButtonFace));
        fl_draw_box(FL_UP_FRAME, x, y + th, width, height - th, FL_BLACK);
        int tx = x + 2;
        for (int i = 1; i <= tabs->Tabs.Count(); ++i) {
            int tw = tab_width(*tabs, i);
            bool selected = tabs->SelectedItem == i;
            int ty = selected ? y : y + 3;
            fl_draw_box(FL_UP_BOX, tx, ty, tw, th - (ty - y) + (selected ? 2 : 0), to_fl_color(ui::vbButtonFace));
            text_in(plain_label(tabs->Tabs(i).Caption.get()), tx + 6, ty + 2, tw - 8, th - 4, fore);
            if (selected && focused) {
                fl_color(FL_BLACK);
                fl_line_style(FL_DOT);
                fl_rect(tx + 4, ty + 4, tw - 8, th - 8);
                fl_line_style(0);
            }
            tx += tw;
        }
    } else if (auto* bar = dynamic_cast<ui::Toolbar*>(&c)) {
        fl_rectf(x, y, width, height, to_fl_color(ui::vbButtonFace));
        int bx = x + 2;
        for (int i = 1; i <= bar->Buttons.Count(); ++i) {
            ui::ToolbarButton& b = bar->Buttons(i);
            if (!b.Visible) continue;
            int bw = toolbar_button_width(b);
            if (b.Style == ui::tbrSeparator) {
                fl_color(fl_rgb_color(160, 160, 160));
                fl_line(bx + bw / 2, y + 3, bx + bw / 2, y + height - 4);
            } else {
                std::string file = host_.picture_file(toolbar_picture(*bar, b));
                bool pressed = b.Value == ui::tbrPressed;
                bool active = enabled && b.Enabled;
                fl_draw_box(pressed ? FL_THIN_DOWN_BOX : FL_THIN_UP_BOX, bx, y + 2, bw, height - 4,
                            to_fl_color(ui::vbButtonFace));
                std::string caption = b.Caption->empty() ? b.Key() : b.Caption.get();
                Fl_Shared_Image* img = file.empty() ? nullptr : Fl_Shared_Image::get(file.c_str());
                if (img && img->w() > 0) {
                    // The picture centred in the button (beside its caption, when it has one);
                    // a pressed button's picture sits one pixel lower and to the right.
                    int textW = caption.empty() ? 0 : static_cast<int>(fl_width(caption.c_str())) + 4;
                    int ix = bx + (bw - img->w() - textW) / 2 + (pressed ? 1 : 0);
                    int iy = y + (height - img->h()) / 2 + (pressed ? 1 : 0);
                    if (active) {
                        img->draw(ix, iy);
                    } else {
                        Fl_Image* grey = img->copy();
                        grey->inactive();
                        grey->draw(ix, iy);
                        delete grey;
                    }
                    if (!caption.empty())
                        text_in(caption, ix + img->w() + 2, y + 2, textW, height - 4,
                                active ? fore : fl_rgb_color(150, 150, 150));
                } else {
                    text_in(caption, bx + 2, y + 2, bw - 4, height - 4, active ? fore : fl_rgb_color(150, 150, 150),
                            FL_ALIGN_CENTER);
                }
                if (img) img->release();
            }
            bx += bw + 1;
        }
    }
    if (!enabled && !dynamic_cast<ui::Toolbar*>(&c)) {
        // Nothing more: a disabled list shows grey text.
    }
    fl_pop_clip();
}

// --- events -----------------------------------------------------------------------------------------------

void WindowView::drop_down(Fl_Widget& w, ui::ListControl& list) {
    std::vector<Fl_Menu_Item> items;
    std::deque<std::string> labels;
    for (int i = 0; i < list.ListCount(); ++i) {
        labels.push_back(menu_text(list.List(i)));
        Fl_Menu_Item item{};
        item.text = labels.back().c_str();
        item.user_data_ = reinterpret_cast<void*>(static_cast<long>(i + 1));
        item.labelfont_ = to_fl_font(list.Font.choice());
        item.labelsize_ = to_fl_size(list.Font.choice());
        item.labelcolor_ = FL_BLACK;
        items.push_back(item);
    }
    if (items.empty()) return;
    items.push_back(Fl_Menu_Item{});
    const Fl_Menu_Item* current = list.ListIndex >= 0 && list.ListIndex < list.ListCount()
                                      ? &items[static_cast<std::size_t>(list.ListIndex)]
                                      : nullptr;
    const Fl_Menu_Item* chosen = items.front().pulldown(w.x(), w.y() + w.h(), w.w(), 0, current);
    if (chosen) list.user_select(static_cast<int>(reinterpret_cast<long>(chosen->user_data_)) - 1);
}

int WindowView::handle_list_event(Fl_Widget& w, ui::Control& c, int event, const std::function<int(int)>& base) {
    int px = Fl::event_x() - w.x() - 2, py = Fl::event_y() - w.y() - 2;
    int shift = shift_of_event(), button = button_of_event();
    switch (event) {
    case FL_PUSH: {
        bool twice = Fl::event_clicks() != 0 && button == ui::vbLeftButton;
        if (auto* combo = dynamic_cast<ui::ComboBox*>(&c); combo || dynamic_cast<ui::DriveListBox*>(&c)) {
            c.user_focus();
            if (editable_combo(c) && Fl::event_x() < w.x() + w.w() - DropButtonPixels - 2) {
                // A press in the edit part puts the caret there (Shift: selects up to there).
                if (button == ui::vbLeftButton) {
                    set_font(c);
                    combo->user_set_caret(combo_char_at(combo->Text.get(), combo_text_left(w.x()), Fl::event_x()),
                                          shift & ui::vbShiftMask);
                    if (twice) {
                        // A double click selects the whole text.
                        combo->user_set_caret(0, false);
                        combo->user_set_caret(1 << 30, true);
                    }
                    combo_selecting = &c;
                }
                c.user_mouse_down(button, shift, twips_x(w), twips_y(w));
                if (button == ui::vbMiddleButton && widget(c) == &w) {
                    // The middle button pastes the primary selection where it was pressed.
                    set_font(c);
                    combo->user_set_caret(combo_char_at(combo->Text.get(), combo_text_left(w.x()), Fl::event_x()),
                                          false);
                    combo->user_paste(selection_text(SelectionName::Primary));
                    if (widget(c) != &w) return 1;
                }
                w.redraw();
                return 1;
            }
            if (button == ui::vbLeftButton) drop_down(w, static_cast<ui::ListControl&>(c));
            return 1;
        }
        if (auto* dir = dynamic_cast<ui::DirListBox*>(&c)) {
            set_font(c);
            int r = dir->TopIndex + py / (fl_height() + 2), chain = dir_chain_length(*dir);
            if (r >= chain + dir->ListCount()) {
                c.user_mouse_down(button, shift, twips_x(w), twips_y(w));
                return 1;
            }
            int index = r < chain ? -(chain - r) : r - chain;
            if (twice)
                dir->user_open(index);
            else
                dir->user_select(index);
            return 1;
        }
        if (auto* list = dynamic_cast<ui::ListControl*>(&c)) {
            int i = list->TopIndex + py / std::max(1, list->ItemHeightPixels());
            if (i >= list->ListCount() || button != ui::vbLeftButton) {
                c.user_mouse_down(button, shift, twips_x(w), twips_y(w));
                return 1;
            }
            if (is_check_list(c) && px < CheckRoomPixels)
                static_cast<ui::ListBox&>(c).user_check(i);
            else if (twice)
                list->user_dblclick_item(i);
            else
                list->user_select(i, shift);
            return 1;
        }
        if (auto* lv = dynamic_cast<ui::ListView*>(&c)) {
            int header = lv->HeaderHeightPixels();
            if (lv->View == ui::lvwReport) px += list_left(c);
            if (header && py < header) {
                int cx = 0;
                for (int col = 1; col <= lv->ColumnHeaders.Count(); ++col) {
                    cx += lv->ColumnHeaders(col).Width / TwipsPerPixel;
                    if (px < cx) {
                        lv->user_click_column(col);
                        break;
                    }
                }
                return 1;
            }
            ui::ListItem* it =
                lv->HitTest(static_cast<float>(px * TwipsPerPixel), static_cast<float>(py * TwipsPerPixel));
            if (!it)
                lv->user_click_empty(shift, button);
            else if (twice)
                lv->user_dblclick_item(it->Index());
            else
                lv->user_click_item(it->Index(), shift, button);
            return 1;
        }
        if (auto* tabs = dynamic_cast<ui::TabStrip*>(&c)) {
            set_font(c);
            int tx = 0;
            for (int i = 1; i <= tabs->Tabs.Count(); ++i) {
                tx += tab_width(*tabs, i);
                if (px < tx && py < fl_height() + 8) {
                    tabs->user_select_tab(i);
                    return 1;
                }
            }
            c.user_mouse_down(button, shift, twips_x(w), twips_y(w));
            return 1;
        }
        if (auto* bar = dynamic_cast<ui::Toolbar*>(&c)) {
            set_font(c);
            int bx = 0;
            for (int i = 1; i <= bar->Buttons.Count(); ++i) {
                ui::ToolbarButton& b = bar->Buttons(i);
                if (!b.Visible) continue;
                int bw = toolbar_button_width(b);
                if (px >= bx && px < bx + bw) {
                    if (button == ui::vbLeftButton) bar->user_click_button(i);
                    return 1;
                }
                bx += bw + 1;
            }
            c.user_mouse_down(button, shift, twips_x(w), twips_y(w));
            return 1;
        }
        return 1;
    }
    case FL_DRAG:
        if (combo_selecting == &c && !model_.DragSource()) {
            // Dragging over the edit part selects.
            auto& combo = static_cast<ui::ComboBox&>(c);
            set_font(c);
            combo.user_set_caret(combo_char_at(combo.Text.get(), combo_text_left(w.x()), Fl::event_x()), true);
            w.redraw();
            return 1;
        }
        // While a control is dragged the pointer's moves are drag-overs, not mouse moves.
        if (!model_.DragSource())
            c.user_mouse_move(Fl::event_button1() ? ui::vbLeftButton : ui::vbRightButton, shift, twips_x(w),
                              twips_y(w));
        if (model_.DragSource()) follow_drag(false);
        return 1;
    case FL_RELEASE:
        if (combo_selecting == &c) combo_selecting = nullptr;
        if (model_.DragSource()) {
            follow_drag(true);
            return 1;
        }
        c.user_mouse_up(button, shift, twips_x(w), twips_y(w));
        return 1;
    case FL_ENTER:
    case FL_MOVE:
        if (auto* bar = dynamic_cast<ui::Toolbar*>(&c)) {
            // Each button has its own tooltip: show the one under the pointer.
            set_font(c);
            int bx = 0;
            for (int i = 1; i <= bar->Buttons.Count(); ++i) {
                ui::ToolbarButton& b = bar->Buttons(i);
                if (!b.Visible) continue;
                int bw = toolbar_button_width(b);
                if (px >= bx && px < bx + bw) {
                    static std::string tip;
                    tip = b.ToolTipText.get();
                    Fl_Tooltip::enter_area(&w, w.x() + 2 + bx, w.y(), bw, w.h(), tip.empty() ? nullptr : tip.c_str());
                    break;
                }
                bx += bw + 1;
            }
        }
        c.user_mouse_move(0, shift, twips_x(w), twips_y(w));
        return 1;
    case FL_LEAVE:
        if (dynamic_cast<ui::Toolbar*>(&c)) Fl_Tooltip::exit(&w);
        return 1;
    case FL_MOUSEWHEEL: {
        // Three rows a notch, stopping where the last row shows at the bottom.
        Extent e = extent_of(c, w.w(), w.h(), list_left(c));
        int top = std::clamp(e.top + Fl::event_dy() * 3, 0, std::max(0, e.rows - e.shownRows));
        if (auto* list = dynamic_cast<ui::ListControl*>(&c)) {
            list->TopIndex = top;
        } else if (auto* lv = dynamic_cast<ui::ListView*>(&c); lv && lv->View == ui::lvwReport) {
            lv->TopIndex = top;
        } else if (lv && lv->View == ui::lvwList) {
            int rows = list_view_rows(*lv);
            int column = std::clamp(e.left + Fl::event_dy(), 0, std::max(0, e.across - e.shownAcross));
            lv->TopIndex = std::min(column * rows, std::max(0, lv->ListItems.Count() - 1));
        } else if (auto* dir = dynamic_cast<ui::DirListBox*>(&c)) {
            dir->TopIndex = top;
        }
        w.redraw();
        return 1;
    }
    case FL_FOCUS:
        if (!c.CanFocus()) return 0;
        c.user_focus();
        w.redraw();
        return 1;
    case FL_UNFOCUS:
        w.redraw();
        return 1;
    case FL_KEYBOARD: {
        int r = route_key(&c, nullptr);
        w.redraw();
        return r;
    }
    case FL_KEYUP:
        model_.user_key_up(key_code_of_event(), shift);
        return 1;
    default:
        return base(event);
    }
}

// --- label edit ----------------------------------------------------------------------------------------

namespace {

// Pastes take the first line of the text, through the program's own reader (PlainInput).
class LabelEditor : public PlainInput {
public:
    LabelEditor(int x, int y, int w, int h, std::function<void(bool)> done)
        : PlainInput(x, y, w, h), done_(std::move(done)) {}
    int handle(int event) override {
        if (event == FL_KEYBOARD && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
            finish(true);
            return 1;
        }
        if (event == FL_KEYBOARD && Fl::event_key() == FL_Escape) {
            finish(false);
            return 1;
        }
        if (event == FL_UNFOCUS) {
            int r = PlainInput::handle(event);
            finish(true);
            return r;
        }
        return PlainInput::handle(event);
    }

private:
    void finish(bool accept) {
        if (finished_) return;
        finished_ = true;
        done_(accept);
    }
    std::function<void(bool)> done_;
    bool finished_ = false;
};

} // namespace

void WindowView::sync_label_editor(ui::ListView& list) {
    ui::ListItem* item = list.EditedItem();
    if (!item) {
        if (label_editor_ && label_list_ == &list) {
            window()->remove(label_editor_);
            Fl::delete_widget(label_editor_);
            label_editor_ = nullptr;
            label_list_ = nullptr;
            window()->redraw();
        }
        return;
    }
    if (label_editor_) return;
    Fl_Widget* w = widget(list);
    if (!w) return;
    int row = list.RowHeightPixels();
    int x = w->x() + 2, y = w->y() + 2, width = 150;
    int k = item->Index() - 1 - list.TopIndex;
    if (list.View == ui::lvwReport) {
        x -= list_left(list);
        y += list.HeaderHeightPixels() + k * row;
        width = list.ColumnHeaders.Count() ? list.ColumnHeaders(1).Width / TwipsPerPixel : w->w() - 4;
    } else if (list.View == ui::lvwList) {
        int rows = std::max(1, list.Height / TwipsPerPixel / row);
        x += (k / rows) * ListCellPixels;
        y += (k % rows) * row;
    } else {
        bool small = list.View == ui::lvwSmallIcon;
        int cw = small ? ListCellPixels : IconCellWidthPixels, ch = small ? row : IconCellHeightPixels;
        int perLine = std::max(1, list.Width / TwipsPerPixel / cw);
        int i = item->Index() - 1;
        x += (i % perLine) * cw;
        y += (i / perLine) * ch + (small ? 0 : 40);
        width = cw;
    }
    auto* editor = new LabelEditor(x, y, std::max(60, width), row + 2, [this](bool accept) {
        // Finished from inside the editor's own event: let it return first.
        Fl::add_timeout(
            0.0,
            accept ? [](void* v) { static_cast<WindowView*>(v)->finish_label_edit(true); }
                   : [](void* v) { static_cast<WindowView*>(v)->finish_label_edit(false); },
            this);
    });
    editor->value(item->Text->c_str());
    editor->textfont(to_fl_font(list.Font.choice()));
    editor->textsize(to_fl_size(list.Font.choice()));
    editor->position(editor->size(), 0);
    window()->add(editor);
    label_editor_ = editor;
    label_list_ = &list;
    editor->take_focus();
    window()->redraw();
}

void WindowView::finish_label_edit(bool accept) {
    if (detached_ || !label_editor_ || !label_list_) return;
    ui::ListView* list = label_list_;
    std::string text = static_cast<Fl_Input*>(label_editor_)->value();
    if (!list->EditedItem()) {
        sync_label_editor(*list);
        return;
    }
    if (accept)
        list->user_label_edit(text);
    else
        list->user_cancel_label_edit();
    sync_label_editor(*list);
    if (Fl_Widget* w = widget(*list)) w->take_focus();
}

// --- drag and drop ----------------------------------------------------------------------------------------

ui::Control* WindowView::control_at(int x, int y) const {
    for (int i = window()->children() - 1; i >= 0; --i) {
        Fl_Widget* w = window()->child(i);
        if (!w->visible() || x < w->x() || y < w->y() || x >= w->x() + w->w() || y >= w->y() + w->h()) continue;
        if (ui::Control* c = control_of(w); c && c->Kind() != "Line") return c;
    }
    return nullptr;
}

void WindowView::follow_drag(bool dropping) {
    ui::Control* source = model_.DragSource();
    if (!source) return;
    ui::Control* target = control_at(Fl::event_x(), Fl::event_y());
    auto local = [&](ui::Control* c, float& tx, float& ty) {
        int ox = 0, oy = menu_height();
        if (c) {
            Fl_Widget* w = widget(*c);
            ox = w ? w->x() : 0;
            oy = w ? w->y() : 0;
        }
        tx = static_cast<float>((Fl::event_x() - ox) * TwipsPerPixel);
        ty = static_cast<float>((Fl::event_y() - oy) * TwipsPerPixel);
    };
    float tx = 0, ty = 0;
    if (target != drag_over_) {
        if (drag_over_) {
            local(drag_over_, tx, ty);
            drag_over_->user_drag_over(*source, tx, ty, ui::vbLeave);
        }
        drag_over_ = target;
        if (target) {
            local(target, tx, ty);
            target->user_drag_over(*source, tx, ty, ui::vbEnter);
        }
    } else if (target && !dropping) {
        local(target, tx, ty);
        target->user_drag_over(*source, tx, ty, ui::vbOver);
    }
    if (!dropping) return;
    drag_over_ = nullptr;
    host_.apply_pointer(*window());
    local(target, tx, ty);
    if (target)
        target->user_drag_drop(*source, tx, ty);
    else
        model_.user_drag_drop(*source, tx, ty); // on the window's own background
}

void WindowView::show_drag_pointer() {
    ui::Control* source = model_.DragSource();
    if (!source) {
        host_.apply_pointer(*window());
        return;
    }
    // The dragged control's drag picture, hot spot at its top-left pixel; the move pointer without one.
    static std::map<std::string, std::unique_ptr<Fl_PNG_Image>> pictures;
    const std::string file = host_.picture_file(source->DragIcon);
    Fl_PNG_Image* picture = nullptr;
    if (!file.empty()) {
        auto& slot = pictures[file];
        if (!slot) slot = std::make_unique<Fl_PNG_Image>(file.c_str());
        if (slot->w() > 0 && slot->h() > 0 && slot->d() == 4) picture = slot.get();
    }
    if (picture)
        window()->cursor(picture, 0, 0);
    else
        window()->cursor(FL_CURSOR_MOVE);
}

} // namespace fltk
