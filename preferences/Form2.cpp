#include "preferences/Form2.hpp"

#include "shell/App.hpp"
#include "shell/frame.hpp"
#include "shell/help.hpp"

#include "platform/fs/files.hpp"
#include "platform/values/values.hpp"

namespace vexolan {

namespace {

// The design geometry, in twips at 15 twips per pixel. The grey bar takes the left 24 pixels.
constexpr int FormWidth = 8400;
constexpr int FormHeight = 5640;
constexpr int StripLeft = 480;
constexpr int StripTop = 120;
constexpr int StripWidth = FormWidth - StripLeft - 120;
constexpr int StripHeight = 4800;
constexpr int PageLeft = StripLeft + 120;
constexpr int PageTop = StripTop + 420;
constexpr int PageWidth = StripWidth - 240;
constexpr int PageHeight = StripHeight - 540;
constexpr int ButtonTop = StripTop + StripHeight + 120;
constexpr int ButtonHeight = 375;

struct TabInfo {
    std::string_view Caption;
    std::string_view HelpPage;
};

constexpr std::array<TabInfo, 7> Tabs{{
    {"General", "Prefs_General.htm"},
    {"FF/TF", "Prefs_FFTF.htm"},
    {"Interface", "Prefs_Interface.htm"},
    {"Folders", "Prefs_FPA.htm"},
    {"Images", "Prefs_FPA.htm"},
    {"Apps", "Prefs_FPA.htm"},
    {"Plugin Types", "Prefs_PluginTypes.htm"},
}};

void set_geometry(ui::Control& c, int left, int top, int width, int height) {
    c.Left.store(left);
    c.Top.store(top);
    c.Width.store(width);
    c.Height.store(height);
}

} // namespace

std::string_view Form2::HelpPage(int tab) {
    if (tab < 1 || tab > 7) return {};
    return Tabs[static_cast<std::size_t>(tab - 1)].HelpPage;
}

Form2::Form2(App& app) : ui::Window(app.host, "Form2"), app(app) {
    BorderStyle.store(ui::vbBSNone);
    ControlBox.store(false);
    MinButton.store(false);
    MaxButton.store(false);
    KeyPreview.store(true);
    Caption.store("Preferences");
    Width.store(FormWidth);
    Height.store(FormHeight);

    add(SSTab1, "SSTab1");
    set_geometry(SSTab1, StripLeft, StripTop, StripWidth, StripHeight);
    for (const auto& tab : Tabs)
        SSTab1.Tabs.Add().Caption.store(std::string(tab.Caption));
    SSTab1.SelectedItem.store(1);
    add(Frame1, "Frame1");
    for (auto& page : Frame1) {
        set_geometry(page, PageLeft, PageTop, PageWidth, PageHeight);
        page.BorderStyle.store(0);
    }

    add(Command1, "Command1");
    Command1.Caption.store("Ok");
    set_geometry(Command1, FormWidth - 3600, ButtonTop, 1200, ButtonHeight);
    add(Command8, "Command8");
    Command8.Caption.store("Cancel");
    set_geometry(Command8, FormWidth - 2280, ButtonTop, 1200, ButtonHeight);
    add(Command4, "Command4");
    Command4.Caption.store("?");
    Command4.ToolTipText.store("Show Help File");
    set_geometry(Command4, FormWidth - 960, ButtonTop, 480, ButtonHeight);

    build_general_page();
    build_fftf_page();
    build_interface_page();
    build_list_pages();
    connect_events();
}

void Form2::build_general_page() {
    ui::Frame* page = &Frame1[0];

    add(Frame7, "Frame7", page);
    Frame7.Caption.store("Associate File Types with Vexo");
    set_geometry(Frame7, 120, 120, 3240, 2400);
    static constexpr std::array<std::string_view, 5> extensions{"*.8bf", "*.prm", "*.ffl", "*.afs", "*.pff"};
    for (int i = 0; i < 5; ++i) {
        add_indexed(Check18[i], "Check18", i, &Frame7);
        Check18[i].Caption.store(std::string(extensions[i]));
        set_geometry(Check18[i], 240, 300 + i * 300, 1200, 255);
    }
    add(Command13, "Command13", &Frame7);
    Command13.Caption.store("Set Associations");
    Command13.ToolTipText.store("Press it to be able to run Vexo by double clicking the selected file types");
    set_geometry(Command13, 240, 1890, 2160, ButtonHeight);

    add(Frame11, "Frame11", page);
    Frame11.Caption.store("Misc");
    set_geometry(Frame11, 3480, 120, 3960, 2400);
    struct Box {
        ui::CheckBox& Control;
        const char* Name;
        const char* Caption;
        const char* Tip;
    };
    const Box misc[] = {
        {Check16, "Check16", "Load all components on startup",
         "If activated, the startup will take longer, but there won't be a delay when previewing plugins etc."},
        {Check4, "Check4", "Suppress the Select Folder dialog",
         "If activated the Select Folder window won't display anymore and the passive pane folder will be used as "
         "the destination folder"},
        {Check2, "Check2", "No FF Code Optimization", "Some function may be faster, if activated"},
        {Check7, "Check7", "Enable Cooperative Multithreading", "Lets you do more than one task at the same time"},
        {Check17, "Check17", "Write FFL 1.0 Files (recommended)", "For compatibility reasons keep it activated"},
    };
    int top = 300;
    for (const auto& box : misc) {
        add(box.Control, box.Name, &Frame11);
        box.Control.Caption.store(box.Caption);
        box.Control.ToolTipText.store(box.Tip);
        set_geometry(box.Control, 120, top, 3720, 255);
        top += 390;
    }

    add(Frame3, "Frame3", page);
    Frame3[0].Caption.store("Preview Cache");
    set_geometry(Frame3[0], 120, 2640, 7320, 1320);
    add(Check15, "Check15", &Frame3[0]);
    Check15.Caption.store("Enabled");
    Check15.ToolTipText.store("Activate for faster plugin previewing");
    set_geometry(Check15, 240, 300, 1200, 255);
    add(Label2, "Label2", &Frame3[0]);
    Label2.Caption.store("JPG Compression");
    set_geometry(Label2, 240, 720, 1800, 255);
    add(HScroll2, "HScroll2", &Frame3[0]);
    HScroll2.Min.store(0);
    HScroll2.Max.store(100);
    HScroll2.Value.store(15);
    HScroll2.LargeChange.store(10);
    set_geometry(HScroll2, 2160, 720, 2760, 255);
    add(Label3, "Label3", &Frame3[0]);
    Label3.Caption.store("15%");
    set_geometry(Label3, 5040, 720, 600, 255);
    add(Command5, "Command5", &Frame3[0]);
    Command5.Caption.store("Clear Cache");
    Command5.ToolTipText.store("Delete all files from the cache sub folder");
    set_geometry(Command5, 5880, 660, 1320, ButtonHeight);
}

void Form2::build_fftf_page() {
    ui::Frame* page = &Frame1[1];

    add(Frame4, "Frame4", page);
    Frame4.Caption.store("Photoshop FF Compilation");
    set_geometry(Frame4, 120, 120, 7320, 2280);
    static constexpr std::array<std::string_view, 4> options{
        "Filter Factory 3.0", "Filter Factory 3.04 (needs plugin.dll from Adobe)", "", "Macintosh FF (Mac Binary)"};
    static constexpr std::array<std::string_view, 4> optionTips{
        "Created plugins will work without plugin.dll", "Plugins will work only, if you have plugin.dll",
        "Plugins will work only in Photoshop", "Creates plugins for the Mac OS in Mac Binary format (*.bin)"};
    const std::array<int, 4> optionTops{300, 600, 900, 1200};
    for (int i = 0; i < 4; ++i) {
        add_indexed(Option4[i], "Option4", i, &Frame4);
        Option4[i].Caption.store(std::string(options[i]));
        Option4[i].ToolTipText.store(std::string(optionTips[i]));
        set_geometry(Option4[i], 120, optionTops[i], i == 2 ? 255 : 5040, 255);
    }
    Option4[0].Value.store(true);
    add_indexed(Combo2[0], "Combo2", 0, &Frame4);
    Combo2[0].ToolTipText.store("Use a different plugin template for creating FF plugins");
    set_geometry(Combo2[0], 420, 870, 2760, 315);
    add_indexed(Command2[1], "Command2", 1, &Frame4);
    Command2[1].Caption.store("Browse");
    set_geometry(Command2[1], 3240, 870, 780, 315);

    struct Box {
        ui::CheckBox& Control;
        const char* Name;
        int Index;
        const char* Caption;
        const char* Tip;
        int Left, Top;
    };
    const Box photoshop[] = {
        {Check9, "Check9", -1, "No Dialog", "", 5400, 300},
        {Check6, "Check6", -1, "Demo Plugin", "Deactivate the OK-Button and makes the plugin undecompilable", 5400,
         600},
        {Check3, "Check3", -1, "All Modes", "The plugin will work in three color modes", 5400, 900},
        {Check5[0], "Check5", 0, "Editor Plugin",
         "Generate plugins that display the code editor instead of the plugin dialog", 5400, 1200},
        {Check11[0], "Check11", 0, "Big Preview", "Activate for a different plugin dialog layout", 120, 1560},
        {Check11[1], "Check11", 1, "Mega Preview", "plugin dialog layout with a very large preview", 2040, 1560},
        {Check13[0], "Check13", 0, "Encrypted", "", 5400, 1560},
    };
    for (const auto& box : photoshop) {
        if (box.Index < 0)
            add(box.Control, box.Name, &Frame4);
        else
            add_indexed(box.Control, box.Name, box.Index, &Frame4);
        box.Control.Caption.store(box.Caption);
        box.Control.ToolTipText.store(box.Tip);
        set_geometry(box.Control, box.Left, box.Top, 1800, 255);
    }

    add(Frame6, "Frame6", page);
    Frame6.Caption.store("Premiere FF Compilation");
    set_geometry(Frame6, 120, 2520, 7320, 1560);
    add(Label8, "Label8", &Frame6);
    Label8.Caption.store("FF Plugin:");
    set_geometry(Label8, 120, 330, 840, 255);
    add_indexed(Combo2[1], "Combo2", 1, &Frame6);
    Combo2[1].ToolTipText.store("Select fl-fact.prm from your Adobe Premiere Plugin folder");
    set_geometry(Combo2[1], 960, 300, 2220, 315);
    add_indexed(Command2[2], "Command2", 2, &Frame6);
    Command2[2].Caption.store("Browse");
    set_geometry(Command2[2], 3240, 300, 780, 315);
    add(Label9, "Label9", &Frame6);
    Label9.Caption.store("TF Plugin:");
    set_geometry(Label9, 120, 750, 840, 255);
    add_indexed(Combo2[2], "Combo2", 2, &Frame6);
    Combo2[2].ToolTipText.store("Select fx-fact.prm from your Adobe Premiere Plugin folder");
    set_geometry(Combo2[2], 960, 720, 2220, 315);
    add_indexed(Command2[3], "Command2", 3, &Frame6);
    Command2[3].Caption.store("Browse");
    set_geometry(Command2[3], 3240, 720, 780, 315);
    const Box premiere[] = {
        {Check5[1], "Check5", 1, "Editor Plugin", "", 5400, 300},
        {Check5[2], "Check5", 2, "Editor Plugin", "", 5400, 720},
        {Check13[1], "Check13", 1, "Light Ency", "", 120, 1170},
        {Check13[2], "Check13", 2, "Encrypted", "", 1680, 1170},
        {Check14, "Check14", -1, "Heavy", "", 3240, 1170},
    };
    for (const auto& box : premiere) {
        if (box.Index < 0)
            add(box.Control, box.Name, &Frame6);
        else
            add_indexed(box.Control, box.Name, box.Index, &Frame6);
        box.Control.Caption.store(box.Caption);
        box.Control.ToolTipText.store(box.Tip);
        set_geometry(box.Control, box.Left, box.Top, 1560, 255);
    }
}

void Form2::build_interface_page() {
    ui::Frame* page = &Frame1[2];

    add(Frame5, "Frame5", page);
    Frame5.Caption.store("Select Fonts");
    set_geometry(Frame5, 120, 120, 7320, 1080);
    static constexpr std::array<std::string_view, 2> fontButtons{"List Box Font", "Other Font"};
    for (int i = 0; i < 2; ++i) {
        add_indexed(Command14[i], "Command14", i, &Frame5);
        Command14[i].Caption.store(std::string(fontButtons[i]));
        set_geometry(Command14[i], 120, 270 + i * 390, 1560, 345);
        add_indexed(Label1[i], "Label1", i, &Frame5);
        Label1[i].Caption.store("Font Name, Size");
        set_geometry(Label1[i], 1800, 315 + i * 390, 5400, 255);
    }

    add(Frame9, "Frame9", page);
    Frame9.Caption.store("Plugin View");
    set_geometry(Frame9, 120, 1320, 7320, 840);
    add(Check1, "Check1", &Frame9);
    Check1.Caption.store("search for plugins in all sub folders");
    Check1.ToolTipText.store("If enabled, all sub folders will be scanned recursively for plugins.");
    set_geometry(Check1, 120, 240, 7080, 255);
    add(Check8, "Check8", &Frame9);
    Check8.Caption.store("include txt, afs and pff files");
    Check8.ToolTipText.store("Slows the plugin scanning process down");
    set_geometry(Check8, 120, 510, 7080, 255);

    add(Frame10, "Frame10", page);
    Frame10.Caption.store("File and FFL View");
    set_geometry(Frame10, 120, 2280, 7320, 1080);
    static constexpr std::array<std::string_view, 6> viewCaptions{
        "Hover Selection", "Flat Scrollbar", "Gridlines", "Full Row Selection", "Hot Tracking", "Auto Column Width"};
    static constexpr std::array<std::string_view, 6> viewTips{
        "Selects an item, if you keep the mouse one second placed over it",
        "Flattens the scroll bar",
        "Displays gridline",
        "Selects the full row",
        "",
        "Very handy feature: Makes sure that no information is cut off"};
    for (int i = 0; i < 6; ++i) {
        add_indexed(Check12[i], "Check12", i, &Frame10);
        Check12[i].Caption.store(std::string(viewCaptions[i]));
        Check12[i].ToolTipText.store(std::string(viewTips[i]));
        set_geometry(Check12[i], 120 + (i % 3) * 2400, 270 + (i / 3) * 390, 2280, 255);
    }

    add(Frame2, "Frame2", page);
    Frame2.Caption.store("Choose FF Editor Interface");
    set_geometry(Frame2, 120, 3480, 7320, 720);
    add(Combo1, "Combo1", &Frame2);
    Combo1.Style.store(ui::vbComboDropdownList);
    set_geometry(Combo1, 120, 270, 7080, 315);
    Combo1.AddItem("Original FF Editor!");
}

void Form2::build_list_pages() {
    struct PageTexts {
        const char* Add;
        const char* Remove;
        const char* AutoAdd;
    };
    static constexpr std::array<PageTexts, 3> tips{{
        {"Add folders to the Folder menu", "Remove folders from the Folders Menu",
         "Automatically add all folders that are accessed to the Folders menu"},
        {"Add pictures to the File menu", "Remove pictures from the File menu",
         "Automatically add all pictures that are opened to the File menu"},
        {"Add applications to the Apps menu", "Remove applications from the Apps menu",
         "Automatically add all applications that are run to the Apps menu"},
    }};
    constexpr int listWidth = 5880;
    constexpr int listHeight = 3360;
    constexpr int buttonLeft = 6120;
    constexpr int buttonWidth = 1320;

    for (int i = 0; i < 4; ++i) {
        ui::Frame* page = &Frame1[static_cast<std::size_t>(3 + i)];
        add_indexed(List1[i], "List1", i, page);
        set_geometry(List1[i], 120, 120, listWidth, listHeight);
        // The type list is a check list: an entry's selected state is its check mark, each toggled on
        // its own, while ListIndex is the current entry.
        List1[i].MultiSelect.store(i < 3 ? ui::vbMultiSelectExtended : ui::vbMultiSelectSimple);
        if (i == 3) List1[i].Style.store(ui::vbListBoxCheckbox);
        add_indexed(Command3[i], "Command3", i, page);
        Command3[i].Caption.store("Add");
        set_geometry(Command3[i], buttonLeft, 120, buttonWidth, ButtonHeight);
        add_indexed(Command6[i], "Command6", i, page);
        Command6[i].Caption.store("Remove");
        set_geometry(Command6[i], buttonLeft, 600, buttonWidth, ButtonHeight);
        if (i == 3) break;
        Command3[i].ToolTipText.store(tips[i].Add);
        Command6[i].ToolTipText.store(tips[i].Remove);
        add_indexed(Command7[i], "Command7", i, page);
        Command7[i].Caption.store("Select All");
        Command7[i].ToolTipText.store("Select all items");
        set_geometry(Command7[i], buttonLeft, 1080, buttonWidth, ButtonHeight);
        add_indexed(Command9[i], "Command9", i, page);
        Command9[i].Style.store(1);
        set_geometry(Command9[i], buttonLeft, 1560, 600, ButtonHeight);
        add_indexed(Command10[i], "Command10", i, page);
        Command10[i].Style.store(1);
        set_geometry(Command10[i], buttonLeft + 720, 1560, 600, ButtonHeight);
        add_indexed(Check10[i], "Check10", i, page);
        Check10[i].Caption.store("Auto Add");
        Check10[i].ToolTipText.store(tips[i].AutoAdd);
        set_geometry(Check10[i], 120, listHeight + 240, 1320, 255);
    }
    // The arrow buttons of the Folders page really speak of pictures.
    Command9[0].ToolTipText.store("Move selected picture one row up");
    Command10[0].ToolTipText.store("Move selected picture one row down");
    // Until the arrow pictures are drawn, the buttons carry arrow-like captions.
    for (int i = 0; i < 3; ++i) {
        Command9[i].Caption.store("^");
        Command10[i].Caption.store("v");
    }

    ui::Frame* folders = &Frame1[3];
    add(Check19, "Check19", folders);
    Check19.Caption.store("Auto Top");
    set_geometry(Check19, 1560, listHeight + 240, 1200, 255);
    add(Label4, "Label4", folders);
    Label4.Caption.store("Limit to");
    set_geometry(Label4, 2880, listHeight + 270, 720, 255);
    add(Text1, "Text1", folders);
    Text1.Text.store("20");
    set_geometry(Text1, 3600, listHeight + 210, 480, 315);
    add(Label5, "Label5", folders);
    Label5.Caption.store("entries");
    set_geometry(Label5, 4200, listHeight + 270, 720, 255);

    ui::Frame* apps = &Frame1[5];
    add(Command11, "Command11", apps);
    Command11.Caption.store("Add %1");
    set_geometry(Command11, buttonLeft, 2160, buttonWidth, ButtonHeight);
    add(Command12, "Command12", apps);
    Command12.Caption.store("Remove %1");
    set_geometry(Command12, buttonLeft, 2640, buttonWidth, ButtonHeight);

    ui::Frame* types = &Frame1[6];
    const std::array<std::tuple<ui::CommandButton*, const char*, const char*, const char*>, 3> typeButtons{{
        {&Command15, "Command15", "Edit", "Edit a plugin type"},
        {&Command16, "Command16", "Reset", "Restore the default plugin types"},
        {&Command17, "Command17", "Toggle", "Turn all items on or off"},
    }};
    int top = 1080;
    for (const auto& [button, name, caption, tip] : typeButtons) {
        add(*button, name, types);
        button->Caption.store(caption);
        button->ToolTipText.store(tip);
        set_geometry(*button, buttonLeft, top, buttonWidth, ButtonHeight);
        top += 480;
    }
    Command3[3].ToolTipText.store("Add new plugin type");
    Command6[3].ToolTipText.store("Remove plugin type");
}

void Form2::connect_events() {
    Load = [this] { Form_Load(); };
    QueryUnload = [this](int& Cancel, int UnloadMode) { Form_QueryUnload(Cancel, UnloadMode); };
    Unload = [this](int& Cancel) { Form_Unload(Cancel); };
    Paint = [this] { Form_Paint(); };
    DblClick = [this] { Form_DblClick(); };
    MouseDown = [this](int Button, int Shift, float X, float Y) { Form_MouseDown(Button, Shift, X, Y); };
    KeyUp = [this](int& KeyCode, int& Shift) { Form_KeyUp(KeyCode, Shift); };
    SSTab1.Click = [this] { SSTab1_Click(); };
    SSTab1.GotFocus = [this] { SSTab1_GotFocus(); };

    Command1.Click = [this] { Command1_Click(); };
    Command8.Click = [this] { Command8_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    Command15.Click = [this] { Command15_Click(); };
    Command16.Click = [this] { Command16_Click(); };
    Command17.Click = [this] { Command17_Click(); };
    Command11.Click = [this] { Command11_Click(); };
    Command12.Click = [this] { Command12_Click(); };
    HScroll2.Change = [this] { HScroll2_Change(); };
    HScroll2.Scroll = [this] { HScroll2_Change(); };
    Text1.GotFocus = [this] { Text1_GotFocus(); };
    Check6.Click = [this] { Check6_Click(); };
    Combo1.Click = [this] { Combo1_Click(); };
    for (int i = 0; i < 3; ++i) {
        Check5[i].Click = [this, i] { Check5_Click(i); };
        Combo2[i].Click = [this, i] { Combo2_Click(i); };
        Combo2[i].GotFocus = [this, i] { Combo2_GotFocus(i); };
        Command7[i].Click = [this, i] { Command7_Click(i); };
        Command9[i].Click = [this, i] { Command9_Click(i); };
        Command10[i].Click = [this, i] { Command10_Click(i); };
    }
    for (int i = 0; i < 4; ++i) {
        Option4[i].Click = [this, i] { Option4_Click(i); };
        Command3[i].Click = [this, i] { Command3_Click(i); };
        Command6[i].Click = [this, i] { Command6_Click(i); };
        List1[i].KeyUp = [this, i](int& KeyCode, int& Shift) { List1_KeyUp(i, KeyCode, Shift); };
        List1[i].KeyDown = [this, i](int& KeyCode, int& Shift) { List1_KeyDown(i, KeyCode, Shift); };
    }
    for (int i = 0; i < 6; ++i)
        Check12[i].Click = [this, i] { Check12_Click(i); };
    for (int i = 0; i < 2; ++i)
        Command14[i].Click = [this, i] { Command14_Click(i); };
    Command13.Click = [this] { Command13_Click(); };
    for (int i = 1; i <= 3; ++i)
        Command2[i].Click = [this, i] { Command2_Click(i); };
}

// --- window events -----------------------------------------------------------------------------

void Form2::Form_Load() {
    if (Combo2[0].Text.get().empty()) {
        Option4[2].Enabled = false;
        Option4[0].Value = true;
    }
    show_page(SSTab1.SelectedItem);
}

void Form2::SSTab1_Click() {
    show_page(SSTab1.SelectedItem);
}

// Brings the page of a tab to the front. The pages behind it are hidden as well, so that a screen
// that draws the controls of every page above all page frames still shows one page only.
void Form2::show_page(int tab) {
    if (tab < 1 || tab > 7) return;
    for (int page = 0; page < 7; ++page)
        Frame1[static_cast<std::size_t>(page)].Visible = page == tab - 1;
    Frame1[static_cast<std::size_t>(tab - 1)].ZOrder(0);
}

void Form2::SSTab1_GotFocus() {
    int tab = SSTab1.SelectedItem;
    if (tab < 4 || tab > 7) return;
    try {
        List1[static_cast<std::size_t>(tab - 4)].SetFocus();
    } catch (const vb::Error&) {
        // A list that cannot take the focus keeps it where it is.
    }
}

void Form2::Command4_Click() {
    auto page = HelpPage(SSTab1.SelectedItem);
    if (!page.empty()) ShowHelp(app, page);
}

void Form2::Form_KeyUp(int& KeyCode, int& /*Shift*/) {
    if (KeyCode == ui::vbKeyF1) Command4_Click();
}

void Form2::Form_MouseDown(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void Form2::Form_DblClick() {
    ToggleRollUp(*this, roll_up_, RollUpAxis::Width);
}

void Form2::Form_Paint() {
    long thickness = 24;
    GreyscaleBar(*this, thickness, false, false);
}

void Form2::HScroll2_Change() {
    Label3.Caption = std::to_string(HScroll2.Value.get()) + "%";
}

void Form2::Text1_GotFocus() {
    Text1.SelStart = 0;
    Text1.SelLength = static_cast<int>(Text1.Text.get().size());
}

void Form2::Command5_Click() {
    if (host().MsgBox("Do you really want to clear the preview cache?", ui::vbYesNo | ui::vbExclamation) != ui::vbYes)
        return;
    std::string cache = files::app_path("cache");
    try {
        files::delete_tree(cache);
    } catch (const vb::Error&) {
    }
    try {
        files::make_folder(cache);
    } catch (const vb::Error&) {
    }
}

// --- couplings of the FF/TF page ---------------------------------------------------------------

void Form2::Check5_Click(int /*Index*/) {
    if (Check5[0].Value == ui::vbChecked) Check6.Value = ui::vbUnchecked;
}

void Form2::Check6_Click() {
    if (Check6.Value == ui::vbChecked) Check5[0].Value = ui::vbUnchecked;
}

void Form2::Combo2_Click(int /*Index*/) {
    if (!Combo2[0].Text.get().empty()) {
        Option4[2].Enabled = true;
        Option4[2].Value = true;
    }
}

void Form2::Combo2_GotFocus(int /*Index*/) {
    Option4[2].Value = true;
}

void Form2::Option4_Click(int Index) {
    if (Index == 2 && Combo2[0].Text.get().empty()) {
        Option4[0].Value = true;
        Option4[2].Enabled = false;
    }
}

} // namespace vexolan
