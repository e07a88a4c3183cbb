#include "filemanager/refresh.hpp"

#include "filemanager/fileview.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"
#include "shell/prefs_link.hpp"

#include "platform/fs/files.hpp"

namespace vexolan {

namespace {

// Both panes show one folder also when they name it differently (a link, or two spellings on a drive
// that folds letter case): then both are refreshed.
bool same_files(Form1& f) {
    return files::same_folder(f.File1[0].Path.get(), f.File1[1].Path.get());
}

bool same_folders(Form1& f) {
    return files::same_folder(f.Dir1[0].Path.get(), f.Dir1[1].Path.get());
}

void refill(App& app, int pane) {
    Form1& f = app.form1();
    if (f.ListView1[pane].Visible) FillDirList(app, f.Dir1[pane].Path.get(), pane, true);
}

// Fits the columns of each pane's list that shows Details, when "Auto Column Width" is on.
void fit_columns(App& app, int first) {
    Form1& f = app.form1();
    bool autoWidth = false;
    vb::ResumeNext([&] { autoWidth = AutoColumnWidth(app); });
    if (!autoWidth) return;
    for (int pane : {first, 1 - first})
        if (f.ListView1[pane].Visible && f.ListView1[pane].View == ui::lvwReport)
            vb::ResumeNext([&] { LV_OptimalWidth(f.ListView1[pane]); });
}

// The refresh of pane `p`, taking along pane `o` where it shows the same folder.
void refresh_pair(App& app, int p, int o) {
    Form1& f = app.form1();
    vb::ResumeNext([&] { f.File1[p].Refresh(); });
    if (same_files(f)) vb::ResumeNext([&] { f.File1[o].Refresh(); });
    vb::ResumeNext([&] { f.Dir1[p].Refresh(); });
    const bool sameFolder = same_folders(f);
    if (sameFolder) vb::ResumeNext([&] { f.Dir1[o].Refresh(); });
    refill(app, p);
    if (sameFolder) refill(app, o);
}

} // namespace

void RefreshFile1(App& app, int Switchx) {
    refresh_pair(app, Switchx, 1 - Switchx);
    fit_columns(app, Switchx);
}

void RefreshFile1C(App& app, int Switchx) {
    refresh_pair(app, 1 - Switchx, Switchx);
    fit_columns(app, Switchx);
}

void RefreshBoth(App& app, int Switchx) {
    Form1& f = app.form1();
    const int o = 1 - Switchx;
    vb::ResumeNext([&] { f.File1[Switchx].Refresh(); });
    vb::ResumeNext([&] { f.File1[o].Refresh(); });
    refill(app, Switchx);
    refill(app, o);
    fit_columns(app, Switchx);
}

} // namespace vexolan
