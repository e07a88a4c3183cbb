// Filter Factory libraries unpacked entry by entry, and the loaders that choose a reader by the
// file's extension.
#include "filemanager/OverwriteCheck.hpp"
#include "filterfactory/library.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/plugin_reader.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "shell/Form1.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/ff_synth.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using namespace vexolan::ff;
using ff_synth::JoinLines;

namespace {

// One 29-line entry.
std::string entry(std::string_view name, std::string_view red, std::string_view green = "g",
                  std::string_view blue = "b", std::string_view copyright = "(c) Me") {
    return JoinLines({name,     "Library", std::string("Title of ") + std::string(name),
                      "Author", copyright, "Angle",
                      "",       "",        "",
                      "",       "",        "Amount",
                      "",       "",        "",
                      "",       "",        "10",
                      "20",     "30",      "0",
                      "0",      "0",       "0",
                      "0",      red,       green,
                      blue,     "a"});
}

// Line 2 says 3, but the library holds five entries, one of them deleted.
std::string five_entry_library() {
    return JoinLines({"FFL1.0", "    3"}) + entry("one.8bf", "M") + entry("//gone.8bf", "r") +
           entry("two.8bf", "r+1", "\"", "\"") + entry("three.8bf", "r", "g", "b", "\xA9 Someone") +
           entry("four.prm", "D");
}

class Library : public test_support::AppTest {
protected:
    std::filesystem::path out = root.path() / "unpacked";

    std::string library(std::string_view bytes = five_entry_library()) { return root.write("lib.ffl", bytes).string(); }
    std::string text(std::string_view name) const { return test_support::read_file(out / name); }
    std::vector<std::string> written() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(out))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void answer_prompt(int button, std::function<void(Overwrite&)> check = {}) {
        host.on_modal("Overwrite", [button, check](ui::Window& w) {
            auto& prompt = static_cast<Overwrite&>(w);
            if (check) check(prompt);
            prompt.Command1[button].user_click();
        });
    }
};

} // namespace

TEST_F(Library, UnpacksEveryEntryThatIsNotDeletedIntoItsOwnFile) {
    app.FF.pFlag = false; // as after reading a Premiere plug-in
    Convertffl(app, library(), out.string(), DestText);
    EXPECT_EQ(written(), (std::vector<std::string>{"four.txt", "one.txt", "three.txt", "two.txt"}));
    // Photoshop entries are written as they are, whatever was read before.
    EXPECT_NE(text("one.txt").find("\r\nR:M\r\n"), std::string::npos);
    // A '"' repeats the formula above it.
    EXPECT_NE(text("two.txt").find("R:r+1\r\n\r\nG:r+1\r\n\r\nB:r+1\r\n"), std::string::npos);
    EXPECT_NE(text("three.txt").find("Copyright: Copyright \xA9 Someone\r\n"), std::string::npos);
    // A Premiere entry is rewritten into the Photoshop dialect.
    EXPECT_NE(text("four.txt").find("R:512\r\n"), std::string::npos);
    EXPECT_NE(text("one.txt").find("map[0]: Angle\r\nctl[2]: Amount\r\n\r\nval[0]: 10\r\nval[1]: 20\r\nval[2]: 30\r\n"),
              std::string::npos);
    EXPECT_EQ(app.form1().Label3.Caption.get(), "");
}

TEST_F(Library, WritesPluginsAndSettingsFilesToo) {
    files::prepare_app_folder(VEXOLAN_APPFOLDER);
    Convertffl(app, library(), out.string(), DestPlugin);
    EXPECT_EQ(written(), (std::vector<std::string>{"four.8bf", "one.8bf", "three.8bf", "two.8bf"}));
    FFContext reader;
    std::string dir = out.string();
    ASSERT_TRUE(Read8bf(reader, dir, "two.8bf", false, false));
    EXPECT_EQ(reader.Record.Title, "Title of two.8bf");
    EXPECT_EQ(reader.Record.CodeB, "r+1");

    std::filesystem::remove_all(out);
    Convertffl(app, library(), out.string(), DestAFS);
    EXPECT_EQ(written(), (std::vector<std::string>{"four.afs", "one.afs", "three.afs", "two.afs"}));
    Convertffl(app, library(), (root.path() / "pff").string(), DestPFF);
    EXPECT_TRUE(std::filesystem::is_empty(root.path() / "pff"));
}

TEST_F(Library, AFileThatIsNoLibraryIsReportedAndNothingIsWritten) {
    const std::string path = library(JoinLines({"FFL2.0", "1"}) + entry("one.8bf", "r"));
    host.answer_msgbox(ui::vbOK, path + " is not a Filter Factory Library File!", ui::vbOKCancel | ui::vbExclamation,
                       "Format Violation");
    Convertffl(app, path, out.string(), DestText);
    EXPECT_TRUE(written().empty());
}

TEST_F(Library, EscapeStopsBeforeTheNextEntry) {
    host.press_key_from_poll(ui::vbKeyEscape, 2);
    Convertffl(app, library(), out.string(), DestText);
    EXPECT_EQ(written(), std::vector<std::string>{"one.txt"});
}

TEST_F(Library, ACutLastEntryEndsTheUnpackingAndIsNamedAtTheEnd) {
    const std::string whole = five_entry_library();
    host.answer_msgbox(ui::vbOK, "This file could not be read as a filter and was skipped:\r\nlib.ffl (entry 5)",
                       ui::vbExclamation, "Convert");
    Convertffl(app, library(whole.substr(0, whole.size() - 10)), out.string(), DestText);
    EXPECT_EQ(written(), (std::vector<std::string>{"one.txt", "three.txt", "two.txt"}));
}

TEST_F(Library, AnExistingFileIsAskedAboutBeforeAnEntryReplacesIt) {
    std::filesystem::create_directories(out);
    root.write("unpacked/one.txt", "old one");
    root.write("unpacked/four.txt", "old four");
    answer_prompt(1, [](Overwrite& w) { EXPECT_FALSE(w.Label3.Visible); });
    answer_prompt(0, [this](Overwrite&) { EXPECT_EQ(app.form1().Label3.Caption.get(), " 4 of  3"); });
    Convertffl(app, library(), out.string(), DestText);
    EXPECT_EQ(text("one.txt"), "old one");
    EXPECT_NE(text("four.txt"), "old four");
    EXPECT_EQ(written().size(), 4u);
}

TEST_F(Library, CancelInThePromptStopsTheUnpacking) {
    std::filesystem::create_directories(out);
    root.write("unpacked/one.txt", "old one");
    answer_prompt(4);
    Convertffl(app, library(), out.string(), DestText);
    EXPECT_EQ(written(), std::vector<std::string>{"one.txt"});
    EXPECT_EQ(text("one.txt"), "old one");
}

TEST_F(Library, AnAllAnswerLeftFromAnEarlierBatchDoesNotCount) {
    std::filesystem::create_directories(out);
    root.write("unpacked/one.txt", "old one");
    app.OverwriteRemembered = 2;
    answer_prompt(1);
    Convertffl(app, library(), out.string(), DestText);
    EXPECT_EQ(text("one.txt"), "old one");
    EXPECT_EQ(app.OverwriteRemembered, 0) << "the batch ends with the prompt reset";
}

TEST_F(Library, EntryNamesStayInsideTheTargetFolder) {
    Convertffl(app, library(JoinLines({"FFL1.1", "1"}) + entry("../../escape.8bf", "r")), out.string(), DestText);
    EXPECT_EQ(written(), std::vector<std::string>{"escape.txt"});
}

TEST_F(Library, TheBinaryEntryReaderReadsTheSameEntry) {
    const std::string bytes = entry("two.8bf", "r+1", "\"", "\"", "\xA9 X");
    ByteCursor cursor{bytes};
    app.FF.pFlag = false;
    ASSERT_TRUE(ReadFFLEntryII(app.FF, cursor));
    EXPECT_EQ(app.FF.Record.CodeB, "r+1");
    EXPECT_EQ(app.FF.Record.Copyright, "Copyright \xC2\xA9 X");
    EXPECT_TRUE(app.FF.pFlag);
    EXPECT_FALSE(ReadFFLEntryII(app.FF, cursor)) << "nothing is left";
}

TEST_F(Library, TheEntryCountIsWrittenAsAFieldOfFiveCharacters) {
    const std::string path = library();
    FFLNumWrite(path, 12);
    EXPECT_EQ(test_support::read_file(path).substr(0, 15), "FFL1.0\r\n   12\r\n");
}

class Loaders : public test_support::AppTest {
protected:
    std::filesystem::path dir = make_folder("sources");
    std::string path(std::string_view name) const { return (dir / name).string(); }
    void write_twirl(std::string_view kind) {
        app.FF.Record = ff_synth::TwirlRecord();
        app.FF.pFlag = true;
        if (kind == "txt") WriteTXT(app.FF, dir.string(), false);
        if (kind == "afs") Writeafspff(app.FF, dir.string(), 0);
    }
};

TEST_F(Loaders, ReadFFfileChoosesTheReaderByTheExtension) {
    write_twirl("txt");
    write_twirl("afs");
    root.write("sources/x.8bf", ff_synth::MakePlugin(ff_synth::Layout::Pc57344, ff_synth::DistinctFields()));
    root.write("sources/x_8bf", ff_synth::MakePlugin(ff_synth::Layout::Pc49152, ff_synth::DistinctFields()));
    root.write("sources/x._rm", ff_synth::MakePremiereFF(ff_synth::PrmBranch::D_other, ff_synth::DistinctFields()));
    root.write("sources/x.doc", "R:r\r\nG:g\r\nB:b\r\n");

    ASSERT_TRUE(ReadFFfile(app.FF, path("twirl.txt")));
    EXPECT_EQ(app.FF.Record.Title, "Twirl");
    ASSERT_TRUE(ReadFFfile(app.FF, path("x.8bf")));
    EXPECT_EQ(app.FF.Record.Title, "SynTitle");
    ASSERT_TRUE(ReadFFfile(app.FF, path("x_8bf")));
    ASSERT_TRUE(ReadFFfile(app.FF, path("x._rm")));
    EXPECT_FALSE(app.FF.pFlag);
    EXPECT_FALSE(ReadFFfile(app.FF, path("x.doc")));

    // A settings file without its names tail counts as read: its title is its file name.
    root.write("sources/short.afs", "%RGB-1.0\r0\r0\r0\r0\r0\r0\r0\r0\rr\r\rg\r\rb\r\ra\r\r");
    ASSERT_TRUE(ReadFFfile(app.FF, path("short.afs")));
    EXPECT_EQ(app.FF.Record.Title, app.FF.Record.Filename);
}

TEST_F(Loaders, LoadItReadsPresetsRewritesPremiereCodeAndKeepsTheSourceExtension) {
    app.FF.Record = ff_synth::TwirlRecord();
    app.FF.Record.MemorySpot(2, 0) = 99;
    app.FF.PresetSpotStored = [](int s) { return s == 2; };
    app.FF.pFlag = true;
    WriteTXT(app.FF, dir.string(), true);
    app.FF.Record.MemorySpots.fill(0);
    ASSERT_TRUE(LoadIt(app.FF, path("twirl.txt")));
    EXPECT_EQ(app.FF.Record.MemorySpot(2, 0), 99);
    EXPECT_EQ(app.FF.Record.Filename, "twirl.txt");

    write_twirl("afs");
    ASSERT_TRUE(LoadIt(app.FF, path("twirl.afs")));
    EXPECT_EQ(app.FF.Record.Filename, "twirl.afs");

    root.write("sources/p.pff", "%RGB-1.0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\rD\r\rg\r\rr\r\ra\r\r");
    ASSERT_TRUE(LoadIt(app.FF, path("p.pff")));
    EXPECT_EQ(app.FF.Record.CodeB, "512");
    EXPECT_EQ(app.FF.Record.Filename, "p.pff");
    EXPECT_TRUE(app.FF.pFlag);

    ff_synth::Fields f = ff_synth::DistinctFields();
    f.Formulas = {"D", "g", "b", "a"};
    root.write("sources/p._rm", ff_synth::MakePremiereFF(ff_synth::PrmBranch::D_other, f));
    ASSERT_TRUE(LoadIt(app.FF, path("p._rm")));
    EXPECT_EQ(app.FF.Record.CodeR, "512");
    EXPECT_TRUE(app.FF.pFlag);

    EXPECT_FALSE(LoadIt(app.FF, path("unknown.xyz")));
}
