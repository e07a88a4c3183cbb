// The Convert command end to end on the model: a selection of every kind of Filter Factory file in the
// left pane converted into the right pane's folder, the overwrite answers, Esc, the clipboard source,
// the title option and the dialog.
#include "filemanager/OverwriteCheck.hpp"
#include "filemanager/SelectFolder.hpp"
#include "filemanager/refresh.hpp"
#include "filterfactory/Convert.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/conversion.hpp"
#include "filterfactory/library.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "preferences/Form2.hpp"
#include "tests/filemanager/file_view_fixture.hpp"
#include "tests/support/afs_samples.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/ff_synth.hpp"

#include <gtest/gtest.h>

#include <map>

using namespace vexolan;
using ff_synth::JoinLines;

namespace {

// One 29-line library entry.
std::string library_entry(std::string_view name, std::string_view title, std::string_view red) {
    return JoinLines({name, "Library", title, "Author", "(c) Me", "Angle", "",  "",   "",   "",
                      "",   "Amount",  "",    "",       "",       "",      "",  "10", "20", "30",
                      "0",  "0",       "0",   "0",      "0",      red,     "g", "b",  "a"});
}

std::string three_entry_library() {
    return JoinLines({"FFL1.0", "    3"}) + library_entry("one.8bf", "One", "r") +
           library_entry("two.8bf", "Two", "g") + library_entry("three.8bf", "Three", "b");
}

std::string text_source(std::string filename, std::string title) {
    ff::FilterRecord r = ff_synth::TwirlRecord();
    r.Filename = std::move(filename);
    r.Title = std::move(title);
    return ff::TextSourceBytes(r, nullptr);
}

std::map<std::string, std::string> contents(const std::filesystem::path& dir) {
    std::map<std::string, std::string> out;
    for (const auto& name : test_support::FileViewTest::files_in(dir))
        out[name] = test_support::read_file(dir / name);
    return out;
}

struct ConversionTest : test_support::FileViewTest {
    Form2& prefs = app.form2();
    Convert& dialog = app.convertDialog();
    test_support::TempDir oracle{"oracle"};

    ConversionTest() {
        ff::WriteStandInTemplates(appFolder.string());
        prefs.List1[0].Clear();
        prefs.Check4.Value = ui::vbChecked; // "Suppress the Select Folder dialog"
        dialog.Load();
    }

    // The mixed selection: a plug-in, a text source, every sample .afs file, a library of three, a
    // Premiere plug-in and a file that is none of these.
    std::vector<std::string> make_mixed_sources() {
        std::vector<std::string> names;
        left.write("synth.8bf", ff_synth::MakePlugin(ff_synth::Layout::Pc57344, ff_synth::DistinctFields()));
        left.write("twirl.txt", text_source("twirl.8bf", "Twirl"));
        for (const auto& name : test_support::WriteAfsSamples(left.path()))
            names.push_back(name);
        left.write("lib.ffl", three_entry_library());
        left.write("prem.prm", ff_synth::MakePremiereFF(ff_synth::PrmBranch::D_v, ff_synth::DistinctFields()));
        left.write("readme.doc", "not a filter");
        for (auto n : {"synth.8bf", "twirl.txt", "lib.ffl", "prem.prm", "readme.doc"})
            names.push_back(n);
        return names;
    }

    // The message at the end of a batch of the mixed selection: the one file that is no filter.
    void expect_skipped_message() {
        host.answer_msgbox(ui::vbOK, "This file could not be read as a filter and was skipped:\r\nreadme.doc",
                           ui::vbExclamation, "Convert");
    }

    void select_in_left(const std::vector<std::string>& names) {
        open_folders();
        f.Switchit(0);
        select_items(0, names);
    }

    // What reading each file and writing it directly gives, file by file, into the oracle folder.
    std::map<std::string, std::string> expected(const std::vector<std::string>& names, int DestType) {
        ff::FFContext ff;
        for (const auto& name : names) {
            const std::string path = folder(left, name);
            std::string dir = oracle.path().string() + "/";
            if (ff::EndsWithNoCase(name, ".ffl")) {
                ff::Convertffl(app, path, dir, DestType);
                continue;
            }
            if (!ff::ReadFFfile(ff, path)) continue;
            switch (DestType) {
            case ff::DestPlugin:
                ff::Write8bf(ff, dir, false, false, ff::CompileOptions{});
                break;
            case ff::DestAFS:
                ff::Writeafspff(ff, dir, 0);
                break;
            case ff::DestText:
                ff::WriteTXT(ff, dir, false);
                break;
            default:
                break;
            }
        }
        return contents(oracle.path());
    }

    // Scripts the overwrite prompt's next answer (0 Overwrite .. 4 Cancel).
    void answer_prompt(int button) {
        host.on_modal("Overwrite",
                      [button](ui::Window& w) { static_cast<Overwrite&>(w).Command1[button].user_click(); });
    }
};

struct ConvertEachTarget : ConversionTest, ::testing::WithParamInterface<int> {};

} // namespace

TEST_P(ConvertEachTarget, MixedSelectionLandsInTheOtherPaneAsReadingAndWritingEachFileGives) {
    const int DestType = GetParam();
    const auto names = make_mixed_sources();
    const auto want = expected(names, DestType);
    select_in_left(names);
    expect_skipped_message();

    cmd_Convert(app, DestType);

    // One file per plug-in, text source, .afs file, Premiere plug-in and library entry.
    EXPECT_EQ(want.size(), 1u + 1u + 12u + 1u + 3u);
    EXPECT_EQ(contents(right.path()), want);
    const std::string ext = DestType == ff::DestPlugin ? ".8bf" : DestType == ff::DestAFS ? ".afs" : ".txt";
    for (auto base : {"one", "two", "three", "twirl"})
        EXPECT_TRUE(want.contains(base + ext)) << base;
    EXPECT_FALSE(want.contains("readme" + ext));
    // A text source converted to text comes back byte for byte.
    if (DestType == ff::DestText) {
        EXPECT_EQ(test_support::read_file(right / "twirl.txt"), text_source("twirl.8bf", "Twirl"));
    }
    // The right pane shows what was written; the status line is clear, the pointer normal.
    EXPECT_TRUE(listed(1, "one" + ext));
    EXPECT_EQ(f.Label3.Caption.get(), "");
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
    EXPECT_FALSE(app.ScanValid[1]);
}

INSTANTIATE_TEST_SUITE_P(WrittenTargets, ConvertEachTarget,
                         ::testing::Values(int(ff::DestPlugin), int(ff::DestAFS), int(ff::DestText)));

TEST_F(ConversionTest, TargetsThisEditionDoesNotWriteLeaveTheFolderEmpty) {
    const auto names = make_mixed_sources();
    select_in_left(names);
    for (int DestType : {ff::DestPremiereFF, ff::DestPremiereTF, ff::DestPFF}) {
        expect_skipped_message();
        cmd_Convert(app, DestType);
    }
    EXPECT_TRUE(files_in(right.path()).empty());
}

TEST_F(ConversionTest, LibraryEntriesGoIntoASubfolderWhenAskedAndSingleFilesBesideIt) {
    left.write("lib.ffl", three_entry_library());
    left.write("twirl.txt", text_source("twirl.8bf", "Twirl"));
    select_in_left({"lib.ffl", "twirl.txt"});
    prefs.Check4.Value = ui::vbUnchecked;
    host.on_modal("SelectFolder", [](ui::Window& w) {
        auto& target = static_cast<SelectFolder&>(w);
        EXPECT_TRUE(target.Check2.Visible.get());
        target.Check2.Value = ui::vbChecked;
        target.Command2.user_click();
    });
    cmd_Convert(app, ff::DestText);
    EXPECT_FALSE(app.selectFolder().Check2.Visible.get());
    EXPECT_EQ(files_in(right / "lib"), (std::vector<std::string>{"one.txt", "three.txt", "two.txt"}));
    EXPECT_EQ(files_in(right.path()), std::vector<std::string>{"twirl.txt"});
}

TEST_F(ConversionTest, CancelledTargetFolderConvertsNothingAndRestoresThePointer) {
    left.write("twirl.txt", text_source("twirl.8bf", "Twirl"));
    select_in_left({"twirl.txt"});
    prefs.Check4.Value = ui::vbUnchecked;
    host.on_modal("SelectFolder", [](ui::Window& w) { static_cast<SelectFolder&>(w).Command3.user_click(); });
    cmd_Convert(app, ff::DestText);
    EXPECT_TRUE(files_in(right.path()).empty());
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
}

struct OverwriteAnswers : ConversionTest {
    OverwriteAnswers() {
        for (auto n : {"a", "b", "c"}) {
            left.write(std::string(n) + ".txt", text_source(std::string(n) + ".8bf", n));
            right.write(std::string(n) + ".afs", "old");
        }
        select_in_left({"a.txt", "b.txt", "c.txt"});
    }
    std::string out(std::string_view name) const { return test_support::read_file(right / name); }
};

TEST_F(OverwriteAnswers, OverwriteAndIgnoreActOnOneFileEach) {
    answer_prompt(0);
    answer_prompt(1);
    answer_prompt(0);
    cmd_Convert(app, ff::DestAFS);
    EXPECT_NE(out("a.afs"), "old");
    EXPECT_EQ(out("b.afs"), "old");
    EXPECT_NE(out("c.afs"), "old");
    EXPECT_EQ(host.modal_windows().size(), 3u);
}

TEST_F(OverwriteAnswers, CancelStopsTheWholeCommand) {
    answer_prompt(0);
    answer_prompt(4);
    cmd_Convert(app, ff::DestAFS);
    EXPECT_NE(out("a.afs"), "old");
    EXPECT_EQ(out("b.afs"), "old");
    EXPECT_EQ(out("c.afs"), "old");
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
}

TEST_F(OverwriteAnswers, OverwriteAllAnswersTheRestAndEndsWithTheCommand) {
    answer_prompt(2);
    cmd_Convert(app, ff::DestAFS);
    for (auto n : {"a.afs", "b.afs", "c.afs"})
        EXPECT_NE(out(n), "old") << n;
    EXPECT_EQ(host.modal_windows().size(), 1u);
    // The next command asks again.
    EXPECT_EQ(app.OverwriteRemembered, 0);
    answer_prompt(1);
    answer_prompt(1);
    answer_prompt(1);
    cmd_Convert(app, ff::DestAFS);
    EXPECT_EQ(host.modal_windows().size(), 4u);
}

TEST_F(OverwriteAnswers, IgnoreAllLeavesEveryExistingFile) {
    left.write("d.txt", text_source("d.8bf", "d"));
    select_items(0, {"a.txt", "b.txt", "c.txt", "d.txt"});
    RefreshFile1(app, 0);
    select_items(0, {"a.txt", "b.txt", "c.txt", "d.txt"});
    answer_prompt(3);
    cmd_Convert(app, ff::DestAFS);
    for (auto n : {"a.afs", "b.afs", "c.afs"})
        EXPECT_EQ(out(n), "old") << n;
    // A target that did not exist is written all the same.
    EXPECT_TRUE(std::filesystem::exists(right / "d.afs"));
    EXPECT_EQ(host.modal_windows().size(), 1u);
}

TEST_F(ConversionTest, EscAfterTheFirstItemStopsWithOneFileWritten) {
    for (auto n : {"a", "b", "c"})
        left.write(std::string(n) + ".txt", text_source(std::string(n) + ".8bf", n));
    select_in_left({"a.txt", "b.txt", "c.txt"});
    host.press_key_from_poll(ui::vbKeyEscape, 2);
    cmd_Convert(app, ff::DestText);
    EXPECT_EQ(files_in(right.path()), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(f.Label3.Caption.get(), "");
}

TEST_F(ConversionTest, ClipboardTextIsConvertedAndNoTemporaryFileStays) {
    open_folders();
    host.clipboard = text_source("clip.8bf", "Clip");
    dialog.Check1.Value = ui::vbChecked;
    cmd_Convert(app, ff::DestText);
    EXPECT_EQ(files_in(right.path()), std::vector<std::string>{"clip.txt"});
    EXPECT_FALSE(std::filesystem::exists(appFolder / "Temp.txt"));
    EXPECT_EQ(dialog.Check1.Value.get(), ui::vbUnchecked);
    EXPECT_TRUE(listed(1, "clip.txt"));
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
}

TEST_F(ConversionTest, EmptyClipboardWritesNothingAndKeepsTheOption) {
    open_folders();
    host.clipboard.clear();
    dialog.Check1.Value = ui::vbChecked;
    cmd_Convert(app, ff::DestText);
    EXPECT_TRUE(files_in(right.path()).empty());
    EXPECT_EQ(dialog.Check1.Value.get(), ui::vbChecked);
}

TEST_F(ConversionTest, ClipboardTextThatIsNoSourceIsReportedAndCleansUp) {
    open_folders();
    host.clipboard = "Filter Factory Plugin Information:\r\nnothing more";
    host.answer_msgbox(ui::vbOK, "Temp.txt: Format Violation", ui::vbExclamation, "Error");
    dialog.Check1.Value = ui::vbChecked;
    cmd_Convert(app, ff::DestText);
    EXPECT_TRUE(files_in(right.path()).empty());
    EXPECT_FALSE(std::filesystem::exists(appFolder / "Temp.txt"));
    EXPECT_EQ(dialog.Check1.Value.get(), ui::vbUnchecked);
}

TEST_F(ConversionTest, CancelledClipboardOverwriteStillRemovesTheTemporaryFile) {
    open_folders();
    right.write("clip.txt", "old");
    host.clipboard = text_source("clip.8bf", "Clip");
    dialog.Check1.Value = ui::vbChecked;
    answer_prompt(4);
    cmd_Convert(app, ff::DestText);
    EXPECT_EQ(test_support::read_file(right / "clip.txt"), "old");
    EXPECT_FALSE(std::filesystem::exists(appFolder / "Temp.txt"));
    EXPECT_EQ(app.OverwriteRemembered, 0);
}

TEST_F(ConversionTest, FilterNameOptionNamesFilesAfterTheTitleOrKeepsTheItemsName) {
    left.write("a.txt", text_source("a.8bf", "My Fine: Filter.v2"));
    left.write("b.txt", text_source("b.8bf", " . : "));
    select_in_left({"a.txt", "b.txt"});
    dialog.Check2.Value = ui::vbChecked;
    cmd_Convert(app, ff::DestText);
    EXPECT_EQ(files_in(right.path()), (std::vector<std::string>{"MyFineFilterv2.txt", "b.txt"}));
}

TEST_F(ConversionTest, LibraryViewConvertsNothing) {
    left.write("twirl.txt", text_source("twirl.8bf", "Twirl"));
    select_in_left({"twirl.txt"});
    app.PaneMode[0] = 3;
    cmd_Convert(app, ff::DestText);
    EXPECT_TRUE(files_in(right.path()).empty());
}

TEST_F(ConversionTest, DialogRefusesFormatsThisEditionCannotWrite) {
    EXPECT_EQ(dialog.Combo1.ListIndex.get(), 0);
    EXPECT_TRUE(dialog.Command3.Enabled.get());
    EXPECT_FALSE(dialog.Check3.Enabled.get());

    dialog.Combo1.ListIndex = 3;
    EXPECT_FALSE(dialog.Command3.Enabled.get());
    EXPECT_TRUE(dialog.Check3.Enabled.get());

    for (int refused : {4, 1, 2}) {
        host.answer_msgbox(ui::vbOK, "This format is only available in the Pro Edition!", ui::vbExclamation, "Vexolan");
        dialog.Combo1.ListIndex = refused;
        EXPECT_EQ(dialog.Combo1.ListIndex.get(), 0) << refused;
        EXPECT_TRUE(dialog.Command3.Enabled.get());
        EXPECT_FALSE(dialog.Check3.Enabled.get());
    }

    // A Premiere template named in the Preferences makes its format available.
    const auto prm = root.write("fl-fact.prm", "template");
    prefs.Combo2[1].Text = prm.string();
    dialog.Combo1.ListIndex = 1;
    EXPECT_EQ(dialog.Combo1.ListIndex.get(), 1);
}

TEST_F(ConversionTest, ButtonBarConvertRunsTheWholeRoadThroughTheDialogs) {
    for (auto n : {"a", "b"})
        left.write(std::string(n) + ".txt", text_source(std::string(n) + ".8bf", n));
    select_in_left({"a.txt", "b.txt"});
    prefs.Check4.Value = ui::vbUnchecked;
    host.on_modal("Convert", [](ui::Window& w) {
        auto& d = static_cast<Convert&>(w);
        d.Combo1.ListIndex = 5;
        d.Command1.user_click();
    });
    host.on_modal("SelectFolder", [](ui::Window& w) { static_cast<SelectFolder&>(w).Command2.user_click(); });
    f.Command1[0].user_click();
    EXPECT_EQ(files_in(right.path()), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(host.modal_windows(), (std::vector<std::string>{"Convert", "SelectFolder"}));
    // The dialog keeps its choice for the next conversion.
    EXPECT_EQ(dialog.Combo1.ListIndex.get(), 5);
    EXPECT_FALSE(dialog.Visible.get());
}

TEST_F(ConversionTest, CommandsMenuEntryOpensTheDialogAndItsCancelConvertsNothing) {
    left.write("a.txt", text_source("a.8bf", "a"));
    select_in_left({"a.txt"});
    host.on_modal("Convert", [](ui::Window& w) { static_cast<Convert&>(w).Command2.user_click(); });
    f.mnuConvert.user_click();
    EXPECT_TRUE(files_in(right.path()).empty());
    EXPECT_EQ(host.modal_windows(), std::vector<std::string>{"Convert"});
}

TEST_F(ConversionTest, OtherPanesPluginViewIsScannedAgainAfterTheConversion) {
    left.write("twirl.txt", text_source("twirl.8bf", "Twirl"));
    int scans = 0;
    app.ScanPluginRecurse = [&](int Index, bool, int, int) -> long {
        ++scans;
        app.PluginCatalog[Index].Path.push_back(folder(right, "x.8bf"));
        f.List3[Index].AddItem("x.8bf");
        f.List3[Index].ItemData(f.List3[Index].NewIndex()) = app.PluginCatalog[Index].RowBound();
        f.List2[Index].AddItem("[Unknown]");
        return 1;
    };
    select_in_left({"twirl.txt"});
    f.SSTab1[1].SelectedItem = 2;
    ASSERT_EQ(app.PaneMode[1], 2);
    ASSERT_EQ(scans, 1);
    f.Switchit(0);
    cmd_Convert(app, ff::DestText);
    EXPECT_EQ(scans, 2);
    EXPECT_TRUE(std::filesystem::exists(right / "twirl.txt"));
}

TEST_F(ConversionTest, OutputSettingsOpensThePreferencesOnTheirCompilePage) {
    host.on_modal("Form2", [](ui::Window& w) { EXPECT_EQ(static_cast<Form2&>(w).SSTab1.SelectedItem.get(), 2); });
    dialog.Command3.user_click();
    EXPECT_EQ(host.modal_windows(), std::vector<std::string>{"Form2"});
}

// --- batches with files that vanish, clash or fail ---------------------------------------------------

TEST_F(ConversionTest, LibraryEntriesWithoutANameNeverMakeADotFileNorReplaceWithoutAQuestion) {
    for (int DestType : {int(ff::DestText), int(ff::DestAFS), int(ff::DestPlugin)}) {
        SCOPED_TRACE(DestType);
        std::filesystem::remove_all(right.path());
        std::filesystem::create_directories(right.path());
        left.write("lib.ffl", JoinLines({"FFL1.0", "    2"}) + library_entry("", "First", "r") +
                                  library_entry("dir/", "Second", "g"));
        select_in_left({"lib.ffl"});
        answer_prompt(1); // the second nameless entry would replace the first: Ignore
        cmd_Convert(app, DestType);
        const auto written = files_in(right.path());
        ASSERT_EQ(written.size(), 1u);
        EXPECT_TRUE(written[0].starts_with("-NoName.")) << written[0];
        for (const auto& e : std::filesystem::directory_iterator(right.path()))
            EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
    }
}

TEST_F(ConversionTest, SourcesThatShareATargetAreAskedAboutOneAfterTheOther) {
    left.write("random.8bf", ff_synth::MakePlugin(ff_synth::Layout::Pc57344, ff_synth::DistinctFields()));
    left.write("random.afs", test_support::SampleBytes("negative.afs"));
    left.write("random.txt", text_source("random.8bf", "Random"));
    select_in_left({"random.8bf", "random.afs", "random.txt"});
    int asked = 0;
    for (int i = 0; i < 2; ++i)
        host.on_modal("Overwrite", [&](ui::Window& w) {
            ++asked;
            static_cast<Overwrite&>(w).Command1[1].user_click();
        });
    cmd_Convert(app, ff::DestText);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(files_in(right.path()), std::vector<std::string>{"random.txt"});
}

TEST_F(ConversionTest, AFileIsNeverConvertedOntoItself) {
    const std::string source = text_source("same.8bf", "Same");
    left.write("same.txt", source);
    left.write("other.txt", text_source("other.8bf", "Other"));
    open_folder(0, folder(left));
    open_folder(1, folder(left));
    f.Switchit(0);
    select_items(0, {"same.txt", "other.txt"});
    // Each item is refused before any question; OK goes on with the next one.
    for (auto name : {"other.txt", "same.txt"})
        host.answer_msgbox(ui::vbOK, std::string(name) + " would be converted onto itself: it is left as it is.",
                           ui::vbOKCancel | ui::vbExclamation, "Convert");
    cmd_Convert(app, ff::DestText);
    EXPECT_EQ(test_support::read_file(left / "same.txt"), source);
    EXPECT_EQ(files_in(left.path()), (std::vector<std::string>{"other.txt", "same.txt"}));
}

TEST_F(ConversionTest, AnItemsErrorBoxNamesItAndOffersToGoOnOrToEndTheBatch) {
    ff::FilterRecord r = ff_synth::TwirlRecord();
    r.CodeR = std::string(1100, 'r');
    r.Filename = "long.8bf";
    left.write("long.txt", ff::TextSourceBytes(r, nullptr));
    left.write("next.txt", text_source("next.8bf", "Next"));
    select_in_left({"long.txt", "next.txt"});
    const std::string box = "long.txt: The red formula is longer than 1019 characters and does not fit into a plug-in.";
    host.answer_msgbox(ui::vbOK, box, ui::vbOKCancel | ui::vbExclamation, "Error");
    cmd_Convert(app, ff::DestPlugin);
    EXPECT_EQ(files_in(right.path()), std::vector<std::string>{"next.8bf"});

    std::filesystem::remove(right / "next.8bf");
    RefreshFile1(app, 0);
    select_items(0, {"long.txt", "next.txt"});
    host.answer_msgbox(ui::vbCancel, box, ui::vbOKCancel | ui::vbExclamation, "Error");
    cmd_Convert(app, ff::DestPlugin);
    EXPECT_TRUE(files_in(right.path()).empty());
}

TEST_F(ConversionTest, ItemsThatCannotBeReadAreNamedInOneMessageAtTheEnd) {
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i) {
        const std::string name = "bad" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".afs";
        left.write(name, i % 2 ? "" : "random bytes that are no settings file");
        names.push_back(name);
    }
    left.write("good.txt", text_source("good.8bf", "Good"));
    names.push_back("good.txt");
    select_in_left(names);
    std::string expected = "These files could not be read as filters and were skipped:";
    for (int i = 0; i < 10; ++i)
        expected += "\r\nbad0" + std::to_string(i) + ".afs";
    expected += "\r\nand 2 more";
    host.answer_msgbox(ui::vbOK, expected, ui::vbExclamation, "Convert");
    cmd_Convert(app, ff::DestText);
    EXPECT_EQ(files_in(right.path()), std::vector<std::string>{"good.txt"});
}
