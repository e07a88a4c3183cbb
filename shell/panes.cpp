// The two panes: which one is active, and which view each shows.

#include "shell/panes.hpp"

#include "filemanager/fileview.hpp"
#include "platform/fs/files.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/prefs_link.hpp"
#include "shell/status.hpp"

namespace vexolan {

namespace {

constexpr const char* ScanPattern = "*.8bf;*._bf;*_8bf;*?prm;*.pr-;*_prm;*?aex;*._ex;*_aex;*.bin";
constexpr const char* SourcesPattern = ";*.ffx;*.txt;*.afs;*.pff";
// A longer pattern list than the file box takes: every file is listed and judged by the scanner.
constexpr std::size_t MaxPatternLength = 256;

std::string limited(std::string pattern) {
    return pattern.size() > MaxPatternLength ? "*.*" : pattern;
}

} // namespace

void Form1::FolderChanged(std::string_view folder) {
    const auto trimmed = [](std::string_view path) {
        while (path.size() > 1 && path.back() == '/')
            path.remove_suffix(1);
        return std::string(path);
    };
    const std::string changed = trimmed(folder);
    for (std::size_t p = 0; p < 2; ++p) {
        const std::string scanned = trimmed(PaneScanPath[p]);
        if (scanned.empty()) continue;
        const bool below = changed.size() > scanned.size() && changed.compare(0, scanned.size(), scanned) == 0 &&
                           (scanned == "/" || changed[scanned.size()] == '/');
        if (changed == scanned || below) app.ScanValid[p] = false;
    }
}

void Form1::Switchit(int Valy) {
    int p = Valy, q = 1 - Valy;
    Switchy = p;
    vb::ResumeNext([&] { files::ChDir(Dir1[p].Path.get()); });

    for (int pane : {p, q}) {
        ui::Color back = pane == p ? ui::vbWindowBackground : ui::vbButtonFace;
        File1[pane].BackColor = back;
        List3[pane].BackColor = back;
        ListView2[pane].BackColor = back;
        ListView1[pane].BackColor = back;
    }

    int mode = app.PaneMode[p];
    bool fileView = mode == 1, pluginView = mode == 2, notLibrary = mode != 3;
    Command1[3].Enabled = notLibrary;
    Command1[4].Enabled = pluginView;
    mnuEnable.Enabled = notLibrary;
    mnuChangeCat.Enabled = pluginView;
    mnuRename.Enabled = fileView;
    mnuFilecopy.Enabled = notLibrary;
    mnuMove.Enabled = notLibrary;
    mnuKill2.Enabled = notLibrary;
    mnuFileInformation.Enabled = notLibrary;
    mnuZipit.Enabled = fileView;
    mnuUnzipit.Enabled = fileView;
    mnuUnzipInstall.Enabled = fileView;
    mnuPlugInfo.Enabled = notLibrary;
    mnuPluginAbout.Enabled = notLibrary;
    mnuInvoke.Enabled = notLibrary;
    mnuMakeDir.Enabled = fileView;

    // Absent from this edition in every view.
    Command1[1].Enabled = false;
    Command1[2].Enabled = false;
    Command1[5].Enabled = false;
    mnuBrowser.Enabled = false;
    mnuBatchProcessing.Enabled = false;
    mnuSearch.Enabled = false;
}

void Form1::ShowViewFrame(int pane, int k) {
    ViewFrame(pane, k).Visible = true;
    ViewFrame(pane, k).ZOrder(0);
    for (int j = 1; j <= 3; ++j)
        if (j != k) ViewFrame(pane, j).Visible = false;
}

void Form1::Pane_GotFocus(int Index) {
    if (Index != Switchy) Switchit(Index);
}

void Form1::SSTab1_Click(int Index) {
    if (PaneScanBusy[Index]) return;
    int t = SSTab1[Index].SelectedItem;

    if (t == 3) {
        // The FFL View belongs to the Pro Edition: the pane goes back to the view it had.
        host().MsgBox("The FFL View is only available in the Pro Edition!", ui::vbExclamation);
        SSTab1[Index].SelectedItem = app.PaneMode[Index];
        return;
    }

    app.PaneMode[Index] = t;
    ShowViewFrame(Index, t);
    ViewFrame(Index, t).Refresh();

    if (t == 1) {
        vb::ResumeNext([&] { File1[Index].Refresh(); });
        vb::ResumeNext([&] { File1[Index].Height = Combo1[Index].Top - File1[Index].Top; });
        vb::ResumeNext([&] { Dir1[Index].Height = Combo1[Index].Top - Dir1[Index].Top; });
        if (ListView1[Index].Visible) vb::ResumeNext([&] { ListView1[Index].SetFocus(); });
        Label1[Index].Caption = "";
        Switchit(Index);
        MousePointer = ui::vbDefault;
        return;
    }

    ui::ToolbarButton& preview = Toolbar1.Buttons(1);
    bool previewHidden = false;
    try {
        MousePointer = ui::vbHourglass;
        bool OnlyFF = host().KeyDown(ui::vbKeyShift);
        FreezeRedraw(true);
        List2[Index].Height = Label5[Index].Top - List2[Index].Top;
        List3[Index].Height = Label5[Index].Top - List3[Index].Top;
        Dir1[Index].Refresh();
        File1[Index].Refresh();

        if (app.ScanValid[Index] && File1[Index].Path.get() == PaneScanPath[Index]) {
            FreezeRedraw(false);
            MousePointer = ui::vbDefault;
            Switchit(Index);
            vb::ResumeNext([&] { List2[Index].SetFocus(); });
            return;
        }

        app.ScanValid[Index] = true;
        PaneScanPath[Index] = File1[Index].Path;
        Label5[Index].Caption = PaneScanPath[Index] + (PaneScanPath[Index] == "/" ? "" : "/");
        if (preview.Value == ui::tbrPressed) {
            preview.Visible = false;
            previewHidden = true;
        }
        File1[Index].Enabled = false;
        std::string keptPattern = File1[Index].Pattern;
        File1[Index].Pattern = limited(ScanPattern + PlugTypeMask(app));
        if (IncludeSources(app)) File1[Index].Pattern = limited(File1[Index].Pattern.get() + SourcesPattern);
        host().DoEvents();
        File1[Index].Enabled = true;
        FreezeRedraw(false);
        List2[Index].Clear();
        List3[Index].Clear();

        // Only this pane's rows go; the other pane keeps its catalogue and categories.
        app.PluginCatalog[Index].Reset();

        vb::ResumeNext([&] { List2[Index].SetFocus(); });
        PaneScanBusy[Index] = true;
        Check1[Index].Enabled = false;
        int LastDirInd = Dir1[Index].ListIndex;

        app.ScanStopped[Index] = false;
        long n = app.ScanPluginRecurse ? app.ScanPluginRecurse(Index, OnlyFF, 0, LastDirInd) : 0;
        Progressbar(app, 100, false);
        Label4.Caption = "";

        if (File1[Index].Pattern.get() != keptPattern) File1[Index].Pattern = keptPattern;
        Dir1[Index].ListIndex = LastDirInd;
        File1[Index].Path = Dir1[Index].List(Dir1[Index].ListIndex);

        if (n == 0) {
            Progressbar(app, 0, false);
            Label4.Caption = "";
            MousePointer = ui::vbDefault;
            if (previewHidden) preview.Visible = true;
            app.ScanValid[Index] = false;
            PaneScanBusy[Index] = false;
            // A scan the user stopped with Esc found nothing to report.
            if (!app.ScanStopped[Index])
                host().MsgBox("No plugins or other supported files were found in the current\r\n"
                              "folder. Please select another folder and try again.",
                              ui::vbExclamation);
            SSTab1[Index].SelectedItem = 1;
            return;
        }

        std::vector<std::string>& categories = app.PaneCategories[Index];
        categories.clear();
        for (int j = 0; j < List2[Index].ListCount(); ++j)
            categories.push_back(List2[Index].List(j));
        if (List2[Index].ListCount() > 0 && List2[Index].ListIndex < 0) List2[Index].ListIndex = 0;
        Progressbar(app, 0, false);
        MousePointer = ui::vbDefault;
        Switchit(Index);
        List2[Index].Visible = true;
        vb::ResumeNext([&] { List2[Index].SetFocus(); });
        List3[Index].Visible = true;
        if (previewHidden) preview.Visible = true;
        if (List2[Index].ListCount() > 0 && List2[Index].SelCount() == 0) List2[Index].Selected(0) = true;
        PaneScanBusy[Index] = false;
    } catch (const vb::Error& e) {
        app.Err.Raise(e);
        ErrorMessage(app);
        Dir1[Index].Enabled = true;
        // The lists of a failed scan are partial: the next visit scans again.
        app.ScanValid[Index] = false;
        if (previewHidden) preview.Visible = true;
        Progressbar(app, 0, false);
        PaneScanBusy[Index] = false;
        FreezeRedraw(false);
        vb::ResumeNext([&] { SSTab1[Index].SelectedItem = 1; });
        MousePointer = ui::vbDefault;
    }
}

void Form1::Drive1_Change(int Index) {
    try {
        Dir1[Index].Path = Drive1[Index].Drive.get();
        if (ListView1[Index].Visible) FillDirList(app, Dir1[Index].Path, Index, "");
    } catch (const vb::Error&) {
        // A drive that cannot be opened: fall back once to the first usable entry, without
        // raising this event again.
        for (int i = 0; i < Drive1[Index].ListCount(); ++i) {
            try {
                Dir1[Index].Path = Drive1[Index].List(i);
                Drive1[Index].Drive.store(Drive1[Index].List(i));
                break;
            } catch (const vb::Error&) {
            }
        }
    }
}

} // namespace vexolan
