#pragma once
// The main window: two panes, the menu bar, the button bar and the status strip at the bottom.
//
// The window's procedures are spread over files by what they do:
//   Form1.cpp      the controls and menus, their design states and the event wiring
//   menus.cpp      the menu handlers, the button bar, the toolbar, menu pictures
//   panes.cpp      the views of each pane and the active pane (Switchit, SSTab1_Click)
//   selection.cpp  the selection helpers (free procedures, see selection.hpp)
//   commands.cpp   command enabling by file type, the right-click menus, the hover borders
//   layout.cpp     the design layout and Form_Resize

#include "platform/ui/Controls.hpp"
#include "platform/ui/Menu.hpp"
#include "platform/ui/Window.hpp"

#include <array>

namespace vexolan {

class App;

class Form1 : public ui::Window {
public:
    explicit Form1(App& app);

    App& app;

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
    void build_menus();
    void connect_menus();
};

} // namespace vexolan
