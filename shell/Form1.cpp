#include "shell/Form1.hpp"

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
    auto top = [this](ui::Menu& m, const char* name, const char* caption) {
        add_menu(m, name);
        m.Caption = caption;
    };
    auto item = [this](ui::Menu& m, const char* name, ui::Menu& parent, const char* caption,
                       const char* shortcut = "") {
        add_menu(m, name, &parent);
        m.Caption = caption;
        m.Shortcut = shortcut;
    };

    top(mnuProject, "mnuProject", "&File");
    item(mnuOpen, "mnuOpen", mnuProject, "Open Preview Image...", "Ctrl+O");
    item(mnuSavePreview, "mnuSavePreview", mnuProject, "Save Preview...");
    mnuSavePreview.Enabled = false;
    item(zmnu3, "zmnu3", mnuProject, "-");
    item(mnuSetWallpaper, "mnuSetWallpaper", mnuProject, "Set as Wallpaper");
    mnuSetWallpaper.Enabled = false;
    item(mnuRandomize, "mnuRandomize", mnuProject, "Randomize");
    mnuRandomize.Enabled = false;
    item(mnuUpdateCache, "mnuUpdateCache", mnuProject, "Update");
    mnuUpdateCache.Enabled = false;
    item(zmnu, "zmnu", mnuProject, "-");
    item(mnuEditImageList, "mnuEditImageList", mnuProject, "Edit Image List...");
    add_menu(mnuPictures, "mnuPictures", &mnuProject);
    item(mnuzzz, "mnuzzz", mnuProject, "-");
    mnuzzz.Visible = false;
    item(mnuApplySetting, "mnuApplySetting", mnuProject, "Apply Setting...");
    mnuApplySetting.Visible = false;
    item(mnuSaveSetting, "mnuSaveSetting", mnuProject, "Save Setting...");
    mnuSaveSetting.Visible = false;
    item(zmnu1, "zmnu1", mnuProject, "-");
    item(mnuOptions, "mnuOptions", mnuProject, "Preferences...", "F12");
    item(mnu1, "mnu1", mnuProject, "-");
    item(mnuExiting, "mnuExiting", mnuProject, "Exit");

    top(mnuEdit, "mnuEdit", "&Edit");
    item(mnuRefresh, "mnuRefresh", mnuEdit, "Refresh", "Ctrl+R");
    item(zmnu11, "zmnu11", mnuEdit, "-");
    item(mnuFilter2Clip, "mnuFilter2Clip", mnuEdit, "Copy Filter to Clipboard");
    mnuFilter2Clip.Visible = false;
    item(mnuToggleselect, "mnuToggleselect", mnuEdit, "Toggle Select", "Ctrl+T");
    item(mnuSelectAll, "mnuSelectAll", mnuEdit, "Select All", "Ctrl+A");
    item(mnuClearTmp, "mnuClearTmp", mnuEdit, "Gain Harddisc Space");
    mnuClearTmp.Visible = false;

    top(mnuView, "mnuView", "&View");
    item(mnuPluginPreview, "mnuPluginPreview", mnuView, "Preview");
    item(zmnu9, "zmnu9", mnuView, "-");
    item(mnuFileView, "mnuFileView", mnuView, "File View", "Ctrl+F1");
    item(mnuFilterview, "mnuFilterview", mnuView, "Plugin View", "Ctrl+F2");
    item(mnuFflview, "mnuFflview", mnuView, "FFL View", "Ctrl+F3");
    item(mnuhhh, "mnuhhh", mnuView, "-");
    item(mnuBrowser, "mnuBrowser", mnuView, "Browser", "F7");
    item(mnuFFE, "mnuFFE", mnuView, "FF Editor", "F8");
    item(mnuPictureView, "mnuPictureView", mnuView, "Picture Editor", "F9");
    item(mnuBatchProcessing, "mnuBatchProcessing", mnuView, "Batch Processing");
    item(zmnufff, "zmnufff", mnuView, "-");
    item(mnuFilterDownload, "mnuFilterDownload", mnuView, "FX Download", "F11");

    top(mnuOperations, "mnuOperations", "&Commands");
    item(mnujjj, "mnujjj", mnuOperations, "-");
    mnujjj.Visible = false;
    item(mnuRename, "mnuRename", mnuOperations, "Rename...", "F2");
    item(mnuFilecopy, "mnuFilecopy", mnuOperations, "Copy", "F5");
    item(mnuMove, "mnuMove", mnuOperations, "Move", "F6");
    item(mnuDelete, "mnuDelete", mnuOperations, "Delete", "Del");
    item(mnuKill2, "mnuKill2", mnuOperations, "Kill", "Shift+Del");
    item(mnuFileInformation, "mnuFileInformation", mnuOperations, "Properties");
    item(mnuSearch, "mnuSearch", mnuOperations, "Find...", "Ctrl+F");
    item(zmnuz, "zmnuz", mnuOperations, "-");
    item(mnuUnzipit, "mnuUnzipit", mnuOperations, "Unzip", "F3");
    item(mnuUnzipInstall, "mnuUnzipInstall", mnuOperations, "Unzip and Run", "Shift+F3");
    item(mnuZipit, "mnuZipit", mnuOperations, "Zip...", "F4");
    item(mnuyyy, "mnuyyy", mnuOperations, "-");
    item(mnuConvert, "mnuConvert", mnuOperations, "Convert...");
    item(mnuEnable, "mnuEnable", mnuOperations, "Enable/Disable", "Ctrl+E");
    item(mnuChangeCat, "mnuChangeCat", mnuOperations, "Change Category...", "Ctrl+H");
    item(mnuInvoke, "mnuInvoke", mnuOperations, "Invoke");
    item(mnuPlugInfo, "mnuPlugInfo", mnuOperations, "Plugin Information", "Ctrl+I");
    item(mnuPluginAbout, "mnuPluginAbout", mnuOperations, "Plugin About Dialog");
    item(zmnu2, "zmnu2", mnuOperations, "-");
    item(mnuCreateLibrary, "mnuCreateLibrary", mnuOperations, "Create FFL...", "Ctrl+L");
    item(mnuAdd, "mnuAdd", mnuOperations, "Add to FFL", "Ctrl+D");
    item(mnuListtoFile, "mnuListtoFile", mnuOperations, "Plugin List...");
    item(mnuCreateBMPs, "mnuCreateBMPs", mnuOperations, "Thumbnail", "Ctrl+B");

    top(mnuZip, "mnuZip", "&Zip");
    mnuZip.Visible = false;
    item(mnuViewZip, "mnuViewZip", mnuZip, "View Zip");
    item(mnuUnzip, "mnuUnzip", mnuZip, "Unzip");
    item(mnuAddtoZip, "mnuAddtoZip", mnuZip, "Add to Zip...");
    item(mnusss, "mnusss", mnuZip, "-");
    item(mnuTestZip, "mnuTestZip", mnuZip, "Test Zip");
    item(mnuRepairZip, "mnuRepairZip", mnuZip, "Repair Zip");
    item(mnuRescueZip, "mnuRescueZip", mnuZip, "Rescue Zip "); // the trailing blank is the menu's own

    top(mnuDirs, "mnuDirs", "&Folders");
    item(mnuRenameFolder, "mnuRenameFolder", mnuDirs, "Rename Folder...");
    item(mnuMoveFolder, "mnuMoveFolder", mnuDirs, "Move Folder");
    item(mnuKillFolder, "mnuKillFolder", mnuDirs, "Kill Folder(s)");
    item(mnuMakeDir, "mnuMakeDir", mnuDirs, "Create Folder ...", "Shift+F7");
    item(zmnufff2, "zmnufff2", mnuDirs, "-");
    zmnufff2.Visible = false;
    item(mnuPhotoshopPluginsFolder, "mnuPhotoshopPluginsFolder", mnuDirs, "Photoshop Plug-Ins Folder");
    mnuPhotoshopPluginsFolder.Visible = false;
    item(mnuxxx, "mnuxxx", mnuDirs, "-");
    item(mnuEditFolders, "mnuEditFolders", mnuDirs, "Edit Folder List...");
    add_menu(mnuDirectorys, "mnuDirectorys", &mnuDirs);

    top(mnuPics, "mnuPics", "&Preview");
    mnuPics.Visible = false;

    top(zmnApps, "zmnApps", "&Apps");
    item(mnuEditApps, "mnuEditApps", zmnApps, "Edit Application List...");
    add_menu(mnuApps, "mnuApps", &zmnApps);

    top(mnuHelp1, "mnuHelp1", "&Help");
    item(mnuHelp, "mnuHelp", mnuHelp1, "Help", "F1");
    item(mnuHelpTutorials, "mnuHelpTutorials", mnuHelp1, "Tutorials");
    item(mnuTip, "mnuTip", mnuHelp1, "Tip of the Day");
    item(mnu5, "mnu5", mnuHelp1, "-");
    item(mnuOnline, "mnuOnline", mnuHelp1, "Online");
    item(mnuHelpQMK, "mnuHelpQMK", mnuOnline, "Quillmark");
    item(mnuVexoNews, "mnuVexoNews", mnuOnline, "The Vexo Newsletter");
    item(zmni, "zmni", mnuOnline, "-");
    add_menu(mnuAddURL, "mnuAddURL", &mnuOnline);
    mnuAddURL[0].Caption = "Add URL to Favorites";
    mnuAddURL.Load(1);
    mnuAddURL[1].Caption = "Add URL on Desktop";
    item(mnuEmail, "mnuEmail", mnuHelp1, "Send Email");
    item(mnuEmailAuthor, "mnuEmailAuthor", mnuEmail, "Comment");
    item(mnuEmailTechSupport, "mnuEmailTechSupport", mnuEmail, "Technical Support");
    item(mnuz123, "mnuz123", mnuHelp1, "-");
    item(mnuOrder, "mnuOrder", mnuHelp1, "Order the Pro Edition");
    add_menu(mnuaaa, "mnuaaa", &mnuHelp1);
    mnuaaa[0].Caption = "-";
    item(mnuabout, "mnuabout", mnuHelp1, "About...");

    top(mnuFileViewMenu, "mnuFileViewMenu", "FileView");
    mnuFileViewMenu.Visible = false;
    add_menu(mnuFileViewMode, "mnuFileViewMode", &mnuFileViewMenu);
    static const char* const modes[] = {"Large Icons", "Small Icons", "List", "Details", "Classic"};
    for (int i = 0; i < 5; ++i) {
        if (i > 0) mnuFileViewMode.Load(i);
        mnuFileViewMode[i].Caption = modes[i];
    }
    mnuFileViewMode[3].Checked = true;

    top(mnuFfeFunctions_FFE, "mnuFfeFunctions_FFE", "&Project");
    top(mnuSliderSwitch_FFE, "mnuSliderSwitch_FFE", "SliderSwitch");
    top(mnuCodeSnipet_FFE, "mnuCodeSnipet_FFE", "Code Snipet");
    top(mnuExpression_FFE, "mnuExpression_FFE", "FF Expressions");
    for (ui::Menu* m : {&mnuFfeFunctions_FFE, &mnuSliderSwitch_FFE, &mnuCodeSnipet_FFE, &mnuExpression_FFE})
        m->Visible = false;
}

} // namespace vexolan
