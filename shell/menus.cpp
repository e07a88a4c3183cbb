// The menu handlers, the button bar, the toolbar and the menu pictures of the main window.

#include "catalogue/commands.hpp"
#include "ffeditor/commands.hpp"
#include "ffeditor/preview.hpp"
#include "ffeditor/project_menu.hpp"
#include "filemanager/copy_move.hpp"
#include "filemanager/delete.hpp"
#include "filemanager/drag_drop.hpp"
#include "filemanager/fileview.hpp"
#include "filemanager/filters.hpp"
#include "filemanager/folders.hpp"
#include "filemanager/navigation.hpp"
#include "filemanager/open_by_type.hpp"
#include "filemanager/refresh.hpp"
#include "filemanager/rename_files.hpp"
#include "filemanager/select_all.hpp"
#include "filemanager/selection.hpp"
#include "filemanager/zip_commands.hpp"
#include "filterfactory/Convert.hpp"
#include "imaging/commands.hpp"
#include "imaging/preview.hpp"
#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"
#include "preferences/frmDownload.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/frmAbout.hpp"
#include "shell/frmTip.hpp"
#include "shell/help.hpp"
#include "shell/panes.hpp"
#include "shell/prefs_link.hpp"
#include "shell/selection.hpp"

namespace vexolan {

void Form1::connect_controls() {
    Resize = [this] { Form_Resize(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
    Timer1.Tick = [this] { Timer1_Timer(app); };
    MouseMove = [this](int, int, float, float) { ResetButtons(); };
    Frame1.MouseMove = [this](int, int, float, float) { ResetButtons(); };
    Frame1.MouseDown = [this](int b, int s, float x, float y) { Frame1_MouseDown(b, s, x, y); };
    Toolbar1.MouseMove = [this](int, int, float, float) { ResetButtons(); };
    for (int i = 0; i < 6; ++i)
        Command1[i].Click = [this, i] { Command1_Click(i); };
    Image1.MouseDown = [this](int, int, float, float) {
        app.aboutBox().Show();
        app.aboutBox().ZOrder(0);
    };
    for (int k = 0; k < 3; ++k) {
        Frame3[k].MouseMove = [this](int, int, float, float) { ResetButtons(); };
        Frame4[k].MouseMove = [this](int, int, float, float) { ResetButtons(); };
    }
    for (int p = 0; p < 2; ++p) {
        SSTab1[p].Click = [this, p] { SSTab1_Click(p); };
        SSTab1[p].GotFocus = [this, p] { Pane_GotFocus(p); };
        SSTab1[p].MouseMove = [this](int, int, float, float) { ResetButtons(); };
        Drive1[p].Change = [this, p] { Drive1_Change(p); };
        Drive1[p].GotFocus = [this, p] { Pane_GotFocus(p); };
        Dir1[p].Change = [this, p] { Dir1_Change(app, p); };
        Dir1[p].GotFocus = [this, p] { Pane_GotFocus(p); };
        Dir1[p].MouseDown = [this, p](int b, int s, float x, float y) { Dir1_MouseDown(p, b, s, x, y); };
        Dir1[p].MouseMove = [this](int, int, float, float) { ResetButtons(); };
        Dir1[p].KeyPress = [this, p](int& KeyAscii) { Dir1_KeyPress(app, p, KeyAscii); };
        Dir1[p].KeyUp = [this, p](int& KeyCode, int& Shift) { Dir1_KeyUp(app, p, KeyCode, Shift); };
        File1[p].GotFocus = [this, p] { Pane_GotFocus(p); };
        File1[p].MouseDown = [this, p](int b, int s, float x, float y) { File1_MouseDown(p, b, s, x, y); };
        File1[p].DblClick = [this, p] { File1_DblClick(app, p); };
        File1[p].Click = [this, p] { File1_Click(app, p); };
        File1[p].KeyDown = [this, p](int& KeyCode, int& Shift) { File1_KeyDown(app, p, KeyCode, Shift); };
        ListView1[p].GotFocus = [this, p] { Pane_GotFocus(p); };
        ListView1[p].MouseDown = [this, p](int b, int s, float x, float y) { ListView1_MouseDown(p, b, s, x, y); };
        ListView1[p].DblClick = [this, p] { ListView1_DblClick(app, p); };
        ListView1[p].ItemClick = [this, p](ui::ListItem& item) { ListView1_ItemClick(app, p, item.Text); };
        ListView1[p].KeyDown = [this, p](int& KeyCode, int& Shift) { ListView1_KeyDown(app, p, KeyCode, Shift); };
        ListView1[p].BeforeLabelEdit = [this, p](int& Cancel) { ListView1_BeforeLabelEdit(app, p, Cancel); };
        ListView1[p].AfterLabelEdit = [this, p](int& Cancel, std::string& NewString) {
            ListView1_AfterLabelEdit(app, p, Cancel, NewString);
        };
        List2[p].GotFocus = [this, p] { Pane_GotFocus(p); };
        List3[p].GotFocus = [this, p] { Pane_GotFocus(p); };
        List3[p].MouseDown = [this, p](int b, int s, float x, float y) { List3_MouseDown(p, b, s, x, y); };
        List2[p].Click = [this, p] { List2_Click(p); };
        List3[p].Click = [this, p] { List3_Click(p); };
        List3[p].DblClick = [this, p] { List3_DblClick(p); };
        List3[p].KeyDown = [this, p](int& KeyCode, int& Shift) { List3_KeyDown(p, KeyCode, Shift); };
        Combo1[p].Click = [this, p] { Combo1_Click(app, p); };
        Combo1[p].KeyPress = [this, p](int& KeyAscii) { Combo1_KeyPress(app, p, KeyAscii); };
        Combo1[p].GotFocus = [this, p] {
            TextFieldFocus(true);
            Combo1_GotFocus(app, p);
        };
        Combo1[p].LostFocus = [this] { TextFieldFocus(false); };
        ListView1[p].ColumnClick = [this, p](ui::ColumnHeader& c) { ListView1_ColumnClick(app, p, c); };
        Label6[p].MouseDown = [this, p](int b, int s, float x, float y) { Label6_MouseDown(p, b, s, x, y); };
        Label6[p].MouseMove = [this, p](int b, int s, float x, float y) { Label6_MouseMove(p, b, s, x, y); };
        Image2[p].Click = [this, p] { Image2_Click(app, p); };
        Image5[p].Click = [this, p] { Image5_Click(app, p); };
        Image4[p].Click = [this, p] { Image4_Click(app, p); };
        Image6[p].Click = [this, p] { Image6_Click(app, p); };
        for (ui::Image* image : {&Image2[p], &Image4[p], &Image5[p], &Image6[p]})
            image->MouseMove = [this, image](int, int, float, float) { ImageButton_MouseMove(*image); };
    }
    ConnectDragAndDrop(*this);
}

void Form1::connect_menus() {
    // File
    mnuOpen.Click = [this] { mnuOpen_Click(app); };
    mnuSavePreview.Click = [this] { mnuSavePreview_Click(app); };
    mnuRandomize.Click = [this] { mnuRandomize_Click(app); };
    mnuUpdateCache.Click = [this] { mnuUpdateCache_Click(app); };
    mnuEditImageList.Click = [this] { ShowPreferences(app, 5); };
    mnuPictures.Click = [this](int Index) { mnuPictures_Click(app, Index); };
    mnuApplySetting.Click = [this] { mnuApplySetting_Click(app); };
    mnuSaveSetting.Click = [this] { mnuSaveSetting_Click(app); };
    mnuOptions.Click = [this] { mnuOptions_Click(); };
    mnuExiting.Click = [this] { mnuExiting_Click(); };
    // Edit
    mnuRefresh.Click = [this] { mnuRefresh_Click(); };
    mnuToggleselect.Click = [this] { mnuToggleselect_Click(app); };
    mnuSelectAll.Click = [this] { mnuSelectAll_Click(app); };
    mnuClearTmp.Click = [this] { mnuClearTmp_Click(app); };
    // View
    mnuPluginPreview.Click = [this] { mnuPluginPreview_Click(app); };
    mnuFileView.Click = [this] { mnuFileview_Click(); };
    mnuFilterview.Click = [this] { mnuFilterview_Click(); };
    mnuFflview.Click = [this] { mnuFflview_Click(); };
    mnuBrowser.Click = [this] { Command1[1].Value = true; };
    mnuFFE.Click = [this] { mnuFFE_Click(app); };
    mnuPictureView.Click = [this] { mnuPictureView_Click(app); };
    mnuBatchProcessing.Click = [this] { Command1[2].Value = true; };
    mnuFilterDownload.Click = [this] { mnuFilterDownload_Click(app); };
    // Commands
    mnuOperations.Click = [this] { mnuOperations_Click(); };
    mnuRename.Click = [this] { cmd_RenameFiles(app); };
    mnuFilecopy.Click = [this] { cmd_CopyFiles(app); };
    mnuMove.Click = [this] { cmd_MoveFiles(app); };
    mnuDelete.Click = [this] { cmd_DeleteFiles(app); };
    mnuKill2.Click = [this] { cmd_Kill(app); };
    mnuFileInformation.Click = [this] { mnuFileInformation_Click(app); };
    mnuUnzipit.Click = [this] { mnuUnzipit_Click(app); };
    mnuZipit.Click = [this] { mnuZipit_Click(app); };
    mnuConvert.Click = [this] { Command1[0].Value = true; };
    mnuEnable.Click = [this] { cmd_EnableDisable(app); };
    mnuChangeCat.Click = [this] { cmd_ChangeCategory(app); };
    mnuInvoke.Click = [this] { cmd_Invoke(app); };
    mnuPlugInfo.Click = [this] { cmd_PlugInInformation(app); };
    mnuPluginAbout.Click = [this] { cmd_AboutDialog(app); };
    mnuListtoFile.Click = [this] { cmd_PlugInList(app); };
    mnuCreateBMPs.Click = [this] { cmd_Thumbnail(app); };
    // Zip
    mnuViewZip.Click = [this] { mnuViewZip_Click(app); };
    mnuUnzip.Click = [this] { mnuUnzip_Click(app); };
    mnuAddtoZip.Click = [this] { mnuAddtoZip_Click(app); };
    mnuTestZip.Click = [this] { mnuTestZip_Click(app); };
    mnuRepairZip.Click = [this] { mnuRepairZip_Click(app); };
    mnuRescueZip.Click = [this] { mnuRescueZip_Click(app); };
    // Folders
    mnuRenameFolder.Click = [this] { mnuRenameFolder_Click(app); };
    mnuMoveFolder.Click = [this] { cmd_MoveDir(app); };
    mnuKillFolder.Click = [this] { cmd_KillDir(app); };
    mnuMakeDir.Click = [this] { cmd_MakeDir(app); };
    mnuPhotoshopPluginsFolder.Click = [this] { mnuPhotoshopPluginsFolder_Click(); };
    mnuEditFolders.Click = [this] { mnuEditFolders_Click(); };
    mnuDirectorys.Click = [this](int Index) { mnuDirectorys_Click(Index); };
    // Apps
    mnuEditApps.Click = [this] { mnuEditApps_Click(); };
    mnuApps.Click = [this](int Index) { mnuApps_Click(Index); };
    // Help
    mnuHelp.Click = [this] { mnuHelp_Click(app); };
    mnuHelpTutorials.Click = [this] { mnuHelpTutorials_Click(app); };
    mnuTip.Click = [this] { mnuTip_Click(); };
    mnuHelpQMK.Click = [this] { mnuHelpQMK_Click(app); };
    mnuVexoNews.Click = [this] { mnuVexoNews_Click(app); };
    mnuAddURL.Click = [this](int Index) { mnuAddURL_Click(app, Index); };
    mnuEmailAuthor.Click = [this] { mnuEmailAuthor_Click(app); };
    mnuEmailTechSupport.Click = [this] { mnuEmailTechSupport_Click(app); };
    mnuOrder.Click = [this] { mnuOrder_Click(); };
    mnuabout.Click = [this] { mnuabout_Click(); };
    // The "FileView" pop-up
    mnuFileViewMode.Click = [this](int Index) { mnuFileViewMode_Click(Index); };
    // The editor's "&Project" pop-up
    ConnectProjectMenu(app, *this);
}

// --- the button bar ---

void Form1::Command1_Click(int Index) {
    try {
        switch (Index) {
        case 0: {
            std::vector<std::string> items;
            if (GetSelectedItems(app, items, Switchy) || app.PaneMode[Switchy] == 3)
                ShowConvertDialog(app);
            else
                host().MsgBox("Please select one or more files.", ui::vbExclamation, "Attention");
            break;
        }
        case 3:
            cmd_EnableDisable(app);
            break;
        case 4:
            cmd_ChangeCategory(app);
            break;
        default: // "&Browse", "Ba&tch" and "Create FF&L" belong to the Pro Edition
            break;
        }
    } catch (const vb::Error&) {
    }
}

void Form1::GetIcons() {
    Image1.Width = 32 * host().TwipsPerPixelX();
    Image1.Height = 32 * host().TwipsPerPixelY();
    Image1.Picture = Icon.get();
    // The icon is larger than the button: shown whole, scaled to 32 x 32.
    Image1.Stretch = true;
    Image1.ToolTipText = "Click me for an application list";
}

void ChangeMenuBitmap2(ui::Window& CurForm, ui::Image& Bitmap, int SubMenu, int MenuItem) {
    std::vector<ui::Menu*> bar = CurForm.PresentMenus();
    if (SubMenu < 0 || SubMenu >= static_cast<int>(bar.size())) return;
    ui::Menu* entry = bar[static_cast<std::size_t>(SubMenu)]->PresentItem(MenuItem);
    if (!entry || entry->IsSeparator()) return;
    entry->Picture = Bitmap.Picture.get();
}

// --- the View menu ---

void Form1::mnuFileview_Click() {
    SSTab1[Switchy].SelectedItem = 1;
}
void Form1::mnuFilterview_Click() {
    SSTab1[Switchy].SelectedItem = 2;
}
void Form1::mnuFflview_Click() {
    SSTab1[Switchy].SelectedItem = 3;
}

void Form1::mnuFileViewMode_Click(int Index) {
    int p = Switchy;
    vb::ResumeNext([&] { File1[p].Visible = false; });
    vb::ResumeNext([&] { Dir1[p].Visible = Image5[p].Tag.get() == "1"; });
    vb::ResumeNext([&] { ListView1[p].Visible = true; });
    vb::ResumeNext([&] { Image5[p].Visible = true; });
    vb::ResumeNext([&] { DrawDirLabel(app, p); });
    vb::ResumeNext([&] { ListView1[p].SetFocus(); });
    if (Index >= 0 && Index <= 3) {
        vb::ResumeNext([&] { ListView1[p].View = Index; });
    } else if (Index == 4) {
        vb::ResumeNext([&] { File1[p].Visible = true; });
        vb::ResumeNext([&] { Dir1[p].Visible = true; });
        vb::ResumeNext([&] { ListView1[p].Visible = false; });
        vb::ResumeNext([&] { Image5[p].Visible = false; });
        vb::ResumeNext([&] { Label6[p].Caption = ""; });
        vb::ResumeNext([&] { File1[p].SetFocus(); });
    }
    ArrangeFileView(app, p);
    // While the window starts up it is not shown yet and the start-up fills the list itself.
    if (Visible && Index != 4) FillDirList(app, Dir1[p].Path, p);
}

void Form1::mnuRefresh_Click() {
    switch (app.PaneMode[Switchy]) {
    case 1:
        RefreshFile1(app, Switchy);
        break;
    case 2:
        app.ScanValid[Switchy] = false;
        SSTab1_Click(Switchy);
        break;
    default:
        SSTab1_Click(Switchy);
        break;
    }
}

// --- the Folders menu ---

void Form1::mnuDirectorys_Click(int Index) {
    std::string caption;
    vb::ResumeNext([&] { caption = mnuDirectorys[Index].Caption.get(); });
    // The entry without a caption stands while the folder list is empty.
    if (caption.empty()) {
        ShowPreferences(app, 4);
        return;
    }
    std::string path = files::with_separator(caption);
    if (!files::folder_exists(path)) {
        host().MsgBox(path + "  doesn't exist anymore.", ui::vbExclamation);
        RemoveFavouriteFolder(app, Index);
        MousePointer = ui::vbDefault;
        return;
    }
    // The drive box first: its change would otherwise take the folder box back to the drive.
    vb::ResumeNext([&] { Drive1[Switchy].Drive = path; });
    vb::ResumeNext([&] { Dir1[Switchy].Path = path; });
    vb::ResumeNext([&] { File1[Switchy].Path = path; });
    vb::ResumeNext([&] { files::ChDir(path); });
    if (ListView1[Switchy].Visible) FillDirList(app, path, Switchy);
}

void Form1::mnuPhotoshopPluginsFolder_Click() {
    if (PhotoshopPluginsFolder.empty()) return;
    const std::string& path = PhotoshopPluginsFolder;
    vb::ResumeNext([&] { Drive1[Switchy].Drive = path; });
    vb::ResumeNext([&] { Dir1[Switchy].Path = path; });
    vb::ResumeNext([&] { File1[Switchy].Path = path; });
    vb::ResumeNext([&] { files::ChDir(path); });
}

void Form1::mnuEditFolders_Click() {
    ShowPreferences(app, 4);
}
void Form1::mnuEditApps_Click() {
    ShowPreferences(app, 6);
}
void Form1::mnuOptions_Click() {
    ShowPreferences(app, 0);
}

// --- the Apps menu ---

void Form1::mnuApps_Click(int Index) {
    try {
        // The entry without a caption stands while the application list is empty.
        if (mnuApps[Index].Caption.get().empty()) {
            mnuEditApps_Click();
            return;
        }
        std::string command = ApplicationCommand(app, Index);
        bool withItem = command.size() >= 3 && command.compare(command.size() - 3, 3, " %1") == 0;
        if (withItem) command.resize(command.size() - 3);
        // The command line is split into a program and its arguments and run without a shell;
        // the selected path is one argument, whatever blanks or quotes it holds.
        std::vector<std::string> argv = desktop::split_command_line(command);
        if (argv.empty()) return;
        if (withItem) {
            std::string item = GetSingleItem(app, Switchy);
            if (!item.empty()) argv.push_back(item);
        }
        desktop::start_program(argv);
    } catch (const vb::Error&) {
    }
}

// --- the Commands menu ---

void Form1::mnuOperations_Click() {
    bool all = true;
    SwitchCommandItems(all);
    bool bySelection = false;
    SwitchCommandItems(bySelection);
}

// --- File and Help ---

void Form1::mnuExiting_Click() {
    // The unload handler saves the settings and ends the program.
    unload();
}

void Form1::mnuTip_Click() {
    // Beside the main window, which stays usable.
    app.tipWindow().Show();
}

void Form1::mnuOrder_Click() {
    ShowURL(app, endpoints::ProductsPage);
}

void Form1::mnuabout_Click() {
    // The box may be open already, not modal, from the logo: it comes to the front, as the logo
    // brings it.
    frmAbout& about = app.aboutBox();
    if (about.Loaded() && about.Visible) {
        about.ZOrder(0);
        return;
    }
    about.ShowModal();
}

} // namespace vexolan
