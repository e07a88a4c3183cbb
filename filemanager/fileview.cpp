#include "filemanager/fileview.hpp"

#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"
#include "shell/prefs_link.hpp"

#include "platform/fs/files.hpp"
#include "platform/ui/ListView.hpp"

#include <algorithm>
#include <array>
#include <vector>

namespace vexolan {

namespace {

struct IconRule {
    std::string_view Ending;
    int Icon;
};

constexpr std::array<IconRule, 22> IconRules{{
    {".8bf", IconPlugin},    {".prm", IconPremiere},  {".aex", IconAfterFx},   {".ffl", IconLibrary},
    {".zip", IconZip},       {".tub", IconPaintShop}, {".psp", IconPaintShop}, {".msk", IconPaintShop},
    {".pat", IconPaintShop}, {".tex", IconPaintShop}, {".jsl", IconPaintShop}, {".jbr", IconPaintShop},
    {".pfr", IconPaintShop}, {".jgd", IconPaintShop}, {".sld", IconPaintShop}, {".jpg", IconPicture},
    {".gif", IconPicture},   {".bmp", IconPicture},   {".wmf", IconPicture},   {".png", IconPicture},
    {".tga", IconPicture},   {".pcx", IconPicture},
}};

// The three columns: 1 Name sorts as text, 2 Size as a number, 3 Date as a date.
constexpr int ColumnCount = 3;

} // namespace

int FileIcon(std::string_view name) {
    if (name.size() < 4) return IconFile;
    const std::string ending = vb::LCase(name.substr(name.size() - 4));
    for (const IconRule& rule : IconRules)
        if (ending == rule.Ending) return rule.Icon;
    return IconFile;
}

std::string SizeText(std::uint64_t length) {
    return vb::Format(static_cast<double>(length), "#,###,###");
}

std::string DateText(const vb::DateTime& date) {
    std::string text = vb::GeneralDate(date);
    const auto blank = text.find(' ');
    return blank == std::string::npos ? text : text.substr(0, blank + 1);
}

std::string FillDirList(App& app, std::string_view Currentdir, int Switchx, bool FocusItem) {
    Form1& f = app.form1();
    ui::ListView& list = f.ListView1[Switchx];

    int focusPosition = 0;
    if (FocusItem && list.SelectedItem()) focusPosition = list.SelectedItem()->Index();

    f.MousePointer = ui::vbHourglass;
    // ".." and relative names are taken from the pane's own folder, not from whichever folder the
    // other pane last made current.
    std::string folder;
    try {
        std::string base = f.Dir1[Switchx].Path;
        if (base.empty()) base = files::CurDir();
        folder = ui::NormaliseFolder(Currentdir, base);
    } catch (const vb::Error&) {
    }
    if (folder.empty() || !files::folder_exists(folder)) {
        f.MousePointer = ui::vbDefault;
        return {};
    }
    const std::string listed = files::with_separator(folder);

    // Setting the folder box raises its Change only when the folder differs, so a refill from the
    // folder box's own change does not start another one.
    vb::ResumeNext([&] { f.Dir1[Switchx].Path = folder; });
    // The file box is read afresh, so files made since its last reading show; a reading of this
    // folder made a moment ago for the folder box or the file box (the folder change that called us)
    // serves again, so that the folder is read once per change.
    vb::ResumeNext([&] {
        ui::FileListBox& fileBox = f.File1[Switchx];
        if (fileBox.Path.get() != folder)
            fileBox.Path = folder;
        else
            fileBox.RefreshIfChanged();
    });
    app.host.DoEvents();
    f.FreezeRedraw(true);

    vb::ResumeNext([&] { list.ListItems.Clear(); });

    if (!files::is_root(folder)) {
        vb::ResumeNext([&] {
            ui::ListItem& parent = list.ListItems.Add(-1, "", " ..", IconParent, IconParent);
            parent.SubItems(1) = " ";
            parent.SubItems(2) = " ";
        });
    }

    const ui::FileListBox& fileBox = f.File1[Switchx];
    // Sizes and dates come from the file box's own reading of the folder: one stat per file.
    for (int i = 0; i < fileBox.ListCount(); ++i) {
        vb::ResumeNext([&] {
            const std::string name = fileBox.List(i);
            const int icon = FileIcon(name);
            ui::ListItem& item = list.ListItems.Add(-1, "", name, icon, icon);
            item.SubItems(1) = SizeText(fileBox.FileLength(i));
            item.SubItems(2) = DateText(fileBox.FileDate(i));
        });
    }

    // The sub-folders as the same reading found them (hidden ones left out, in case-insensitive
    // order), so the list shows a new sub-folder even while the hidden folder box has not been
    // refreshed.
    if (f.Image5[Switchx].Tag.get() != "1") {
        for (const files::DirEntry& entry : fileBox.SubFolders()) {
            vb::ResumeNext([&] {
                ui::ListItem& item = list.ListItems.Add(-1, "", " " + entry.Name, IconFolder, IconFolder);
                item.SubItems(1) = " ";
                item.SubItems(2) = DateText(entry.Date);
            });
        }
    }

    if (FocusItem && focusPosition > 0 && focusPosition <= list.ListItems.Count()) {
        vb::ResumeNext([&] {
            if (ui::ListItem* selected = list.SelectedItem()) selected->Selected = false;
            ui::ListItem& item = list.ListItems(focusPosition);
            item.EnsureVisible();
            list.SetSelectedItem(&item);
        });
    }

    if (list.View == ui::lvwReport)
        vb::ResumeNext([&] {
            if (AutoColumnWidth(app)) LV_OptimalWidth(list);
        });

    vb::ResumeNext([&] {
        int k = list.SortKey;
        if (k < 0 || k >= ColumnCount) k = 0;
        ColumnSortOrders& order = app.ColumnSortOrder[static_cast<std::size_t>(Switchx)];
        SortListView(list, k + 1, k, order[static_cast<std::size_t>(k + 1)], order);
    });

    files::forget_shared_listing();
    f.FreezeRedraw(false);
    f.MousePointer = ui::vbDefault;
    return listed;
}

std::string FillDirList(App& app, std::string_view Currentdir, int Switchx, const char* FocusItem) {
    return FillDirList(app, Currentdir, Switchx, FocusItem != nullptr && *FocusItem != '\0');
}

int DetermineFileViewMode(App& app, int Switchx) {
    Form1& f = app.form1();
    if (f.File1[Switchx].Visible) return 4;
    return f.ListView1[Switchx].View;
}

void Image2_Click(App& app, int Index) {
    Form1& f = app.form1();
    if (Index != f.Switchy) f.Switchit(Index);
    const int mode = DetermineFileViewMode(app, Index);
    for (int i = 0; i < 5; ++i)
        vb::ResumeNext([&] { f.mnuFileViewMode[i].Checked = i == mode; });
    // The button lies on the window itself: the menu opens at its bottom-right corner.
    const ui::Image& image = f.Image2[Index];
    f.PopupMenu(f.mnuFileViewMenu, image.Left + image.Width, image.Top + image.Height);
}

void ListView1_ColumnClick(App& app, int Index, ui::ColumnHeader& ColumnHeader) {
    Form1& f = app.form1();
    ui::ListView& list = f.ListView1[Index];
    try {
        std::string selectedText;
        if (ui::ListItem* selected = list.SelectedItem()) selectedText = selected->Text;
        const int c = ColumnHeader.Index();
        if (c >= 1 && c <= ColumnCount) {
            ColumnSortOrders& order = app.ColumnSortOrder[static_cast<std::size_t>(Index)];
            bool& ascending = order[static_cast<std::size_t>(c)];
            ascending = !ascending;
            SortListView(list, c, c - 1, ascending, order);
            list.SortKey = c - 1;
        }
        for (int i = 1; i <= list.ListItems.Count(); ++i) {
            if (list.ListItems(i).Text.get() == selectedText) {
                list.ListItems(i).EnsureVisible();
                break;
            }
        }
    } catch (const vb::Error&) {
    }
}

} // namespace vexolan
