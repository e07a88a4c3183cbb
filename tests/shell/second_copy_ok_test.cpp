// Two copies of the program on one home: a copy that changed none of the lists leaves them as the
// other copy saved them when its Preferences' Ok is pressed, and when it exits; its own start-up
// moving the pane's folder to the top of the folder list (Auto Top) is no change of its own.

#include "tests/shell/startup_fixture.hpp"

#include "preferences/Form2.hpp"

#include "platform/fs/files.hpp"

#include <fstream>

using namespace vexolan;
using test_support::file_text;
using test_support::ProgramRun;
using test_support::StartupTest;

namespace {

struct SecondCopyOkTest : StartupTest {};

// Preferences opened from the main window's Options and closed with Ok, as the user does.
void press_ok(ProgramRun& run) {
    Form2& prefs = run.app.form2();
    run.host.on_modal("Form2", [&](ui::Window&) { prefs.Command1.user_click(); });
    prefs.ShowModal();
    ASSERT_FALSE(prefs.Visible.get());
}

} // namespace

TEST_F(SecondCopyOkTest, OkInACopyThatChangedNoListKeepsTheListsAnotherCopySaved) {
    mark_not_first_run();
    save("Options", "Show Tips at Startup", "0");
    save("Settings", "AutoAdd 0", " 1");
    save("Settings", "AutoTop", " 1");
    // The folder list as both copies read it: the left pane's folder second, so that restoring the
    // pane moves it to the top.
    const std::string left = files::with_separator(setting("Folders", "Folder1"));
    const std::string other = files::with_separator(folder_with_file("other"));
    { std::ofstream(Form2::FolderListFile(), std::ios::binary) << other << "\r\n" << left << "\r\n"; }
    const std::string favourite = folder_with_file("favourite");

    ProgramRun a(appFolder, settingsFile);
    ProgramRun b(appFolder, settingsFile);
    StartProgram(a.app);
    // B starts where a second process would, not in the folder A's pane made current.
    files::ChDir(start.path().string());
    StartProgram(b.app);
    ASSERT_EQ(b.app.form2().List1[0].List(0), left) << "the start-up moved the pane's folder up";

    // In A: one plug-in type unticked, Ok; a folder opened, which joins the list; exit.
    Form2& prefsA = a.app.form2();
    ASSERT_TRUE(prefsA.List1[3].IsSelected(0));
    prefsA.List1[3].user_check(0);
    press_ok(a);
    a.form().Dir1[0].Path = favourite;
    ASSERT_EQ(prefsA.List1[0].ListCount(), 3);
    a.close();
    const std::string folderList = file_text(Form2::FolderListFile());
    const std::string plugTypes = file_text(Form2::PlugTypesFile());
    ASSERT_EQ(folderList.substr(0, files::with_separator(favourite).size()), files::with_separator(favourite));
    ASSERT_NE(plugTypes.find("False"), std::string::npos);
    const std::string favouriteKey = a.setting("Folders", "0");

    // B changed none of the lists: its Ok and its exit leave them as A saved them.
    press_ok(b);
    EXPECT_EQ(file_text(Form2::FolderListFile()), folderList);
    EXPECT_EQ(file_text(Form2::PlugTypesFile()), plugTypes);
    b.close();
    EXPECT_EQ(file_text(Form2::FolderListFile()), folderList);
    EXPECT_EQ(file_text(Form2::PlugTypesFile()), plugTypes);
    EXPECT_EQ(b.setting("Folders", "0"), favouriteKey);

    // A list B changes is still written by its Ok.
    ProgramRun c(appFolder, settingsFile);
    StartProgram(c.app);
    Form2& prefsC = c.app.form2();
    ASSERT_FALSE(prefsC.List1[3].IsSelected(0));
    prefsC.List1[3].user_check(0);
    press_ok(c);
    EXPECT_NE(file_text(Form2::PlugTypesFile()), plugTypes);
    c.close();
}
