#include "catalogue/scanner.hpp"

#include "catalogue/readers.hpp"
#include "filterfactory/layouts.hpp"
#include "filterfactory/plugin_reader.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "platform/fs/files.hpp"
#include "platform/fs/patterns.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"
#include "shell/prefs_link.hpp"
#include "shell/status.hpp"

#include <algorithm>
#include <chrono>
#include <set>

namespace vexolan {

namespace {

bool less_no_case(const std::string& a, const std::string& b) {
    std::string la = vb::LCase(a), lb = vb::LCase(b);
    if (la != lb) return la < lb;
    return a < b;
}

bool one_of(std::string_view ext, std::initializer_list<std::string_view> list) {
    return std::find(list.begin(), list.end(), ext) != list.end();
}

std::uint8_t room_of(std::int32_t count) {
    // A room above 255 is kept as 255, not wrapped: a wrapped room would refuse categories that fit.
    return static_cast<std::uint8_t>(std::clamp<std::int32_t>(count, 0, 255));
}

// The category position of a 53760-byte Filter Factory plug-in counts as "written through the layout"
// only when the file really carries a Filter Factory signature.
bool is_filter_factory(const std::string& path) {
    try {
        return ff::FindPluginLayout(files::read_file_bytes(path)) != nullptr;
    } catch (const vb::Error&) {
        return false;
    }
}

struct Scan {
    App& app;
    Form1& f;
    int Index;
    bool OnlyFF;
    int MultiTask;
    PluginCatalogPane& cat;
    bool subfolders = false;
    bool sources = false;
    bool typeList = false;
    std::string pattern;
    std::string longest;
    std::set<std::string> offered;
    long lastPercent = -1;
    bool stopped = false;

    void progress(double percent) {
        long p = static_cast<long>(vb::RoundHalfEven(percent));
        if (p == lastPercent) return;
        lastPercent = p;
        Progressbar(app, p, false);
    }

    bool escape() { return app.host.KeyDown(ui::vbKeyEscape); }

    // The name of the folder or file being read. Names change faster than anyone can read them, and
    // each change costs the screen a repaint: a new name shows at most every FlushInterval.
    bool shownOnce = false;
    std::chrono::steady_clock::time_point lastShown{};
    void show(const std::string& text) {
        const auto now = app.host.SteadyNow();
        if (shownOnce && now - lastShown < ui::Host::FlushInterval) return;
        shownOnce = true;
        lastShown = now;
        f.Label4.ForeColor = ui::RGB(0, 0, 0);
        f.Label4.Caption = text;
        f.Label4.Refresh();
    }

    int add_row(const std::string& path, std::string category, std::string title, std::int32_t offset,
                std::uint8_t room) {
        cat.Path.push_back(path);
        cat.Category.push_back(std::move(category));
        cat.Title.push_back(std::move(title));
        cat.CatOffset.push_back(offset);
        cat.CatRoom.push_back(room);
        return cat.RowBound();
    }

    void offer(const std::string& category) {
        if (!offered.insert(category).second) return;
        f.List2[Index].AddItem(category);
        if (category.size() > longest.size()) longest = category + "  ";
    }

    // The rows of one file; returns how many it gave.
    int read_file(const std::string& folder, const files::DirEntry& e) {
        const std::string full = files::join_path(folder, e.Name);
        const std::string lower = vb::LCase(e.Name);
        const std::string ext = lower.size() >= 4 ? lower.substr(lower.size() - 4) : lower;
        const bool photoshop = one_of(ext, {".8bf", "._bf", ".bin", ".aex", "._ex", "_8bf", "_aex"});
        const bool premiere = one_of(ext, {".prm", "._rm", "_prm"});
        const bool source = one_of(ext, {".txt", ".afs", ".pff", ".ffx"});

        if (OnlyFF) {
            std::uint64_t n = e.Length;
            if (premiere) {
                if (n != 50176 && n != 50688 && n != 51200 && n != 53248) return 0;
            } else if (one_of(ext, {".8bf", "._bf", ".bin", "_8bf"})) {
                if (n != 57344 && n != 49152 && n != 53760 && n != 49664 && n != 99712 && n != 99840) return 0;
            } else {
                return 0;
            }
        }

        const int first = cat.RowBound() + 1;
        if (photoshop || premiere) {
            catalogue::PluginInfoList info;
            bool ok;
            if (ext == ".bin") {
                std::string diry = files::with_separator(folder);
                ok = ff::Read8bf(app.FF, diry, e.Name, false, false);
                info.assign(1, {app.FF.Record.Category, app.FF.Record.Title, 0, 0});
            } else {
                ok = catalogue::ReadCom8bf(app.FF, full, info);
            }
            // The category positions of the Premiere Filter Factory and Transition Factory plug-ins
            // name their kind, whichever reader found them; such a category is written through the
            // Filter Factory layout (offset 0).
            const auto premiere_kind = [](std::string& category, std::int32_t& offset) {
                if (offset == 29108 || offset == 29612 || offset == 32172) {
                    category = "[Premiere FF]";
                    offset = 0;
                } else if (offset == 29172 || offset == 29692 || offset == -26460) {
                    category = "[Premiere TF]";
                    offset = 0;
                }
            };
            if (ok) {
                for (const auto& filter : info) {
                    std::int32_t offset = filter.CatOffset;
                    std::string category = filter.Category;
                    if (photoshop) {
                        if (offset == 23896 || offset == 31064 || offset == 34980) offset = 0;
                        if (offset == 30404 && e.Length == 53760 && is_filter_factory(full)) offset = 0;
                    } else {
                        premiere_kind(category, offset);
                    }
                    add_row(full, category, filter.Title, offset, room_of(filter.CatRoom));
                }
            } else if (premiere) {
                std::string cy, fy;
                std::int32_t placy = 0, room = 0;
                // A held Esc ends the search of a huge file between its slices; the file then counts as
                // unreadable and the scan stops after it as after any file.
                catalogue::ReadComprm(full, cy, fy, placy, room, [this] { return escape(); });
                premiere_kind(cy, placy);
                add_row(full, cy, fy, placy, room_of(room));
            } else {
                add_row(full, "", "", 0, 0);
            }
            // A plug-in file always gives a row, even when nothing could be read.
            int last = cat.RowBound();
            if (cat.Title[last].empty() || cat.Category[last].empty()) {
                cat.Category[last] = "[Unknown]";
                cat.Title[last] = e.Name;
            }
        } else if (!source) {
            if (!typeList) return 0;
            std::string cy, fy;
            bool known = catalogue::MatchingPlugType(app.PlugTypes, lower) >= 0;
            if (!known || !catalogue::ReadOther8b(app, full, cy, fy)) return 0;
            add_row(full, cy, fy, -1, 0);
        } else {
            if (!sources) return 0;
            bool ok = false;
            if (ext == ".txt")
                ok = ff::ReadTXT(app.FF, folder, e.Name, false, false);
            else if (ext == ".afs")
                ok = ff::ReadAFS(app.FF, folder, e.Name);
            else if (ext == ".pff")
                ok = ff::ReadPFF(app.FF, folder, e.Name);
            else
                ok = ff::ReadFFX(app.FF, folder, e.Name);
            std::string title = app.FF.Record.Title + " (" + ext + ")";
            if (!ok || title.size() <= 7) return 0;
            add_row(full, app.FF.Record.Category, title, 0, 0);
        }
        // Every row's category is offered, so that each filter of a multi-filter file can be reached.
        for (int r = first; r <= cat.RowBound(); ++r)
            offer(cat.Category[static_cast<std::size_t>(r)]);
        return cat.RowBound() - first + 1;
    }

    std::vector<std::string> subfolders_of(const std::string& folder) {
        std::vector<std::string> names;
        try {
            for (auto& d : files::list_folders(folder))
                names.push_back(d.Name);
        } catch (const vb::Error&) {
        }
        std::sort(names.begin(), names.end(), less_no_case);
        return names;
    }

    // One folder's files; false when the user stopped the scan.
    bool scan_folder(const std::string& folder, bool hasSubfolders, bool perFileProgress) {
        if (escape()) return false;
        show(GetFileName(folder));
        std::vector<files::DirEntry> entries;
        try {
            // One listing serves the scan and the reports' lookups of their settings files.
            entries = files::list_files(folder, {}, {.IncludeHidden = true});
        } catch (const vb::Error&) {
            return true; // an unreadable folder is skipped
        }
        if (ff::SettingsLookups* lookups = ff::SettingsLookups::Open()) lookups->Listed(folder, entries);
        std::erase_if(entries, [&](const files::DirEntry& e) {
            return e.is_hidden() || (!pattern.empty() && !fs_patterns::MatchPatternList(e.Name, pattern));
        });
        std::sort(entries.begin(), entries.end(),
                  [](const files::DirEntry& a, const files::DirEntry& b) { return less_no_case(a.Name, b.Name); });
        const double count = static_cast<double>(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (escape()) return false;
            show(entries[i].Name);
            if (read_file(folder, entries[i]) == 0) continue;
            if (MultiTask > 0) {
                long step = static_cast<long>(vb::RoundHalfEven(100.0 / MultiTask));
                if (step > 0 && static_cast<long>(i) % step == 0) app.host.DoEvents();
            }
            if (!subfolders || !hasSubfolders) progress(cat.RowBound() / count * 100);
            if (perFileProgress) progress(static_cast<double>(i) / count * 100);
        }
        return true;
    }

    // Depth first below `folder`; false when stopped. `top` counts the starting folder's subfolders
    // done, for the progress bar.
    bool walk(const std::string& folder, int level, int& topDone, int topCount) {
        std::vector<std::string> subs = subfolders ? subfolders_of(folder) : std::vector<std::string>{};
        if (!scan_folder(folder, !subs.empty(), level == 0 && topCount == 0)) return false;
        if (topCount > 0) progress(100.0 * topDone / topCount);
        for (const auto& name : subs) {
            if (level == 0) ++topDone;
            if (!walk(files::join_path(folder, name), level + 1, topDone, topCount)) return false;
        }
        return true;
    }
};

} // namespace

long ScanPluginRecurse(App& app, int Index, bool OnlyFF, int MultiTask, int /*LastDirInd*/) {
    Form1& f = app.form1();
    PluginCatalogPane& cat = app.PluginCatalog[Index];
    // Each pane keeps its own rows: a scan starts from row 0 alone (never filled).
    cat.Reset();
    cat.Truncate(0);

    Scan scan{app, f, Index, OnlyFF, MultiTask, cat, false, false, false, {}, {}, {}, -1, false};
    Form2& prefs = app.form2();
    scan.subfolders = prefs.Check1.Value == ui::vbChecked;
    scan.sources = IncludeSources(app);
    scan.typeList = prefs.List1[3].ListCount() > 0;
    scan.pattern = f.File1[Index].Pattern;
    for (int j = 0; j < f.List2[Index].ListCount(); ++j)
        scan.offered.insert(f.List2[Index].List(j));

    const std::string start = f.Dir1[Index].Path;
    const int topCount = static_cast<int>(scan.subfolders_of(start).size());
    f.Dir1[Index].Enabled = false;
    int topDone = 0;
    // The reports of a folder find their settings files in the one listing the scan makes of it.
    ff::SettingsLookups settingsLookups;
    bool finished = scan.walk(start, 0, topDone, topCount);
    f.Dir1[Index].Enabled = true;
    if (!finished) {
        app.ScanStopped[Index] = true;
        return 0;
    }
    f.List2[Index].HorizontalExtent =
        static_cast<int>(vb::RoundHalfEven(static_cast<double>(f.TextWidth(scan.longest)) / app.host.TwipsPerPixelX()));
    return cat.RowBound();
}

} // namespace vexolan
