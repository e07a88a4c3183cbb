#include "platform/ui/Lists.hpp"

#include "platform/fs/patterns.hpp"
#include "platform/ui/Controls.hpp"
#include "platform/ui/Window.hpp"

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>
#include <system_error>

namespace ui {

namespace fs = std::filesystem;

namespace {

vb::Error invalid_value() {
    return vb::Error(vb::ErrInvalidProperty);
}

// Case-insensitive order; names equal but for case keep a fixed order.
bool less_no_case(const std::string& a, const std::string& b) {
    return vb::LessNoCase(a, b);
}

} // namespace

std::string NormaliseFolder(std::string_view path, std::string_view base) {
    fs::path p(path);
    if (p.is_relative()) {
        fs::path b = base.empty() ? fs::current_path() : fs::path(base);
        p = b / p;
    }
    std::string s = p.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s.empty() ? "/" : s;
}

// --- ListControl ---

ListControl::ListControl() {
    ListIndex.adjust = [this](int v) {
        if (v < -1 || v >= ListCount()) throw invalid_value();
        return v;
    };
    ListIndex.on_change = [this] {
        if (MultiSelect == vbMultiSelectNone)
            for (std::size_t k = 0; k < items_.size(); ++k)
                items_[k].Selected = static_cast<int>(k) == ListIndex;
        cursor_changed();
        Click();
    };
}

void ListControl::check_index(int i, int error) const {
    if (i < 0 || i >= ListCount()) throw vb::Error(error);
}

std::string ListControl::List(int i) const {
    if (i < 0 || i >= ListCount()) return {};
    return items_[static_cast<std::size_t>(i)].Text;
}

void ListControl::SetList(int i, std::string text) {
    check_index(i, 381);
    items_[static_cast<std::size_t>(i)].Text = std::move(text);
    notify("List");
}

void ListControl::AddItem(std::string text, int index) {
    if (index < -1 || index > ListCount()) throw vb::Error(vb::ErrInvalidCall);
    if (index == -1) {
        if (Sorted) {
            auto it = std::upper_bound(items_.begin(), items_.end(), text, [](const std::string& t, const Item& item) {
                return less_no_case(t, item.Text);
            });
            index = static_cast<int>(it - items_.begin());
        } else {
            index = ListCount();
        }
    }
    items_.insert(items_.begin() + index, Item{std::move(text), 0, false});
    new_index_ = index;
    if (ListIndex >= index) ListIndex.store(ListIndex + 1);
    if (anchor_ >= index) ++anchor_;
    notify("List");
}

void ListControl::RemoveItem(int index) {
    check_index(index, vb::ErrInvalidCall);
    items_.erase(items_.begin() + index);
    if (ListIndex == index)
        ListIndex.store(-1);
    else if (ListIndex > index)
        ListIndex.store(ListIndex - 1);
    if (anchor_ == index)
        anchor_ = -1;
    else if (anchor_ > index)
        --anchor_;
    if (new_index_ >= ListCount()) new_index_ = ListCount() - 1;
    notify("List");
}

void ListControl::Clear() {
    items_.clear();
    ListIndex.store(-1);
    TopIndex.store(0);
    new_index_ = -1;
    anchor_ = -1;
    notify("List");
    cleared();
}

void ListControl::replace_items(std::vector<std::string> texts) {
    items_.clear();
    items_.reserve(texts.size());
    for (auto& t : texts)
        items_.push_back(Item{std::move(t), 0, false});
    ListIndex.store(-1);
    TopIndex.store(0);
    new_index_ = -1;
    anchor_ = -1;
    notify("List");
}

bool ListControl::IsSelected(int i) const {
    if (i < 0 || i >= ListCount()) return false;
    if (MultiSelect == vbMultiSelectNone) return i == ListIndex;
    return items_[static_cast<std::size_t>(i)].Selected;
}

ItemRef<bool> ListControl::Selected(int i) {
    return ItemRef<bool>([this, i] { return IsSelected(i); },
                         [this, i](bool v) {
                             check_index(i, 381);
                             if (MultiSelect == vbMultiSelectNone) {
                                 if (v)
                                     ListIndex = i;
                                 else if (ListIndex == i)
                                     ListIndex = -1;
                                 return;
                             }
                             bool changed = items_[static_cast<std::size_t>(i)].Selected != v;
                             items_[static_cast<std::size_t>(i)].Selected = v;
                             if (changed) notify("Selected");
                             if (v && ListIndex != i) {
                                 ListIndex.store(i);
                                 cursor_changed();
                                 changed = true;
                             }
                             if (changed) Click();
                         });
}

int ListControl::SelCount() const {
    if (MultiSelect == vbMultiSelectNone) return ListIndex >= 0 ? 1 : 0;
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const Item& it) { return it.Selected; }));
}

ItemRef<int> ListControl::ItemData(int i) {
    return ItemRef<int>([this, i] { return GetItemData(i); },
                        [this, i](int v) {
                            check_index(i, 381);
                            items_[static_cast<std::size_t>(i)].Data = v;
                        });
}

int ListControl::GetItemData(int i) const {
    check_index(i, 381);
    return items_[static_cast<std::size_t>(i)].Data;
}

int ListControl::ItemHeightPixels() const {
    Host* h = host();
    FontChoice f = Font.choice();
    return h ? h->TextHeightPixels(f, "X") : static_cast<int>(f.Size * 5 / 3 + 0.5);
}

void ListControl::select_as_user(int i, int shift) {
    if (i < 0 || i >= ListCount()) return;
    if (MultiSelect == vbMultiSelectNone) {
        anchor_ = i;
        ListIndex = i;
        return;
    }
    std::vector<bool> before;
    for (const Item& it : items_)
        before.push_back(it.Selected);
    if (MultiSelect == vbMultiSelectSimple || (shift & vbCtrlMask)) {
        items_[static_cast<std::size_t>(i)].Selected = !items_[static_cast<std::size_t>(i)].Selected;
        anchor_ = i;
    } else if ((shift & vbShiftMask) && anchor_ >= 0) {
        int a = std::min(anchor_, i), b = std::max(anchor_, i);
        for (int k = 0; k < ListCount(); ++k)
            items_[static_cast<std::size_t>(k)].Selected = k >= a && k <= b;
    } else {
        for (Item& it : items_)
            it.Selected = false;
        items_[static_cast<std::size_t>(i)].Selected = true;
        anchor_ = i;
    }
    bool changed = false;
    for (std::size_t k = 0; k < items_.size(); ++k)
        changed = changed || before[k] != items_[k].Selected;
    if (changed) notify("Selected");
    if (ListIndex != i) {
        ListIndex.store(i);
        cursor_changed();
        changed = true;
    }
    if (changed) Click();
}

void ListControl::user_select(int i, int shift) {
    if (!AcceptsInput()) return;
    float y = static_cast<float>((i - TopIndex) * ItemHeightPixels() * (host() ? host()->TwipsPerPixelY() : 15));
    user_mouse_down(vbLeftButton, shift, 0, y);
    select_as_user(i, shift);
    user_mouse_up(vbLeftButton, shift, 0, y);
}

void ListControl::user_dblclick_item(int i) {
    if (!AcceptsInput()) return;
    user_select(i);
    DblClick();
}

void ListControl::handle_key_down(int keyCode, int shift) {
    if (ListCount() == 0) return;
    int page = std::max(1, Height / std::max(1, ItemHeightPixels() * (host() ? host()->TwipsPerPixelY() : 15)));
    int cur = ListIndex;
    int next = cur;
    switch (keyCode) {
    case vbKeyUp:
        next = cur <= 0 ? 0 : cur - 1;
        break;
    case vbKeyDown:
        next = std::min(ListCount() - 1, cur + 1);
        break;
    case vbKeyHome:
        next = 0;
        break;
    case vbKeyEnd:
        next = ListCount() - 1;
        break;
    case vbKeyPageUp:
        next = std::max(0, cur - page);
        break;
    case vbKeyPageDown:
        next = std::min(ListCount() - 1, std::max(0, cur) + page);
        break;
    default:
        return;
    }
    if (MultiSelect == vbMultiSelectSimple) {
        if (next != cur) {
            ListIndex.store(next);
            cursor_changed();
        }
        return;
    }
    select_as_user(next, shift & vbShiftMask);
}

// --- ListBox ---

void ListBox::user_select(int i, int shift) {
    if (Style != vbListBoxCheckbox) {
        ListControl::user_select(i, shift);
        return;
    }
    if (!AcceptsInput()) return;
    float y = static_cast<float>((i - TopIndex) * ItemHeightPixels() * (host() ? host()->TwipsPerPixelY() : 15));
    user_mouse_down(vbLeftButton, shift, 0, y);
    if (i >= 0 && i < ListCount() && ListIndex != i) {
        anchor_ = i;
        ListIndex.store(i);
        cursor_changed();
        Click();
    }
    user_mouse_up(vbLeftButton, shift, 0, y);
}

void ListBox::user_check(int i) {
    if (!AcceptsInput() || i < 0 || i >= ListCount()) return;
    float y = static_cast<float>((i - TopIndex) * ItemHeightPixels() * (host() ? host()->TwipsPerPixelY() : 15));
    user_mouse_down(vbLeftButton, 0, 0, y);
    toggle_check(i);
    user_mouse_up(vbLeftButton, 0, 0, y);
}

void ListBox::toggle_check(int i) {
    Item& item = items_[static_cast<std::size_t>(i)];
    item.Selected = !item.Selected;
    notify("Selected");
    anchor_ = i;
    if (ListIndex != i) {
        ListIndex.store(i);
        cursor_changed();
    }
    Click();
}

void ListBox::handle_key_down(int keyCode, int shift) {
    if (Style == vbListBoxCheckbox && keyCode == vbKeySpace && shift == 0) {
        if (ListIndex >= 0 && ListIndex < ListCount()) toggle_check(ListIndex);
        return;
    }
    ListControl::handle_key_down(keyCode, shift);
}

// --- ComboBox ---

namespace {

// Characters (UTF-8 code points) of a combo's text, and the byte where the n-th one starts.
int combo_length(std::string_view s) {
    int n = 0;
    for (char ch : s)
        n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    return n;
}

std::size_t combo_byte(std::string_view s, int n) {
    int count = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;
        if (count == n) return i;
        ++count;
    }
    return s.size();
}

} // namespace

ComboBox::ComboBox() {
    // The selection set from code: the caret goes to its end, as in a text box.
    SelStart.adjust = [this](int v) {
        if (v < 0) throw vb::Error(380);
        return std::min(v, combo_length(Text.get()));
    };
    SelStart.on_change = [this] { select(SelStart, SelStart); };
    SelLength.adjust = [this](int v) {
        if (v < 0) throw vb::Error(380);
        return std::min(v, combo_length(Text.get()) - SelStart);
    };
    SelLength.on_change = [this] { select(SelStart, SelStart + SelLength); };
    Text.setter = [this](std::string v) {
        if (Style == vbComboDropdownList) {
            for (int i = 0; i < ListCount(); ++i)
                if (vb::EqualsNoCase(items_[static_cast<std::size_t>(i)].Text, v)) {
                    ListIndex = i;
                    return;
                }
            throw vb::Error(383, "'Text' property is read-only");
        }
        int match = -1;
        for (int i = 0; i < ListCount() && match < 0; ++i)
            if (items_[static_cast<std::size_t>(i)].Text == v) match = i;
        bool changed = Text.store(std::move(v));
        ListIndex.store(match);
        // Text set from code leaves the caret at its end: typing goes on from there.
        if (changed) select(combo_length(Text.get()), combo_length(Text.get()));
        if (changed) Change();
    };
}

void ComboBox::cursor_changed() {
    Text.store(List(ListIndex));
    int end = combo_length(Text.get());
    select(end, end);
}

void ComboBox::cleared() {
    // The edit part empties with the list; nothing typed is left for the next use.
    Text.store("");
    select(0, 0);
}

void ComboBox::user_type(std::string_view text) {
    user_focus();
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t next = vb::Utf8CharEnd(text, i);
        std::string_view ch = text.substr(i, next - i);
        i = next;
        if (ch.size() == 1) {
            if (Parent())
                Parent()->user_key_press(static_cast<unsigned char>(ch[0]));
            else
                handle_key_press(static_cast<unsigned char>(ch[0]));
        } else if (editable()) {
            // No key code stands for a character beyond ASCII: it goes in whole, never byte by byte.
            replace_selection(ch);
        }
    }
}

void ComboBox::handle_key_press(int keyAscii) {
    if (!editable()) return;
    if (keyAscii == vbKeyBack) {
        if (SelLength == 0) {
            if (caret_ == 0) return;
            select(caret_ - 1, caret_);
        }
        replace_selection("");
        return;
    }
    if (keyAscii < 32 || keyAscii > 126) return;
    replace_selection(std::string(1, static_cast<char>(keyAscii)));
}

void ComboBox::handle_key_down(int keyCode, int shift) {
    if (!editable() || keyCode == vbKeyUp || keyCode == vbKeyDown || keyCode == vbKeyPageUp ||
        keyCode == vbKeyPageDown) {
        ListControl::handle_key_down(keyCode, shift);
        return;
    }
    const int len = combo_length(Text.get());
    const bool extend = shift & vbShiftMask;
    auto move = [&](int to) { select(extend ? anchor_ : to, std::clamp(to, 0, len)); };
    switch (keyCode) {
    case vbKeyDelete:
        if (SelLength == 0) {
            if (caret_ >= len) return;
            select(caret_, caret_ + 1);
        }
        replace_selection("");
        break;
    case vbKeyLeft:
        if (!extend && SelLength > 0)
            move(SelStart);
        else
            move(caret_ - 1);
        break;
    case vbKeyRight:
        if (!extend && SelLength > 0)
            move(SelStart + SelLength);
        else
            move(caret_ + 1);
        break;
    case vbKeyHome:
        move(0);
        break;
    case vbKeyEnd:
        move(len);
        break;
    case 'A':
        if (shift & vbCtrlMask) select(0, len);
        break;
    case 'C':
    case 'X':
        if (shift != vbCtrlMask || SelLength == 0) break;
        if (Host* h = host()) h->SetClipboardText(SelText());
        if (keyCode == 'X') replace_selection("");
        break;
    case 'V':
        if (shift != vbCtrlMask) break;
        if (Host* h = host()) user_paste(h->ClipboardText());
        break;
    default:
        break;
    }
}

void ComboBox::user_paste(std::string_view text) {
    if (!editable() || !AcceptsInput()) return;
    // The edit part holds one line.
    if (std::optional<std::string> pasted = paste_text(text, false)) replace_selection(*pasted);
}

std::string ComboBox::SelText() const {
    const std::string& t = Text.get();
    std::size_t a = combo_byte(t, SelStart), b = combo_byte(t, SelStart + SelLength);
    return t.substr(a, b - a);
}

void ComboBox::user_set_caret(int position, bool extend) {
    position = std::clamp(position, 0, combo_length(Text.get()));
    select(extend ? anchor_ : position, position);
}

void ComboBox::select(int anchor, int caret) {
    const int len = combo_length(Text.get());
    anchor_ = std::clamp(anchor, 0, len);
    caret_ = std::clamp(caret, 0, len);
    SelStart.store(std::min(anchor_, caret_));
    SelLength.store(std::abs(caret_ - anchor_));
    property_changed("SelStart");
}

void ComboBox::replace_selection(std::string_view text) {
    const std::string& t = Text.get();
    std::size_t a = combo_byte(t, SelStart), b = combo_byte(t, SelStart + SelLength);
    const int caret = SelStart + combo_length(text);
    Text.store(t.substr(0, a) + std::string(text) + t.substr(b));
    ListIndex.store(-1);
    select(caret, caret);
    Change();
}

// --- DriveListBox ---

namespace {

std::vector<std::string> drive_entries() {
    std::vector<std::string> out{"/"};
    if (const char* home = std::getenv("HOME"); home && *home) {
        std::string h = NormaliseFolder(home, "/");
        if (h != "/") out.push_back(h);
    }
    std::string user;
    if (const char* u = std::getenv("USER"); u) user = u;
    auto add_children = [&](const fs::path& dir, bool mountpointsOnly) {
        std::error_code ec;
        struct stat parent {};
        if (::stat(dir.c_str(), &parent) != 0) return;
        std::vector<std::string> found;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            if (!it->is_directory(ec)) continue;
            if (mountpointsOnly) {
                struct stat st {};
                if (::stat(it->path().c_str(), &st) != 0 || st.st_dev == parent.st_dev) continue;
            }
            found.push_back(it->path().string());
        }
        std::sort(found.begin(), found.end(), less_no_case);
        out.insert(out.end(), found.begin(), found.end());
    };
    if (!user.empty()) {
        add_children(fs::path("/media") / user, false);
        add_children(fs::path("/run/media") / user, false);
    }
    add_children("/media", true);
    std::vector<std::string> unique;
    for (auto& e : out)
        if (std::find(unique.begin(), unique.end(), e) == unique.end()) unique.push_back(e);
    return unique;
}

} // namespace

DriveListBox::DriveListBox() {
    replace_items(drive_entries());
    ListIndex.store(0);
    Drive.adjust = [this](std::string v) {
        std::string p = NormaliseFolder(v.empty() ? "/" : v, "/");
        std::string best = "/";
        for (const Item& it : items_) {
            const std::string& e = it.Text;
            bool inside =
                p == e ||
                (e == "/" ? true : p.size() > e.size() && p.compare(0, e.size(), e) == 0 && p[e.size()] == '/');
            if (inside && e.size() > best.size()) best = e;
        }
        return best;
    };
    Drive.on_change = [this] {
        for (int i = 0; i < ListCount(); ++i)
            if (items_[static_cast<std::size_t>(i)].Text == Drive.get()) ListIndex.store(i);
        Change();
    };
}

void DriveListBox::cursor_changed() {
    if (ListIndex >= 0 && Drive.store(List(ListIndex))) Change();
}

void DriveListBox::Refresh() {
    std::string drive = Drive;
    replace_items(drive_entries());
    for (int i = 0; i < ListCount(); ++i)
        if (List(i) == drive) ListIndex.store(i);
    notify("Refresh");
}

namespace {

// The folder a box's Path is set to, normalised against the current one; error 76 when missing.
std::string existing_folder(const std::string& value, const std::string& current) {
    std::string p = NormaliseFolder(value, current);
    std::error_code ec;
    if (!fs::is_directory(p, ec)) throw vb::Error(vb::ErrPathNotFound);
    return p;
}

} // namespace

// --- DirListBox ---

DirListBox::DirListBox() {
    Path.adjust = [this](std::string v) { return existing_folder(v, Path.get()); };
    Path.on_change = [this] {
        reread();
        Change();
    };
    ListIndex.adjust = [this](int v) {
        if (v < -static_cast<int>(chain_.size()) || v >= ListCount()) throw invalid_value();
        return v;
    };
    ListIndex.on_change = [this] { Click(); };
}

std::string DirListBox::List(int i) const {
    if (i < 0) {
        std::size_t k = static_cast<std::size_t>(-i - 1);
        return k < chain_.size() ? chain_[k] : std::string();
    }
    return i < ListCount() ? subfolders_[static_cast<std::size_t>(i)] : std::string();
}

void DirListBox::reread() {
    chain_.clear();
    subfolders_.clear();
    const std::string& p = Path;
    if (!p.empty()) {
        for (fs::path q(p);; q = q.parent_path()) {
            chain_.push_back(q.string());
            if (q == q.parent_path() || q.string() == "/") break;
        }
        std::vector<const files::DirEntry*> found;
        std::shared_ptr<const std::vector<files::DirEntry>> listing;
        try {
            listing = files::list_all_shared(p);
        } catch (const vb::Error&) {
        }
        if (listing)
            for (const auto& e : *listing)
                if (e.is_folder() && !e.is_hidden()) found.push_back(&e);
        std::sort(found.begin(), found.end(),
                  [](const files::DirEntry* a, const files::DirEntry* b) { return vb::LessNoCase(a->Name, b->Name); });
        subfolders_.reserve(found.size());
        for (const auto* e : found)
            subfolders_.push_back(files::join_path(p, e->Name));
    }
    ListIndex.store(-1);
    TopIndex.store(0);
    notify("List");
}

void DirListBox::Refresh() {
    std::error_code ec;
    if (!Path->empty() && !fs::is_directory(Path.get(), ec)) {
        // The open folder went away: open the nearest folder above it that still exists.
        fs::path q(Path.get());
        while (q != q.parent_path() && !fs::is_directory(q, ec))
            q = q.parent_path();
        Path.store(q.string());
        reread();
        Change();
    } else {
        int keep = ListIndex;
        reread();
        if (keep < 0 && keep >= -static_cast<int>(chain_.size())) ListIndex.store(keep);
    }
    notify("Refresh");
}

void DirListBox::user_select(int i) {
    if (!AcceptsInput()) return;
    user_mouse_down(vbLeftButton, 0, 0, 0);
    if (i >= -static_cast<int>(chain_.size()) && i < ListCount()) ListIndex = i;
    user_mouse_up(vbLeftButton, 0, 0, 0);
}

void DirListBox::user_open(int i) {
    if (!AcceptsInput()) return;
    user_select(i);
    std::string target = List(i);
    if (target.empty()) return;
    DblClick();
    Path = target;
}

void DirListBox::handle_key_down(int keyCode, int) {
    int cur = ListIndex;
    int lowest = -static_cast<int>(chain_.size());
    switch (keyCode) {
    case vbKeyReturn:
        if (!List(cur).empty()) Path = List(cur);
        return;
    case vbKeyUp:
        if (cur > lowest) ListIndex = cur - 1;
        return;
    case vbKeyDown:
        if (cur + 1 < ListCount()) ListIndex = cur + 1;
        return;
    case vbKeyHome:
        ListIndex = lowest;
        return;
    case vbKeyEnd:
        ListIndex = ListCount() > 0 ? ListCount() - 1 : -1;
        return;
    default:
        return;
    }
}

// --- FileListBox ---

FileListBox::FileListBox() {
    MultiSelect.store(vbMultiSelectNone);
    Path.adjust = [this](std::string v) { return existing_folder(v, Path.get()); };
    Path.on_change = [this] {
        reread();
        PathChange();
    };
    Pattern.on_change = [this] {
        reread();
        PatternChange();
    };
}

void FileListBox::reread() {
    std::vector<const files::DirEntry*> found;
    std::vector<const files::DirEntry*> folders;
    std::shared_ptr<const std::vector<files::DirEntry>> listing;
    if (!Path->empty()) {
        try {
            listing = files::list_all_shared(Path.get());
        } catch (const vb::Error&) {
        }
    }
    if (listing) {
        for (const auto& e : *listing) {
            if (e.Name.empty() || e.is_hidden()) continue;
            if (e.is_folder())
                folders.push_back(&e);
            else if (e.Regular && fs_patterns::MatchPatternList(e.Name, Pattern.get()))
                found.push_back(&e);
        }
    }
    auto by_name = [](const files::DirEntry* a, const files::DirEntry* b) { return vb::LessNoCase(a->Name, b->Name); };
    std::sort(found.begin(), found.end(), by_name);
    std::sort(folders.begin(), folders.end(), by_name);
    std::vector<std::string> names;
    names.reserve(found.size());
    facts_.clear();
    facts_.reserve(found.size());
    for (const auto* e : found) {
        names.push_back(e->Name);
        facts_.push_back(FileFacts{e->Length, e->Modified});
    }
    folders_.clear();
    folders_.reserve(folders.size());
    for (const auto* e : folders)
        folders_.push_back(*e);
    readFrom_ = listing ? files::shared_listing_number() : 0;
    replace_items(std::move(names));
}

void FileListBox::Refresh() {
    reread();
    notify("Refresh");
}

void FileListBox::RefreshIfChanged() {
    std::shared_ptr<const std::vector<files::DirEntry>> listing;
    try {
        if (!Path->empty()) listing = files::list_all_shared(Path.get());
    } catch (const vb::Error&) {
    }
    if (listing && files::shared_listing_number() == readFrom_ && facts_.size() == items_.size()) return;
    Refresh();
}

std::uint64_t FileListBox::FileLength(int i) const {
    return i >= 0 && i < static_cast<int>(facts_.size()) && facts_.size() == items_.size()
               ? facts_[static_cast<std::size_t>(i)].Length
               : 0;
}

vb::DateTime FileListBox::FileDate(int i) const {
    return i >= 0 && i < static_cast<int>(facts_.size()) && facts_.size() == items_.size()
               ? vb::DateFromTime(static_cast<std::time_t>(facts_[static_cast<std::size_t>(i)].Modified))
               : vb::DateTime{};
}

} // namespace ui
