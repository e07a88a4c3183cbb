#include "filemanager/command_helpers.hpp"

#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/selection.hpp"
#include "shell/status.hpp"

#include "platform/fs/files.hpp"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <set>

namespace vexolan {

HourglassPointer::HourglassPointer(Form1& f) : f_(f) {
    f_.MousePointer = ui::vbHourglass;
}

HourglassPointer::~HourglassPointer() {
    try {
        f_.MousePointer = ui::vbDefault;
    } catch (const vb::Error&) {
    }
}

bool SelectFolderSuppressed(App& app) {
    return app.form2().Check4.Value == ui::vbChecked;
}

bool EscapePressed(App& app) {
    return app.host.KeyDown(ui::vbKeyEscape);
}

void ShowBatchProgress(App& app, long done, long total, std::chrono::steady_clock::time_point started) {
    vb::ResumeNext([&] { StatusDisplay(app, done, total, started); });
}

std::vector<std::string> UniquePaths(const std::vector<std::string>& items) {
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (const auto& item : items) {
        if (item.empty()) continue;
        if (seen.insert(files::absolute_path(item)).second) out.push_back(item);
    }
    return out;
}

bool HasPluginEnding(std::string_view name) {
    static constexpr std::array<std::string_view, 9> endings{".8bf", ".prm", "._bf", "._rm", ".aex",
                                                             "._ex", "_8bf", "_prm", "_aex"};
    if (name.size() < 4) return false;
    const std::string last = vb::LCase(name.substr(name.size() - 4));
    return std::find(endings.begin(), endings.end(), last) != endings.end();
}

int RemoveRowsOfGoneFiles(App& app, int pane) {
    Form1& f = app.form1();
    ui::ListBox& list = f.List3[pane];
    PluginCatalogPane& catalog = app.PluginCatalog[pane];
    int removed = 0;
    for (int i = list.ListCount() - 1; i >= 0; --i) {
        if (!list.IsSelected(i)) continue;
        const int row = list.GetItemData(i);
        const std::string path = catalog.PathOf(row);
        // A built-in filter has no file; a file still on disk keeps its row.
        if (path.empty() || files::exists(path)) continue;
        catalog.Category[static_cast<std::size_t>(row)].clear();
        list.RemoveItem(i);
        ++removed;
    }
    return removed;
}

std::string PutAside(const std::string& path) {
    const std::string abs = files::absolute_path(path);
    const auto slash = abs.find_last_of('/');
    const std::string folder = abs.substr(0, slash + 1), name = abs.substr(slash + 1);
    // The put-aside name tells what it was where it fits; a name near the length limit (255 bytes)
    // gets a short one of its own instead, so that such a file can be replaced too.
    const long room = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t nameMax = room > 0 ? static_cast<std::size_t>(room) : 255;
    for (int n = 1; n < 100000; ++n) {
        std::string aside = "." + name + ".replaced-" + std::to_string(n);
        if (aside.size() > nameMax) aside = ".vexolan-replaced-" + std::to_string(n);
        const std::string candidate = folder + aside;
        if (files::exists(candidate)) continue;
        try {
            files::rename(abs, candidate);
        } catch (const vb::Error& e) {
            if (e.number() == vb::ErrFileExists) continue; // taken meanwhile
            throw;
        }
        return candidate;
    }
    throw vb::Error(vb::ErrFileExists);
}

void ReportFailedItems(App& app, const std::vector<FailedItem>& failed, std::string_view done) {
    if (failed.empty()) return;
    constexpr std::size_t Shown = 5;
    std::string text = failed.size() == 1 ? std::string("1 item was not ") + std::string(done) + ":"
                                          : std::to_string(failed.size()) + " items were not " + std::string(done) + ":";
    for (std::size_t i = 0; i < failed.size() && i < Shown; ++i) {
        const std::string& path = failed[i].Path;
        text += "\r\n" + path.substr(path.find_last_of('/') + 1) + " (" + failed[i].Reason + ")";
    }
    if (failed.size() > Shown) text += "\r\nand " + std::to_string(failed.size() - Shown) + " more.";
    app.host.MsgBox(text, ui::vbExclamation);
}

void PointPaneAt(App& app, int pane, const std::string& folder) {
    Form1& f = app.form1();
    vb::ResumeNext([&] {
        // The drive box first: its change would otherwise take the folder box back to the drive.
        f.Drive1[pane].Drive = folder;
        f.Dir1[pane].Path = folder;
        f.File1[pane].Path = folder;
        DrawDirLabel(app, pane);
    });
}

bool IsInFolder(const std::string& path, const std::string& folder) {
    const std::string p = files::absolute_path(path), top = files::absolute_path(folder);
    if (p == top || top == "/") return true;
    return p.size() > top.size() && p.compare(0, top.size(), top) == 0 && p[top.size()] == '/';
}

namespace {

std::string parent_folder(const std::string& abs) {
    const auto slash = abs.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? std::string("/") : abs.substr(0, slash);
}

void follow_active_pane(App& app) {
    Form1& f = app.form1();
    vb::ResumeNext([&] { files::ChDir(f.Dir1[f.Switchy].Path.get()); });
}

} // namespace

void LeaveFolder(App& app, const std::string& folder) {
    Form1& f = app.form1();
    const std::string top = files::absolute_path(folder);
    std::string target = parent_folder(top);
    while (!files::is_root(target) && !files::folder_exists(target))
        target = parent_folder(target);
    bool moved = false;
    for (int pane = 0; pane < 2; ++pane) {
        if (!IsInFolder(f.Dir1[pane].Path, top)) continue;
        PointPaneAt(app, pane, target);
        moved = true;
    }
    if (moved) follow_active_pane(app);
}

void FollowMovedFolder(App& app, const std::string& from, const std::string& to) {
    Form1& f = app.form1();
    const std::string a = files::absolute_path(from), b = files::absolute_path(to);
    bool moved = false;
    for (int pane = 0; pane < 2; ++pane) {
        const std::string shown = files::absolute_path(f.Dir1[pane].Path.get());
        if (!IsInFolder(shown, a)) continue;
        PointPaneAt(app, pane, b + shown.substr(a.size()));
        moved = true;
    }
    if (moved) follow_active_pane(app);
}

} // namespace vexolan
