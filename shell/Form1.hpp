#pragma once
// The main window: two panes, the menu bar, the button bar and the status strip at the bottom.
//
// The window's procedures are spread over files by what they do:
//   Form1.cpp      the controls and menus, their design states and the event wiring
//   menus.cpp      the menu handlers, the button bar, the toolbar, menu pictures
//   panes.cpp      the views of each pane and the active pane (Switchit, SSTab1_Click)
//   pluginview.cpp the Plugin View's category and plug-in lists
//   selection.cpp  the selection helpers (free procedures, see selection.hpp)
//   commands.cpp   command enabling by file type, the right-click menus, the hover borders
//   layout.cpp     the design layout and Form_Resize

#include "platform/ui/Bars.hpp"
#include "platform/ui/Controls.hpp"
#include "platform/ui/ListView.hpp"
#include "platform/ui/Lists.hpp"
#include "platform/ui/Menu.hpp"
#include "platform/ui/Window.hpp"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace vexolan {

class App;

class Form1 : public ui::Window {
public:
    explicit Form1(App& app);

    App& app;

    // --- state of the panes (panes.cpp) ---
    // The active pane, 0 left or 1 right: the target of every command.
    int Switchy = 0;
    // A scan of the pane is running: a further tab click of that pane is ignored.
    std::array<bool, 2> PaneScanBusy{};
    // The folder of the pane's last scan.
    std::array<std::string, 2> PaneScanPath;
    // A file was written, renamed or deleted in `folder`: every pane whose last scan covered it
    // (that folder or one above it) scans again at the next showing of its Plugin View.
    void FolderChanged(std::string_view folder);
    // A drag of plug-in entries is under way.
    bool PluginDragActive = false;
    // Where a drag from a report list is measured from (twips), and whether the left button was held
    // on the last move over one.
    int DragStartX = 0;
    bool DragArmed = false;
    // Where the mouse went down last on a report list, in whole twips.
    int ListViewMouseX = 0;
    int ListViewMouseY = 0;
    // The host application's plug-in folder; nothing in this edition sets it.
    std::string PhotoshopPluginsFolder;

    // --- the panes: index 0 left, 1 right ---
    std::array<ui::Label, 2> Label6;    // the folder label above the pane
    std::array<ui::Image, 2> Image2;    // "Choose File View Mode"
    std::array<ui::Image, 2> Image4;    // "Synchronize both panes"
    std::array<ui::Image, 2> Image5;    // "Display folder box"; Tag "1" while the folder box is on
    std::array<ui::Image, 2> Image6;    // a further image button of the pane
    std::array<ui::TabStrip, 2> SSTab1; // 1 "File View", 2 "Plugin View", 3 "FFL View"
    std::array<ui::Frame, 3> Frame3;    // the left pane's views: element k holds view k + 1
    std::array<ui::Frame, 3> Frame4;    // the right pane's views
    // File View
    std::array<ui::DriveListBox, 2> Drive1;
    std::array<ui::DirListBox, 2> Dir1;
    std::array<ui::FileListBox, 2> File1;
    std::array<ui::ListView, 2> ListView1;
    std::array<ui::ComboBox, 2> Combo1; // the file-type filter
    // Plugin View
    std::array<ui::ListBox, 2> List2;   // categories
    std::array<ui::ListBox, 2> List3;   // plug-ins
    std::array<ui::Label, 2> Label5;    // information line
    std::array<ui::CheckBox, 2> Check1; // "Photoshop Mode"
    // FFL View
    std::array<ui::ListView, 2> ListView2;
    std::array<ui::Label, 2> Label1;

    // --- the button bar and the single controls ---
    ui::Frame Frame1;
    std::array<ui::CommandButton, 6> Command1;
    ui::Toolbar Toolbar1;
    ui::ImageList ImageList1; // the toolbar's pictures
    ui::Image Image1;                 // the picture button
    std::array<ui::Image, 18> Image3; // menu pictures, never shown
    ui::Timer Timer1;                 // preview delay
    ui::Timer Timer2;                 // deferred resize
    ui::PictureBox picFont;           // auxiliary; never moved
    ui::ListBox ArrayList;            // hidden sorted buffer of the catalogue commands

    // The frame holding view `k` (1..3) of a pane.
    ui::Frame& ViewFrame(int pane, int k) { return pane == 0 ? Frame3[k - 1] : Frame4[k - 1]; }
    // Brings the frame of view `k` to the front of its pane; the frames behind it are hidden, so
    // that none of their controls shows through or takes the pointer.
    void ShowViewFrame(int pane, int k);

    // --- the status strip ---
    ui::Label Label3; // "n of m" of a running batch; the progress bar is drawn over it
    ui::Label Label4; // the remaining seconds

    // --- the menu bar ---
    // &File
    ui::Menu mnuProject;
    ui::Menu mnuOpen, mnuSavePreview, zmnu3, mnuSetWallpaper, mnuRandomize, mnuUpdateCache, zmnu;
    ui::Menu mnuEditImageList;
    ui::MenuArray mnuPictures; // the image list; item 0 has an empty caption while the list is empty
    ui::Menu mnuzzz, mnuApplySetting, mnuSaveSetting, zmnu1, mnuOptions, mnu1, mnuExiting;
    // &Edit
    ui::Menu mnuEdit;
    ui::Menu mnuRefresh, zmnu11, mnuFilter2Clip, mnuToggleselect, mnuSelectAll, mnuClearTmp;
    // &View
    ui::Menu mnuView;
    ui::Menu mnuPluginPreview, zmnu9, mnuFileView, mnuFilterview, mnuFflview, mnuhhh, mnuBrowser, mnuFFE;
    ui::Menu mnuPictureView, mnuBatchProcessing, zmnufff, mnuFilterDownload;
    // &Commands (also the pop-up menu of file items)
    ui::Menu mnuOperations;
    ui::Menu mnujjj, mnuRename, mnuFilecopy, mnuMove, mnuDelete, mnuKill2, mnuFileInformation, mnuSearch, zmnuz;
    ui::Menu mnuUnzipit, mnuUnzipInstall, mnuZipit, mnuyyy, mnuConvert, mnuEnable, mnuChangeCat, mnuInvoke;
    ui::Menu mnuPlugInfo, mnuPluginAbout, zmnu2, mnuCreateLibrary, mnuAdd, mnuListtoFile, mnuCreateBMPs;
    // &Zip (hidden)
    ui::Menu mnuZip;
    ui::Menu mnuViewZip, mnuUnzip, mnuAddtoZip, mnusss, mnuTestZip, mnuRepairZip, mnuRescueZip;
    // &Folders (also the pop-up menu of folder lists, folder items and the folder labels)
    ui::Menu mnuDirs;
    ui::Menu mnuRenameFolder, mnuMoveFolder, mnuKillFolder, mnuMakeDir, zmnufff2, mnuPhotoshopPluginsFolder;
    ui::Menu mnuxxx, mnuEditFolders;
    ui::MenuArray mnuDirectorys; // the favourite folders; item 0 has an empty caption while the list is empty
    // &Preview (hidden, no entries)
    ui::Menu mnuPics;
    // &Apps
    ui::Menu zmnApps;
    ui::Menu mnuEditApps;
    ui::MenuArray mnuApps; // the applications; item 0 has an empty caption while the list is empty
    // &Help
    ui::Menu mnuHelp1;
    ui::Menu mnuHelp, mnuHelpTutorials, mnuTip, mnu5;
    ui::Menu mnuOnline, mnuHelpQMK, mnuVexoNews, zmni;
    ui::MenuArray mnuAddURL; // 0 "Add URL to Favorites", 1 "Add URL on Desktop"
    ui::Menu mnuEmail, mnuEmailAuthor, mnuEmailTechSupport;
    ui::Menu mnuz123, mnuOrder;
    ui::MenuArray mnuaaa; // one separator
    ui::Menu mnuabout;
    // The "FileView" pop-up of the view-mode image (hidden on the bar): 0 "Large Icons",
    // 1 "Small Icons", 2 "List", 3 "Details", 4 "Classic".
    ui::Menu mnuFileViewMenu;
    ui::MenuArray mnuFileViewMode;
    // The editor's menus, shown by the editor as pop-ups (hidden on the bar); their entries belong
    // to the editor.
    ui::Menu mnuFfeFunctions_FFE, mnuSliderSwitch_FFE, mnuCodeSnipet_FFE, mnuExpression_FFE;
    // The "&Project" pop-up of the editor (handlers in ffeditor/project_menu.cpp).
    ui::Menu mnuCopyFilter2Clip_FFE, mnuPasteFilter_FFE, mnuFindReplace_FFE, zmnuFFE1, mnuAlphaChannel, zmnuFFE2;
    ui::Menu mnuFfeUpdatePreview_FFE, mnuBigView_FFE, mnuRandomize_FFE, mnuFfeReset_FFE, zmnuFFE3;
    ui::Menu mnuFfeOpenPic_FFE, mnuFfeSavePic_FFE, mnuSaveAs_FFE;
    ui::MenuArray mnuSaveType_FFE; // 0 "Photoshop Plugin", 1 "Premiere Filter", 2 "AFS File", 3 "PFF File", 4 "Text File"
    ui::Menu mnuCopyPreview_FFE, zmnuFFE4, mnuPrinterSetup_FFE, mnuPrintFilter_FFE;

    // --- panes and views (panes.cpp) ---
    void Switchit(int Valy);
    void SSTab1_Click(int Index);
    void Drive1_Change(int Index);
    // Dir1_GotFocus, File1_GotFocus, ... of pane `Index`: makes it the active pane.
    void Pane_GotFocus(int Index);

    // --- the Plugin View (pluginview.cpp) ---
    // Fills the plug-in list with the filters of the selected categories.
    void List2_Click(int Index);
    // Shows the selected plug-in's file and size in the information line.
    void List3_Click(int Index);
    void List3_DblClick(int Index);
    // Alt+Enter file information, Enter as a double click, Backspace the previous category.
    void List3_KeyDown(int Index, int KeyCode, int Shift);
    // Re-applies Photoshop Mode after catalogue rows changed.
    void CheckPhotoshopMode(int Index);

    // --- command enabling and right-click menus (commands.cpp) ---
    void SwitchCommandItems(bool& state);
    void ResetButtons();
    void Dir1_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void File1_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void List3_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void ListView1_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Label6_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void ImageButton_MouseMove(ui::Image& image);
    // The left button on the button bar, or dragging a folder label, moves the window.
    void Frame1_MouseDown(int Button, int Shift, float X, float Y);
    void Label6_MouseMove(int Index, int Button, int Shift, float X, float Y);
    // While a filter box's text field has the focus, Del, Shift+Del and Ctrl+A edit its text
    // instead of acting on the selected files.
    void TextFieldFocus(bool inTextField);

    // --- layout (layout.cpp) ---
    void Form_Resize();
    void Timer2_Timer();

    // --- button bar and toolbar (menus.cpp) ---
    void Command1_Click(int Index);
    void GetIcons();

    // --- menu handlers (menus.cpp) ---
    void mnuFileview_Click();
    void mnuFilterview_Click();
    void mnuFflview_Click();
    void mnuFileViewMode_Click(int Index);
    void mnuRefresh_Click();
    void mnuDirectorys_Click(int Index);
    void mnuPhotoshopPluginsFolder_Click();
    void mnuEditFolders_Click();
    void mnuEditApps_Click();
    void mnuOptions_Click();
    void mnuApps_Click(int Index);
    void mnuOperations_Click();
    void mnuExiting_Click();
    void mnuTip_Click();
    void mnuOrder_Click();
    void mnuabout_Click();

private:
    // The layout state of Form_Resize, alive while the window lives.
    struct LayoutState {
        bool SkipNext = false;
        int LastInnerWidth = 0;
        int LastInnerHeight = 0;
        int DesignWidth = 0;
        int DesignHeight = 0;
        int DesignInnerWidth = 0;
        int DesignInnerHeight = 0;
    };
    LayoutState layout_;
    // The menu entries whose shortcuts are text editing keys, with the shortcuts they own.
    std::vector<std::pair<ui::Menu*, std::string>> editing_shortcuts_;

    void build_controls();
    void design_layout();
    void build_menus();
    void connect_controls();
    void connect_menus();
    // Runs the Commands pop-up narrowed to the selection's file types, then widens it again.
    void CommandsPopup();
};

// Puts the picture of `Bitmap` beside an entry of `CurForm`'s menu bar: `SubMenu` is the position
// of a menu among the present menus of the bar, `MenuItem` the position of the entry among the
// present entries of that menu. A position without an entry, or a separator, gets no picture.
void ChangeMenuBitmap2(ui::Window& CurForm, ui::Image& Bitmap, int SubMenu, int MenuItem);

} // namespace vexolan
