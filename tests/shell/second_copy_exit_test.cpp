// Two copies of the program on one home (a file association starts a second copy while the first is
// open): the lists one copy changed and saved survive the exit of the other, which never touched them.

#include "tests/shell/startup_fixture.hpp"

#include "preferences/Form2.hpp"

#include "platform/fs/files.hpp"

using namespace vexolan;
using test_support::file_text;
using test_support::ProgramRun;
using test_support::StartupTest;

namespace {

struct TwoCopiesTest : StartupTest {};

} // namespace

TEST_F(TwoCopiesTest, ListsSavedByOneCopySurviveTheExitOfACopyThatLeftThemAlone) {
    mark_not_first_run();
    save("Options", "Show Tips at Startup", "0");
    const std::string favourite = folder_with_file("favourite");

    ProgramRun a(appFolder, settingsFile);
    ProgramRun b(appFolder, settingsFile);
    StartProgram(a.app);
    StartProgram(b.app);

    // In A: Preferences > Folders > "Auto Add", one plug-in type unchecked, Ok; then a folder opened,
    // which joins the Folders menu.
    Form2& prefsA = a.app.form2();
    prefsA.Check10[0].Value = ui::vbChecked;
    ASSERT_TRUE(prefsA.List1[3].IsSelected(0));
    prefsA.List1[3].user_check(0);
    prefsA.Command1_Click();
    a.form().Dir1[0].Path = favourite;
    ASSERT_EQ(prefsA.List1[0].ListCount(), 1);
    const std::string entry = prefsA.List1[0].List(0);
    a.close();

    const std::string folderList = file_text(Form2::FolderListFile());
    const std::string plugTypes = file_text(Form2::PlugTypesFile());
    ASSERT_EQ(folderList, entry + "\r\n");
    ASSERT_EQ(a.setting("Folders", "0"), entry);

    // B changed none of the lists: its exit leaves them as A saved them.
    b.close();
    EXPECT_EQ(file_text(Form2::FolderListFile()), folderList);
    EXPECT_EQ(file_text(Form2::PlugTypesFile()), plugTypes);
    EXPECT_EQ(b.setting("Folders", "0"), entry);

    ProgramRun next(appFolder, settingsFile);
    StartProgram(next.app);
    EXPECT_EQ(next.form().mnuDirectorys[0].Caption.get(), entry);
    EXPECT_FALSE(next.app.form2().List1[3].IsSelected(0));
    EXPECT_TRUE(next.app.form2().List1[3].IsSelected(1));
}
