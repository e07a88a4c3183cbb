#include "shell/Form1.hpp"
#include "platform/ui/MenuBuilder.hpp"

#include "shell/App.hpp"
#include "shell/artwork.hpp"
#include "shell/shutdown.hpp"
#include "shell/startup.hpp"

namespace vexolan {

Form1::Form1(App& app) : ui::Window(app.host, "Form1"), app(app) {
    build_controls();
    design_layout();
    build_menus();
    connect_controls();
    connect_menus();
    Load = [this] { Form_Load(*this); };
    Unload = [this](int& Cancel) { Form_Unload(*this, Cancel); };
}

void Form1::build_controls() {
    add(Frame1, "Frame1");
    for (int i = 0; i < 6; ++i)
        add_indexed(Command1[i], "Command1", i, &Frame1);
    add(Toolbar1, "Toolbar1", &Frame1);
    add(ImageList1, "ImageList1");
    add(Image1, "Image1", &Frame1);
    for (int p = 0; p < 2; ++p) {
        add_indexed(Label6[p], "Label6", p);
        add_indexed(Image2[p], "Image2", p);
        add_indexed(Image5[p], "Image5", p);
        add_indexed(Image4[p], "Image4", p);
        add_indexed(Image6[p], "Image6", p);
        add_indexed(SSTab1[p], "SSTab1", p);
    }
    for (int k = 0; k < 3; ++k)
        add_indexed(Frame3[k], "Frame3", k);
    for (int k = 0; k < 3; ++k)
        add_indexed(Frame4[k], "Frame4", k);
    for (int p = 0; p < 2; ++p) {
        ui::Frame* files = &ViewFrame(p, 1);
        add_indexed(Drive1[p], "Drive1", p, files);
        add_indexed(Dir1[p], "Dir1", p, files);
        add_indexed(File1[p], "File1", p, files);
        add_indexed(ListView1[p], "ListView1", p, files);
        add_indexed(Combo1[p], "Combo1", p, files);
        ui::Frame* plugins = &ViewFrame(p, 2);
        add_indexed(List2[p], "List2", p, plugins);
        add_indexed(List3[p], "List3", p, plugins);
        add_indexed(Label5[p], "Label5", p, plugins);
        add_indexed(Check1[p], "Check1", p, plugins);
        ui::Frame* library = &ViewFrame(p, 3);
        add_indexed(ListView2[p], "ListView2", p, library);
        add_indexed(Label1[p], "Label1", p, library);
    }
    add(Label3, "Label3");
    add(Label4, "Label4");
    for (int i = 0; i < 18; ++i)
        add_indexed(Image3[i], "Image3", i);
    add(Timer1, "Timer1");
    add(Timer2, "Timer2");
    add(picFont, "picFont");
    add(ArrayList, "ArrayList");

    static const char* const captions[] = {"&Convert",    "&Browse",     "Ba&tch",
                                           "En/&Disable", "C&hange Cat", "Create FF&L"};
    static const char* const tips[] = {
        "Convert between different plugin formats",
        "Display all selected file as thumnails",
        "Batch process all selected image files and create thumnails of all selected plugins",
        "Enable or disable a plugin",
        "Change the submenu item the plugin will be displayed in an image application",
        "Archive several FF plugins in a single FFL file",
    };
    for (int i = 0; i < 6; ++i) {
        Command1[i].Caption = captions[i];
        Command1[i].ToolTipText = tips[i];
    }
    ui::ToolbarButton& preview = Toolbar1.Buttons.Add();
    preview.ToolTipText = "Plugin preview on/off";
    preview.Style = ui::tbrCheck;
    Toolbar1.Buttons.Add().Style = ui::tbrSeparator; // a spacer without a command
    Toolbar1.Buttons.Add().ToolTipText = "Preview overlay on /off";
    Toolbar1.Buttons(3).Style = ui::tbrCheck;
    Toolbar1.Buttons.Add().ToolTipText = "Alpha Channel on/off";
    Toolbar1.Buttons(4).Style = ui::tbrCheck;
    Toolbar1.ImageList = &ImageList1;
    Toolbar1.Buttons(1).Image = ImageList1.Add(PreviewButtonPicture);
    Toolbar1.Buttons(3).Image = ImageList1.Add(OverlayButtonPicture);
    Toolbar1.Buttons(4).Image = ImageList1.Add(AlphaButtonPicture);

    for (int p = 0; p < 2; ++p) {
        Label6[p].ToolTipText = "Right click to display Folders context menu";
        Label6[p].BorderStyle = 1;
        Image2[p].ToolTipText = "Choose File View Mode";
        Image4[p].ToolTipText = "Synchronize both panes";
        Image5[p].ToolTipText = "Display folder box";
        Combo1[p].ToolTipText = "Select or enter the displayed file types";
        Image2[p].Picture = ViewModeButtonPicture;
        Image4[p].Picture = SyncPanesButtonPicture;
        Image5[p].Picture = FolderBoxButtonPicture;
        Image6[p].Visible = false; // the desktop button is never shown
        SSTab1[p].Tabs.Add().Caption = "File View";
        SSTab1[p].Tabs(1).ToolTipText = "Displays all available files and folders";
        SSTab1[p].Tabs.Add().Caption = "Plugin View";
        SSTab1[p].Tabs(2).ToolTipText = "Displays categories and names of available plugins";
        SSTab1[p].Tabs.Add().Caption = "FFL View";
        SSTab1[p].Tabs(3).ToolTipText = "Displays the contents of a FFL file";
        for (int k = 1; k <= 3; ++k)
            ViewFrame(p, k).BorderStyle = 0;
        File1[p].MultiSelect = ui::vbMultiSelectExtended;
        Dir1[p].Visible = false; // the report list shows folders as items until the folder box is on
        File1[p].Visible = false;
        ListView1[p].View = ui::lvwReport;
        ListView1[p].MultiSelect = true;
        ListView1[p].LabelEdit = ui::lvwManual;
        ListView1[p].ColumnHeaders.Add(-1, "", "Name");
        ListView1[p].ColumnHeaders.Add(-1, "", "Size", 1440, ui::lvwColumnRight);
        ListView1[p].ColumnHeaders.Add(-1, "", "Date");
        List2[p].Sorted = true;
        List2[p].MultiSelect = ui::vbMultiSelectExtended;
        List3[p].MultiSelect = ui::vbMultiSelectExtended;
        Check1[p].Caption = "Photoshop Mode";
        ListView2[p].View = ui::lvwReport;
        ListView2[p].MultiSelect = true;
        ListView2[p].ColumnHeaders.Add(-1, "", "Name");
        ListView2[p].ColumnHeaders.Add(-1, "", "Category");
        ListView2[p].ColumnHeaders.Add(-1, "", "Author");
    }
    Image1.ToolTipText = "Click me for an application list";
    // The hidden pictures the start-up puts beside menu entries: the program's own artwork.
    for (std::size_t k = 0; k < Image3.size(); ++k) {
        Image3[k].Visible = false;
        Image3[k].Picture = FirstMenuPicture - static_cast<int>(k);
    }
    Timer1.Enabled = false;
    Timer1.Interval = 250;
    Timer2.Enabled = false;
    Timer2.Interval = 100;
    picFont.Visible = false;
    ArrayList.Visible = false;
    ArrayList.Sorted = true;
    Icon = LogoPicture;
    // Each pane starts in its File View.
    for (int p = 0; p < 2; ++p)
        ShowViewFrame(p, 1);
}

// The menu tree with its captions, shortcuts and design states. Entries that this edition hides
// or disables at start-up are switched off by the start-up itself.
void Form1::build_menus() {
    ui::MenuBuilder menus(*this);

    menus.top(mnuProject, "mnuProject", "&File");
    menus.item(mnuOpen, "mnuOpen", mnuProject, "Open Preview Image...", "Ctrl+O");
    menus.item(mnuSavePreview, "mnuSavePreview", mnuProject, "Save Preview...");
    mnuSavePreview.Enabled = false;
    menus.item(zmnu3, "zmnu3", mnuProject, "-");
    menus.item(mnuSetWallpaper, "mnuSetWallpaper", mnuProject, "Set as Wallpaper");
    mnuSetWallpaper.Enabled = false;
    menus.item(mnuRandomize, "mnuRandomize", mnuProject, "Randomize");
    mnuRandomize.Enabled = false;
    menus.item(mnuUpdateCache, "mnuUpdateCache", mnuProject, "Update");
    mnuUpdateCache.Enabled = false;
    menus.item(zmnu, "zmnu", mnuProject, "-");
    menus.item(mnuEditImageList, "mnuEditImageList", mnuProject, "Edit Image List...");
    add_menu(mnuPictures, "mnuPictures", &mnuProject);
    menus.item(mnuzzz, "mnuzzz", mnuProject, "-");
    mnuzzz.Visible = false;
    menus.item(mnuApplySetting, "mnuApplySetting", mnuProject, "Apply Setting...");
    mnuApplySetting.Visible = false;
    menus.item(mnuSaveSetting, "mnuSaveSetting", mnuProject, "Save Setting...");
    mnuSaveSetting.Visible = false;
    menus.item(zmnu1, "zmnu1", mnuProject, "-");
    menus.item(mnuOptions, "mnuOptions", mnuProject, "Preferences...", "F12");
    menus.item(mnu1, "mnu1", mnuProject, "-");
    menus.item(mnuExiting, "mnuExiting", mnuProject, "Exit");

    menus.top(mnuEdit, "mnuEdit", "&Edit");
    menus.item(mnuRefresh, "mnuRefresh", mnuEdit, "Refresh", "Ctrl+R");
    menus.item(zmnu11, "zmnu11", mnuEdit, "-");
    menus.item(mnuFilter2Clip, "mnuFilter2Clip", mnuEdit, "Copy Filter to Clipboard");
    mnuFilter2Clip.Visible = false;
    menus.item(mnuToggleselect, "mnuToggleselect", mnuEdit, "Toggle Select", "Ctrl+T");
    menus.item(mnuSelectAll, "mnuSelectAll", mnuEdit, "Select All", "Ctrl+A");
    menus.item(mnuClearTmp, "mnuClearTmp", mnuEdit, "Gain Harddisc Space");
    mnuClearTmp.Visible = false;

    menus.top(mnuView, "mnuView", "&View");
    menus.item(mnuPluginPreview, "mnuPluginPreview", mnuView, "Preview");
    menus.item(zmnu9, "zmnu9", mnuView, "-");
    menus.item(mnuFileView, "mnuFileView", mnuView, "File View", "Ctrl+F1");
    menus.item(mnuFilterview, "mnuFilterview", mnuView, "Plugin View", "Ctrl+F2");
    menus.item(mnuFflview, "mnuFflview", mnuView, "FFL View", "Ctrl+F3");
    menus.item(mnuhhh, "mnuhhh", mnuView, "-");
    menus.item(mnuBrowser, "mnuBrowser", mnuView, "Browser", "F7");
    menus.item(mnuFFE, "mnuFFE", mnuView, "FF Editor", "F8");
    menus.item(mnuPictureView, "mnuPictureView", mnuView, "Picture Editor", "F9");
    menus.item(mnuBatchProcessing, "mnuBatchProcessing", mnuView, "Batch Processing");
    menus.item(zmnufff, "zmnufff", mnuView, "-");
    menus.item(mnuFilterDownload, "mnuFilterDownload", mnuView, "FX Download", "F11");

    menus.top(mnuOperations, "mnuOperations", "&Commands");
    menus.item(mnujjj, "mnujjj", mnuOperations, "-");
    mnujjj.Visible = false;
    menus.item(mnuRename, "mnuRename", mnuOperations, "Rename...", "F2");
    menus.item(mnuFilecopy, "mnuFilecopy", mnuOperations, "Copy", "F5");
    menus.item(mnuMove, "mnuMove", mnuOperations, "Move", "F6");
    menus.item(mnuDelete, "mnuDelete", mnuOperations, "Delete", "Del");
    menus.item(mnuKill2, "mnuKill2", mnuOperations, "Kill", "Shift+Del");
    menus.item(mnuFileInformation, "mnuFileInformation", mnuOperations, "Properties");
    menus.item(mnuSearch, "mnuSearch", mnuOperations, "Find...", "Ctrl+F");
    menus.item(zmnuz, "zmnuz", mnuOperations, "-");
    menus.item(mnuUnzipit, "mnuUnzipit", mnuOperations, "Unzip", "F3");
    menus.item(mnuUnzipInstall, "mnuUnzipInstall", mnuOperations, "Unzip and Run", "Shift+F3");
    menus.item(mnuZipit, "mnuZipit", mnuOperations, "Zip...", "F4");
    menus.item(mnuyyy, "mnuyyy", mnuOperations, "-");
    menus.item(mnuConvert, "mnuConvert", mnuOperations, "Convert...");
    menus.item(mnuEnable, "mnuEnable", mnuOperations, "Enable/Disable", "Ctrl+E");
    menus.item(mnuChangeCat, "mnuChangeCat", mnuOperations, "Change Category...", "Ctrl+H");
    menus.item(mnuInvoke, "mnuInvoke", mnuOperations, "Invoke");
    menus.item(mnuPlugInfo, "mnuPlugInfo", mnuOperations, "Plugin Information", "Ctrl+I");
    menus.item(mnuPluginAbout, "mnuPluginAbout", mnuOperations, "Plugin About Dialog");
    menus.item(zmnu2, "zmnu2", mnuOperations, "-");
    menus.item(mnuCreateLibrary, "mnuCreateLibrary", mnuOperations, "Create FFL...", "Ctrl+L");
    menus.item(mnuAdd, "mnuAdd", mnuOperations, "Add to FFL", "Ctrl+D");
    menus.item(mnuListtoFile, "mnuListtoFile", mnuOperations, "Plugin List...");
    menus.item(mnuCreateBMPs, "mnuCreateBMPs", mnuOperations, "Thumbnail", "Ctrl+B");

    menus.top(mnuZip, "mnuZip", "&Zip");
    mnuZip.Visible = false;
    menus.item(mnuViewZip, "mnuViewZip", mnuZip, "View Zip");
    menus.item(mnuUnzip, "mnuUnzip", mnuZip, "Unzip");
    menus.item(mnuAddtoZip, "mnuAddtoZip", mnuZip, "Add to Zip...");
    menus.item(mnusss, "mnusss", mnuZip, "-");
    menus.item(mnuTestZip, "mnuTestZip", mnuZip, "Test Zip");
    menus.item(mnuRepairZip, "mnuRepairZip", mnuZip, "Repair Zip");
    menus.item(mnuRescueZip, "mnuRescueZip", mnuZip, "Rescue Zip "); // the trailing blank is the menu's own

    menus.top(mnuDirs, "mnuDirs", "&Folders");
    menus.item(mnuRenameFolder, "mnuRenameFolder", mnuDirs, "Rename Folder...");
    menus.item(mnuMoveFolder, "mnuMoveFolder", mnuDirs, "Move Folder");
    menus.item(mnuKillFolder, "mnuKillFolder", mnuDirs, "Kill Folder(s)");
    menus.item(mnuMakeDir, "mnuMakeDir", mnuDirs, "Create Folder ...", "Shift+F7");
    menus.item(zmnufff2, "zmnufff2", mnuDirs, "-");
    zmnufff2.Visible = false;
    menus.item(mnuPhotoshopPluginsFolder, "mnuPhotoshopPluginsFolder", mnuDirs, "Photoshop Plug-Ins Folder");
    mnuPhotoshopPluginsFolder.Visible = false;
    menus.item(mnuxxx, "mnuxxx", mnuDirs, "-");
    menus.item(mnuEditFolders, "mnuEditFolders", mnuDirs, "Edit Folder List...");
    add_menu(mnuDirectorys, "mnuDirectorys", &mnuDirs);

    menus.top(mnuPics, "mnuPics", "&Preview");
    mnuPics.Visible = false;

    menus.top(zmnApps, "zmnApps", "&Apps");
    menus.item(mnuEditApps, "mnuEditApps", zmnApps, "Edit Application List...");
    add_menu(mnuApps, "mnuApps", &zmnApps);

    menus.top(mnuHelp1, "mnuHelp1", "&Help");
    menus.item(mnuHelp, "mnuHelp", mnuHelp1, "Help", "F1");
    menus.item(mnuHelpTutorials, "mnuHelpTutorials", mnuHelp1, "Tutorials");
    menus.item(mnuTip, "mnuTip", mnuHelp1, "Tip of the Day");
    menus.item(mnu5, "mnu5", mnuHelp1, "-");
    menus.item(mnuOnline, "mnuOnline", mnuHelp1, "Online");
    menus.item(mnuHelpQMK, "mnuHelpQMK", mnuOnline, "Quillmark");
    menus.item(mnuVexoNews, "mnuVexoNews", mnuOnline, "The Vexo Newsletter");
    menus.item(zmni, "zmni", mnuOnline, "-");
    add_menu(mnuAddURL, "mnuAddURL", &mnuOnline);
    mnuAddURL[0].Caption = "Add URL to Favorites";
    mnuAddURL.Load(1);
    mnuAddURL[1].Caption = "Add URL on Desktop";
    menus.item(mnuEmail, "mnuEmail", mnuHelp1, "Send Email");
    menus.item(mnuEmailAuthor, "mnuEmailAuthor", mnuEmail, "Comment");
    menus.item(mnuEmailTechSupport, "mnuEmailTechSupport", mnuEmail, "Technical Support");
    menus.item(mnuz123, "mnuz123", mnuHelp1, "-");
    menus.item(mnuOrder, "mnuOrder", mnuHelp1, "Order the Pro Edition");
    add_menu(mnuaaa, "mnuaaa", &mnuHelp1);
    mnuaaa[0].Caption = "-";
    menus.item(mnuabout, "mnuabout", mnuHelp1, "About...");

    menus.top(mnuFileViewMenu, "mnuFileViewMenu", "FileView");
    mnuFileViewMenu.Visible = false;
    add_menu(mnuFileViewMode, "mnuFileViewMode", &mnuFileViewMenu);
    static const char* const modes[] = {"Large Icons", "Small Icons", "List", "Details", "Classic"};
    for (int i = 0; i < 5; ++i) {
        if (i > 0) mnuFileViewMode.Load(i);
        mnuFileViewMode[i].Caption = modes[i];
    }
    mnuFileViewMode[3].Checked = true;

    menus.top(mnuFfeFunctions_FFE, "mnuFfeFunctions_FFE", "&Project");
    menus.item(mnuCopyFilter2Clip_FFE, "mnuCopyFilter2Clip_FFE", mnuFfeFunctions_FFE, "Copy Filter to Clipboard");
    menus.item(mnuPasteFilter_FFE, "mnuPasteFilter_FFE", mnuFfeFunctions_FFE, "Paste Filter from Clipboard");
    menus.item(mnuFindReplace_FFE, "mnuFindReplace_FFE", mnuFfeFunctions_FFE, "Find and Replace");
    mnuFindReplace_FFE.Visible = false;
    menus.item(zmnuFFE1, "zmnuFFE1", mnuFfeFunctions_FFE, "-");
    menus.item(mnuAlphaChannel, "mnuAlphaChannel", mnuFfeFunctions_FFE, "Alpha Channel Display");
    menus.item(zmnuFFE2, "zmnuFFE2", mnuFfeFunctions_FFE, "-");
    menus.item(mnuFfeUpdatePreview_FFE, "mnuFfeUpdatePreview_FFE", mnuFfeFunctions_FFE, "Update Preview");
    menus.item(mnuBigView_FFE, "mnuBigView_FFE", mnuFfeFunctions_FFE, "Apply (Filter)");
    menus.item(mnuRandomize_FFE, "mnuRandomize_FFE", mnuFfeFunctions_FFE, "Randomize");
    menus.item(mnuFfeReset_FFE, "mnuFfeReset_FFE", mnuFfeFunctions_FFE, "Reset");
    menus.item(zmnuFFE3, "zmnuFFE3", mnuFfeFunctions_FFE, "-");
    menus.item(mnuFfeOpenPic_FFE, "mnuFfeOpenPic_FFE", mnuFfeFunctions_FFE, "Open Picture...");
    menus.item(mnuFfeSavePic_FFE, "mnuFfeSavePic_FFE", mnuFfeFunctions_FFE, "Save Picture...");
    menus.item(mnuSaveAs_FFE, "mnuSaveAs_FFE", mnuFfeFunctions_FFE, "Save (Filter) As");
    add_menu(mnuSaveType_FFE, "mnuSaveType_FFE", &mnuSaveAs_FFE);
    static const char* const saveTypes[] = {"Photoshop Plugin", "Premiere Filter", "AFS File", "PFF File", "Text File"};
    for (int i = 0; i < 5; ++i) {
        if (i > 0) mnuSaveType_FFE.Load(i);
        mnuSaveType_FFE[i].Caption = saveTypes[i];
    }
    menus.item(mnuCopyPreview_FFE, "mnuCopyPreview_FFE", mnuFfeFunctions_FFE, "Copy Preview to Clipboard");
    menus.item(zmnuFFE4, "zmnuFFE4", mnuFfeFunctions_FFE, "-");
    menus.item(mnuPrinterSetup_FFE, "mnuPrinterSetup_FFE", mnuFfeFunctions_FFE, "Print Setup...");
    mnuPrinterSetup_FFE.Visible = false;
    menus.item(mnuPrintFilter_FFE, "mnuPrintFilter_FFE", mnuFfeFunctions_FFE, "Print Filter...");
    menus.top(mnuSliderSwitch_FFE, "mnuSliderSwitch_FFE", "SliderSwitch");
    menus.top(mnuCodeSnipet_FFE, "mnuCodeSnipet_FFE", "Code Snipet");
    menus.top(mnuExpression_FFE, "mnuExpression_FFE", "FF Expressions");
    for (ui::Menu* m : {&mnuFfeFunctions_FFE, &mnuSliderSwitch_FFE, &mnuCodeSnipet_FFE, &mnuExpression_FFE})
        m->Visible = false;
}

} // namespace vexolan
