// What the Filter Factory writers do with faults and odd input: a settings file or text source that
// cannot be written is told as a plug-in is, a name read from a file with a 0 byte in it still gets
// the target's extension, an empty category comes back from the file written for it, the library's
// entry count never runs over its line end, and the larger previews stop only layouts that hold them.
#include "filemanager/OverwriteCheck.hpp"
#include "filterfactory/Convert.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/conversion.hpp"
#include "filterfactory/library.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "preferences/Form2.hpp"
#include "tests/filemanager/file_view_fixture.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/ff_synth.hpp"

#include <gtest/gtest.h>

#include <cerrno>

using namespace vexolan;

namespace {

// One 29-line library entry.
std::string library_entry(std::string_view name, std::string_view title) {
    return ff_synth::JoinLines({name, "Library", title, "Author", "(c) Me", "Angle", "",  "",  "", "",
                                "",   "Amount",  "",    "",       "",       "",      "",  "10", "20", "30",
                                "0",  "0",       "0",   "0",      "0",      "r",     "g", "b", "a"});
}

struct WriteFaults : test_support::FileViewTest {
    WriteFaults() {
        ff::WriteStandInTemplates(appFolder.string());
        app.form2().List1[0].Clear();
        app.form2().Check4.Value = ui::vbChecked; // no Select Folder dialog
        app.convertDialog().Load();
    }
    void convert(const std::vector<std::string>& names, int DestType) {
        open_folders();
        f.Switchit(0);
        select_items(0, names);
        cmd_Convert(app, DestType);
    }
};

} // namespace

// A full disk under the target folder: every settings file and text source of the batch, those of a
// library's entries included, is told with the fs layer's reason, as a plug-in is; nothing is left.
TEST_F(WriteFaults, AnAfsOrTextThatCannotBeWrittenIsToldForEachItem) {
    ff::FilterRecord twirl = ff_synth::TwirlRecord();
    left.write("twirl.txt", ff::TextSourceBytes(twirl, nullptr));
    left.write("lib.ffl", ff_synth::JoinLines({"FFL1.0", "    2"}) + library_entry("one.8bf", "One") +
                              library_entry("two.8bf", "Two"));
    for (int DestType : {int(ff::DestAFS), int(ff::DestText), int(ff::DestPlugin)}) {
        SCOPED_TRACE(DestType);
        files::FaultScope faults;
        files::inject_fault(files::Op::Write, right.path(), ENOSPC);
        const std::size_t before = host.message_boxes().size();
        for (int i = 0; i < 3; ++i)
            host.answer_msgbox(ui::vbOK);
        convert({"twirl.txt", "lib.ffl"}, DestType);
        ASSERT_EQ(host.message_boxes().size(), before + 3);
        for (std::size_t i = before; i < before + 3; ++i) {
            EXPECT_NE(host.message_boxes()[i].Prompt.find("Vexo Error 61: Disk full"), std::string::npos)
                << host.message_boxes()[i].Prompt;
            EXPECT_EQ(host.message_boxes()[i].Title, "Just a small problem...");
        }
        EXPECT_TRUE(files_in(right.path()).empty());
    }
}

// A library entry whose name holds a 0 byte: the name ends there and the file gets the target's
// extension; the overwrite question asks about that very file.
TEST_F(WriteFaults, ANameWithAZeroByteIsCutThereBeforeTheExtension) {
    left.write("lib.ffl", ff_synth::JoinLines({"FFL1.0", "    1"}) +
                              library_entry(std::string_view("before\0after.8bf", 16), "Cut"));
    convert({"lib.ffl"}, ff::DestAFS);
    EXPECT_EQ(files_in(right.path()), std::vector<std::string>{"before.afs"});
    convert({"lib.ffl"}, ff::DestText);
    EXPECT_EQ(files_in(right.path()), (std::vector<std::string>{"before.afs", "before.txt"}));

    std::string asked;
    host.on_modal("Overwrite", [&](ui::Window& w) {
        asked = static_cast<Overwrite&>(w).Label1.Caption.get();
        static_cast<Overwrite&>(w).Command1[1].user_click(); // Ignore
    });
    convert({"lib.ffl"}, ff::DestAFS);
    EXPECT_NE(asked.find("before.afs"), std::string::npos) << asked;
    EXPECT_EQ(asked.find("after"), std::string::npos) << asked;

    for (auto [given, written] : std::vector<std::pair<std::string, std::string>>{
             {std::string("a\0b.8bf", 7), "a.afs"}, {std::string("\0x.8bf", 6), "-NoName.afs"}, {"plain.8bf", "plain.afs"}})
        EXPECT_EQ(ff::GetFilname(ff::DestAFS, given, false), written);
}

TEST_F(WriteFaults, AnEmptyCategoryReadsBackFromTheAfsWrittenForIt) {
    ff::FilterRecord r = ff_synth::TwirlRecord();
    r.Category.clear();
    app.FF.Record = r;
    app.FF.pFlag = true;
    ASSERT_TRUE(ff::Writeafspff(app.FF, folder(right), 0));
    const std::string written = app.FF.Record.Filename;
    ff::FFContext back;
    ASSERT_TRUE(ff::ReadAFS(back, folder(right), ff::GetFilname(ff::DestAFS, written, false)));
    EXPECT_EQ(back.Record.Category, "");
    EXPECT_EQ(back.Record.Title, app.FF.Record.Title);
    EXPECT_EQ(back.Record.Author, app.FF.Record.Author);
    EXPECT_EQ(back.Record.Copyright, app.FF.Record.Copyright);
    EXPECT_EQ(back.Record.CtlName[2], "Amount");
}

TEST_F(WriteFaults, TheLibraryCountNeverRunsOverItsLineEnd) {
    const std::string original = "FFL1.0\r\n    3\r\nrest";
    struct Case {
        std::string file;
        int count;
        std::string after;
    };
    for (const Case& c : std::vector<Case>{{original, 12, "FFL1.0\r\n   12\r\nrest"},
                                           {original, 99999, "FFL1.0\r\n99999\r\nrest"},
                                           {original, -10000, original},
                                           {original, -1, original},
                                           {original, 100000, original},
                                           {"FFL1.0\r\n3\r\nrest of it", 12, "FFL1.0\r\n3\r\nrest of it"},
                                           {"FFL1.0\n    3\nrest", 12, "FFL1.0\n    3\nrest"}}) {
        SCOPED_TRACE(c.count);
        const auto path = left.write("lib.ffl", c.file);
        EXPECT_EQ(ff::FFLNumWrite(path.string(), c.count), c.after != c.file);
        EXPECT_EQ(test_support::read_file(path), c.after);
    }
}

// "Big Preview" and "Mega Preview" write their data only into the layouts that have a place for it:
// a 49664-byte user template compiles without it; the 57344-byte one still ends in the error box.
TEST_F(WriteFaults, TheLargerPreviewsStopOnlyLayoutsThatHoldTheirData) {
    files::prepare_app_folder(VEXOLAN_APPFOLDER);
    app.FF.Record = ff_synth::TwirlRecord();
    app.FF.pFlag = true;
    ff::CompileOptions options;
    options.TemplateChoice = ff::CompileOptions::User;
    for (bool big : {true, false}) {
        options.BigPreview = big;
        options.MegaPreview = !big;
        options.UserTemplate = left.write("t49664.8bf", ff_synth::MakeTemplate(ff_synth::Layout::Pc49664)).string();
        std::string dir = folder(right);
        app.FF.Record.Filename = "small.8bf";
        EXPECT_EQ(ff::Write8bf(app.FF, dir, false, false, options), ff::CompileResult::Written);
        EXPECT_EQ(test_support::read_file(right / "small.8bf").size(), 49664u);

        options.UserTemplate = left.write("t57344.8bf", ff_synth::MakeTemplate(ff_synth::Layout::Pc57344)).string();
        app.FF.Record.Filename = "large.8bf";
        host.answer_msgbox(ui::vbOK);
        EXPECT_EQ(ff::Write8bf(app.FF, dir, false, false, options), ff::CompileResult::Failed);
        EXPECT_NE(host.last_msgbox().Prompt.find(big ? "10001" : "10000"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(right / "large.8bf"));
        std::filesystem::remove(right / "small.8bf");
    }
}
