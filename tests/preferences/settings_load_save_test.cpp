// The Preferences loader (start-up and Cancel) and saver (Ok): every key in its exact written form,
// the first-run defaults, round trips through a new App, and what Cancel throws away.

#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "tests/support/app_fixture.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

using namespace vexolan;
using test_support::AppTest;

namespace {

struct PreferencesTest : AppTest {
    Form2& prefs() { return app.form2(); }
    std::string stored(std::string_view key) { return app.Settings.GetSetting("Vexo10", "Settings", key); }
    bool has_key(std::string_view key) {
        for (const auto& [k, v] : app.Settings.GetAllSettings("Vexo10", "Settings"))
            if (vb::EqualsNoCase(k, key)) return true;
        return false;
    }
    void store(std::string_view key, std::string_view value) {
        app.Settings.SaveSetting("Vexo10", "Settings", key, value);
    }
    std::string app_file(std::string_view name) { return test_support::read_file(appFolder / name); }
};

} // namespace

TEST_F(PreferencesTest, FirstRunWritesTheDefaultTypesAsEightyTwoLines) {
    prefs().Command8_Click();
    EXPECT_FALSE(std::filesystem::exists(appFolder / "PlugTypes.ini")); // nothing is written by loading
    prefs().Command1_Click();
    std::string text = app_file("PlugTypes.ini");
    std::string expected;
    for (const auto& line : DefaultPlugTypes())
        expected += line + "\r\nTrue\r\n";
    EXPECT_EQ(text, expected);
    int crlf = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        crlf += text[i] == '\r' && text[i + 1] == '\n';
    EXPECT_EQ(crlf, 82);
    EXPECT_EQ(app_file("FolderList.log"), "");
}

TEST_F(PreferencesTest, FirstRunAppliesTheFileViewOptionsAndKeepsDesignValues) {
    prefs().Command8_Click();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(prefs().Check12[i].Value.get(), 0);
    EXPECT_EQ(prefs().Label1[0].Caption.get(), "Font Name, Size");
    EXPECT_EQ(prefs().Label1[1].Caption.get(), "Font Name, Size");
    EXPECT_EQ(app.PlugTypes.Columns(), 41);
    EXPECT_EQ(app.PlugTypes(0, 0), "Acrobat Plugin");
    EXPECT_EQ(app.PlugTypes(1, 2), "p");
    EXPECT_EQ(app.PlugTypes(2, 1), "1");
}

TEST_F(PreferencesTest, OkWritesEveryKeyInItsOwnForm) {
    Form2& f = prefs();
    f.Command8_Click();
    f.Check1.Value = 1;
    f.Check10[1].Value = 1;
    f.Check19.Value = 1;
    f.Check12[3].Value = 1;
    f.Check4.Value = 1;
    f.Check16.Value = 0;
    f.Text1.Text = "35";
    f.Command1_Click();

    // Form B: a leading blank.
    EXPECT_EQ(stored("ScanSubDirs"), " 1");
    EXPECT_EQ(stored("AutoAdd 0"), " 0");
    EXPECT_EQ(stored("AutoAdd 1"), " 1");
    EXPECT_EQ(stored("AutoAdd 2"), " 0");
    EXPECT_EQ(stored("AutoTop"), " 1");
    EXPECT_EQ(stored("NoFFOptimize"), " 0");
    // Form P: plain.
    EXPECT_EQ(stored("Fileview0"), "0");
    EXPECT_EQ(stored("Fileview3"), "1");
    EXPECT_EQ(stored("Fileview5"), "0");
    EXPECT_EQ(stored("PassivePaneFolder"), "1");
    EXPECT_EQ(stored("FFL1.0"), "0");
    EXPECT_EQ(stored("FullStartUp"), "0");
    EXPECT_EQ(stored("Interface"), "Interfc4.des");
    EXPECT_EQ(stored("FolderItemLimit"), "35");
    EXPECT_EQ(stored("FontName1"), std::string(ui::DesignFontName));
    EXPECT_EQ(stored("FontSize1"), "8");
    EXPECT_EQ(stored("FontBold1"), "False");
    EXPECT_EQ(stored("FontItalic2"), "False");
    // The compile options are never stored.
    for (const char* key : {"UsedFF", "Encrypt 0", "Encrypt 1", "EditorPlugin 0", "EditorPlugin 2", "Fileview6"})
        EXPECT_FALSE(has_key(key)) << key;

    // The file holds the blanks inside the quotes.
    std::string raw = test_support::read_file(settingsFile);
    EXPECT_NE(raw.find("ScanSubDirs=\" 1\""), std::string::npos);
    EXPECT_NE(raw.find("AutoAdd 1=\" 1\""), std::string::npos);
    EXPECT_NE(raw.find("Fileview3=\"1\""), std::string::npos);
    EXPECT_NE(raw.find("FFL1.0=\"0\""), std::string::npos);
}

TEST_F(PreferencesTest, TheKeyTableIsExactlyWhatOkWrites) {
    prefs().Command8_Click();
    prefs().List1[2].AddItem("/usr/bin/gimp %1");
    prefs().List1[1].AddItem("/pics/a.jpg");
    prefs().Command1_Click();
    std::vector<std::string> keys;
    for (const auto& [k, v] : app.Settings.GetAllSettings("Vexo10", "Settings"))
        keys.push_back(k);
    std::sort(keys.begin(), keys.end());
    std::vector<std::string> expected{
        "App0",        "AutoAdd 0",   "AutoAdd 1",    "AutoAdd 2",         "AutoTop",   "FFL1.0",          "Fileview0",
        "Fileview1",   "Fileview2",   "Fileview3",    "Fileview4",         "Fileview5", "FolderItemLimit", "FontBold1",
        "FontBold2",   "FontItalic1", "FontItalic2",  "FontName1",         "FontName2", "FontSize1",       "FontSize2",
        "FullStartUp", "Interface",   "NoFFOptimize", "PassivePaneFolder", "Pic0",      "ScanSubDirs"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(keys, expected);
}

TEST_F(PreferencesTest, ANewAppOnTheSameFilesLoadsTheSameState) {
    {
        Form2& f = prefs();
        f.Command8_Click();
        f.Check1.Value = 1;
        f.Check10[0].Value = 1;
        f.Check10[2].Value = 1;
        f.Check19.Value = 1;
        f.Check2.Value = 1;
        f.Check4.Value = 1;
        f.Check16.Value = 1;
        for (int i = 0; i < 6; ++i)
            f.Check12[i].Value = i % 2;
        f.Text1.Text = "7";
        f.List1[0].AddItem("/home/me/plugins, old/");
        f.List1[0].AddItem("/opt/filters/");
        f.List1[1].AddItem("/pics/b.bmp");
        f.List1[2].AddItem("/usr/bin/gimp %1");
        f.List1[3].user_check(3); // unchecks the entry and makes it the current one
        f.Command6_Click(3);       // removes the current entry
        f.Command1_Click();
    }
    auto before = app.Settings.GetAllSettings("Vexo10", "Settings");
    std::sort(before.begin(), before.end());

    test_support::ScriptedHost host2;
    App app2(host2, appFolder, settingsFile);
    Form2& g = app2.form2();
    g.Command8_Click();
    EXPECT_EQ(g.Check1.Value.get(), 1);
    EXPECT_EQ(g.Check10[0].Value.get(), 1);
    EXPECT_EQ(g.Check10[1].Value.get(), 0);
    EXPECT_EQ(g.Check10[2].Value.get(), 1);
    EXPECT_EQ(g.Check19.Value.get(), 1);
    EXPECT_EQ(g.Check2.Value.get(), 1);
    EXPECT_EQ(g.Check4.Value.get(), 1);
    EXPECT_EQ(g.Check16.Value.get(), 1);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(g.Check12[i].Value.get(), i % 2) << i;
    EXPECT_EQ(g.Text1.Text.get(), "7");
    ASSERT_EQ(g.List1[0].ListCount(), 2);
    EXPECT_EQ(g.List1[0].List(0), "/home/me/plugins, old/");
    EXPECT_EQ(g.List1[1].List(0), "/pics/b.bmp");
    EXPECT_EQ(g.List1[2].List(0), "/usr/bin/gimp %1");
    ASSERT_EQ(g.List1[3].ListCount(), 40);
    EXPECT_EQ(g.List1[3].List(3), "Photoshop Action (atn|3)");
    EXPECT_EQ(app2.PlugTypeMask, app.PlugTypeMask);

    // Ok on the loaded state writes the same values; once the deleted and rewritten keys have
    // settled at the end of the file, a further Ok leaves it byte for byte as it was.
    g.Command1_Click();
    auto after = app2.Settings.GetAllSettings("Vexo10", "Settings");
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, before);
    std::string settled = test_support::read_file(settingsFile);
    g.Command1_Click();
    EXPECT_EQ(test_support::read_file(settingsFile), settled);
}

TEST_F(PreferencesTest, ALimitBelowOneIsSavedAsTwenty) {
    prefs().Command8_Click();
    for (const char* typed : {"0", "", "abc", "-", "-5", "0.5"}) {
        prefs().Text1.Text = typed;
        prefs().Command1_Click();
        EXPECT_EQ(stored("FolderItemLimit"), "20") << typed;
        EXPECT_EQ(prefs().Text1.Text.get(), "20") << typed;
    }
}

TEST_F(PreferencesTest, AStoredLimitIsLoadedOnlyWhenPositive) {
    prefs().Text1.Text = "12";
    for (const char* value : {"0", "-5", "x"}) {
        store("FolderItemLimit", value);
        prefs().Command8_Click();
        EXPECT_EQ(prefs().Text1.Text.get(), "12") << value;
    }
    store("FolderItemLimit", "30");
    prefs().Command8_Click();
    EXPECT_EQ(prefs().Text1.Text.get(), "30");
}

TEST_F(PreferencesTest, OkDeletesStaleNumberedKeys) {
    for (int i = 0; i <= 5; ++i)
        store("App" + std::to_string(i), "/bin/app" + std::to_string(i));
    store("PluginType0", "Old Type (old|0)");
    store("PluginType7", "Older Type (old|0)");
    prefs().Command8_Click();
    // The legacy key drops the list before the file (missing here) brings the defaults back.
    EXPECT_EQ(prefs().List1[3].ListCount(), 41);
    while (prefs().List1[2].ListCount() > 3)
        prefs().List1[2].RemoveItem(3);
    prefs().Command1_Click();
    for (int i = 0; i <= 2; ++i)
        EXPECT_EQ(stored("App" + std::to_string(i)), "/bin/app" + std::to_string(i));
    for (int i = 3; i <= 5; ++i)
        EXPECT_FALSE(has_key("App" + std::to_string(i))) << i;
    EXPECT_FALSE(has_key("PluginType0"));
    EXPECT_FALSE(has_key("PluginType7"));
}

TEST_F(PreferencesTest, ALegacyTypeKeyClearsTheListBeforeTheFileLoads) {
    files::replace_file(appFolder / "PlugTypes.ini", "Mine (xyz|1)\r\nFalse\r\n");
    store("PluginType0", "Old Type (old|0)");
    prefs().Command8_Click();
    ASSERT_EQ(prefs().List1[3].ListCount(), 1);
    EXPECT_EQ(prefs().List1[3].List(0), "Mine (xyz|1)");
    EXPECT_FALSE(prefs().List1[3].IsSelected(0));
}

TEST_F(PreferencesTest, LoadingStopsAtTheFirstGap) {
    store("App0", "/bin/a");
    store("App1", "/bin/b");
    store("App3", "/bin/d");
    store("Pic0", "/p/a.jpg");
    store("Pic2", "/p/c.jpg");
    prefs().Command8_Click();
    EXPECT_EQ(prefs().List1[2].ListCount(), 2);
    EXPECT_EQ(prefs().List1[1].ListCount(), 1);
}

TEST_F(PreferencesTest, CancelThrowsEditsAway) {
    Form2& f = prefs();
    f.Command8_Click();
    f.List1[0].AddItem("/keep/");
    f.List1[2].AddItem("/bin/keep");
    f.Check1.Value = 1;
    f.Command1_Click();
    std::string mask = app.PlugTypeMask;

    f.List1[0].AddItem("/drop/");
    f.List1[1].AddItem("/p/drop.jpg");
    f.List1[2].Clear();
    f.List1[3].Clear();
    f.Check1.Value = 0;
    f.Check4.Value = 1;
    f.Text1.Text = "3";
    f.Command8_Click();

    EXPECT_EQ(f.Check1.Value.get(), 1);
    EXPECT_EQ(f.Check4.Value.get(), 0);
    EXPECT_EQ(f.Text1.Text.get(), "20");
    ASSERT_EQ(f.List1[0].ListCount(), 1);
    EXPECT_EQ(f.List1[0].List(0), "/keep/");
    EXPECT_EQ(f.List1[1].ListCount(), 0);
    ASSERT_EQ(f.List1[2].ListCount(), 1);
    EXPECT_EQ(f.List1[3].ListCount(), 41);
    EXPECT_EQ(app.PlugTypeMask, mask);
    EXPECT_EQ(app.form1().mnuApps[0].Caption.get(), "keep");
    EXPECT_EQ(app.form1().mnuDirectorys.UBound(), 0);
    EXPECT_EQ(app.form1().mnuDirectorys[0].Caption.get(), "/keep/");
    EXPECT_EQ(app.form1().mnuPictures[0].Caption.get(), "");
}

TEST_F(PreferencesTest, StoredCompileOptionsAreReadButNeverWritten) {
    store("UsedFF", "1");
    store("Encrypt 0", "1");
    store("EditorPlugin 0", "1");
    prefs().Command8_Click();
    EXPECT_TRUE(prefs().Option4[1].Value.get());
    EXPECT_EQ(prefs().Check13[0].Value.get(), 1);
    EXPECT_EQ(prefs().Check5[0].Value.get(), 1);
    store("UsedFF", "9"); // out of range: the group stays as it is
    prefs().Command8_Click();
    EXPECT_TRUE(prefs().Option4[1].Value.get());
}

TEST_F(PreferencesTest, ExitRewritesTheListFilesButNotAnUnreadableOne) {
    prefs().Command8_Click();
    files::replace_file(appFolder / "PlugTypes.ini", "Mine (xyz|1)\r\nTrue\r\n");
    {
        files::FaultScope faults;
        files::inject_fault(files::Op::Read, appFolder / "PlugTypes.ini", EACCES);
        prefs().Command8_Click();
    }
    prefs().List1[0].AddItem("/auto/added/");
    prefs().Unload();
    EXPECT_EQ(app_file("FolderList.log"), "/auto/added/\r\n");
    EXPECT_EQ(app_file("PlugTypes.ini"), "Mine (xyz|1)\r\nTrue\r\n");
}

TEST_F(PreferencesTest, AFirstRunEndedAtOnceStillWritesBothListFiles) {
    prefs().Command8_Click();
    host.registry().UnloadAll();
    std::string expected;
    for (const auto& line : DefaultPlugTypes())
        expected += line + "\r\nTrue\r\n";
    EXPECT_EQ(app_file("PlugTypes.ini"), expected);
    EXPECT_EQ(app_file("FolderList.log"), "");
}

TEST_F(PreferencesTest, FolderNamesInAnyScriptSurviveOkExitAndRestartByteForByte) {
    const std::string chinese = "/home/me/\xE6\xBB\xA4\xE9\x95\x9C/";                          // 滤镜
    const std::string cyrillic = "/home/me/\xD0\xA4\xD0\xB8\xD0\xBB\xD1\x8C\xD1\x82\xD1\x80/"; // Фильтр
    const std::string type = "\xD0\xA4\xD0\xB8\xD0\xBB\xD1\x8C\xD1\x82\xD1\x80 (ffx|0)";
    {
        Form2& f = prefs();
        f.Command8_Click();
        f.List1[0].AddItem(chinese);
        f.List1[0].AddItem(cyrillic);
        f.List1[3].AddItem(type);
        f.Command1_Click();
        int cancel = 0;
        f.Form_Unload(cancel);
    }
    EXPECT_EQ(app_file("FolderList.log"), chinese + "\r\n" + cyrillic + "\r\n");
    test_support::ScriptedHost host2;
    App app2(host2, appFolder, settingsFile);
    Form2& g = app2.form2();
    g.Command8_Click();
    ASSERT_EQ(g.List1[0].ListCount(), 2);
    EXPECT_EQ(g.List1[0].List(0), chinese);
    EXPECT_EQ(g.List1[0].List(1), cyrillic);
    EXPECT_EQ(g.List1[3].List(g.List1[3].ListCount() - 1), type);
}

TEST_F(PreferencesTest, AnOldWindows1252ListFileStillLoads) {
    // "Müller" and "Café" as Windows-1252 bytes, beside a line already in UTF-8.
    files::replace_file((appFolder / "FolderList.log").string(),
                        "/home/M\xFCller/\r\n/Caf\xE9/\r\n/home/\xC3\xBC/\r\n");
    prefs().Command8_Click();
    ASSERT_EQ(prefs().List1[0].ListCount(), 3);
    EXPECT_EQ(prefs().List1[0].List(0), "/home/M\xC3\xBCller/");
    EXPECT_EQ(prefs().List1[0].List(1), "/Caf\xC3\xA9/");
    EXPECT_EQ(prefs().List1[0].List(2), "/home/\xC3\xBC/");
}
