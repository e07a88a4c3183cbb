#include "shell/selection.hpp"

#include "platform/fs/files.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"

namespace vexolan {

namespace {

// Report-list items tell folders from files by their icon: 1 a sub-folder, 2 the parent entry,
// anything above 2 a file.
bool is_file_item(const ui::ListItem& item) {
    return item.Icon > 2;
}

// A folder item's text is its name after one leading blank.
std::string folder_item_name(const ui::ListItem& item) {
    const std::string& t = item.Text;
    return t.empty() ? t : t.substr(1);
}

} // namespace

std::string BaseFolder(App& app, int Switchx) {
    return files::with_separator(app.form1().Dir1[Switchx].Path);
}

bool GetSelectedItems(App& app, std::vector<std::string>& Itemarray, int Switchx) {
    Form1& f = app.form1();
    std::vector<std::string> found;
    switch (app.PaneMode[Switchx]) {
    case 1: {
        std::string base = BaseFolder(app, Switchx);
        if (f.ListView1[Switchx].Visible) {
            const ui::ListView& lv = f.ListView1[Switchx];
            for (int i = 1; i <= lv.ListItems.Count(); ++i) {
                const ui::ListItem& item = lv.ListItems(i);
                if (item.Selected && is_file_item(item)) found.push_back(base + item.Text.get());
            }
        } else {
            const ui::FileListBox& file = f.File1[Switchx];
            for (int i = 0; i < file.ListCount(); ++i)
                if (file.IsSelected(i)) found.push_back(base + file.List(i));
        }
        break;
    }
    case 2: {
        const ui::ListBox& list = f.List3[Switchx];
        if (list.SelCount() == 0) return false;
        for (int i = 0; i < list.ListCount(); ++i)
            if (list.IsSelected(i)) found.push_back(app.PluginCatalog[Switchx].PathOf(list.GetItemData(i)));
        break;
    }
    default:
        return false;
    }
    if (found.empty()) return false;
    Itemarray = std::move(found);
    return true;
}

std::string GetSingleItem(App& app, int Switchx) {
    Form1& f = app.form1();
    switch (app.PaneMode[Switchx]) {
    case 1: {
        std::string base = BaseFolder(app, Switchx);
        if (f.ListView1[Switchx].Visible) {
            const ui::ListView& lv = f.ListView1[Switchx];
            for (int i = 1; i <= lv.ListItems.Count(); ++i) {
                const ui::ListItem& item = lv.ListItems(i);
                if (item.Selected && is_file_item(item)) return base + item.Text.get();
            }
            return {};
        }
        // The entry with the list cursor counts, selected or not; without a cursor there is none
        // (the folder alone would pass for a file).
        const ui::FileListBox& file = f.File1[Switchx];
        if (file.ListIndex < 0) return {};
        return base + file.List(file.ListIndex);
    }
    case 2: {
        const ui::ListBox& list = f.List3[Switchx];
        if (list.ListIndex < 0) return {};
        return app.PluginCatalog[Switchx].PathOf(list.GetItemData(list.ListIndex));
    }
    default:
        return {};
    }
}

std::string GetSingleFolder(App& app, int Switchx, bool UpperPath) {
    Form1& f = app.form1();
    if (app.PaneMode[Switchx] != 1) return "\\";
    if (!f.ListView1[Switchx].Visible) {
        const ui::DirListBox& dir = f.Dir1[Switchx];
        return files::with_separator(dir.List(dir.ListIndex));
    }
    const ui::ListView& lv = f.ListView1[Switchx];
    const ui::ListItem* folder = nullptr;
    for (int i = 1; i <= lv.ListItems.Count(); ++i) {
        const ui::ListItem& item = lv.ListItems(i);
        if (!item.Selected) continue;
        if (item.Icon == 1) {
            folder = &item;
            break;
        }
        if (item.Icon == 2 && UpperPath) return "..";
    }
    std::string result;
    if (folder)
        result = BaseFolder(app, Switchx) + folder_item_name(*folder);
    else if (!UpperPath)
        result = BaseFolder(app, Switchx);
    // With nothing selected and `UpperPath` the result is the lone "\" that names no folder.
    if (result.empty()) return "\\";
    return files::with_separator(result);
}

bool GetSelectedFolders(App& app, std::vector<std::string>& Itemarray, int Switchx) {
    Form1& f = app.form1();
    if (app.PaneMode[Switchx] != 1) return false;
    if (!f.ListView1[Switchx].Visible) {
        const ui::DirListBox& dir = f.Dir1[Switchx];
        Itemarray = {files::with_separator(dir.List(dir.ListIndex))};
        return true;
    }
    std::vector<std::string> found;
    std::string base = BaseFolder(app, Switchx);
    const ui::ListView& lv = f.ListView1[Switchx];
    for (int i = 1; i <= lv.ListItems.Count(); ++i) {
        const ui::ListItem& item = lv.ListItems(i);
        if (item.Selected && item.Icon == 1) found.push_back(files::with_separator(base + folder_item_name(item)));
    }
    if (found.empty()) return false;
    Itemarray = std::move(found);
    return true;
}

int Listview_SelCount(const ui::ListView& Listy) {
    int n = 0;
    for (int i = 1; i <= Listy.ListItems.Count(); ++i)
        if (Listy.ListItems(i).Selected) ++n;
    return n;
}

void DrawDirLabel(App& app, int c) {
    Form1& f = app.form1();
    std::string p = f.Dir1[c].Path;
    ui::Label& label = f.Label6[c];
    label.Alignment = f.TextWidth(files::with_separator(p)) > label.Width ? ui::vbRightJustify : ui::vbCenter;
    label.Caption = files::with_separator(p);
}

} // namespace vexolan
