// The link-list window: its list files byte for byte, the save question on a tab switch and on
// close, and the entry commands driven as a user drives them (menus, keys, input boxes).

#include "preferences/frmDownload.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "tests/shell/fake_desktop.hpp"
#include "tests/support/app_fixture.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::AppTest;

namespace {

constexpr std::string_view SaveFilters = "Do you want to save the changes in the Plugins List ?";
constexpr std::string_view SaveTubes = "Do you want to save the changes in the PSP Tubes List ?";
constexpr int SaveStyle = ui::vbQuestion | ui::vbOKCancel;

struct LinkListTest : AppTest {
    std::filesystem::path filters = appFolder / "FilterURLs.txt";
    std::filesystem::path tubes = appFolder / "TubeURLs.txt";

    void write(const std::filesystem::path& p, std::string_view bytes) { files::replace_file(p, bytes); }
    std::string bytes(const std::filesystem::path& p) { return files::read_file_bytes(p); }
    frmDownload& open() {
        frmDownload& w = app.linkListWindow();
        w.Show();
        return w;
    }
    static std::vector<std::string> rows(const frmDownload& w) {
        std::vector<std::string> out;
        for (int i = 0; i < w.List1.ListCount(); ++i)
            out.push_back(w.List1.List(i));
        return out;
    }
    static void expect_paired(const frmDownload& w) {
        ASSERT_EQ(w.LinkNames.size(), static_cast<std::size_t>(w.List1.ListCount()));
        ASSERT_EQ(w.LinkURLs.size(), w.LinkNames.size());
        for (int i = 0; i < w.List1.ListCount(); ++i)
            EXPECT_EQ(w.List1.List(i), w.LinkNames[static_cast<std::size_t>(i)]) << i;
    }
};

} // namespace

TEST(LinkListFile, LinesCarryTheNameOrTheAddressOfTheEntryBefore) {
    struct Case {
        std::string_view Bytes;
        std::vector<std::string> Names, URLs;
    };
    const Case cases[] = {
        {"Site A;url-a\r\n;url-b\r\nSite C\r\n\r\n",
         {"Site A", "Site A", "Site C", ""},
         {"url-a", "url-b", "url-b", ""}},
        {"  x ; a;b  ", {"x"}, {"a;b"}},
        {";first\r\nalone", {"", "alone"}, {"first", "first"}},
        {"n;u\n   \rlast;", {"n", "", "last"}, {"u", "u", ""}},
        // A line that is not UTF-8 is an older list's Windows-1252 text.
        {"Caf\xE9;http://c.example/\r\n\xC3\xA9t\xC3\xA9;e",
         {"Caf\xC3\xA9", "\xC3\xA9t\xC3\xA9"},
         {"http://c.example/", "e"}},
        {"", {}, {}},
    };
    for (const auto& c : cases) {
        LinkList read = ReadLinkList(c.Bytes);
        EXPECT_EQ(read.Names, c.Names) << c.Bytes;
        EXPECT_EQ(read.URLs, c.URLs) << c.Bytes;
    }
    // The longest name is the one before trimming.
    EXPECT_EQ(ReadLinkList("ab;x\r\n   c   ;y\r\n").LongestName, "   c   ");
}

TEST(LinkListFile, EntriesAreWrittenAsNameSemicolonAddressAndEmptyOnesAsEmptyLines) {
    EXPECT_EQ(WriteLinkList({"", "n", ""}, {"u", "", ""}), ";u\r\nn;\r\n\r\n");
    EXPECT_EQ(WriteLinkList({"Site A", "Site A"}, {"url-a", "url-b"}), "Site A;url-a\r\nSite A;url-b\r\n");
    // Read back, the ";u" line takes the name of the entry before it.
    LinkList back = ReadLinkList(WriteLinkList({"a", "", "n"}, {"x", "u", ""}));
    EXPECT_EQ(back.Names, (std::vector<std::string>{"a", "a", "n"}));
    EXPECT_EQ(back.URLs, (std::vector<std::string>{"x", "u", ""}));
}

TEST_F(LinkListTest, OpeningShowsTheFirstListWithItsFirstEntrySelected) {
    write(filters, "Site A;url-a\r\n;url-b\r\nSite C\r\n\r\n");
    frmDownload& w = open();
    EXPECT_EQ(w.Caption.get(), "FX Download");
    EXPECT_EQ(rows(w), (std::vector<std::string>{"Site A", "Site A", "Site C", ""}));
    expect_paired(w);
    EXPECT_EQ(w.List1.ListIndex.get(), 0);
    EXPECT_EQ(w.Label2.Caption.get(), "url-a");
    EXPECT_EQ(w.List1.HorizontalExtent.get(), host.TextWidthPixels(w.Font.choice(), "Site A  "));
    w.List1.user_select(2);
    EXPECT_EQ(w.Label2.Caption.get(), "url-b");
    EXPECT_FALSE(w.LinksChanged);
}

TEST_F(LinkListTest, TheMenuEntryOpensTheShippedExamples) {
    files::prepare_app_folder(VEXOLAN_APPFOLDER);
    app.form1().mnuFilterDownload.user_click();
    frmDownload& w = app.linkListWindow();
    ASSERT_TRUE(w.Visible.get());
    ASSERT_GT(w.List1.ListCount(), 1);
    expect_paired(w);
    for (const auto& url : w.LinkURLs)
        EXPECT_TRUE(url.starts_with("https://")) << url;
    w.TabStrip1.user_select_tab(2);
    ASSERT_GT(w.List1.ListCount(), 1);
    EXPECT_EQ(w.LinkNames[0], "Tube Gallery");
}

TEST_F(LinkListTest, ClosingAfterAnEditAsksAndCancelKeepsTheFile) {
    const std::string original = "Site A;url-a\r\n";
    write(filters, original);
    frmDownload& w = open();
    host.answer_inputbox("url-new");
    w.mnuName[1].user_click();
    EXPECT_EQ(host.inputbox_titles().back(), "Edit item");
    EXPECT_EQ(host.inputbox_prompts().back(), "Please enter a new name.");
    EXPECT_EQ(host.inputbox_defaults().back(), "url-a");
    EXPECT_EQ(w.Label2.Caption.get(), "url-new");
    host.answer_msgbox(ui::vbCancel, std::string(SaveFilters), SaveStyle, "Vexolan");
    w.mnuExit.user_click();
    EXPECT_FALSE(w.Loaded());
    EXPECT_EQ(bytes(filters), original);
}

TEST_F(LinkListTest, ADeclinedSaveOnATabSwitchIsAskedAgainForTheListOnShow) {
    write(filters, "a;1\r\nb;2\r\n");
    write(tubes, "t;9\r\n");
    frmDownload& w = open();
    w.List1.SetFocus();
    w.user_key(ui::vbKeyDelete);
    host.answer_msgbox(ui::vbCancel, std::string(SaveFilters), SaveStyle);
    w.TabStrip1.user_select_tab(2);
    EXPECT_EQ(rows(w), std::vector<std::string>{"t"});
    EXPECT_TRUE(w.LinksChanged);
    EXPECT_EQ(bytes(filters), "a;1\r\nb;2\r\n");
    // The next switch asks again, now naming the tubes list; OK writes it and clears the flag.
    host.answer_msgbox(ui::vbOK, std::string(SaveTubes), SaveStyle);
    w.TabStrip1.user_select_tab(1);
    EXPECT_FALSE(w.LinksChanged);
    EXPECT_EQ(bytes(tubes), "t;9\r\n");
    EXPECT_EQ(rows(w), (std::vector<std::string>{"a", "b"}));
}

TEST_F(LinkListTest, ConfirmedSaveRewritesTheFileOfTheTabOnShow) {
    write(filters, "a;1\r\n");
    write(tubes, "t;9\r\n;8\r\n");
    frmDownload& w = open();
    w.TabStrip1.user_select_tab(2);
    host.answer_inputbox("T2");
    w.List1.user_select(1);
    w.mnuName[0].user_click();
    host.answer_msgbox(ui::vbOK, std::string(SaveTubes), SaveStyle);
    w.user_key('S', ui::vbCtrlMask);
    EXPECT_EQ(bytes(tubes), "t;9\r\nT2;8\r\n");
    EXPECT_EQ(bytes(filters), "a;1\r\n");
    EXPECT_FALSE(w.LinksChanged);
    // Closing now asks nothing.
    w.mnuExit.user_click();
    EXPECT_FALSE(w.Loaded());
}

TEST_F(LinkListTest, ClickingTheTabOnShowSavesNothing) {
    write(filters, "a;1\r\n");
    frmDownload& w = open();
    w.mnuDelete.user_click();
    w.TabStrip1.user_select_tab(1);
    w.TabStrip1_Click(); // even when the tab control raises the event again
    EXPECT_FALSE(std::filesystem::exists(tubes));
    EXPECT_TRUE(w.LinksChanged);
    host.answer_msgbox(ui::vbCancel, std::string(SaveFilters));
    w.Unload();
}

TEST_F(LinkListTest, AltArrowsMoveTheEntryAndStopAtTheEnds) {
    write(filters, "a;1\r\nb;2\r\nc;3\r\n");
    frmDownload& w = open();
    w.List1.SetFocus();
    w.user_key(ui::vbKeyUp, ui::vbAltMask); // first row: nothing
    EXPECT_FALSE(w.LinksChanged);
    EXPECT_EQ(w.List1.ListIndex.get(), 0);
    w.user_key(ui::vbKeyDown, ui::vbAltMask);
    EXPECT_EQ(rows(w), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(w.LinkURLs, (std::vector<std::string>{"2", "1", "3"}));
    EXPECT_EQ(w.List1.ListIndex.get(), 1);
    EXPECT_EQ(w.Label2.Caption.get(), "1");
    EXPECT_TRUE(w.LinksChanged);
    w.user_key(ui::vbKeyDown, ui::vbAltMask);
    w.user_key(ui::vbKeyDown, ui::vbAltMask); // last row: nothing
    EXPECT_EQ(rows(w), (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(w.List1.ListIndex.get(), 2);
    expect_paired(w);
    host.answer_msgbox(ui::vbCancel);
    w.Unload();
}

TEST_F(LinkListTest, OneDelPressRemovesOneEntryAndTheLastRowLeavesNothingSelected) {
    write(filters, "a;1\r\nb;2\r\nc;3\r\n");
    frmDownload& w = open();
    w.List1.SetFocus();
    w.user_key(ui::vbKeyDelete);
    EXPECT_EQ(rows(w), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(w.Label2.Caption.get(), "2");
    w.List1.user_select(1);
    w.user_key(ui::vbKeyDelete);
    EXPECT_EQ(rows(w), std::vector<std::string>{"b"});
    EXPECT_EQ(w.List1.ListIndex.get(), -1);
    EXPECT_EQ(w.Label2.Caption.get(), "");
    expect_paired(w);
    // With nothing selected the entry commands do nothing (and ask nothing).
    for (ui::Menu* m : {&w.mnuDelete, &w.mnuCopyURL, &w.mnuConnect, &w.mnuName[0], &w.mnuName[1]})
        m->user_click();
    EXPECT_EQ(rows(w), std::vector<std::string>{"b"});
    host.answer_msgbox(ui::vbCancel);
    w.Unload();
}

TEST_F(LinkListTest, AddingToAMissingListKeepsEachEntryAtItsRow) {
    frmDownload& w = open();
    EXPECT_EQ(w.List1.ListCount(), 0);
    for (auto [name, url] :
         {std::pair{"First; one", "http://one.example/"}, std::pair{"Second", "http://two.example/"}}) {
        host.answer_inputbox(name);
        host.answer_inputbox(url);
        w.user_key('A', ui::vbCtrlMask);
    }
    EXPECT_EQ(host.inputbox_titles(),
              (std::vector<std::string>{"Add item name", "Add item URL", "Add item name", "Add item URL"}));
    EXPECT_EQ(host.inputbox_prompts()[0], "Please enter the name of the new item:");
    EXPECT_EQ(host.inputbox_prompts()[1], "Please enter the URL of the new entry:");
    // A ";" typed into a name is left out, so the entry reads back as it was written.
    EXPECT_EQ(rows(w), (std::vector<std::string>{"First one", "Second"}));
    expect_paired(w);
    EXPECT_EQ(w.List1.ListIndex.get(), 1);
    w.List1.user_select(0);
    w.user_key('C', ui::vbCtrlMask);
    EXPECT_EQ(host.clipboard, "http://one.example/");
    // An empty answer ends the command.
    host.answer_inputbox("Third");
    host.answer_inputbox("");
    w.mnuAdd.user_click();
    EXPECT_EQ(w.List1.ListCount(), 2);
    host.answer_msgbox(ui::vbOK, std::string(SaveFilters));
    w.Unload();
    EXPECT_EQ(bytes(filters), "First one;http://one.example/\r\nSecond;http://two.example/\r\n");
}

TEST_F(LinkListTest, ATabWhoseFileIsMissingShowsAnEmptyList) {
    write(filters, "a;1\r\n");
    frmDownload& w = open();
    w.TabStrip1.user_select_tab(2);
    EXPECT_EQ(w.List1.ListCount(), 0);
    EXPECT_TRUE(w.LinkNames.empty());
    EXPECT_EQ(w.Label2.Caption.get(), "");
}

TEST_F(LinkListTest, ConnectOpensOnlyAnEntryWithAnAddress) {
    test_support::FakeOpener opener;
    write(filters, "Named only\r\nSite;http://site.example/\r\n\r\nx\r\n");
    frmDownload& w = open();
    w.List1.user_dblclick_item(1);
    w.List1.user_select(2); // an empty line: no name, no address
    w.mnuConnect.user_click();
    w.List1.user_select(0); // a name without an address
    w.user_key('T', ui::vbCtrlMask);
    EXPECT_EQ(opener.targets(), std::vector<std::string>{"http://site.example/"});
}

TEST_F(LinkListTest, AFailedSaveKeepsTheOldFileAndTheListUnsaved) {
    files::FaultScope faults;
    write(filters, "a;1\r\nb;2\r\n");
    frmDownload& w = open();
    w.mnuDelete.user_click();
    files::inject_fault(files::Op::Rename, filters, ENOSPC);
    host.answer_msgbox(ui::vbOK, std::string(SaveFilters));
    // The failure is told by the list file's name and the reason.
    host.answer_msgbox(ui::vbOK, "Vexo Error 61: Disk full\r\n" + filters.string() + " was not written.",
                       ui::vbExclamation);
    w.mnuSave.user_click();
    EXPECT_EQ(bytes(filters), "a;1\r\nb;2\r\n");
    EXPECT_TRUE(w.LinksChanged);
    files::clear_faults();
    host.answer_msgbox(ui::vbOK, std::string(SaveFilters));
    w.Unload();
    EXPECT_EQ(bytes(filters), "b;2\r\n");
}

TEST_F(LinkListTest, ShareAndMoveTellTheUser) {
    frmDownload& w = open();
    w.TabStrip1.user_select_tab(2);
    host.answer_msgbox(ui::vbOK,
                       "The URLs of this tab sheet are saved under\r\n\r\n" + (appFolder / "TubeURLs.txt").string(),
                       ui::vbInformation);
    w.mnuShareList.user_click();
    host.answer_msgbox(ui::vbOK, "Use the Alt + Cursor keys to move the entries!", ui::vbInformation);
    w.mnuMove.user_click();
}

TEST_F(LinkListTest, TheWindowOpensCentredOverTheMainWindow) {
    Form1& main = app.form1();
    main.Left = 1500;
    main.Top = 900;
    main.Width = 12000;
    main.Height = 9000;
    frmDownload& w = open();
    EXPECT_EQ(w.Left.get(), (12000 - w.Width) / 2 + 1500);
    EXPECT_EQ(w.Top.get(), (9000 - w.Height) / 2 + 900);
}
