#pragma once
// The Preferences window. Its controls are the program's live settings: every subsystem reads them
// directly (Check4 before the target-folder dialog, Check12(5) on every File View refill, List1(0) for
// the Folders menu, ...), unsaved changes included. The main window's start-up creates it hidden, runs
// LookforInterface and the loader Command8_Click, and it stays loaded until the program exits.
//
// "Ok" (Command1) saves every preference and list and hides the window; "Cancel" (Command8) reloads
// everything from the settings store and the list files and hides it.

#include "shell/frame.hpp"

#include "platform/ui/Bars.hpp"
#include "platform/ui/Controls.hpp"
#include "platform/ui/Lists.hpp"
#include "platform/ui/Window.hpp"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vexolan {

class App;

class Form2 : public ui::Window {
public:
    explicit Form2(App& app);

    App& app;

    // --- the tab strip and its seven pages ---
    // Tabs 1 "General", 2 "FF/TF", 3 "Interface", 4 "Folders", 5 "Images", 6 "Apps", 7 "Plugin Types";
    // tab k shows Frame1(k - 1). Callers set SelectedItem before showing the window.
    ui::TabStrip SSTab1;
    std::array<ui::Frame, 7> Frame1;

    ui::CommandButton Command1; // "Ok": the saver
    ui::CommandButton Command8; // "Cancel": the loader
    ui::CommandButton Command4; // "?": the help page of the current tab

    // --- General page, Frame1(0) ---
    ui::Frame Frame7;                    // "Associate File Types with Vexo"
    std::array<ui::CheckBox, 5> Check18; // "*.8bf", "*.prm", "*.ffl", "*.afs", "*.pff"
    ui::CommandButton Command13;         // "Set Associations"
    ui::Frame Frame11;                   // "Misc"
    ui::CheckBox Check16;                // "Load all components on startup"
    ui::CheckBox Check4;                 // "Suppress the Select Folder dialog"
    ui::CheckBox Check2;                 // "No FF Code Optimization"
    ui::CheckBox Check7;                 // "Enable Cooperative Multithreading"
    ui::CheckBox Check17;                // "Write FFL 1.0 Files (recommended)"
    std::array<ui::Frame, 1> Frame3;     // "Preview Cache"
    ui::CheckBox Check15;                // "Enabled"
    ui::HScrollBar HScroll2;             // JPG compression, 15 at design
    ui::Label Label3;                    // the slider's value and "%"
    ui::Label Label2;                    // "JPG Compression"
    ui::CommandButton Command5;          // "Clear Cache"

    // --- FF/TF page, Frame1(1): the compile options ---
    ui::Frame Frame4;                          // "Photoshop FF Compilation"
    std::array<ui::OptionButton, 4> Option4;   // 3.0, 3.04, the user template, Mac Binary
    std::array<ui::ComboBox, 3> Combo2;        // template paths: user template, fl-fact.prm, fx-fact.prm
    std::array<ui::CommandButton, 4> Command2; // "Browse" for Combo2(Index - 1); items 1 to 3 only
    ui::CheckBox Check9;                       // "No Dialog"
    ui::CheckBox Check6;                       // "Demo Plugin"
    ui::CheckBox Check3;                       // "All Modes"
    std::array<ui::CheckBox, 3> Check5;        // "Editor Plugin": Photoshop (0), Premiere (1, 2)
    std::array<ui::CheckBox, 2> Check11;       // "Big Preview", "Mega Preview"
    std::array<ui::CheckBox, 3> Check13;       // "Encrypted", "Light Ency", "Encrypted"
    ui::Frame Frame6;                          // "Premiere FF Compilation"
    ui::Label Label8;                          // "FF Plugin:"
    ui::Label Label9;                          // "TF Plugin:"
    ui::CheckBox Check14;                      // "Heavy"

    // --- Interface page, Frame1(2) ---
    ui::Frame Frame5;                           // "Select Fonts"
    std::array<ui::CommandButton, 2> Command14; // "List Box Font", "Other Font"
    std::array<ui::Label, 2> Label1;            // "Font Name, Size", then "name, size"
    ui::Frame Frame9;                           // "Plugin View"
    ui::CheckBox Check1;                        // "search for plugins in all sub folders"
    ui::CheckBox Check8;                        // "include txt, afs and pff files"
    ui::Frame Frame10;                          // "File and FFL View"
    std::array<ui::CheckBox, 6> Check12;        // Hover Selection ... Auto Column Width
    ui::Frame Frame2;                           // "Choose FF Editor Interface"
    ui::ComboBox Combo1;                        // "Original FF Editor!", then one entry per interface file

    // --- Folders, Images, Apps and Plugin Types pages, Frame1(3..6) ---
    // List1(0) folders (each ending with "/"), List1(1) pictures, List1(2) applications (optionally
    // ending with " %1"), List1(3) plug-in types ("Name (ext|d)", the check state is Selected(i)).
    std::array<ui::ListBox, 4> List1;
    std::array<ui::CommandButton, 4> Command3;  // "Add"
    std::array<ui::CommandButton, 4> Command6;  // "Remove"
    std::array<ui::CommandButton, 3> Command7;  // "Select All" (Command7_Click(3) has no button)
    std::array<ui::CommandButton, 3> Command9;  // up
    std::array<ui::CommandButton, 3> Command10; // down
    std::array<ui::CheckBox, 3> Check10;        // "Auto Add"
    ui::Label Label4;                           // "Limit to"
    ui::TextBox Text1;                          // the folder limit, "20" at design
    ui::Label Label5;                           // "entries"
    ui::CheckBox Check19;                       // "Auto Top"
    ui::CommandButton Command11;                // "Add %1"
    ui::CommandButton Command12;                // "Remove %1"
    ui::CommandButton Command15;                // "Edit"
    ui::CommandButton Command16;                // "Reset"
    ui::CommandButton Command17;                // "Toggle"

    // --- state of the window ---
    // The application list changed since start-up: every Ok then refreshes the main window's
    // application button. Nothing clears it.
    bool AppsChanged = false;
    // The folder list's limit as the folder changes use it (Auto Add): the number in Text1, or 20
    // while that is below 1, so that a cleared or mistyped box never makes the list drop favourites.
    // (Add on the Folders page checks the box as it stands.)
    int FolderLimit() const;
    // The interface file name of each Combo1 entry (entry 0, the plain editor, has none): the exact
    // name, however long, rather than the entry's last 12 characters.
    std::vector<std::string> InterfaceFileNames{""};
    // The Combo1 entry of an interface file, compared without regard to case; -1 when none.
    int InterfaceEntry(std::string_view fileName) const;
    // The horizontal scroll extent of each list, in pixels (AdaptListWidth).
    std::array<int, 4> HorizontalExtent{};
    // The Folders menu's captions as the loader last filled them from the folder list. The exit writes
    // the favourite-folder keys only when the menu shows other captions by then: a second copy of the
    // program that never changed the list leaves the keys the first copy wrote.
    std::vector<std::string> FolderMenuAsLoaded;
    // Called once the start-up has put the panes in their folders: when that only moved entries of
    // the folder list (Auto Top), the new order counts as what this copy read, not as a change of
    // its own that the exit or Ok would write over another copy's list.
    void KeepStartupFolderOrder();

    // --- settings load and save ---
    void Command8_Click(); // the loader, also "Cancel"
    void Command1_Click(); // the saver, "Ok"

    // --- plug-in types ---
    void GetPlugTypes();
    void Command15_Click(); // Edit
    void Command16_Click(); // Reset
    void Command17_Click(); // Toggle

    // --- the lists and their menus ---
    void LoadList(const std::string& Filey, int ListIndy, bool Sely);
    // Writes the list to `Filey`; a file that could not be written is told by name and reason (the
    // old file stays whole).
    void SaveList(const std::string& Filey, int ListIndy, bool Sely);
    void ListToMenu(int Index);
    void AdaptListWidth(int indey);
    void Command3_Click(int Index);  // Add
    void Command6_Click(int Index);  // Remove
    void Command7_Click(int Index);  // Select All
    void Command9_Click(int Index);  // up
    void Command10_Click(int Index); // down
    void Command11_Click();          // Add %1
    void Command12_Click();          // Remove %1

    // --- fonts, display options, interface files ---
    void SetFont(const std::string& ffont, int fsize, bool Bold, bool Italic, int Index);
    // "List Box Font" (0) and "Other Font" (1): the font dialog, starting from the list font.
    void Command14_Click(int Index);
    void Check12_Click(int Index);
    void LookforInterface();
    // The shell's folder browser with a prompt; "" when the user cancels.
    std::string GetBrowseDirectory(std::string_view Message);

    // --- file associations and templates ---
    // "Set Associations": makes Vexolan the program of each checked file type.
    void Command13_Click();
    // Registers Vexolan for one extension (".8bf"): its desktop entry, the file type and the
    // default program of that type. True when all of it was written.
    bool AssociateExtension(std::string_view Extension);
    // "Browse" for the template path Combo2(Index - 1), Index 1 to 3.
    void Command2_Click(int Index);

    // --- window events ---
    void Form_Load();
    // A close by the user (the window manager's close box) is Cancel: the window reloads, hides and
    // stays loaded, as the program expects it to until the exit.
    void Form_QueryUnload(int& Cancel, int UnloadMode);
    void Form_Unload(int& Cancel);
    void Form_Paint();
    void Form_DblClick();
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void Form_KeyUp(int& KeyCode, int& Shift);
    void SSTab1_Click();
    void SSTab1_GotFocus();
    void Command4_Click();
    void Command5_Click();
    void HScroll2_Change();
    void Text1_GotFocus();
    void Check5_Click(int Index);
    void Check6_Click();
    // The editor interface chosen: the plain editor (entry 0) or an interface file, applied at once.
    void Combo1_Click();
    void Combo2_Click(int Index);
    void Combo2_GotFocus(int Index);
    void Option4_Click(int Index);
    void List1_KeyUp(int Index, int& KeyCode, int& Shift);
    void List1_KeyDown(int Index, int& KeyCode, int& Shift);

    // The list files of the application folder.
    static std::string PlugTypesFile();
    static std::string FolderListFile();

    // The help page of each tab, 1 to 7.
    static std::string_view HelpPage(int tab);

private:
    void build_general_page();
    void build_fftf_page();
    void build_interface_page();
    void build_list_pages();
    void connect_events();
    void show_page(int tab);
    void move_entry(int Index, int direction);
    void add_plug_type();
    void load_numbered_list(int Index, std::string_view prefix);
    std::string Setting(std::string_view key);
    void SaveSetting(std::string_view key, std::string_view value);
    void DeleteSetting(std::string_view key);
    void add_folder();
    void add_picture();
    void add_application();
    // Adds a picture or application path unless the list holds it already (exactly, case and all).
    void add_unique(int Index, const std::string& path);

    // Roll-up by height; the state outlives hiding the window.
    RollUpState roll_up_;
    // A list file that is there but could not be read since it was last written: the exit does not
    // rewrite it, so an unreadable file is never replaced by an empty or partial list.
    std::array<bool, 4> list_file_unreadable_{};
    // Each list file's text as this copy last read or wrote it (before either: the list as the loader
    // made it without a file). The exit rewrites a list file only when its list has changed since, so
    // a list this copy left alone stays as another copy of the program may have saved it meanwhile.
    std::array<std::string, 4> list_file_known_{};
    // The text SaveList writes for a list.
    std::string list_file_text(int ListIndy, bool Sely) const;
    // Whether a list file is to be written: its list changed since this copy last read or wrote the
    // file, or the file is not there (a first run leaves both); never while the file could not be
    // read. Another copy of the program may have saved a list this copy left alone.
    bool list_file_due(int ListIndy, bool Sely, const std::string& file) const;
    // The first failed write of the settings file since the saver began, told once at its end.
    std::string settings_failure_;
};

} // namespace vexolan
