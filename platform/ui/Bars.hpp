#pragma once
// Tab strips and toolbars.

#include "platform/ui/ListView.hpp"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// The tabs of a strip or the buttons of a toolbar, indexed from 1 and found by key.
template <typename T> class PartCollection {
public:
    explicit PartCollection(Control& owner, std::string_view property) : owner_(owner), property_(property) {}
    PartCollection(const PartCollection&) = delete;

    // Adds a part at `index` (from 1; -1 at the end) with a unique key ("" for none; a key in use
    // fails with error 35602).
    T& Add(int index = -1, std::string key = "") {
        if (index == -1 || index == 0) index = Count() + 1;
        if (index < 1 || index > Count() + 1) throw vb::Error(35600, "Index out of bounds");
        if (!key.empty() && Find(key)) throw vb::Error(35602, "Key is not unique in collection");
        auto part = std::make_unique<T>(owner_, std::move(key));
        T& p = *part;
        parts_.insert(parts_.begin() + (index - 1), std::move(part));
        renumber();
        if (on_added) on_added(index);
        owner_.property_changed(property_);
        return p;
    }
    void Remove(int index) {
        Item(index);
        parts_.erase(parts_.begin() + (index - 1));
        renumber();
        if (on_removed) on_removed(index);
        owner_.property_changed(property_);
    }
    void Clear() {
        while (Count() > 0)
            Remove(Count());
    }
    int Count() const { return static_cast<int>(parts_.size()); }
    // Part `index` (from 1); outside fails with error 35600.
    T& Item(int index) const {
        if (index < 1 || index > Count()) throw vb::Error(35600, "Index out of bounds");
        return *parts_[static_cast<std::size_t>(index - 1)];
    }
    T& operator()(int index) const { return Item(index); }
    // The part with a key; none fails with error 35601.
    T& Item(std::string_view key) const {
        if (T* p = Find(key)) return *p;
        throw vb::Error(35601, "Element not found");
    }
    T& operator()(std::string_view key) const { return Item(key); }
    T* Find(std::string_view key) const {
        if (key.empty()) return nullptr;
        for (const auto& p : parts_)
            if (p->Key() == key) return p.get();
        return nullptr;
    }

    std::function<void(int)> on_added; // the owner's book-keeping
    std::function<void(int)> on_removed;

private:
    void renumber() {
        for (std::size_t i = 0; i < parts_.size(); ++i)
            parts_[i]->index_ = static_cast<int>(i) + 1;
    }
    Control& owner_;
    std::string_view property_;
    std::vector<std::unique_ptr<T>> parts_;
};

class Tab : public Part {
public:
    Tab(Control& owner, std::string key) : Part(owner), key_(std::move(key)) {}
    int Index() const { return index_; } // from 1
    const std::string& Key() const { return key_; }
    Property<std::string> Caption{this, "Tabs"};
    Property<std::string> ToolTipText{this, "Tabs"};
    Property<std::string> Tag{this, "Tabs"};
    Property<int> Image{this, "Tabs"};

private:
    friend class PartCollection<Tab>;
    std::string key_;
    int index_ = 0;
};

class TabStrip : public Control {
public:
    TabStrip();
    std::string_view Kind() const override { return "TabStrip"; }

    // The tabs: `SSTab1[0].Tabs.Add().Caption = "File View";`, `SSTab1[0].Tabs(2).Caption`.
    PartCollection<Tab> Tabs{*this, "Tabs"};
    Property<ui::ImageList*> ImageList{this, "ImageList", nullptr};

    // The selected tab's index (from 1; 0 only while there are no tabs). Setting a different tab
    // raises Click; outside 1..TabCount it fails with error 380. The first tab added is selected.
    Property<int> SelectedItem{this, "SelectedItem"};

    // The user clicks tab `index`: the strip takes the focus (GotFocus), mouse down, the tab is
    // selected (Click when it changed), mouse up.
    void user_select_tab(int index);
    void handle_key_down(int keyCode, int shift) override; // Ctrl+Tab, arrows
};

enum ButtonStyleKind : int { tbrDefault = 0, tbrCheck = 1, tbrButtonGroup = 2, tbrSeparator = 3, tbrPlaceholder = 4 };
enum ButtonValueKind : int { tbrUnpressed = 0, tbrPressed = 1 };

class ToolbarButton : public Part {
public:
    ToolbarButton(Control& owner, std::string key) : Part(owner), key_(std::move(key)) {}
    int Index() const { return index_; } // from 1
    const std::string& Key() const { return key_; }
    Property<std::string> Caption{this, "Buttons"};
    Property<std::string> ToolTipText{this, "Buttons"};
    Property<std::string> Tag{this, "Buttons"};
    Property<int> Image{this, "Buttons"};
    Property<int> Style{this, "Buttons", tbrDefault};
    // Pressed (1) or not (0); setting it from code raises nothing.
    Property<int> Value{this, "Buttons", tbrUnpressed};
    Property<bool> Visible{this, "Buttons", true};
    Property<bool> Enabled{this, "Buttons", true};

private:
    friend class PartCollection<ToolbarButton>;
    std::string key_;
    int index_ = 0;
};

class Toolbar : public Control {
public:
    Toolbar();
    std::string_view Kind() const override { return "Toolbar"; }
    bool CanFocus() const override { return false; }

    // The buttons: `Toolbar1.Buttons.Add(-1, "preview").ToolTipText = "..."`, `Toolbar1.Buttons(1).Value`.
    PartCollection<ToolbarButton> Buttons{*this, "Buttons"};
    // Where the buttons' Image numbers point.
    Property<ui::ImageList*> ImageList{this, "ImageList", nullptr};

    Event<ToolbarButton&> ButtonClick;

    // The user clicks button `index`: nothing for a hidden, disabled or separator button; a check
    // button toggles its Value, a group button becomes the pressed one of its group; then
    // ButtonClick runs.
    void user_click_button(int index);
};

} // namespace ui
