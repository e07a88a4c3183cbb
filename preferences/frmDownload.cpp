#include "preferences/frmDownload.hpp"
#include "platform/ui/MenuBuilder.hpp"

#include "preferences/list_text.hpp"
#include "shell/App.hpp"
#include "shell/status.hpp"
#include "shell/Form1.hpp"
#include "shell/frame.hpp"
#include "shell/help.hpp"

#include "platform/fs/files.hpp"
#include "platform/values/values.hpp"

namespace vexolan {

namespace {

// A name typed by the user: a ";" would split the entry wrongly when the list is read back, so it
// is left out.
std::string typed_name(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ';') out += c;
    return out;
}

} // namespace

// --- the list file -----------------------------------------------------------------------------

LinkList ReadLinkList(std::string_view bytes) {
    LinkList list;
    std::string name, url; // the running values, carried from the entry before
    for (const std::string& raw : SplitListLines(WithoutByteOrderMark(bytes))) {
        std::string line = ListLineText(raw);
        std::size_t p = line.find(';');
        if (p == std::string::npos)
            name = line;
        else if (p > 0)
            name = line.substr(0, p);
        // (a line starting with ";" keeps the name of the entry before)
        if (name.size() > list.LongestName.size()) list.LongestName = name;
        if (p != std::string::npos)
            url = line.substr(p + 1);
        else if (line.empty())
            url.clear();
        list.Names.push_back(vb::Trim(name));
        list.URLs.push_back(vb::Trim(url));
    }
    return list;
}

std::string WriteLinkList(const std::vector<std::string>& Names, const std::vector<std::string>& URLs) {
    std::string out;
    for (std::size_t i = 0; i < Names.size(); ++i) {
        const std::string& url = i < URLs.size() ? URLs[i] : std::string();
        if (!Names[i].empty() || !url.empty()) out += Names[i] + ";" + url;
        out += "\r\n";
    }
    return out;
}

// --- the window --------------------------------------------------------------------------------

std::string_view frmDownload::ListCaption(int Casy) {
    return Casy == 2 ? "PSP Tubes" : "Plugins";
}

std::string_view frmDownload::ListFile(int Casy) {
    return Casy == 2 ? "TubeURLs.txt" : "FilterURLs.txt";
}

frmDownload::frmDownload(App& app) : ui::Window(app.host, "frmDownload"), app(app) {
    build();

    Load = [this] { Form_Load(); };
    Unload = [this](int& Cancel) { Form_Unload(Cancel); };
    TabStrip1.Click = [this] { TabStrip1_Click(); };
    List1.Click = [this] { List1_Click(); };
    List1.DblClick = [this] { List1_DblClick(); };
    List1.KeyDown = [this](int& KeyCode, int& Shift) { List1_KeyDown(KeyCode, Shift); };
    Label2.MouseDown = [this](int b, int s, float x, float y) { Label2_MouseDown(b, s, x, y); };
    mnuConnect.Click = [this] { mnuConnect_Click(); };
    mnuSave.Click = [this] { mnuSave_Click(); };
    mnuShareList.Click = [this] { mnuShareList_Click(); };
    mnuExit.Click = [this] { mnuExit_Click(); };
    mnuCopyURL.Click = [this] { mnuCopyURL_Click(); };
    mnuAdd.Click = [this] { mnuAdd_Click(); };
    mnuName.Click = [this](int Index) { mnuName_Click(Index); };
    mnuMove.Click = [this] { mnuMove_Click(); };
    mnuDelete.Click = [this] { mnuDelete_Click(); };
    mnuHelp2.Click = [this] { mnuHelp2_Click(); };
}

void frmDownload::build() {
    Caption = "FX Download";
    BorderStyle = ui::vbFixedSingle;
    MaxButton = false;
    Width = 5400;
    Height = 5355;

    add(TabStrip1, "TabStrip1");
    TabStrip1.Move(120, 120, 5040, 3900);
    TabStrip1.Tabs.Add().Caption = "Plugins";
    TabStrip1.Tabs.Add().Caption = "PSP Tubes";
    add(List1, "List1");
    List1.Move(240, 540, 4800, 3360);
    add(Line1, "Line1");
    Line1.X1 = 120, Line1.Y1 = 4140, Line1.X2 = 5160, Line1.Y2 = 4140;
    Line1.BorderColor = 0x808080;
    add(Line2, "Line2");
    Line2.X1 = 120, Line2.Y1 = 4155, Line2.X2 = 5160, Line2.Y2 = 4155;
    Line2.BorderColor = 0xFFFFFF;
    add(Label2, "Label2");
    Label2.Move(120, 4260, 5040, 285);

    ui::MenuBuilder menus(*this);
    menus.top(mnuFile, "mnuFile", "&File");
    menus.item(mnuConnect, "mnuConnect", mnuFile, "Connect", "Ctrl+T");
    menus.item(mnuSep1, "mnuSep1", mnuFile, "-");
    menus.item(mnuSave, "mnuSave", mnuFile, "Save", "Ctrl+S");
    menus.item(mnuShareList, "mnuShareList", mnuFile, "Share");
    menus.item(mnuSep2, "mnuSep2", mnuFile, "-");
    menus.item(mnuExit, "mnuExit", mnuFile, "Exit");
    menus.top(mnuEdit, "mnuEdit", "&Edit");
    menus.item(mnuCopyURL, "mnuCopyURL", mnuEdit, "Copy URL", "Ctrl+C");
    menus.item(mnuSep3, "mnuSep3", mnuEdit, "-");
    menus.item(mnuAdd, "mnuAdd", mnuEdit, "Add...", "Ctrl+A");
    add_menu(mnuName, "mnuName", &mnuEdit);
    mnuName[0].Caption = "Edit Name...";
    mnuName[0].Shortcut = "Ctrl+N";
    mnuName.Load(1);
    mnuName[1].Caption = "Edit URL...";
    mnuName[1].Shortcut = "Ctrl+U";
    menus.item(mnuMove, "mnuMove", mnuEdit, "Move Up/Down");
    menus.item(mnuSep4, "mnuSep4", mnuEdit, "-");
    menus.item(mnuDelete, "mnuDelete", mnuEdit, "Delete", "Del");
    menus.top(mnuHelp, "mnuHelp", "&Help");
    menus.item(mnuHelp2, "mnuHelp2", mnuHelp, "Help", "F1");
}

void frmDownload::Form_Load() {
    // A window opened again starts afresh on the first tab, whatever it showed when it closed.
    TabStrip1.SelectedItem.store(1);
    ShownTab = 1;
    LinksChanged = false;
    LoadLinks(files::app_path(ListFile(1)));
    Form1& main = app.form1();
    Left = (main.Width - Width) / 2 + main.Left;
    Top = (main.Height - Height) / 2 + main.Top;
}

void frmDownload::Form_Unload(int& /*Cancel*/) {
    // The window closes whatever the answer.
    if (LinksChanged) mnuSave_Click();
}

void frmDownload::LoadLinks(const std::string& sFile) {
    // A missing or unreadable file shows an empty list, so that a later save cannot write the
    // entries of one tab into the other tab's file.
    LinkList read;
    if (files::file_exists(sFile)) {
        MousePointer = ui::vbHourglass;
        try {
            read = ReadLinkList(files::read_file_bytes(sFile));
        } catch (const vb::Error&) {
            read = {};
        }
        MousePointer = ui::vbDefault;
    }
    List1.Clear();
    LinkNames = std::move(read.Names);
    LinkURLs = std::move(read.URLs);
    for (const auto& name : LinkNames)
        List1.AddItem(name);
    List1.HorizontalExtent = TextWidth(read.LongestName + "  ") / host().TwipsPerPixelX();
    if (List1.ListCount() > 0) List1.ListIndex = 0;
    show_selected_address();
    try {
        List1.SetFocus();
    } catch (const vb::Error&) {
        // A window not on the screen yet takes the focus when it shows.
    }
}

void frmDownload::SaveLinks(int Casy) {
    if (Casy != 1 && Casy != 2) return;
    std::string prompt = "Do you want to save the changes in the " + std::string(ListCaption(Casy)) + " List ?";
    if (host().MsgBox(prompt, ui::vbQuestion | ui::vbOKCancel) != ui::vbOK) return;
    MousePointer = ui::vbHourglass;
    bool written = true;
    const std::string path = files::app_path(ListFile(Casy));
    try {
        // Written to a temporary file first and put in place whole: a failed save keeps the old list.
        files::replace_file(path, WriteLinkList(LinkNames, LinkURLs));
    } catch (const vb::Error& e) {
        written = false;
        MousePointer = ui::vbDefault;
        host().MsgBox(NotWrittenMessage(e, path), ui::vbExclamation);
    }
    MousePointer = ui::vbDefault;
    // A list that did not reach its file is still unsaved.
    if (written) LinksChanged = false;
}

void frmDownload::TabStrip1_Click() {
    int chosen = TabStrip1.SelectedItem;
    // A click on the tab already on show changes nothing (and must not save its list as the other's).
    if (chosen == ShownTab || (chosen != 1 && chosen != 2)) return;
    if (LinksChanged) SaveLinks(ShownTab);
    ShownTab = chosen;
    LoadLinks(files::app_path(ListFile(chosen)));
}

int frmDownload::selected_entry() const {
    int i = List1.ListIndex;
    if (i < 0 || i >= static_cast<int>(LinkNames.size())) return -1;
    return i;
}

void frmDownload::show_selected_address() {
    int i = selected_entry();
    Label2.Caption = i < 0 ? std::string() : LinkURLs[static_cast<std::size_t>(i)];
}

void frmDownload::List1_Click() {
    show_selected_address();
}

void frmDownload::List1_DblClick() {
    mnuConnect_Click();
}

void frmDownload::List1_KeyDown(int& KeyCode, int& Shift) {
    if (KeyCode == ui::vbKeyDelete) {
        mnuDelete_Click();
        KeyCode = 0;
    } else if ((KeyCode == ui::vbKeyUp || KeyCode == ui::vbKeyDown) && Shift == ui::vbAltMask) {
        MoveItem(KeyCode == ui::vbKeyUp);
        // Alt with an arrow moves the entry, not the selection.
        KeyCode = 0;
    }
}

void frmDownload::Label2_MouseDown(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void frmDownload::mnuConnect_Click() {
    int i = selected_entry();
    // An entry without an address has nothing to open.
    if (i < 0 || LinkURLs[static_cast<std::size_t>(i)].empty()) return;
    ShowURL(app, LinkURLs[static_cast<std::size_t>(i)]);
}

void frmDownload::mnuSave_Click() {
    SaveLinks(ShownTab);
}

void frmDownload::mnuShareList_Click() {
    host().MsgBox("The URLs of this tab sheet are saved under\r\n\r\n" + files::app_path(ListFile(ShownTab)),
                  ui::vbInformation);
}

void frmDownload::mnuExit_Click() {
    Unload();
}

void frmDownload::mnuCopyURL_Click() {
    int i = selected_entry();
    if (i < 0) return;
    host().ClearClipboard();
    host().SetClipboardText(LinkURLs[static_cast<std::size_t>(i)]);
}

void frmDownload::mnuAdd_Click() {
    std::string name = typed_name(host().InputBox("Please enter the name of the new item:", "Add item name"));
    if (name.empty()) return;
    std::string url = host().InputBox("Please enter the URL of the new entry:", "Add item URL");
    if (url.empty()) return;
    LinkNames.push_back(name);
    LinkURLs.push_back(url);
    List1.AddItem(name);
    LinksChanged = true;
    List1.ListIndex = List1.ListCount() - 1;
    show_selected_address();
}

void frmDownload::mnuName_Click(int Index) {
    int i = selected_entry();
    if (i < 0 || (Index != 0 && Index != 1)) return;
    auto entry = static_cast<std::size_t>(i);
    std::string& value = Index == 0 ? LinkNames[entry] : LinkURLs[entry];
    std::string answer = host().InputBox("Please enter a new name.", "Edit item", value);
    if (Index == 0) answer = typed_name(answer);
    if (answer.empty()) return;
    value = answer;
    if (Index == 0) List1.SetList(i, answer);
    LinksChanged = true;
    show_selected_address();
}

void frmDownload::MoveItem(bool Up) {
    int i = selected_entry();
    if (i < 0) return;
    int target = Up ? i - 1 : i + 1;
    if (target < 0 || target >= List1.ListCount()) return;
    auto a = static_cast<std::size_t>(i), b = static_cast<std::size_t>(target);
    std::swap(LinkNames[a], LinkNames[b]);
    std::swap(LinkURLs[a], LinkURLs[b]);
    List1.SetList(i, LinkNames[a]);
    List1.SetList(target, LinkNames[b]);
    List1.ListIndex = target;
    show_selected_address();
    try {
        List1.SetFocus();
    } catch (const vb::Error&) {
    }
    LinksChanged = true;
}

void frmDownload::mnuMove_Click() {
    host().MsgBox("Use the Alt + Cursor keys to move the entries!", ui::vbInformation);
}

void frmDownload::mnuDelete_Click() {
    int i = selected_entry();
    if (i < 0) return;
    LinkNames.erase(LinkNames.begin() + i);
    LinkURLs.erase(LinkURLs.begin() + i);
    List1.RemoveItem(i);
    if (i < List1.ListCount()) List1.ListIndex = i;
    show_selected_address();
    LinksChanged = true;
}

void frmDownload::mnuHelp2_Click() {
    ShowHelp(app, "menu_View.htm");
}

void mnuFilterDownload_Click(App& app) {
    app.linkListWindow().Show();
}

} // namespace vexolan
