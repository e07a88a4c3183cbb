// The Preferences' OK on a settings file that cannot be written: every setting is still tried, the
// failure is told once, by the file's name and the reason, and the old file stays whole.

#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "tests/support/app_fixture.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <cerrno>

using namespace vexolan;

namespace {
struct SettingsSave : test_support::AppTest {};
} // namespace

TEST_F(SettingsSave, PreferencesOkTellsASettingsFileThatCouldNotBeWritten) {
    Form2& prefs = app.form2();
    prefs.Command8_Click();
    prefs.Command1_Click();
    ASSERT_TRUE(host.message_boxes().empty());
    const std::string before = test_support::read_file(settingsFile);

    files::FaultScope faults;
    for (int err : {ENOSPC, EROFS}) {
        files::inject_fault(files::Op::Write, settingsFile.string(), err);
        files::inject_fault(files::Op::Rename, settingsFile.string(), err);
        prefs.Text1.Text = "35";
        const std::size_t shown = host.message_boxes().size();
        host.answer_msgbox(ui::vbOK);
        prefs.Command1_Click();
        ASSERT_EQ(host.message_boxes().size(), shown + 1) << "told once, however many settings failed";
        const std::string& prompt = host.last_msgbox().Prompt;
        EXPECT_NE(prompt.find(settingsFile.string() + " was not written."), std::string::npos) << prompt;
        EXPECT_NE(prompt.find(err == ENOSPC ? "Disk full" : "Vexo Error"), std::string::npos) << prompt;
        EXPECT_EQ(test_support::read_file(settingsFile), before);
        files::clear_faults();
    }
    // Once the file can be written again, OK writes quietly.
    prefs.Command1_Click();
    EXPECT_NE(test_support::read_file(settingsFile), before);
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "FolderItemLimit"), "35");
}
