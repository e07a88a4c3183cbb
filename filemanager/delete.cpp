#include "filemanager/delete.hpp"

#include "filemanager/command_helpers.hpp"
#include "filemanager/folders.hpp"
#include "filemanager/refresh.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"
#include "shell/selection.hpp"
#include "shell/status.hpp"

#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"

#include <string>
#include <vector>

namespace vexolan {

namespace {

// With no file selected, Delete and Kill erase the selected folders instead.
void kill_folders_instead(App& app) {
    const std::string folder = GetSingleFolder(app, app.form1().Switchy, false);
    if (!folder.empty()) cmd_KillDir(app);
}

// The desktop's delete into the trash: its own question first, then each file moved to the trash; a
// file that cannot be trashed is reported and stays where it is (it is never erased instead).
// Returns whether the user agreed.
bool trash_files(App& app, const std::vector<std::string>& paths) {
    const std::string question =
        paths.size() == 1 ? "Do you want to move \"" + GetFileName(paths.front()) + "\" to the trash?"
                          : "Do you want to move these " + std::to_string(paths.size()) + " items to the trash?";
    if (app.host.MsgBox(question, ui::vbYesNo | ui::vbQuestion,
                        paths.size() == 1 ? "Delete File" : "Delete Multiple Items") != ui::vbYes)
        return false;
    for (const auto& path : paths) {
        try {
            desktop::move_to_trash(path);
        } catch (const vb::Error& e) {
            app.host.MsgBox("Cannot move \"" + GetFileName(path) + "\" to the trash: " + e.description() + "." + "\r" +
                                "The file was not deleted.",
                            ui::vbExclamation, "Delete File");
        }
    }
    return true;
}

// Marks the selected entries of the FFL View's library deleted ("//" over the start of their name),
// writing only those two bytes, so the rest of the library stays as it was.
void delete_library_entries(App& app, int pane) {
    Form1& f = app.form1();
    if (app.host.MsgBox("Do you want to delete these/this FFL item(s)?", ui::vbYesNo | ui::vbQuestion,
                        "Delete FFL Item") != ui::vbYes)
        return;
    HourglassPointer pointer(f);
    ui::ListItemCollection& items = f.ListView2[pane].ListItems;
    const std::vector<long>& offsets = app.PaneFFLOffsets[pane];
    for (int i = items.Count(); i >= 1; --i) {
        vb::ResumeNext([&] {
            if (!items(i).Selected) return;
            const long entry = static_cast<long>(vb::Val(items(i).Tag.get())) - 1;
            if (entry < 0 || entry >= static_cast<long>(offsets.size()) || offsets[entry] < 1)
                throw vb::Error(vb::ErrSubscript);
            // 12079 as a little-endian 16-bit value: the bytes "//".
            files::write_bytes_at(app.PaneFFLFile[pane], static_cast<std::uint64_t>(offsets[entry] - 1), "//");
            items.Remove(i);
        });
    }
}

// The Plugin View's list with no plug-ins: Delete removes the selected category entry.
void remove_empty_category(App& app, int pane) {
    Form1& f = app.form1();
    ui::ListBox& categories = f.List2[pane];
    vb::ResumeNext([&] {
        categories.RemoveItem(categories.ListIndex);
        if (categories.ListCount() == 0) return;
        std::vector<std::string> saved;
        for (int i = 0; i < categories.ListCount(); ++i)
            saved.push_back(categories.List(i));
        app.PaneCategories[pane] = std::move(saved);
    });
}

// The catalogue paths of the selected plug-in rows, each file once; the built-in filters have none.
std::vector<std::string> selected_plugin_files(App& app, int pane) {
    const ui::ListBox& list = app.form1().List3[pane];
    std::vector<std::string> paths;
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.IsSelected(i)) paths.push_back(app.PluginCatalog[pane].PathOf(list.GetItemData(i)));
    return UniquePaths(paths);
}

} // namespace

void cmd_DeleteFiles(App& app) {
    Form1& f = app.form1();
    const int active = f.Switchy;
    switch (app.PaneMode[active]) {
    case 1: {
        std::vector<std::string> selected;
        if (!GetSelectedItems(app, selected, active)) return kill_folders_instead(app);
        HourglassPointer pointer(f);
        trash_files(app, UniquePaths(selected));
        vb::ResumeNext([&] { RefreshFile1(app, active); });
        app.ScanValid[active] = false;
        for (const auto& item : selected)
            f.FolderChanged(GetPathName(item));
        break;
    }
    case 2: {
        if (f.List3[active].ListCount() == 0) return remove_empty_category(app, active);
        if (f.List3[active].SelCount() == 0) return;
        const std::vector<std::string> paths = selected_plugin_files(app, active);
        if (paths.empty()) return;
        HourglassPointer pointer(f);
        if (trash_files(app, paths)) vb::ResumeNext([&] { RemoveRowsOfGoneFiles(app, active); });
        vb::ResumeNext([&] { RefreshFile1(app, active); });
        // The other pane may show the same folder; this pane's rows were removed already.
        const bool current = app.ScanValid[active];
        for (const auto& path : paths)
            f.FolderChanged(GetPathName(path));
        app.ScanValid[active] = current;
        break;
    }
    case 3:
        delete_library_entries(app, active);
        break;
    default:
        break;
    }
}

void cmd_Kill(App& app) {
    Form1& f = app.form1();
    const int active = f.Switchy;
    if (app.PaneMode[active] == 3) return;
    std::vector<std::string> selected;
    if (!GetSelectedItems(app, selected, active)) return kill_folders_instead(app);
    if (app.host.MsgBox(std::string("The file(s) will be erased and won't be put in the trash can.") + "\r" +
                            "Proceed anyway?",
                        ui::vbYesNo | ui::vbCritical, "Kill") != ui::vbYes)
        return;
    HourglassPointer pointer(f);
    long erased = 0;
    for (const auto& item : UniquePaths(selected)) {
        if (EscapePressed(app)) break;
        try {
            files::delete_file(item);
            ++erased;
        } catch (const vb::Error& e) {
            app.Err.Raise(e);
            if (ErrorMessage2(app) != ui::vbYes) return;
        }
    }
    if (erased == 0) return;
    app.ScanValid[active] = false;
    for (const auto& item : selected)
        f.FolderChanged(GetPathName(item));
    if (app.PaneMode[active] == 2) vb::ResumeNext([&] { RemoveRowsOfGoneFiles(app, active); });
    vb::ResumeNext([&] { RefreshFile1(app, active); });
}

} // namespace vexolan
