#include "filemanager/copy_move.hpp"

#include "filemanager/OverwriteCheck.hpp"
#include "filemanager/SelectFolder.hpp"
#include "filemanager/command_helpers.hpp"
#include "filemanager/folders.hpp"
#include "filemanager/refresh.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"
#include "shell/selection.hpp"
#include "shell/status.hpp"

#include "platform/fs/files.hpp"

#include <vector>

namespace vexolan {

namespace {

// Asks for the destination of a copy or move: the target-folder dialog unless suppressed, and the
// refusal of a destination that is the source folder. "" when the command ends here. `DestD` is the
// folder of a drop (Move only): the dialog offers it first and leaves the panes alone, and the folder
// the user confirms is the destination.
std::string choose_destination(App& app, const std::string& source, const std::string& DestD) {
    Form1& f = app.form1();
    const int passive = 1 - f.Switchy;
    const bool dialog = !SelectFolderSuppressed(app);
    for (;;) {
        std::string destination = DestD.empty() ? std::string(f.Dir1[passive].Path) : DestD;
        if (dialog) {
            SelectFolder& select = app.selectFolder();
            if (!DestD.empty()) {
                select.SetFirstEntry(files::with_separator(DestD));
                select.SetNoChange();
            }
            select.ShowModal();
            const std::string confirmed = select.Combo1.Text;
            if (confirmed.empty()) return {};
            destination = DestD.empty() ? std::string(f.Dir1[passive].Path) : confirmed;
        }
        destination = files::with_separator(destination);
        // One folder by two names (a link, a bind mount, two spellings on a drive that folds letter
        // case) is refused as the same text is.
        if (!files::same_folder(source, destination)) return destination;
        app.host.MsgBox(std::string("The source folder is identical to the destination folder!") + "\r\n" +
                            "Please select a different folder.",
                        ui::vbExclamation);
        if (!dialog) return {};
    }
}

// Deselects the plug-in rows of a file the user chose to leave, so that the rows stay.
void keep_rows_of(App& app, int pane, const std::string& item) {
    ui::ListBox& list = app.form1().List3[pane];
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.IsSelected(i) && app.PluginCatalog[pane].PathOf(list.GetItemData(i)) == item) list.Selected(i) = false;
}

} // namespace

void cmd_CopyFiles(App& app) {
    Form1& f = app.form1();
    const int active = f.Switchy, passive = 1 - active;
    if (app.PaneMode[active] != 1 && app.PaneMode[active] != 2) {
        app.host.MsgBox("Copy only work in File and Plugin View!", ui::vbExclamation);
        return;
    }
    HourglassPointer pointer(f);
    std::vector<std::string> selected;
    if (!GetSelectedItems(app, selected, active)) {
        app.host.MsgBox("Please select one or more files.", ui::vbExclamation);
        return;
    }
    try {
        const std::string destination = choose_destination(app, f.Dir1[active].Path, {});
        if (destination.empty()) return;
        const std::vector<std::string> items = UniquePaths(selected);
        const auto started = app.host.SteadyNow();
        const long total = static_cast<long>(items.size());
        long copied = 0;
        std::vector<FailedItem> failed;
        for (long i = 0; i < total; ++i) {
            if (EscapePressed(app)) {
                // Stopped: what is copied stays, the lists are left as they are.
                OverwriteCheck(app, "", "");
                StatusDisplayClear(app);
                ReportFailedItems(app, failed, "copied");
                return;
            }
            const std::string& item = items[static_cast<std::size_t>(i)];
            const std::string target = destination + GetFileName(item);
            // A file reached under the destination by another name is the file itself.
            if (!files::same_file(item, target)) {
                const int answer = OverwriteCheck(app, item, target);
                if (answer == OverwriteCancelBatch) break;
                if (answer == OverwriteGo) {
                    try {
                        // The copy goes to a hidden file first and replaces the target only when whole.
                        files::copy_file(item, target, true);
                        ++copied;
                    } catch (const vb::Error& e) {
                        // Told after the batch, with the others that failed.
                        failed.push_back({item, e.description()});
                    }
                }
            }
            ShowBatchProgress(app, i + 1, total, started);
        }
        app.ScanValid[passive] = false;
        OverwriteCheck(app, "", "");
        StatusDisplayClear(app);
        if (copied > 0) {
            RefreshFile1C(app, active);
            if (app.PaneMode[passive] == 2) f.SSTab1_Click(passive);
        }
        ReportFailedItems(app, failed, "copied");
    } catch (const vb::Error&) {
        StatusDisplayClear(app);
    }
}

void cmd_MoveFiles(App& app, const std::string& DestD) {
    Form1& f = app.form1();
    const int active = f.Switchy, passive = 1 - active;
    if (app.PaneMode[active] != 1 && app.PaneMode[active] != 2) {
        app.host.MsgBox("Move only works in File and Plugin View!", ui::vbExclamation);
        return;
    }
    std::vector<std::string> selected;
    if (!GetSelectedItems(app, selected, active)) {
        const std::string folder = DestD.empty() ? GetSingleFolder(app, active, false) : DestD;
        if (!folder.empty()) cmd_MoveDir(app, folder);
        return;
    }
    const std::string destination = choose_destination(app, f.Dir1[active].Path, DestD);
    if (destination.empty()) return;
    HourglassPointer pointer(f);
    const std::vector<std::string> items = UniquePaths(selected);
    const auto started = app.host.SteadyNow();
    const long total = static_cast<long>(items.size());
    long moved = 0;
    std::vector<FailedItem> failed;
    bool stopped = false;
    for (long i = 0; i < total; ++i) {
        if (EscapePressed(app)) {
            OverwriteCheck(app, "", "");
            StatusDisplayClear(app);
            ReportFailedItems(app, failed, "moved");
            return;
        }
        const std::string& item = items[static_cast<std::size_t>(i)];
        const std::string target = destination + GetFileName(item);
        if (files::same_file(item, target) || !files::exists(item)) {
            // Onto itself, or already gone: nothing to move, and its rows stay.
            if (app.PaneMode[active] == 2) keep_rows_of(app, active, item);
        } else {
            const int answer = OverwriteCheck(app, item, target);
            if (answer == OverwriteCancelBatch) break;
            if (answer == OverwriteSkip && app.PaneMode[active] == 2) keep_rows_of(app, active, item);
            if (answer == OverwriteGo) {
                // A file target the user agreed to replace is put aside first and erased only once
                // the move is done, so a failing move leaves both. A folder of the target's name is
                // never replaced: the move fails, and is told after the batch.
                std::string aside;
                bool go = true;
                if (files::file_exists(target) && !files::folder_exists(target)) {
                    try {
                        aside = PutAside(target);
                    } catch (const vb::Error& e) {
                        go = false;
                        app.Err.Raise(e);
                        stopped = ErrorMessage2(app) != ui::vbYes;
                    }
                }
                if (go) {
                    try {
                        files::rename(item, target);
                        ++moved;
                    } catch (const vb::Error& e) {
                        failed.push_back({item, e.description()});
                        if (!aside.empty()) vb::ResumeNext([&] { files::rename(aside, target); });
                        aside.clear();
                    }
                }
                if (!aside.empty()) {
                    try {
                        files::delete_file(aside);
                    } catch (const vb::Error& e) {
                        app.Err.Raise(e);
                        stopped = ErrorMessage2(app) != ui::vbYes;
                    }
                }
            }
        }
        // No at "Continue anyway?" ends the batch here, but what was moved is shown and what failed
        // is told, as at the end of every batch.
        if (stopped) break;
        ShowBatchProgress(app, i + 1, total, started);
    }
    StatusDisplayClear(app);
    // Rows leave the Plugin View only for files that really went.
    if (app.PaneMode[active] == 2) vb::ResumeNext([&] { RemoveRowsOfGoneFiles(app, active); });
    if (moved == 0) {
        OverwriteCheck(app, "", "");
        ReportFailedItems(app, failed, "moved");
        return;
    }
    vb::ResumeNext([&] { RefreshBoth(app, active); });
    app.ScanValid[0] = false;
    app.ScanValid[1] = false;
    if (app.PaneMode[passive] == 2) vb::ResumeNext([&] { f.SSTab1_Click(passive); });
    OverwriteCheck(app, "", "");
    ReportFailedItems(app, failed, "moved");
}

} // namespace vexolan
