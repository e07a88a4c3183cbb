#include "platform/ui/ListView.hpp"

#include "platform/ui/Window.hpp"

#include <algorithm>
#include <utility>

namespace ui {

namespace {

vb::Error no_such_index() {
    return vb::Error(35600, "Index out of bounds");
}

constexpr int ListCellPixels = 150;
constexpr int IconCellWidthPixels = 75;
constexpr int IconCellHeightPixels = 70;

} // namespace

// --- ListItem ---

ListItem::ListItem(ListView& owner, std::string key) : Part(owner), key_(std::move(key)) {}

void ListItem::property_changed(std::string_view name) {
    if (name == "Selected") {
        owner_.property_changed("Items");
        if (!list().clearing_) list().item_selected(*this, Selected);
        return;
    }
    owner_.property_changed(name);
}

ListView& ListItem::list() const {
    return static_cast<ListView&>(owner_);
}

ItemRef<std::string> ListItem::SubItems(int n) {
    return ItemRef<std::string>([this, n] { return SubItemText(n); },
                                [this, n](std::string v) {
                                    if (n < 1) throw vb::Error(vb::ErrInvalidProperty);
                                    if (n <= static_cast<int>(sub_.size()) &&
                                        sub_[static_cast<std::size_t>(n - 1)].Full) {
                                        sub_[static_cast<std::size_t>(n - 1)].Full->Text = std::move(v);
                                        return;
                                    }
                                    if (static_cast<int>(sub_.size()) < n) sub_.resize(static_cast<std::size_t>(n));
                                    Sub& sub = sub_[static_cast<std::size_t>(n - 1)];
                                    if (sub.Text == v) return;
                                    sub.Text = std::move(v);
                                    owner_.property_changed("Items");
                                });
}

std::string ListItem::SubItemText(int n) const {
    if (n < 1) throw vb::Error(vb::ErrInvalidProperty);
    if (n > static_cast<int>(sub_.size())) return {};
    const Sub& sub = sub_[static_cast<std::size_t>(n - 1)];
    return sub.Full ? sub.Full->Text.get() : sub.Text;
}

ListSubItem& ListItem::ListSubItems(int n) {
    if (n < 1) throw vb::Error(vb::ErrInvalidProperty);
    if (static_cast<int>(sub_.size()) < n) sub_.resize(static_cast<std::size_t>(n));
    Sub& sub = sub_[static_cast<std::size_t>(n - 1)];
    if (!sub.Full) {
        sub.Full = std::make_unique<ListSubItem>(owner_);
        sub.Full->Text.store(std::exchange(sub.Text, {}));
    }
    return *sub.Full;
}

std::string ListItem::ColumnText(int column) const {
    return column <= 0 ? Text.get() : SubItemText(column);
}

void ListItem::EnsureVisible() {
    ListView& l = list();
    int row = index_ - 1;
    int rows = l.VisibleRows();
    if (l.View != lvwReport && l.View != lvwList) return;
    if (row < l.TopIndex)
        l.TopIndex = row;
    else if (row >= l.TopIndex + rows)
        l.TopIndex = row - rows + 1;
}

// --- ListItemCollection ---

void ListItemCollection::renumber(std::size_t from) {
    for (std::size_t i = from; i < items_.size(); ++i)
        items_[i]->index_ = static_cast<int>(i) + 1;
}

ListItem& ListItemCollection::Add(int index, std::string key, std::string text, int icon, int smallIcon) {
    if (index == -1 || index == 0) index = Count() + 1;
    if (index < 1 || index > Count() + 1) throw no_such_index();
    if (!key.empty() && Find(key)) throw vb::Error(35602, "Key is not unique in collection");
    auto item = std::make_unique<ListItem>(list_, std::move(key));
    ListItem& it = *item;
    it.Text.store(std::move(text));
    it.Icon.store(icon);
    it.SmallIcon.store(smallIcon);
    items_.insert(items_.begin() + (index - 1), std::move(item));
    renumber(static_cast<std::size_t>(index - 1));
    list_.property_changed("Items");
    return it;
}

void ListItemCollection::Remove(int index) {
    if (index < 1 || index > Count()) throw no_such_index();
    auto pos = items_.begin() + (index - 1);
    list_.item_removed(**pos);
    items_.erase(pos);
    renumber(static_cast<std::size_t>(index - 1));
    list_.property_changed("Items");
}

void ListItemCollection::Remove(std::string_view key) {
    Remove(Item(key).Index());
}

void ListItemCollection::Clear() {
    for (auto& it : items_)
        list_.item_removed(*it);
    items_.clear();
    list_.TopIndex.store(0);
    list_.property_changed("Items");
}

ListItem& ListItemCollection::Item(int index) const {
    if (index < 1 || index > Count()) throw no_such_index();
    return *items_[static_cast<std::size_t>(index - 1)];
}

ListItem* ListItemCollection::Find(std::string_view key) const {
    if (key.empty()) return nullptr;
    for (const auto& it : items_)
        if (it->Key() == key) return it.get();
    return nullptr;
}

ListItem& ListItemCollection::Item(std::string_view key) const {
    if (ListItem* it = Find(key)) return *it;
    throw vb::Error(35601, "Element not found");
}

// --- ColumnHeaderCollection ---

ColumnHeader& ColumnHeaderCollection::Add(int index, std::string key, std::string text, int width, int alignment,
                                          int icon) {
    if (index == -1 || index == 0) index = Count() + 1;
    if (index < 1 || index > Count() + 1) throw no_such_index();
    auto column = std::make_unique<ColumnHeader>(owner_, std::move(key));
    ColumnHeader& c = *column;
    c.Text.store(std::move(text));
    c.Width.store(width);
    c.Alignment.store(alignment);
    c.Icon.store(icon);
    columns_.insert(columns_.begin() + (index - 1), std::move(column));
    for (std::size_t i = 0; i < columns_.size(); ++i)
        columns_[i]->index_ = static_cast<int>(i) + 1;
    owner_.property_changed("Columns");
    return c;
}

void ColumnHeaderCollection::Remove(int index) {
    if (index < 1 || index > Count()) throw no_such_index();
    columns_.erase(columns_.begin() + (index - 1));
    for (std::size_t i = 0; i < columns_.size(); ++i)
        columns_[i]->index_ = static_cast<int>(i) + 1;
    owner_.property_changed("Columns");
}

void ColumnHeaderCollection::Clear() {
    columns_.clear();
    owner_.property_changed("Columns");
}

ColumnHeader& ColumnHeaderCollection::Item(int index) const {
    if (index < 1 || index > Count()) throw no_such_index();
    return *columns_[static_cast<std::size_t>(index - 1)];
}

// --- ListView ---

ListView::ListView() {
    View.adjust = [](int v) {
        if (v < lvwIcon || v > lvwReport) throw vb::Error(vb::ErrInvalidProperty);
        return v;
    };
    SortOrder.adjust = [](int v) {
        if (v != lvwAscending && v != lvwDescending) throw vb::Error(vb::ErrInvalidProperty);
        return v;
    };
    SortKey.adjust = [](int v) {
        if (v < 0) throw vb::Error(vb::ErrInvalidProperty);
        return v;
    };
    Sorted.setter = [this](bool v) {
        Sorted.store(v);
        if (v) Sort();
    };
    auto resort = [this] {
        if (Sorted) Sort();
    };
    SortKey.on_change = resort;
    SortOrder.on_change = resort;
    MultiSelect.on_change = [this] {
        if (MultiSelect) return;
        clearing_ = true;
        for (auto& it : ListItems.items_)
            if (it.get() != selected_) it->Selected.store(false);
        clearing_ = false;
    };
}

ListView::~ListView() {
    // Items go before the list's events do; nothing may call back into a half-destroyed list.
    selected_ = editing_ = anchor_ = nullptr;
}

int ListView::tpp_x() const {
    return host() ? host()->TwipsPerPixelX() : 15;
}
int ListView::tpp_y() const {
    return host() ? host()->TwipsPerPixelY() : 15;
}

void ListView::Sort() {
    int key = SortKey;
    bool descending = SortOrder == lvwDescending;
    auto& items = ListItems.items_;
    std::vector<std::pair<std::string, std::unique_ptr<ListItem>>> keyed;
    keyed.reserve(items.size());
    for (auto& it : items)
        keyed.emplace_back(vb::LCase(it->ColumnText(key)), std::move(it));
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
        return descending ? b.first < a.first : a.first < b.first;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        items[i] = std::move(keyed[i].second);
    ListItems.renumber();
    property_changed("Items");
}

void ListView::SetSelectedItem(ListItem* item) {
    if (!item) {
        selected_ = nullptr;
        property_changed("SelectedItem");
        return;
    }
    item->Selected = true;
    selected_ = item;
    property_changed("SelectedItem");
}

void ListView::item_selected(ListItem& item, bool selected) {
    if (selected) {
        if (!MultiSelect) {
            clearing_ = true;
            for (auto& it : ListItems.items_)
                if (it.get() != &item) it->Selected.store(false);
            clearing_ = false;
        }
        selected_ = &item;
    } else if (selected_ == &item) {
        selected_ = nullptr;
        if (MultiSelect)
            for (auto& it : ListItems.items_)
                if (it->Selected) {
                    selected_ = it.get();
                    break;
                }
    }
}

void ListView::item_removed(ListItem& item) {
    if (selected_ == &item) selected_ = nullptr;
    if (editing_ == &item) editing_ = nullptr;
    if (anchor_ == &item) anchor_ = nullptr;
}

void ListView::StartLabelEdit() {
    if (!selected_) throw vb::Error(91, "Object variable or With block variable not set");
    int cancel = 0;
    BeforeLabelEdit(cancel);
    if (cancel) return;
    editing_ = selected_;
    property_changed("LabelEdit");
}

void ListView::user_begin_label_edit() {
    if (LabelEdit != lvwAutomatic || !selected_ || !AcceptsInput()) return;
    StartLabelEdit();
}

void ListView::user_label_edit(std::string newText) {
    ListItem* item = editing_;
    if (!item) return;
    editing_ = nullptr;
    property_changed("LabelEdit");
    int cancel = 0;
    AfterLabelEdit(cancel, newText);
    // The handler may have removed the item; only a living item takes the text.
    if (cancel) return;
    for (auto& it : ListItems.items_)
        if (it.get() == item) item->Text = newText;
}

void ListView::user_cancel_label_edit() {
    if (!editing_) return;
    editing_ = nullptr;
    property_changed("LabelEdit");
}

int ListView::RowHeightPixels() const {
    Host* h = host();
    return (h ? h->TextHeightPixels(Font.choice(), "X") : 13) + 4;
}

int ListView::HeaderHeightPixels() const {
    if (View != lvwReport || HideColumnHeaders) return 0;
    return RowHeightPixels() + 2;
}

int ListView::VisibleRows() const {
    int h = Height / tpp_y() - HeaderHeightPixels();
    return std::max(1, h / RowHeightPixels());
}

ListItem* ListView::HitTest(float x, float y) const {
    int px = static_cast<int>(x) / tpp_x();
    int py = static_cast<int>(y) / tpp_y();
    if (px < 0 || py < 0) return nullptr;
    int row = RowHeightPixels();
    int index = -1; // from 0
    switch (View.get()) {
    case lvwReport: {
        py -= HeaderHeightPixels();
        if (py < 0) return nullptr;
        int total = 0;
        for (int c = 1; c <= ColumnHeaders.Count(); ++c)
            total += ColumnHeaders(c).Width;
        if (ColumnHeaders.Count() > 0 && px >= total / tpp_x()) return nullptr;
        index = TopIndex + py / row;
        break;
    }
    case lvwList: {
        int rows = std::max(1, Height / tpp_y() / row);
        index = TopIndex + (px / ListCellPixels) * rows + py / row;
        break;
    }
    case lvwSmallIcon: {
        int perLine = std::max(1, Width / tpp_x() / ListCellPixels);
        if (px >= perLine * ListCellPixels) return nullptr;
        index = (py / row) * perLine + px / ListCellPixels;
        break;
    }
    default: {
        int perLine = std::max(1, Width / tpp_x() / IconCellWidthPixels);
        if (px >= perLine * IconCellWidthPixels) return nullptr;
        index = (py / IconCellHeightPixels) * perLine + px / IconCellWidthPixels;
        break;
    }
    }
    if (index < 0 || index >= ListItems.Count()) return nullptr;
    return &ListItems.Item(index + 1);
}

void ListView::AutoSizeColumn(int column) {
    ColumnHeader& c = ColumnHeaders(column);
    int widest = TextWidth(c.Text.get());
    for (const auto& it : ListItems.items_)
        widest = std::max(widest, TextWidth(it->ColumnText(column - 1)));
    int margin = 12 + (column == 1 ? 20 : 0);
    c.Width = widest + margin * tpp_x();
}

void ListView::AutoSizeAllColumns() {
    for (int c = 1; c <= ColumnHeaders.Count(); ++c)
        AutoSizeColumn(c);
}

void ListView::select_as_user(ListItem& item, int shift) {
    if (MultiSelect && (shift & vbCtrlMask)) {
        item.Selected = !item.Selected;
        if (item.Selected) selected_ = &item;
        anchor_ = &item;
    } else if (MultiSelect && (shift & vbShiftMask) && (anchor_ || selected_)) {
        // The range starts at the last item clicked, or else at the focused item.
        ListItem* from = anchor_ ? anchor_ : selected_;
        int a = std::min(from->Index(), item.Index()), b = std::max(from->Index(), item.Index());
        for (auto& it : ListItems.items_)
            it->Selected = it->Index() >= a && it->Index() <= b;
        selected_ = &item;
    } else {
        clearing_ = true;
        for (auto& it : ListItems.items_)
            if (it.get() != &item) it->Selected.store(false);
        clearing_ = false;
        item.Selected = true;
        selected_ = &item;
        anchor_ = &item;
    }
    property_changed("SelectedItem");
}

void ListView::user_click_item(int index, int shift, int button) {
    if (!AcceptsInput()) return;
    ListItem& item = ListItems(index);
    float y = static_cast<float>((HeaderHeightPixels() + (index - 1 - TopIndex) * RowHeightPixels()) * tpp_y());
    // A right click selects an unselected item alone before MouseDown, so that a pop-up menu opened
    // there acts on it; on a selected item it keeps the selection, as Windows does.
    bool right = button == vbRightButton;
    if (right && !item.Selected) select_as_user(item, 0);
    user_mouse_down(button, shift, 0, y);
    if (!right) select_as_user(item, shift);
    // Handlers may clear the list; look the item up again before raising its events.
    if (index <= ListItems.Count() && &ListItems(index) == &item) {
        ItemClick(item);
    }
    Click();
    user_mouse_up(button, shift, 0, y);
}

void ListView::user_dblclick_item(int index) {
    if (!AcceptsInput()) return;
    user_click_item(index);
    DblClick();
}

void ListView::user_click_empty(int shift, int button) {
    if (!AcceptsInput()) return;
    float y = static_cast<float>((HeaderHeightPixels() + (ListItems.Count() - TopIndex) * RowHeightPixels()) * tpp_y());
    user_mouse_down(button, shift, 0, y);
    if (!(shift & (vbCtrlMask | vbShiftMask))) {
        for (auto& it : ListItems.items_)
            it->Selected = false;
        selected_ = nullptr;
    }
    Click();
    user_mouse_up(button, shift, 0, y);
}

void ListView::user_click_column(int column) {
    if (!AcceptsInput()) return;
    ColumnClick(ColumnHeaders(column));
}

void ListView::handle_key_down(int keyCode, int shift) {
    if (keyCode == vbKeyF2 && shift == 0) {
        if (selected_ && LabelEdit == lvwAutomatic) StartLabelEdit();
        return;
    }
    int count = ListItems.Count();
    if (count == 0) return;
    int cur = selected_ ? selected_->Index() : 0;
    int page = VisibleRows();
    int next = cur;
    switch (keyCode) {
    case vbKeyUp:
        next = std::max(1, cur - 1);
        break;
    case vbKeyDown:
        next = std::min(count, cur + 1);
        break;
    case vbKeyHome:
        next = 1;
        break;
    case vbKeyEnd:
        next = count;
        break;
    case vbKeyPageUp:
        next = std::max(1, cur - page);
        break;
    case vbKeyPageDown:
        next = std::min(count, std::max(1, cur + page));
        break;
    default:
        return;
    }
    if (next == cur && selected_ && selected_->Selected) return;
    ListItem& item = ListItems(next);
    select_as_user(item, shift & vbShiftMask);
    item.EnsureVisible();
    ItemClick(item);
}

} // namespace ui
