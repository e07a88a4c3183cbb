#include "platform/ui/Menu.hpp"

#include "platform/ui/View.hpp"
#include "platform/ui/Window.hpp"

#include <algorithm>
#include <cctype>

namespace ui {

namespace {

vb::Error no_element(std::string_view name, int index) {
    return vb::Error(340,
                     "Control array element '" + std::to_string(index) + "' doesn't exist (" + std::string(name) + ")");
}

int key_for_name(std::string_view name) {
    std::string n = vb::LCase(name);
    if (n.size() == 1) {
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(n[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
        return 0;
    }
    if (n.size() >= 2 && n[0] == 'f' &&
        std::all_of(n.begin() + 1, n.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int f = std::stoi(n.substr(1));
        if (f >= 1 && f <= 16) return vbKeyF1 + f - 1;
        return 0;
    }
    struct Named {
        const char* name;
        int key;
    };
    static const Named names[] = {
        {"del", vbKeyDelete}, {"delete", vbKeyDelete},  {"ins", vbKeyInsert},   {"insert", vbKeyInsert},
        {"bksp", vbKeyBack},  {"backspace", vbKeyBack}, {"enter", vbKeyReturn}, {"return", vbKeyReturn},
        {"esc", vbKeyEscape}, {"escape", vbKeyEscape},  {"tab", vbKeyTab},      {"space", vbKeySpace},
        {"home", vbKeyHome},  {"end", vbKeyEnd},        {"pgup", vbKeyPageUp},  {"pgdn", vbKeyPageDown},
        {"left", vbKeyLeft},  {"right", vbKeyRight},    {"up", vbKeyUp},        {"down", vbKeyDown},
    };
    for (const Named& x : names)
        if (n == x.name) return x.key;
    return 0;
}

} // namespace

Menu::Key ParseShortcut(std::string_view text) {
    Menu::Key k;
    std::size_t start = 0;
    while (true) {
        std::size_t plus = text.find('+', start);
        std::string part =
            vb::Trim(text.substr(start, plus == std::string_view::npos ? text.size() - start : plus - start));
        if (plus == std::string_view::npos) {
            k.KeyCode = key_for_name(part);
            break;
        }
        std::string mod = vb::LCase(part);
        if (mod == "ctrl" || mod == "control")
            k.Shift |= vbCtrlMask;
        else if (mod == "shift")
            k.Shift |= vbShiftMask;
        else if (mod == "alt")
            k.Shift |= vbAltMask;
        else
            return {};
        start = plus + 1;
    }
    if (k.KeyCode == 0) k.Shift = 0;
    return k;
}

// --- Menu ---

std::vector<Menu*> Menu::PresentItems() const {
    std::vector<Menu*> out;
    for (Menu* m : items_)
        if (m->Visible) out.push_back(m);
    return out;
}

Menu* Menu::PresentItem(int position) const {
    auto present = PresentItems();
    if (position < 0 || position >= static_cast<int>(present.size())) return nullptr;
    return present[static_cast<std::size_t>(position)];
}

std::string Menu::PlainCaption() const {
    const std::string& c = Caption;
    std::string out;
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (c[i] == '&') {
            if (i + 1 < c.size() && c[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += c[i];
    }
    return out;
}

char Menu::AccessKey() const {
    const std::string& c = Caption;
    for (std::size_t i = 0; i + 1 < c.size(); ++i) {
        if (c[i] != '&') continue;
        if (c[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c[i + 1])));
    }
    return 0;
}

bool Menu::EffectivelyEnabled() const {
    for (const Menu* m = this; m; m = m->parent_)
        if (!m->Enabled) return false;
    return true;
}

Menu::Key Menu::ShortcutKey() const {
    return ParseShortcut(Shortcut.get());
}

// Choosing or opening an entry is one user action, with the host's error net.
void Menu::user_click() {
    auto action = [&] {
        if (!EffectivelyEnabled()) return;
        Click();
        if (array_) array_->Click(index_);
    };
    if (window_)
        window_->host().user_action(action);
    else
        action();
}

void Menu::user_open() {
    user_click();
}

void Menu::property_changed(std::string_view name) {
    if (window_ && window_->view()) window_->view()->changed(*this, name);
}

// --- MenuArray ---

MenuArray::MenuArray() = default;

Menu& MenuArray::operator[](int index) {
    auto it = items_.find(index);
    if (it == items_.end()) throw no_element(name_, index);
    return *it->second;
}

const Menu& MenuArray::operator[](int index) const {
    auto it = items_.find(index);
    if (it == items_.end()) throw no_element(name_, index);
    return *it->second;
}

int MenuArray::LBound() const {
    return items_.empty() ? 0 : items_.begin()->first;
}
int MenuArray::UBound() const {
    return items_.empty() ? -1 : items_.rbegin()->first;
}

std::vector<int> MenuArray::Indices() const {
    std::vector<int> out;
    for (const auto& [i, m] : items_)
        out.push_back(i);
    return out;
}

void MenuArray::Load(int index) {
    if (!window_) throw vb::Error(vb::ErrInvalidCall);
    if (index < 0) throw vb::Error(vb::ErrSubscript);
    if (Exists(index)) throw vb::Error(360, "Object already loaded");
    const Menu& model = *items_.begin()->second;
    auto item = std::make_unique<Menu>();
    Menu& m = *item;
    m.name_ = name_;
    m.index_ = index;
    m.window_ = window_;
    m.parent_ = parent_;
    m.array_ = this;
    m.Caption.store(model.Caption);
    m.Enabled.store(model.Enabled);
    m.Visible.store(model.Visible);
    m.Checked.store(model.Checked);
    items_[index] = std::move(item);
    place(m, index);
    window_->menu_added(m, parent_);
}

void MenuArray::place(Menu& m, int index) {
    std::vector<Menu*>& siblings = parent_ ? parent_->items_ : window_->menu_bar_;
    // After the loaded item with the next lower index.
    Menu* before = nullptr;
    for (const auto& [i, item] : items_)
        if (i < index) before = item.get();
    auto pos = std::find(siblings.begin(), siblings.end(), before);
    siblings.insert(pos == siblings.end() ? siblings.end() : pos + 1, &m);
}

void MenuArray::Unload(int index) {
    auto it = items_.find(index);
    if (it == items_.end()) throw no_element(name_, index);
    if (index == 0) throw vb::Error(362, "Can't unload controls created at design time");
    std::vector<Menu*>& siblings = parent_ ? parent_->items_ : window_->menu_bar_;
    std::erase(siblings, it->second.get());
    items_.erase(it);
    window_->property_changed("Menus");
}

} // namespace ui
