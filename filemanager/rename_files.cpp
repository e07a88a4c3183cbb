#include "filemanager/rename_files.hpp"

#include "filemanager/command_helpers.hpp"
#include "filemanager/folders.hpp"
#include "filemanager/refresh.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/Form3.hpp"
#include "shell/helpers.hpp"
#include "shell/selection.hpp"
#include "shell/status.hpp"

#include "platform/fs/files.hpp"

#include <vector>

namespace vexolan {

namespace {

// The name of the file box's current entry, the proposal of the input box.
std::string current_file_box_name(App& app, int pane) {
    const ui::FileListBox& box = app.form1().File1[pane];
    return box.ListIndex < 0 ? std::string() : box.List(box.ListIndex);
}

} // namespace

bool RenameOne(App& app, const std::string& item, const std::string& entry) {
    if (entry.empty() || entry == "." || entry == ".." || entry.find('/') != std::string::npos)
        throw vb::Error(vb::ErrBadFileName);
    const std::string target = GetPathName(item) + entry;
    for (;;) {
        // The file's own name (or another name of the same file): nothing to do.
        if (target == item || files::same_file(item, target)) return true;
        try {
            files::rename(item, target);
            return true;
        } catch (const vb::Error& e) {
            if (e.number() != vb::ErrFileExists) throw;
        }
        if (app.host.MsgBox("Overwrite " + entry + " ?", ui::vbOKCancel | ui::vbExclamation, "Overwrite?") != ui::vbOK)
            return false;
        // Only a file is replaced; a folder of that name makes the question come again.
        if (files::folder_exists(target)) continue;
        const std::string aside = PutAside(target);
        try {
            files::rename(item, target);
        } catch (const vb::Error&) {
            vb::ResumeNext([&] { files::rename(aside, target); });
            throw;
        }
        files::delete_file(aside);
        return true;
    }
}

std::string NameWithExtension(const std::string& name, const std::string& entry) {
    const auto point = name.find('.');
    return point == std::string::npos ? entry : name.substr(0, point + 1) + entry;
}

void cmd_RenameFiles(App& app) {
    Form1& f = app.form1();
    const int active = f.Switchy;
    if (app.PaneMode[active] != 1) {
        app.host.MsgBox("Rename only works in File View.", ui::vbExclamation);
        return;
    }
    std::vector<std::string> selected;
    if (!GetSelectedItems(app, selected, active)) {
        if (!GetSingleFolder(app, active, false).empty()) cmd_RenameFolder(app);
        return;
    }
    const std::vector<std::string> items = UniquePaths(selected);
    Form3& box = app.form3();
    if (items.size() == 1) {
        if (f.ListView1[active].Visible) {
            // The report list edits the name in place; its after-edit event renames the file.
            vb::ResumeNext([&] { f.ListView1[active].StartLabelEdit(); });
            return;
        }
        box.Label1.Caption = "Rename File";
        box.Text1.Text = current_file_box_name(app, active);
    } else {
        box.Label1.Caption = "Rename File Extension";
        const std::string current = current_file_box_name(app, active);
        const auto point = current.find('.');
        box.Text1.Text = point == std::string::npos ? current : current.substr(point + 1);
    }
    // Only an answer given to this showing counts.
    app.DialogOK = false;
    box.ShowModal();
    if (!app.DialogOK) return;
    const std::string entry = box.Text1.Text;

    if (items.size() == 1) {
        try {
            if (!RenameOne(app, items.front(), entry)) return;
        } catch (const vb::Error& e) {
            app.Err.Raise(e);
            ErrorMessage(app);
            return;
        }
    } else {
        // A new extension holding "/" would move the files elsewhere: refuse the batch.
        if (entry.find('/') != std::string::npos) {
            app.Err.Raise(vb::Error(vb::ErrBadFileName));
            ErrorMessage(app);
            return;
        }
        for (const auto& item : items) {
            const std::string name = GetFileName(item);
            const std::string target = GetPathName(item) + NameWithExtension(name, entry);
            // A name that exists (two files becoming one name) is passed over: the file keeps its name.
            if (target != item) vb::ResumeNext([&] { files::rename(item, target); });
        }
    }
    if (HasPluginEnding(GetFileName(selected.front()))) app.ScanValid[active] = false;
    for (const auto& item : items)
        app.form1().FolderChanged(GetPathName(item));
    vb::ResumeNext([&] { RefreshFile1(app, active); });
}

} // namespace vexolan
