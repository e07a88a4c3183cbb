#pragma once
// The link-list window "FX Download": two lists of named web addresses, one per tab, "Plugins" over
// "FilterURLs.txt" and "PSP Tubes" over "TubeURLs.txt" of the application folder. The user picks an
// entry to see its address, opens it in the browser, copies, adds, renames, readdresses, moves and
// deletes entries, and saves the list back to its file. The window is modeless.
//
// The list file holds one entry a line, "name;address". A line starting with ";" carries the name of
// the entry before it, a line without ";" carries the address of the entry before it, an empty line
// is an entry with neither. Names and addresses are trimmed; a name holds no ";", an address may.

#include "platform/ui/ui.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace vexolan {

class App;

// A list file read: the entries in order, and the longest name as it stood before trimming (the
// list's scroll width is measured on it).
struct LinkList {
    std::vector<std::string> Names;
    std::vector<std::string> URLs;
    std::string LongestName;
};
LinkList ReadLinkList(std::string_view bytes);
// The bytes of a list file: "name;address" CR LF per entry, an empty line for an entry with
// neither a name nor an address.
std::string WriteLinkList(const std::vector<std::string>& Names, const std::vector<std::string>& URLs);

class frmDownload : public ui::Window {
public:
    explicit frmDownload(App& app);

    App& app;

    // --- controls ---
    ui::TabStrip TabStrip1; // 1 "Plugins", 2 "PSP Tubes"
    ui::ListBox List1;      // the names, one row per entry
    ui::Label Label2;       // the selected entry's address
    ui::Line Line1, Line2;  // decoration

    // --- menus ---
    ui::Menu mnuFile, mnuConnect, mnuSep1, mnuSave, mnuShareList, mnuSep2, mnuExit;
    ui::Menu mnuEdit, mnuCopyURL, mnuSep3, mnuAdd;
    ui::MenuArray mnuName; // 0 "Edit Name...", 1 "Edit URL..."
    ui::Menu mnuMove, mnuSep4, mnuDelete;
    ui::Menu mnuHelp, mnuHelp2;

    // --- the entries, one per row of List1, always exactly as many as there are rows ---
    std::vector<std::string> LinkNames;
    std::vector<std::string> LinkURLs;
    // The shown list changed since it was loaded or saved. Only a confirmed save clears it.
    bool LinksChanged = false;
    // The tab whose list is on show (1 or 2).
    int ShownTab = 1;

    // Loads a list file into the window; a missing or unreadable file gives an empty list.
    void LoadLinks(const std::string& sFile);
    // Saves the shown list as list 1 ("Plugins") or 2 ("PSP Tubes"), after asking.
    void SaveLinks(int Casy);
    // Moves the selected entry one row up (true) or down (false).
    void MoveItem(bool Up);

    // The caption and the file of list 1 or 2.
    static std::string_view ListCaption(int Casy);
    static std::string_view ListFile(int Casy);

    // --- events ---
    void Form_Load();
    void Form_Unload(int& Cancel);
    void TabStrip1_Click();
    void List1_Click();
    void List1_DblClick();
    void List1_KeyDown(int& KeyCode, int& Shift);
    void Label2_MouseDown(int Button, int Shift, float X, float Y);
    void mnuConnect_Click();
    void mnuSave_Click();
    void mnuShareList_Click();
    void mnuExit_Click();
    void mnuCopyURL_Click();
    void mnuAdd_Click();
    void mnuName_Click(int Index);
    void mnuMove_Click();
    void mnuDelete_Click();
    void mnuHelp2_Click();

private:
    // The selected row, or -1 when none is (or the row has no entry).
    int selected_entry() const;
    void show_selected_address();
    void build();
};

// View > "FX Download": shows the link-list window without waiting, loading it first when needed.
void mnuFilterDownload_Click(App& app);

} // namespace vexolan
