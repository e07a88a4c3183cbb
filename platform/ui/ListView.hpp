#pragma once
// The report list (Windows' ListView): items with a text, sub-items, icons and tags, column
// headers, four views, sorting by a column's text, label editing and hit testing.
//
// Indices of items, sub-items and columns start at 1, as on Windows. Items and columns are owned by
// the list and keep their address while they exist (sorting moves them, it does not copy them).
//
// Row geometry (HitTest, EnsureVisible), deterministic so tests can compute it, all in pixels of
// the list's client area (twips / TwipsPerPixel):
//   - a row is RowHeightPixels() = the font's line height + 4 high (17 at 8 points);
//   - report view (3): a header of HeaderHeightPixels() = row height + 2 (none when
//     HideColumnHeaders), then one row per item from TopIndex on; an item is hit anywhere within
//     the columns' total width;
//   - list view (2): cells 150 pixels wide, one row high, filled top to bottom, then the next
//     column; as many rows per column as the height holds (at least one);
//   - small icon view (1): cells 150 pixels wide, one row high, filled left to right, then the
//     next line; icon view (0): cells 75 x 70 pixels filled the same way; as many cells per
//     line as the width holds (at least one).

#include "platform/ui/Control.hpp"
#include "platform/ui/Controls.hpp"

#include <memory>
#include <string>
#include <vector>

namespace ui {

class ListView;
class ListItem;

enum ListViewKind : int { lvwIcon = 0, lvwSmallIcon = 1, lvwList = 2, lvwReport = 3 };
enum SortOrderKind : int { lvwAscending = 0, lvwDescending = 1 };
enum LabelEditKind : int { lvwAutomatic = 0, lvwManual = 1 };
enum ColumnAlignmentKind : int { lvwColumnLeft = 0, lvwColumnRight = 1, lvwColumnCenter = 2 };

// Something owned by a ListView, TabStrip or Toolbar: its property changes reach the control's view.
class Part : public PropertyOwner {
public:
    explicit Part(Control& owner) : owner_(owner) {}
    Part(const Part&) = delete;
    Part& operator=(const Part&) = delete;
    void property_changed(std::string_view name) override { owner_.property_changed(name); }

protected:
    Control& owner_;
};

class ListSubItem : public Part {
public:
    explicit ListSubItem(Control& owner) : Part(owner) {}
    Property<std::string, false> Text{this, "Items"};
    Property<std::string, false> Tag{this, "Items"};
    Property<int, false> ReportIcon{this, "Items"};
};

class ListItem : public Part {
public:
    ListItem(ListView& owner, std::string key);

    // Position in the list, from 1.
    int Index() const { return index_; }
    const std::string& Key() const { return key_; }
    Property<std::string, false> Text{this, "Items"};
    Property<std::string, false> Tag{this, "Items"};
    Property<int, false> Icon{this, "Items"};
    Property<int, false> SmallIcon{this, "Items"};
    Property<bool, false> Ghosted{this, "Items"};
    // Selecting from code raises no event; in a single-selection list it clears the others.
    Property<bool, false> Selected{this, "Selected"};

    // Sub-item n (from 1): `item.SubItems(1) = "1,234";`. Reading one never set gives "".
    ItemRef<std::string> SubItems(int n);
    std::string SubItemText(int n) const;
    // Sub-item n with its own Tag (created when first asked for); n < 1 fails with error 380.
    ListSubItem& ListSubItems(int n);
    int SubItemCount() const { return static_cast<int>(sub_.size()); }
    // The text of column `column` (0 = the item's own text, k = sub-item k).
    std::string ColumnText(int column) const;
    // Scrolls the list so that the item is shown.
    void EnsureVisible();

    void property_changed(std::string_view name) override;

private:
    friend class ListView;
    friend class ListItemCollection;
    // A sub-item is kept as its text alone until its other properties are asked for (ListSubItems):
    // a report list of many files then costs little more than its texts.
    struct Sub {
        std::string Text; // while Full is not made
        std::unique_ptr<ListSubItem> Full;
    };
    ListView& list() const;
    std::string key_;
    int index_ = 0;
    std::vector<Sub> sub_;
};

class ListItemCollection {
public:
    explicit ListItemCollection(ListView& owner) : list_(owner) {}
    ListItemCollection(const ListItemCollection&) = delete;

    // Adds an item at position `index` (from 1; -1 or Count + 1 at the end) with a unique key
    // ("" for none; a key in use fails with error 35602) and returns it.
    ListItem& Add(int index = -1, std::string key = "", std::string text = "", int icon = 0, int smallIcon = 0);
    void Remove(int index);
    void Remove(std::string_view key);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    // Item `index` (from 1); outside fails with error 35600.
    ListItem& Item(int index) const;
    ListItem& operator()(int index) const { return Item(index); }
    // The item with a key; none fails with error 35601.
    ListItem& Item(std::string_view key) const;
    ListItem* Find(std::string_view key) const;

private:
    friend class ListView;
    void renumber(std::size_t from = 0);
    ListView& list_;
    std::vector<std::unique_ptr<ListItem>> items_;
};

class ColumnHeader : public Part {
public:
    ColumnHeader(Control& owner, std::string key) : Part(owner), key_(std::move(key)) {}
    int Index() const { return index_; }
    // The item column it shows: 0 for the item's text, k for sub-item k.
    int SubItemIndex() const { return index_ - 1; }
    const std::string& Key() const { return key_; }
    Property<std::string> Text{this, "Columns"};
    Property<int> Width{this, "Columns", 1440};
    Property<int> Icon{this, "Columns"};
    Property<int> Alignment{this, "Columns", lvwColumnLeft};
    Property<std::string> Tag{this, "Columns"};

private:
    friend class ColumnHeaderCollection;
    std::string key_;
    int index_ = 0;
};

class ColumnHeaderCollection {
public:
    explicit ColumnHeaderCollection(Control& owner) : owner_(owner) {}
    ColumnHeaderCollection(const ColumnHeaderCollection&) = delete;

    ColumnHeader& Add(int index = -1, std::string key = "", std::string text = "", int width = 1440,
                      int alignment = lvwColumnLeft, int icon = 0);
    void Remove(int index);
    void Clear();
    int Count() const { return static_cast<int>(columns_.size()); }
    ColumnHeader& Item(int index) const; // from 1; outside fails with error 35600
    ColumnHeader& operator()(int index) const { return Item(index); }

private:
    Control& owner_;
    std::vector<std::unique_ptr<ColumnHeader>> columns_;
};

class ListView : public Control {
public:
    ListView();
    ~ListView() override;
    std::string_view Kind() const override { return "ListView"; }

    ListItemCollection ListItems{*this};
    // Where the items' Icon (large), SmallIcon and the headers' Icon numbers point.
    Property<ImageList*> Icons{this, "Icons", nullptr};
    Property<ImageList*> SmallIcons{this, "SmallIcons", nullptr};
    Property<ImageList*> ColumnHeaderIcons{this, "ColumnHeaderIcons", nullptr};
    ColumnHeaderCollection ColumnHeaders{*this};

    // The focused item, or nullptr when there is none.
    ListItem* SelectedItem() const { return selected_; }
    // Windows' `Set lv.SelectedItem = item`: selects and focuses it (nullptr clears the focus).
    void SetSelectedItem(ListItem* item);

    Property<int> View{this, "View", lvwIcon}; // 0..3; other values fail with error 380
    // Setting Sorted to True sorts the items once by the text of column SortKey (0 = the items'
    // own text), case-insensitively and stably, in SortOrder; changing SortKey or SortOrder while
    // Sorted is True sorts again. Adding items or changing texts does not re-sort.
    Property<bool> Sorted{this, "Sorted"};
    Property<int> SortKey{this, "SortKey"};
    Property<int> SortOrder{this, "SortOrder", lvwAscending};
    Property<bool> MultiSelect{this, "MultiSelect"};
    Property<int> LabelEdit{this, "LabelEdit", lvwAutomatic};
    Property<bool> HideSelection{this, "HideSelection", true};
    Property<bool> HideColumnHeaders{this, "HideColumnHeaders"};
    Property<bool> FullRowSelect{this, "FullRowSelect"};
    Property<bool> GridLines{this, "GridLines"};
    // The first item shown, from 0 (report and list views scroll by rows).
    Property<int> TopIndex{this, "TopIndex"};
    // The item being edited, or nullptr.
    ListItem* EditedItem() const { return editing_; }

    // Sorts now as setting Sorted to True does.
    void Sort();
    // Starts editing the selected item's text (BeforeLabelEdit may cancel). Error 91 without
    // a selected item.
    void StartLabelEdit();
    // The item at a point of the client area in twips, or nullptr (see the geometry above).
    ListItem* HitTest(float x, float y) const;
    int RowHeightPixels() const;
    int HeaderHeightPixels() const;
    // Windows' automatic column width with header: the widest of the header text and the column's
    // cell texts (TextWidth in the list's font), plus 12 pixels of margin, plus 20 pixels for the
    // small icon in the first column.
    void AutoSizeColumn(int column);
    void AutoSizeAllColumns();
    // Rows fully shown in the report and list views (at least one).
    int VisibleRows() const;

    // --- events ---
    Event<ListItem&> ItemClick;
    Event<ColumnHeader&> ColumnClick;
    Event<int&> BeforeLabelEdit;              // Cancel
    Event<int&, std::string&> AfterLabelEdit; // Cancel, NewString

    // --- what a user does ---
    // Clicks an item (by index from 1): mouse down (focusing the list first), the selection as the
    // Shift and Ctrl bits ask, ItemClick, Click, mouse up.
    void user_click_item(int index, int shift = 0, int button = vbLeftButton);
    void user_dblclick_item(int index);
    // Clicks empty space below the items: the selection is cleared.
    void user_click_empty(int shift = 0, int button = vbLeftButton);
    void user_click_column(int column);
    // The user types `newText` into the label being edited and presses Return: AfterLabelEdit
    // runs; unless it cancels, the item takes the text NewString holds then.
    void user_label_edit(std::string newText);
    // The user presses Escape in the label editor: the edit ends, nothing changes, no event.
    void user_cancel_label_edit();
    // The user clicks the label of the already selected item (automatic label editing).
    void user_begin_label_edit();
    void handle_key_down(int keyCode, int shift) override; // arrows, Home, End, page keys, F2

    // --- for the items ---
    void item_selected(ListItem& item, bool selected);
    void item_removed(ListItem& item);

private:
    void select_as_user(ListItem& item, int shift);
    int tpp_x() const;
    int tpp_y() const;

    ListItem* selected_ = nullptr;
    ListItem* editing_ = nullptr;
    ListItem* anchor_ = nullptr;
    bool sorting_ = false;
    // Set while the list itself clears other items' selection, which is book-keeping, not a change
    // to follow.
    bool clearing_ = false;
    friend class ListItem;
};

} // namespace ui
