#include "filemanager/folders.hpp"

#include "filemanager/command_helpers.hpp"
#include "filemanager/refresh.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/Form3.hpp"
#include "shell/helpers.hpp"
#include "shell/selection.hpp"
#include "shell/status.hpp"

#include "platform/fs/files.hpp"

#include <cstdlib>
#include <filesystem>

namespace vexolan {

namespace {

std::string without_separator(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// A name the user typed for a folder or file: one name, never a path that would put the folder
// somewhere else, and never "." or "..".
void check_plain_name(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos)
        throw vb::Error(vb::ErrBadFileName);
}

// Asks through the input box; the entry when confirmed, nothing otherwise.
bool ask_name(App& app, const std::string& prompt, const std::string& proposal, std::string& entry) {
    Form3& box = app.form3();
    box.Label1.Caption = prompt;
    box.Text1.Text = proposal;
    // Only an answer given to this showing counts.
    app.DialogOK = false;
    box.ShowModal();
    if (!app.DialogOK) return false;
    entry = box.Text1.Text;
    return true;
}

std::string canonical(const std::string& path) {
    std::error_code ec;
    auto c = std::filesystem::weakly_canonical(path, ec);
    return ec ? files::absolute_path(path) : without_separator(c.string());
}

// Whether `into` is the folder `from` or lies below it, by any of its names: a link, a bind mount, or
// on a drive that folds letter case another spelling ("P/sub" is "P/Sub" there).
bool inside_of(const std::string& into, const std::string& from) {
    const std::string real = canonical(into);
    if (IsInFolder(real, canonical(from))) return true;
    for (std::string up = real;; up = files::absolute_path(up + "/..")) {
        if (files::same_file(up, from)) return true;
        if (files::is_root(up)) return false;
    }
}

std::string home_folder() {
    const char* home = std::getenv("HOME");
    return home && home[0] == '/' ? std::string(home) : std::string();
}

// The folders DeleteTree never erases: the root, and every folder that is or holds the home folder
// or the application folder (a Classic-mode pane at the root passes the open folder as the one to
// kill). Compared by their real names, so a link to one of them is refused too.
bool protected_folder(const std::string& folder) {
    const std::string real = canonical(folder);
    if (files::is_root(real)) return true;
    for (const std::string& keep : {home_folder(), files::app_folder()}) {
        if (keep.empty()) continue;
        if (IsInFolder(canonical(keep), real)) return true;
    }
    return false;
}

} // namespace

std::string NewFolderPath(const std::string& folder, const std::string& name) {
    return files::join_path(folder, name);
}

void cmd_MakeDir(App& app) {
    Form1& f = app.form1();
    const int active = f.Switchy;
    if (app.PaneMode[active] != 1) {
        app.host.MsgBox("Create Folder only works in File View.", ui::vbExclamation);
        return;
    }
    std::string name;
    if (!ask_name(app, "Enter name for new folder", "New", name)) return;
    try {
        check_plain_name(name);
        files::make_folder(NewFolderPath(f.File1[active].Path, name));
        RefreshFile1(app, active);
    } catch (const vb::Error&) {
        app.host.MsgBox(std::string("Can't create new folder.") + "\r" + "Folder may exist already.", ui::vbExclamation,
                        "Error");
    }
}

void cmd_RenameFolder(App& app) {
    Form1& f = app.form1();
    const int active = f.Switchy;
    if (app.PaneMode[active] != 1) {
        app.host.MsgBox("Rename Folder only works in File View!", ui::vbExclamation);
        return;
    }
    const std::string chosen = GetSingleFolder(app, active, false);
    // The root has no name to change.
    if (chosen.empty() || chosen == "\\" || files::is_root(chosen)) {
        app.host.MsgBox("Please select a folder!", ui::vbExclamation);
        return;
    }
    const std::string folder = without_separator(chosen);
    std::string name;
    if (!ask_name(app, "Rename folder", GetFileName(folder), name)) return;
    try {
        HourglassPointer pointer(f);
        check_plain_name(name);
        const std::string target = GetPathName(folder) + name;
        if (target != folder) {
            // Never replaces: onto an existing folder, even an empty one, this fails with 58.
            files::rename(folder, target);
            FollowMovedFolder(app, folder, target);
        }
        RefreshFile1(app, active);
    } catch (const vb::Error& e) {
        app.Err.Raise(e);
        ErrorMessage(app);
    }
}

void mnuRenameFolder_Click(App& app) {
    cmd_RenameFolder(app);
}

void cmd_MoveDir(App& app, const std::string& Diry) {
    Form1& f = app.form1();
    const int active = f.Switchy, passive = 1 - active;
    if (app.PaneMode[active] != 1) {
        app.host.MsgBox("Move Folder only works in File View!", ui::vbExclamation);
        return;
    }
    try {
        if (files::same_folder(f.Dir1[0].Path, f.Dir1[1].Path)) {
            app.host.MsgBox("The source folder is identical to the destination folder.", ui::vbExclamation,
                            "Move Folder");
            return;
        }
        const std::string source = GetSingleFolder(app, active, false);
        if (source == "\\" || files::is_root(source)) {
            app.host.MsgBox("No Source Folder selected.", ui::vbOKOnly, "Move Folder");
            return;
        }
        std::string into = Diry;
        if (into.empty() || files::same_folder(into, source)) into = f.Dir1[passive].Path;
        into = files::with_separator(into);
        const std::string from = without_separator(source);
        const std::string destination = into + GetFileName(from) + "/";
        if (!files::same_file_system(from, into)) {
            app.host.MsgBox(std::string("Move Folder works only within the same drive.") + "\r\n" +
                                "Please use the Copy command.",
                            ui::vbExclamation, "Move Folder");
            return;
        }
        // A folder cannot go into itself (by any of its names): refused before the question.
        if (inside_of(into, from)) {
            app.host.MsgBox("The folder " + from + " cannot be moved into itself or into one of its own sub-folders.",
                            ui::vbExclamation, "Move Folder");
            return;
        }
        if (app.host.MsgBox("Move  " + source + "  to  " + destination + "  ?", ui::vbYesNo | ui::vbQuestion,
                            "Move Folder") == ui::vbYes) {
            const std::string to = without_separator(destination);
            // Checked again: the folders may have changed while the question was open.
            if (inside_of(into, from)) throw vb::Error(vb::ErrPathFileAccess);
            files::rename(from, to);
            // A pane that showed the folder (Move with nothing selected moves the pane's own) or a
            // folder below it goes along to the new place.
            FollowMovedFolder(app, from, to);
        }
        for (int pane : {active, passive})
            vb::ResumeNext([&] { f.Dir1[pane].Refresh(); });
        RefreshBoth(app, active);
    } catch (const vb::Error& e) {
        app.Err.Raise(e);
        ErrorMessage(app);
    }
}

void cmd_KillDir(App& app) {
    Form1& f = app.form1();
    const int active = f.Switchy;
    if (app.PaneMode[active] != 1) {
        app.host.MsgBox("Kill Folder only works in File View.", ui::vbExclamation);
        return;
    }
    std::vector<std::string> folders;
    if (!GetSelectedFolders(app, folders, active)) return;
    HourglassPointer pointer(f);
    if (app.host.MsgBox("Kill the selected folder(s) and the files they contain?", ui::vbYesNo | ui::vbCritical,
                        "Kill Folders") != ui::vbYes)
        return;
    bool failed = false;
    for (const auto& folder : folders) {
        if (EscapePressed(app)) break;
        if (DeleteTree(app, folder, true) > 0) failed = true;
    }
    vb::ResumeNext([&] { RefreshFile1(app, f.Switchy); });
    if (failed)
        app.host.MsgBox(std::string("Error while deleting...") + "\r" +
                            "Please check, if all selected files were deleted.",
                        ui::vbExclamation, "Error");
}

int DeleteTree(App& app, const std::string& StartPath, bool Silent) {
    const std::string folder = files::absolute_path(StartPath);
    int failures = 0;
    try {
        if (protected_folder(folder)) throw vb::Error(vb::ErrPermissionDenied);
        if (files::file_attributes(folder) & files::AttrLink) {
            // A link given as the folder: the link goes, never what it leads to. A pane that showed
            // the folder through the link leaves the path that is gone.
            files::delete_file(folder);
            LeaveFolder(app, folder);
        } else {
            LeaveFolder(app, folder);
            std::vector<files::DirEntry> entries;
            try {
                entries = files::list_all(folder); // "." and ".." are never listed; dot-entries are
            } catch (const vb::Error&) {
                ++failures;
            }
            for (const auto& entry : entries) {
                const std::string path = files::join_path(folder, entry.Name);
                try {
                    if (entry.is_folder() && !entry.is_link())
                        DeleteTree(app, path + "/", false);
                    else
                        files::delete_file(path);
                } catch (const vb::Error&) {
                    ++failures;
                }
            }
            files::remove_folder(folder);
        }
    } catch (const vb::Error&) {
        ++failures;
    }
    if (!Silent && failures >= 1)
        app.host.MsgBox(vb::Str(failures) + " files or folders couldn't be deleted." + "\r" +
                            "They are probably used by running applications.",
                        ui::vbExclamation);
    return failures;
}

} // namespace vexolan
