// Names that differ only in letter case are two files or folders: each place that decides whether two
// names are one compares them exactly or asks the file system. Only a name typed by hand (the
// command line) falls back to a case-blind match, and only where nothing matches exactly.

#include "ffeditor/FFEditorType1.hpp"
#include "filemanager/copy_move.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "imaging/preview.hpp"
#include "preferences/Form2.hpp"
#include "tests/shell/startup_fixture.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/ff_synth.hpp"
#include "tests/support/pictures.hpp"

#include <filesystem>
#include <functional>

using namespace vexolan;
using ff_synth::JoinLines;

namespace {

struct NameCaseTest : test_support::StartupTest {
    std::filesystem::path both = make_folder("both");
    std::filesystem::path upper = make_folder("Filters"), lower = make_folder("filters");

    NameCaseTest() {
        mark_not_first_run();
        save("Options", "Show Tips at Startup", "0");
    }
    static void write(const std::filesystem::path& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string settings_file(std::string title) {
        ff::FilterRecord r = ff_synth::TwirlRecord();
        r.Title = std::move(title);
        return ff::AfsBytes(r);
    }
    void select_only(int pane, std::string_view name) {
        auto& items = f.ListView1[pane].ListItems;
        for (int i = 1; i <= items.Count(); ++i)
            items(i).Selected = items(i).Text.get() == name;
    }
    std::vector<std::string> favourites() {
        std::vector<std::string> out;
        const ui::ListBox& list = app.form2().List1[0];
        for (int i = 0; i < list.ListCount(); ++i)
            out.push_back(list.List(i));
        return out;
    }
};

struct Place {
    const char* What;
    std::function<void()> Run; // arranges, acts and checks
};

} // namespace

TEST_F(NameCaseTest, NamesThatDifferOnlyInLetterCaseAreTwoFilesOrFolders) {
    const std::string Upper = files::with_separator(upper.string()), Lower = files::with_separator(lower.string());
    const std::vector<Place> places{
        {"the command line's file: the exact name wins",
         [&] {
             write(both / "Foo.afs", settings_file("Upper"));
             write(both / "foo.afs", settings_file("Lower"));
             StartProgram(app, (both / "foo.afs").string());
             ASSERT_GE(f.File1[0].ListIndex.get(), 0);
             EXPECT_EQ(f.File1[0].List(f.File1[0].ListIndex), "foo.afs");
             EXPECT_EQ(app.EditorForm().Label6[2].Caption.get(), "Lower");
             EXPECT_EQ(app.FF.Record.Title, "Lower");
             app.EditorForm().Unload();
         }},
        {"Copy into a folder whose name differs in case",
         [&] {
             write(upper / "a.txt", "a");
             write(upper / "b.txt", "b");
             app.form2().Check4.Value = ui::vbChecked; // "Suppress the Select Folder dialog"
             f.Dir1[0].Path = upper.string();
             f.Dir1[1].Path = lower.string();
             f.Switchit(0);
             select_only(0, "a.txt");
             cmd_CopyFiles(app);
             EXPECT_EQ(test_support::read_file(lower / "a.txt"), "a");
             EXPECT_TRUE(std::filesystem::exists(upper / "a.txt"));
         }},
        {"Move into a folder whose name differs in case",
         [&] {
             select_only(0, "b.txt");
             cmd_MoveFiles(app);
             EXPECT_EQ(test_support::read_file(lower / "b.txt"), "b");
             EXPECT_FALSE(std::filesystem::exists(upper / "b.txt"));
         }},
        {"the favourite folders",
         [&] {
             app.form2().Check10[0].Value = ui::vbChecked; // "Auto Add"
             f.Dir1[0].Path = both.string();
             f.Dir1[0].Path = upper.string();
             f.Dir1[0].Path = lower.string();
             const std::vector<std::string> listed = favourites();
             EXPECT_EQ(std::count(listed.begin(), listed.end(), Upper), 1);
             EXPECT_EQ(std::count(listed.begin(), listed.end(), Lower), 1);
         }},
        {"the preview picture's entry in the Pictures menu",
         [&] {
             write(upper / "pic.bmp", test_support::bmp_file(16, 8, 24));
             write(upper / "Pic.bmp", test_support::bmp_file(8, 16, 24));
             for (int i : {0, 1})
                 if (!f.mnuPictures.Exists(i)) f.mnuPictures.Load(i);
             f.mnuPictures[0].Caption = (upper / "Pic.bmp").string();
             f.mnuPictures[1].Caption = (upper / "pic.bmp").string();
             f.mnuPictures[0].Checked = false;
             f.mnuPictures[1].Checked = false;
             save("Settings", "PreviewPic", (upper / "pic.bmp").string());
             PreparePreviewPic(app);
             EXPECT_FALSE(f.mnuPictures[0].Checked.get());
             EXPECT_TRUE(f.mnuPictures[1].Checked.get());
         }},
        {"the settings file beside a report",
         [&] {
             write(lower / "Report.afs", "%RGB-1.0\r1\r2\r3\r4\r5\r6\r7\r8\r");
             write(lower / "report.txt",
                   JoinLines({"Filter Factory Plugin Information:", "FILENAME: R.8BF", "CATEGORY:", "C", "TITLE:"}) +
                       JoinLines({"T", "COPYRIGHT:", "(c) Me", "AUTHOR:", "Me", "", "Map 0: [Angle]", "Map 1: []"}) +
                       JoinLines({"Control 0: [Amount]", "Control 1: []", "R=", "r", "G=", "g", "B=", "b", "A=", "a"}));
             // Looked up as a name is: no exact match, so the one that differs in letter case.
             ASSERT_TRUE(ff::ReadTXT(app.FF, lower.string(), "report.txt", false, false));
             EXPECT_EQ(app.FF.Record.CtlValue[0], 1);
             EXPECT_EQ(app.FF.Record.CtlValue[7], 8);
         }},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.What);
        place.Run();
    }
    EXPECT_TRUE(host.message_boxes().empty());
}
