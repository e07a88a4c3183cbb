#pragma once
// Menus: a tree of entries owned by a window. The window class holds each designed entry as a
// member (`ui::Menu mnuOpen;`) and each control array of entries as a MenuArray, whose item 0 is
// designed and whose further items are loaded and unloaded at run time:
//
//     mnuDirectorys.Load(1);               // a new entry after item 0
//     mnuDirectorys[1].Caption = "/home";
//     mnuDirectorys.Click = [this](int Index) { mnuDirectorys_Click(Index); };
//     mnuDirectorys.Unload(1);
//
// A caption "-" is a separator; "&" marks the access key ("&File"). Shortcuts are written as the
// menu shows them: "Ctrl+O", "F12", "Del", "Shift+Del", "Ctrl+F1", "Shift+F3".

#include "platform/ui/Event.hpp"
#include "platform/ui/Property.hpp"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Window;
class MenuArray;

class Menu : public PropertyOwner {
public:
    Menu() = default;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    Window* Parent() const { return window_; }
    // The entry this one hangs under, or nullptr for a menu of the bar.
    Menu* ParentMenu() const { return parent_; }

    Property<std::string> Caption{this, "Caption"};
    Property<std::string> Shortcut{this, "Shortcut"};
    Property<bool> Checked{this, "Checked"};
    Property<bool> Enabled{this, "Enabled", true};
    Property<bool> Visible{this, "Visible", true};
    Property<int> Picture{this, "Picture"}; // an image handle shown beside the entry; 0 none
    Property<std::string> Tag{this, "Tag"};

    // Raised when the entry is chosen; for a menu of the bar (or any entry with entries), when it
    // drops down.
    Event<> Click;

    // --- the tree ---
    // All entries below this one, hidden ones included, in menu order.
    const std::vector<Menu*>& Items() const { return items_; }
    // The entries present (visible) on the menu now; positions count over these only.
    std::vector<Menu*> PresentItems() const;
    // The present entry at a position (from 0), or nullptr.
    Menu* PresentItem(int position) const;
    bool IsSeparator() const { return Caption.get() == "-"; }
    // The caption without its "&" marks ("&&" stays one "&").
    std::string PlainCaption() const;
    // The access key letter (upper case), or 0.
    char AccessKey() const;
    // Whether this entry and every entry above it are enabled.
    bool EffectivelyEnabled() const;
    // The key code and shift bits of the shortcut; {0, 0} without one.
    struct Key {
        int KeyCode = 0;
        int Shift = 0;
    };
    Key ShortcutKey() const;

    // --- what a user does ---
    // Chooses the entry: runs Click when it is enabled (the screen offers only those).
    void user_click();
    // Opens the entry's drop-down (a menu of the bar or a sub-menu): its Click runs.
    void user_open();

    void property_changed(std::string_view name) override;

private:
    friend class Window;
    friend class MenuArray;
    std::string name_;
    int index_ = -1;
    Window* window_ = nullptr;
    Menu* parent_ = nullptr;
    MenuArray* array_ = nullptr;
    std::vector<Menu*> items_;
};

// Parses a shortcut text ("Ctrl+Shift+F3", "Del") into a key code and shift bits.
Menu::Key ParseShortcut(std::string_view text);

class MenuArray {
public:
    MenuArray();
    MenuArray(const MenuArray&) = delete;
    MenuArray& operator=(const MenuArray&) = delete;

    const std::string& Name() const { return name_; }
    // An item; fails with error 340 when it is not loaded.
    Menu& operator[](int index);
    const Menu& operator[](int index) const;
    bool Exists(int index) const { return items_.count(index) != 0; }
    // Loads item `index` (error 360 when it is loaded already): a new entry placed after the
    // loaded item with the next lower index, with that item's Caption, Enabled, Visible and
    // Checked copied from the lowest item, no shortcut.
    void Load(int index);
    // Unloads a loaded item; item 0 was designed and cannot be unloaded (error 362).
    void Unload(int index);
    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const;
    int UBound() const;
    // The loaded indices, ascending.
    std::vector<int> Indices() const;

    // The click of any item, with its index.
    Event<int> Click;

private:
    friend class Window;
    void place(Menu& m, int index);
    std::string name_;
    Window* window_ = nullptr;
    Menu* parent_ = nullptr;
    std::map<int, std::unique_ptr<Menu>> items_;
};

} // namespace ui
