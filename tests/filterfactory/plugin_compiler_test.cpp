// The plug-in compiler: templates patched at exactly the bytes of the layout and nowhere else, the
// compile options, the refusals, and a target that a failed compile leaves whole.
#include "filterfactory/compiler.hpp"
#include "filterfactory/plugin_reader.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/ff_synth.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

using namespace vexolan::ff;
using ff_synth::Layout;
using namespace std::string_literals;

namespace {

// Where each compiled layout keeps its fields, spelled out here rather than taken from the program.
struct Places {
    std::size_t Length;
    std::size_t TitleLength, Title, CategoryLength, Category, Block, Modes, AuthorLine;
};

Places places_of(std::size_t length) {
    switch (length) {
    case 57344:
        return {57344, 31011, 31012, 31063, 31064, 31253, 31155, 0};
    case 49152:
        return {49152, 23843, 23844, 23895, 23896, 24085, 23987, 0};
    default:
        return {49664, 34927, 34928, 34979, 34980, 26585, 35071, 42335};
    }
}

std::size_t ansi_length(std::string_view text) {
    return vb::Utf8ToCp1252(text).size();
}

// The 1-based positions the compiler may write for `r` (the record as compiled).
std::set<std::size_t> writable_bytes(const Places& at, const FilterRecord& r, bool override) {
    std::set<std::size_t> allowed;
    const auto range = [&](std::size_t from, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            allowed.insert(from + i);
    };
    const auto text = [&](std::size_t pos, std::string_view t) { range(pos, ansi_length(t) + 1); };
    const std::size_t P = at.Block;
    allowed.insert(at.TitleLength);
    text(at.Title, r.Title);
    allowed.insert(at.CategoryLength);
    text(at.Category, r.Category);
    if (at.AuthorLine) range(at.AuthorLine, 124);
    text(P + 104, r.Category);
    text(P + 360, r.Title);
    text(P + 616, r.Copyright);
    text(P + 872, r.Author);
    for (int m = 0; m < 4; ++m) {
        allowed.insert(P + 56 + 4 * m);
        if (!r.MapName[m].empty()) {
            text(P + 1128 + 256 * m, r.MapName[m]);
            allowed.insert(P + 72 + 8 * m);
            allowed.insert(P + 76 + 8 * m);
            continue;
        }
        for (int c = 2 * m; c <= 2 * m + 1; ++c) {
            allowed.insert(P + 72 + 4 * c);
            if (!r.CtlName[c].empty()) text(P + 2152 + 256 * c, r.CtlName[c]);
        }
    }
    for (int c = 0; c < 8; ++c)
        allowed.insert(P + 8 + 4 * c);
    for (int k = 0; k < 4; ++k)
        range(P + 4200 + 1024 * k, ansi_length(r.Code(k)) + 5);
    allowed.insert(P + 4);
    if (!override) range(at.Modes, 2);
    return allowed;
}

// The positions where `out` differs from `tmpl` although the compiler may not write there.
std::vector<std::size_t> stray_writes(const std::string& tmpl, const std::string& out,
                                      const std::set<std::size_t>& allowed) {
    std::vector<std::size_t> stray;
    for (std::size_t i = 0; i < std::min(tmpl.size(), out.size()); ++i)
        if (tmpl[i] != out[i] && !allowed.count(i + 1)) stray.push_back(i + 1);
    return stray;
}

std::uint8_t byte_at(const std::string& file, std::size_t pos1) {
    return static_cast<std::uint8_t>(file.at(pos1 - 1));
}

class Compiler : public test_support::AppTest {
protected:
    std::filesystem::path out = make_folder("out");
    CompileOptions options;

    void SetUp() override {
        files::prepare_app_folder(VEXOLAN_APPFOLDER);
        app.FF.Record = ff_synth::FullRecord();
        app.FF.pFlag = true;
    }

    CompileResult compile(bool override = false, bool editor = false) {
        std::string dir = out.string();
        return Write8bf(app.FF, dir, override, editor, options);
    }
    std::string output(std::string_view name = "creme.8bf") const { return test_support::read_file(out / name); }

    // Reads a compiled plug-in back into a record of its own.
    FilterRecord read_back(std::string_view name = "creme.8bf") {
        FFContext reader;
        std::string dir = out.string();
        EXPECT_TRUE(Read8bf(reader, dir, name, false, false));
        return reader.Record;
    }
    std::string user_template(Layout layout) {
        const auto path = root.write("templates/" + ff_synth::NameOf(layout) + ".8bf", ff_synth::MakeTemplate(layout));
        return path.string();
    }
};

} // namespace

TEST(StandInTemplates, TheBuildWritesThemWithTheirLayoutsAndIdentityFormulas) {
    for (const PluginLayout* layout : {&Layout57344, &Layout49152}) {
        const std::string file = test_support::read_file(std::filesystem::path(VEXOLAN_APPFOLDER) / layout->Template);
        EXPECT_EQ(file, MakeStandInTemplate(*layout)) << layout->Template;
        EXPECT_EQ(file.size(), layout == &Layout57344 ? 57344u : 49152u);
        EXPECT_EQ(FindPluginLayout(file), layout);
        const Places at = places_of(file.size());
        EXPECT_EQ(byte_at(file, at.Block + 40), 1) << "the show-dialog flag is set";
        EXPECT_EQ(byte_at(file, at.Block + 4), 1);

        FilterRecord r;
        ASSERT_TRUE(Read8bfBytes(r, file, false));
        EXPECT_EQ(r.Title, "Untitled");
        EXPECT_EQ(r.Category, "Synthetic");
        EXPECT_EQ((std::array<std::string, 4>{r.CodeR, r.CodeG, r.CodeB, r.CodeA}),
                  (std::array<std::string, 4>{"r", "g", "b", "a"}));
        EXPECT_EQ(TextFieldRoom(file, at.Title), 34u) << "up to the PiPL category property";
        EXPECT_GE(TextFieldRoom(file, at.Category), 50u);
    }
}

TEST_F(Compiler, EachStandInTemplateGivesTheFilterBackAndChangesOnlyItsFields) {
    for (int choice : {CompileOptions::FF30, CompileOptions::FF304}) {
        SCOPED_TRACE(choice);
        options.TemplateChoice = choice;
        app.FF.Record = ff_synth::FullRecord();
        ASSERT_EQ(compile(), CompileResult::Written);
        const std::string tmpl =
            test_support::read_file(std::filesystem::path(VEXOLAN_APPFOLDER) /
                                    (choice == CompileOptions::FF30 ? "photo30.dll" : "photo304.dll"));
        const std::string plugin = output();
        ASSERT_EQ(plugin.size(), tmpl.size());
        EXPECT_EQ(stray_writes(tmpl, plugin, writable_bytes(places_of(tmpl.size()), app.FF.Record, false)),
                  std::vector<std::size_t>{});
        ff_synth::ExpectSameFilter(read_back(), ff_synth::FullRecord());
    }
}

TEST_F(Compiler, EachSyntheticLayoutGivesTheFilterBackAndChangesOnlyItsFields) {
    for (Layout layout : {Layout::Pc57344, Layout::Pc49152, Layout::Pc49664}) {
        SCOPED_TRACE(ff_synth::NameOf(layout));
        options.TemplateChoice = CompileOptions::User;
        options.UserTemplate = user_template(layout);
        app.FF.Record = ff_synth::FullRecord();
        app.FF.Record.Copyright = "(c)"; // a short author line for the 49664 layout
        ASSERT_EQ(compile(), CompileResult::Written);
        const std::string tmpl = ff_synth::MakeTemplate(layout);
        const std::string plugin = output();
        ASSERT_EQ(plugin.size(), tmpl.size());
        const Places at = places_of(tmpl.size());
        EXPECT_EQ(stray_writes(tmpl, plugin, writable_bytes(at, app.FF.Record, false)), std::vector<std::size_t>{});
        FilterRecord expected = ff_synth::FullRecord();
        expected.Copyright = "(c)";
        ff_synth::ExpectSameFilter(read_back(), expected);
        // Unused control name slots keep the template's text.
        EXPECT_EQ(plugin.substr(at.Block + 2152 + 256 * 4 - 1, 8), "SynCtl4\0"s);
        EXPECT_EQ(plugin.substr(at.Modes - 1, 2), "\x10\0"s);
        EXPECT_EQ(byte_at(plugin, at.Block + 4), 1);
    }
}

TEST_F(Compiler, ANamedMapHidesItsControls) {
    options.TemplateChoice = CompileOptions::User;
    options.UserTemplate = user_template(Layout::Pc57344);
    app.FF.Record.MapName = {"Bend", "", "", ""};
    app.FF.Record.CtlName = {"First", "Second", "", "", "", "", "", ""};
    ASSERT_EQ(compile(), CompileResult::Written);
    const std::string plugin = output();
    const std::size_t P = 31253;
    EXPECT_EQ(byte_at(plugin, P + 56), 1);
    EXPECT_EQ(byte_at(plugin, P + 72), 0);
    EXPECT_EQ(byte_at(plugin, P + 76), 0);
    EXPECT_EQ(plugin.substr(P + 2152 - 1, 8), "SynCtl0\0"s) << "no control name is written";
    EXPECT_EQ(plugin.substr(P + 1128 - 1, 5), "Bend\0"s);
}

TEST_F(Compiler, TheAuthorLineOfThe49664LayoutIsCutAtSixtyLetters) {
    options.TemplateChoice = CompileOptions::User;
    options.UserTemplate = user_template(Layout::Pc49664);
    app.FF.Record.Author = "Me";
    app.FF.Record.Copyright = "c";
    ASSERT_EQ(compile(), CompileResult::Written);
    EXPECT_EQ(output().substr(42335 - 1, 12), std::string("M\0e\0 \0(\0c\0)\0", 12));

    app.FF.Record.Author = std::string(70, 'x');
    ASSERT_EQ(compile(), CompileResult::Written);
    std::string expected;
    for (int i = 0; i < 57; ++i)
        expected += "x"s + '\0';
    expected += std::string(".\0.\0.\0\0", 7);
    EXPECT_EQ(output().substr(42335 - 1, 121), expected);
}

TEST_F(Compiler, AFormulaLongerThanItsSlotIsRefusedWithNothingWritten) {
    app.FF.Record.CodeG = std::string(1019, '1');
    ASSERT_EQ(compile(), CompileResult::Written);
    const std::string plugin = output();
    EXPECT_EQ(plugin.substr(31253 + 5224 - 1, 1024), std::string(1019, '1') + std::string(5, '\0'));
    EXPECT_EQ(byte_at(plugin, 31253 + 6248), 'c') << "the next slot starts where it did";

    std::filesystem::remove(out / "creme.8bf");
    app.FF.Record.CodeG = std::string(1020, '1');
    host.answer_msgbox(ui::vbOK);
    EXPECT_EQ(compile(), CompileResult::Refused);
    EXPECT_NE(host.last_msgbox().Prompt.find("green formula"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out / "creme.8bf"));
}

TEST_F(Compiler, TextsAreCutToTheRoomOfTheirFields) {
    options.TemplateChoice = CompileOptions::User;
    options.UserTemplate = user_template(Layout::Pc57344);
    app.FF.Record.Title = std::string(60, 'T');
    app.FF.Record.Copyright = std::string(300, 'C');
    ASSERT_EQ(compile(), CompileResult::Written);
    const std::string plugin = output();
    EXPECT_EQ(byte_at(plugin, 31011), 50);
    EXPECT_EQ(plugin.substr(31012 - 1, 51), std::string(50, 'T') + '\0');
    EXPECT_EQ(byte_at(plugin, 31063), ansi_length(ff_synth::FullRecord().Category)) << "the category field is whole";
    EXPECT_EQ(plugin.substr(31253 + 616 - 1, 256), std::string(255, 'C') + '\0');
    EXPECT_EQ(plugin.substr(31253 + 360 - 1, 61), std::string(60, 'T') + '\0') << "the block's title slot has room";
    EXPECT_EQ(read_back().Title, std::string(50, 'T'));
}

TEST_F(Compiler, OutputNamesFollowTheFirstDotAndKeepTheUnderscoreForm) {
    app.FF.Record.Filename = "plain";
    ASSERT_EQ(compile(), CompileResult::Written);
    EXPECT_EQ(app.FF.Record.Filename, "plain.8bf");
    EXPECT_TRUE(std::filesystem::exists(out / "plain.8bf"));

    app.FF.Record.Filename = "Swirl_8BF";
    ASSERT_EQ(compile(), CompileResult::Written);
    EXPECT_EQ(app.FF.Record.Filename, "Swirl_8BF");
    EXPECT_TRUE(std::filesystem::exists(out / "Swirl.8bf"));

    app.FF.Record.Filename = "two.dots.afs";
    ASSERT_EQ(compile(), CompileResult::Written);
    EXPECT_TRUE(std::filesystem::exists(out / "two.8bf"));

    app.FF.Record.Filename = "../outside.8bf";
    ASSERT_EQ(compile(), CompileResult::Written);
    EXPECT_TRUE(std::filesystem::exists(out / "outside.8bf"));
    EXPECT_FALSE(std::filesystem::exists(root.path() / "outside.8bf"));
}

TEST_F(Compiler, OptionsSetTheModesTheEditorFlagTheDemoTitleAndThePremiereCategory) {
    options.AllModes = true;
    options.EditorPlugin = true;
    options.DemoPlugin = true;
    app.FF.Record.Category = "[Premiere FF]";
    ASSERT_EQ(compile(), CompileResult::Written);
    const std::string plugin = output();
    EXPECT_EQ(plugin.substr(31155 - 1, 2), "\xFF\xFF");
    EXPECT_EQ(byte_at(plugin, 31253 + 4), 0);
    EXPECT_EQ(app.FF.Record.Title, "Cr\xC3\xA8me Twist Demo...");
    EXPECT_EQ(app.FF.Record.Category, "Premiere(converted)");
    EXPECT_EQ(read_back().Category, "Premiere(converted)");
}

TEST_F(Compiler, PremiereCodeIsRewrittenAndTheRecordMarkedPhotoshop) {
    app.FF.Record.CodeR = "D";
    app.FF.Record.CodeB = "M";
    app.FF.pFlag = false;
    ASSERT_EQ(compile(), CompileResult::Written);
    EXPECT_EQ(app.FF.Record.CodeR, "512");
    EXPECT_EQ(app.FF.Record.CodeB, "(M/2)");
    EXPECT_TRUE(app.FF.pFlag);
    EXPECT_EQ(read_back().CodeR, "512");
}

TEST_F(Compiler, EncryptedPadsTheFileWithZeros) {
    options.Encrypted = true;
    ASSERT_EQ(compile(), CompileResult::Written);
    const std::string plugin = output();
    ASSERT_GE(plugin.size(), 57344u);
    EXPECT_LE(plugin.size(), 57344u + 2048u);
    EXPECT_EQ(plugin.substr(57344 - 1), std::string(plugin.size() - 57343, '\0'));
}

TEST_F(Compiler, ThePreviewPluginIsPatchedInPlaceWithItsLengthAndModes) {
    files::copy_file(files::app_path("photo30.dll"), appFolder / "temp.dll");
    options.AllModes = true;
    options.Encrypted = true;
    std::string dir = "ignored";
    ASSERT_EQ(Write8bf(app.FF, dir, true, false, options), CompileResult::Written);
    EXPECT_EQ(dir, appFolder.string() + "/");
    std::string plugin = test_support::read_file(appFolder / "temp.dll");
    EXPECT_EQ(plugin.size(), 57344u);
    EXPECT_EQ(plugin.substr(31155 - 1, 2), "\x10\0"s);
    EXPECT_EQ(byte_at(plugin, 31253 + 4), 1);
    const std::string tmpl = test_support::read_file(appFolder / "photo30.dll");
    EXPECT_EQ(stray_writes(tmpl, plugin, writable_bytes(places_of(57344), app.FF.Record, true)),
              std::vector<std::size_t>{});

    ASSERT_EQ(Write8bf(app.FF, dir, true, true, options), CompileResult::Written);
    EXPECT_EQ(byte_at(test_support::read_file(appFolder / "temp.dll"), 31253 + 4), 0);
}

TEST_F(Compiler, AUserTemplateOfAnotherLengthWritesNothingAndSaysNothing) {
    options.TemplateChoice = CompileOptions::User;
    options.UserTemplate = root.write("odd.8bf", std::string(50000, '\0')).string();
    EXPECT_EQ(compile(), CompileResult::NothingWritten);
    EXPECT_TRUE(std::filesystem::is_empty(out));
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(Compiler, ATemplateWithoutItsLayoutsSignatureIsRefused) {
    options.TemplateChoice = CompileOptions::User;
    // A 49152-byte plug-in of the " FilterFactory" variant keeps its block elsewhere.
    options.UserTemplate =
        root.write("variant.8bf", ff_synth::MakePlugin(Layout::Variant49152, ff_synth::DistinctFields())).string();
    host.answer_msgbox(ui::vbOK);
    EXPECT_EQ(compile(), CompileResult::Refused);
    EXPECT_NE(host.last_msgbox().Prompt.find("is not a Filter Factory template plug-in."), std::string::npos);

    options.UserTemplate = root.write("nosig.8bf", std::string(57344, '\0')).string();
    host.answer_msgbox(ui::vbOK);
    EXPECT_EQ(compile(), CompileResult::Refused);
    EXPECT_TRUE(std::filesystem::is_empty(out));
}

TEST_F(Compiler, OptionsThisEditionCannotCompileShowTheErrorBeforeWriting) {
    const auto target = out / "creme.8bf";
    std::filesystem::copy_file(appFolder / "photo304.dll", target);
    const std::string before = test_support::read_file(target);

    options.BigPreview = true;
    host.answer_msgbox(ui::vbOK);
    EXPECT_EQ(compile(), CompileResult::Failed);
    EXPECT_EQ(host.last_msgbox().Title, "Just a small problem...");
    EXPECT_NE(host.last_msgbox().Prompt.find("10001"), std::string::npos);

    options.BigPreview = false;
    options.TemplateChoice = CompileOptions::Macintosh;
    host.answer_msgbox(ui::vbOK);
    EXPECT_EQ(compile(), CompileResult::Failed);
    EXPECT_EQ(test_support::read_file(target), before);
}

TEST_F(Compiler, AMissingTemplateShowsTheErrorBox) {
    std::filesystem::remove(appFolder / "photo30.dll");
    host.answer_msgbox(ui::vbOK);
    EXPECT_EQ(compile(), CompileResult::Failed);
    EXPECT_EQ(host.last_msgbox().Title, "Just a small problem...");
    EXPECT_TRUE(std::filesystem::is_empty(out));
}

TEST_F(Compiler, AnInterruptedCompileLeavesTheOldTargetAndNoTemporaryFile) {
    const auto target = out / "creme.8bf";
    std::filesystem::copy_file(appFolder / "photo304.dll", target);
    const std::string before = test_support::read_file(target);
    files::FaultScope faults;
    files::inject_fault(files::Op::Write, target, ENOSPC);
    host.answer_msgbox(ui::vbOK);
    EXPECT_EQ(compile(), CompileResult::Failed);
    EXPECT_EQ(host.last_msgbox().Title, "Just a small problem...");
    EXPECT_EQ(test_support::read_file(target), before);
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(out))
        left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"creme.8bf"});
}

TEST_F(Compiler, ToggleFFUISwitchesTheShowDialogFlagOfCompiledLayoutsOnly) {
    for (Layout layout : {Layout::Pc57344, Layout::Pc49152, Layout::Pc49664}) {
        const auto path = root.write("toggle.8bf", ff_synth::MakeTemplate(layout));
        const std::size_t flag = places_of(ff_synth::LengthOf(layout)).Block + 40;
        EXPECT_TRUE(ToggleFFUI(path.string(), false));
        EXPECT_EQ(byte_at(test_support::read_file(path), flag), 0);
        EXPECT_TRUE(ToggleFFUI(path.string(), true));
        EXPECT_EQ(byte_at(test_support::read_file(path), flag), 1);
    }
    for (Layout layout : {Layout::Pc50176, Layout::Variant49152}) {
        const std::string bytes = ff_synth::MakePlugin(layout, ff_synth::DistinctFields());
        const auto path = root.write("other.8bf", bytes);
        EXPECT_FALSE(ToggleFFUI(path.string(), false));
        EXPECT_EQ(test_support::read_file(path), bytes);
    }
    EXPECT_FALSE(ToggleFFUI((root.path() / "missing.8bf").string(), true));
}

TEST(StandInTemplates, AnEarlierVersionsStandInIsRenewedAndARealTemplateIsLeftAlone) {
    test_support::TempDir folder{"renew"};
    // An earlier stand-in: its note at the first byte, no DLL header.
    std::string old(57344, '\0');
    const std::string note = "Vexolan stand-in Filter Factory template: plug-ins made from it run only in Vexolan.";
    old.replace(0, note.size(), note);
    folder.write("photo30.dll", old);
    // A template of the user's own: a DLL header, the layout's signature.
    std::string real = MakeStandInTemplate(Layout49152);
    real.replace(0x400, 20, "someone else's code.");
    folder.write("photo304.dll", real);
    RenewOldStandInTemplates(folder.path().string());
    EXPECT_EQ(test_support::read_file(folder.path() / "photo30.dll"), MakeStandInTemplate(Layout57344));
    EXPECT_EQ(test_support::read_file(folder.path() / "photo304.dll"), real);
}
