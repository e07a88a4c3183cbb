// A report (the read-only text layout) takes its control values from the settings file beside it:
// the exact name first, else the one that differs only in letter case. A scan of a folder of many
// reports lists the folder once, however many reports lack an exactly named settings file.

#include "catalogue/scanner.hpp"
#include "filterfactory/text_source.hpp"
#include "preferences/Form2.hpp"
#include "tests/shell/main_window_fixture.hpp"
#include "tests/support/ff_sources.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using ff_synth::JoinLines;

namespace {

std::string report(const std::string& title) {
    return JoinLines({"Filter Factory Plugin Information:", "FILENAME: R.8BF", "CATEGORY:", "Reports", "TITLE:"}) +
           JoinLines({title, "COPYRIGHT:", "(c) Me", "AUTHOR:", "Me", "", "Map 0: [Angle]", "Map 1: []"}) +
           JoinLines({"Control 0: [Amount]", "Control 1: []", "R=", "r", "G=", "g", "B=", "b", "A=", "a", ""});
}

std::string settings_file(int first) {
    std::string s = "%RGB-1.0\r";
    for (int c = 0; c < 8; ++c)
        s += std::to_string(first + c) + "\r";
    return s;
}

struct ReportSettingsTest : test_support::MainWindowTest {};

} // namespace

TEST_F(ReportSettingsTest, AReportFindsItsSettingsFileByExactNameFirstThenWithoutRegardToCase) {
    struct Row {
        const char* What;
        std::vector<std::pair<std::string, int>> SettingsFiles; // name, first value
        int Want;                                               // the first value read, 0 for none
    };
    const Row rows[] = {
        {"only a case twin", {{"Report.afs", 11}}, 11},
        {"the exact name wins over a case twin", {{"Report.AFS", 11}, {"report.afs", 21}}, 21},
        {"none", {{"other.afs", 31}}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.What);
        test_support::TempDir dir{"report"};
        dir.write("report.txt", report("Twirl"));
        for (const auto& [name, first] : row.SettingsFiles)
            dir.write(name, settings_file(first));
        ASSERT_TRUE(ff::ReadTXT(app.FF, dir.path().string(), "report.txt", false, false));
        EXPECT_EQ(app.FF.Record.CtlValue[0], row.Want);
        EXPECT_EQ(app.FF.Record.CtlValue[7], row.Want ? row.Want + 7 : 0);
    }
}

TEST_F(ReportSettingsTest, AScanOfManyReportsWithoutExactSettingsFilesListsTheFolderOnce) {
    for (int i = 0; i < 40; ++i) {
        const std::string n = std::to_string(i);
        data.write("report" + n + ".txt", report("Report number " + n));
        // Half of them have a settings file that differs in letter case, the other half none.
        if (i % 2 == 0) data.write("Report" + n + ".AFS", settings_file(i));
    }
    app.form2().Check8.Value = ui::vbChecked; // "include txt, afs and pff files"
    open_folder(0, folder());
    f.File1[0].Pattern = "*.8bf;*.ffx;*.txt;*.afs;*.pff";
    const std::uint64_t before = files::list_files_count();
    EXPECT_GE(ScanPluginRecurse(app, 0, false, 0, -1), 40);
    EXPECT_EQ(files::list_files_count() - before, 1u);
    // The last report read found its case twin in that one listing.
    ASSERT_TRUE(ff::ReadTXT(app.FF, folder(), "report38.txt", false, false));
    EXPECT_EQ(app.FF.Record.CtlValue[0], 38);
}
