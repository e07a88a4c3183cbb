// Enable and disable: a plug-in is switched off by renaming its ending, so that the host application
// stops loading it, and switched on again by the reverse rename.

#include "catalogue/commands.hpp"

#include "filemanager/refresh.hpp"
#include "platform/fs/files.hpp"
#include "preferences/plugtypes.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"
#include "shell/selection.hpp"
#include "shell/status.hpp"

#include <algorithm>

namespace vexolan {

namespace {

bool ends_with(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

} // namespace

std::optional<ToggledName> ToggleName(const PlugTypeTable& PlugTypes, std::string_view path) {
    const std::string name = GetFileName(path);
    const std::string folder = GetPathName(path);
    const std::string lower = vb::LCase(name);
    const std::size_t n = lower.size();
    // The base name with its own case, less the last `k` characters, and the new ending.
    auto renamed = [&](std::size_t k, std::string_view ending, bool enabled) {
        return ToggledName{folder + name.substr(0, n - k) + std::string(ending), enabled};
    };
    // The disabled three-letter forms are only taken after a ".", so no letter of the base name is lost.
    auto dotted = [&](std::string_view three) { return n >= 4 && ends_with(lower, "." + std::string(three)); };
    if (dotted("pr-") || dotted("_rm")) return renamed(4, ".prm", true);
    if (dotted("8b-") || dotted("_bf")) return renamed(4, ".8bf", true);
    if (dotted("_ex")) return renamed(4, ".aex", true);
    if (n >= 5 && ends_with(lower, "_8bf")) return renamed(4, ".8bf", true);
    if (ends_with(lower, ".8bf")) return renamed(4, "._bf", false);
    for (std::string_view three : {"prm", "aex"}) {
        if (n >= 5 && ends_with(lower, "_" + std::string(three))) return renamed(4, "." + std::string(three), true);
        if (ends_with(lower, "." + std::string(three))) return renamed(4, "_" + std::string(three), false);
    }
    // The checked user-defined types, in the order of the type table: the enabled form first.
    for (int pass = 0; pass < 2; ++pass) {
        for (int c = 0; c <= PlugTypes.UBound(); ++c) {
            const std::string& ext = PlugTypes(1, c);
            if (ext.empty()) continue;
            const std::string lext = vb::LCase(ext);
            if (n <= lext.size() + 1) continue;
            if (pass == 0 && ends_with(lower, "." + lext)) return renamed(lext.size() + 1, "_" + lext, false);
            if (pass == 1 && ends_with(lower, "_" + lext)) return renamed(lext.size() + 1, "." + ext, true);
        }
    }
    return std::nullopt;
}

namespace {

// Renames one file; on a failure the user chooses between going on (true) and stopping (false).
// `done` tells whether the file was renamed.
bool Rename(App& app, const std::string& from, const std::string& to, bool& done) {
    done = false;
    try {
        files::rename(from, to);
        done = true;
        return true;
    } catch (const vb::Error& e) {
        app.Err.Raise(e);
        return ErrorMessage2(app) == ui::vbYes;
    }
}

} // namespace

void cmd_EnableDisable(App& app) {
    Form1& f = app.form1();
    const int pane = f.Switchy;
    if (app.PaneMode[pane] == 3) {
        app.host.MsgBox("En/Disable doesn't work in the FFL View.", ui::vbExclamation);
        return;
    }
    f.MousePointer = ui::vbHourglass;

    if (app.PaneMode[pane] == 2) {
        ui::ListBox& list = f.List3[pane];
        PluginCatalogPane& cat = app.PluginCatalog[pane];
        std::vector<std::string> handled;
        bool otherMet = false;
        f.FreezeRedraw(true);
        for (int i = 0; i < list.ListCount(); ++i) {
            if (!list.IsSelected(i)) continue;
            const int row = list.GetItemData(i);
            const std::string path = cat.PathOf(row);
            if (row < 1 || path.empty()) continue;
            if (std::find(handled.begin(), handled.end(), path) != handled.end()) continue;
            std::optional<ToggledName> to = ToggleName(app.PlugTypes, path);
            if (!to) continue;
            if (cat.CatOffset[static_cast<std::size_t>(row)] != 0) {
                otherMet = true;
                continue;
            }
            bool done = false;
            if (!Rename(app, path, to->Path, done)) {
                f.MousePointer = ui::vbDefault;
                f.FreezeRedraw(false);
                return;
            }
            if (!done) continue;
            // This pane's rows follow the rename below; another pane on the same folder scans again.
            const bool current = app.ScanValid[static_cast<std::size_t>(pane)];
            f.FolderChanged(GetPathName(path));
            app.ScanValid[static_cast<std::size_t>(pane)] = current;
            handled.push_back(to->Path);
            for (auto& p : cat.Path)
                if (p == path) p = to->Path;
            const char mark = to->Enabled ? '+' : '-';
            for (int j = 0; j < list.ListCount(); ++j) {
                if (cat.PathOf(list.GetItemData(j)) != to->Path) continue;
                std::string text = list.List(j);
                if (text.empty()) continue;
                text[0] = mark;
                list.SetList(j, text);
            }
        }
        f.CheckPhotoshopMode(pane);
        f.FreezeRedraw(false);
        f.List3_Click(pane);
        RefreshFile1(app, pane);
        if (otherMet)
            app.host.MsgBox("En/Disabling of non Filter Factory plugins is only available in the Pro Edition!",
                            ui::vbExclamation);
    } else {
        std::vector<std::string> items;
        int matched = 0;
        if (GetSelectedItems(app, items, pane)) {
            for (const auto& path : items) {
                std::optional<ToggledName> to = ToggleName(app.PlugTypes, path);
                if (!to) continue;
                ++matched;
                bool done = false;
                if (!Rename(app, path, to->Path, done)) {
                    f.MousePointer = ui::vbDefault;
                    RefreshFile1(app, pane);
                    return;
                }
                if (done) {
                    app.ScanValid[pane] = false;
                    f.FolderChanged(GetPathName(path));
                }
            }
        }
        if (matched > 0)
            RefreshFile1(app, pane);
        else
            app.host.MsgBox("Enabling and disabling of this file type is not possible.", ui::vbExclamation);
    }
    f.MousePointer = ui::vbDefault;
}

} // namespace vexolan
