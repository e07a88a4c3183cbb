// Sources, and Transition Factory plug-ins, larger than any real file of their kind are refused by
// Convert before they are read: a sparse file that begins as a real file of its kind and is one byte
// over its bound is named in the skipped list with its size, is never read (a read fault waiting for
// it is never hit), and the good sources beside it convert; a file exactly at the bound is read.
#include "filemanager/SelectFolder.hpp"
#include "filterfactory/Convert.hpp"
#include "filterfactory/bytes.hpp"
#include "filterfactory/conversion.hpp"
#include "filterfactory/library.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/plugin_reader.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "preferences/Form2.hpp"
#include "tests/filemanager/file_view_fixture.hpp"
#include "tests/support/ff_plugin_synth.hpp"
#include "tests/support/ff_sources.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>

using namespace vexolan;
using ff_synth::JoinLines;

namespace {

std::string library_entry(std::string_view name, std::string_view title) {
    return JoinLines({name, "Library", title, "Author", "(c) Me", "Angle", "",  "",   "",   "",
                      "",   "Amount",  "",    "",       "",       "",      "",  "10", "20", "30",
                      "0",  "0",       "0",   "0",      "0",      "r",     "g", "b",  "a"});
}

// A library whose second line counts `count` entries and holds them: the filter `name`, then deleted
// entries whose texts and formulas share the bytes left up to `length`, no line near 16 KiB.
std::string library_of(std::string_view name, int count, std::uint64_t length) {
    std::string count_line = std::to_string(count);
    count_line.insert(0, 5 - count_line.size(), ' ');
    std::string out = JoinLines({"FFL1.0", count_line}) + library_entry(name, "Kept");
    const std::size_t deleted = static_cast<std::size_t>(count - 1), fillerLines = deleted * 20;
    const std::size_t fixed = out.size() + deleted * (std::string("//gone.8bf\r\n").size() + 28 * 2 + 8);
    const std::size_t filler = length - fixed;
    for (std::size_t e = 0, line = 0; e < deleted; ++e) {
        out += "//gone.8bf\r\n";
        for (int l = 2; l <= 29; ++l) {
            const bool value = l >= 18 && l <= 25;
            const std::size_t share = value ? 0 : filler / fillerLines + (line++ < filler % fillerLines ? 1 : 0);
            out += (value ? std::string("0") : std::string(share, 'x')) + "\r\n";
        }
    }
    return out;
}

std::string text_source(std::string filename) {
    ff::FilterRecord r = ff_synth::TwirlRecord();
    r.Filename = std::move(filename);
    return ff::TextSourceBytes(r, nullptr);
}

std::string settings_file(std::string title) {
    ff::FilterRecord r = ff_synth::TwirlRecord();
    r.Title = std::move(title);
    return ff::AfsBytes(r);
}

struct SourceBoundsTest : test_support::FileViewTest {
    files::FaultScope faults;

    SourceBoundsTest() {
        ff::WriteStandInTemplates(appFolder.string());
        app.form2().Check4.Value = ui::vbChecked; // "Suppress the Select Folder dialog"
        app.convertDialog().Load();
    }

    // Writes `bytes` and makes the file `length` bytes long; what is added is a hole (reads as zeros).
    static void write_sparse(test_support::TempDir& dir, const std::string& name, const std::string& bytes,
                             std::uint64_t length) {
        dir.write(name, bytes);
        std::filesystem::resize_file(dir / name, length);
    }
};

} // namespace

TEST_F(SourceBoundsTest, ASourceOverItsBoundIsNamedWithItsSizeUnreadAndOneAtTheBoundIsRead) {
    struct Kind {
        std::string Ext;
        std::uint64_t Bound;
        std::string Start;                                 // how a real source of the kind begins
        std::function<std::string(std::uint64_t)> AtBound; // a real source of exactly that length
    };
    // A count whose entries' room is above the least bound of every library.
    const int libraryCount = 300;
    const std::uint64_t libraryBound = ff::LibraryBound(libraryCount);
    ASSERT_GT(libraryBound, ff::LibraryLeastBound);
    const std::string transition = ff_plugin_synth::transition_plugins(ff_plugin_synth::Fill::Plain).front();
    const std::vector<Kind> kinds{
        {".afs", ff::SettingsFileBound, settings_file("Big"), [](std::uint64_t) { return settings_file("Edge"); }},
        {".txt", ff::TextSourceBound, text_source("big.8bf"), [](std::uint64_t) { return text_source("edge.8bf"); }},
        {".ffl", libraryBound, JoinLines({"FFL1.0", "  300"}) + library_entry("lib.8bf", "Lib"),
         [&](std::uint64_t bound) { return library_of("edge.8bf", libraryCount, bound); }},
        {".prm", ff::TransitionFileBound, transition, [&](std::uint64_t) { return transition; }},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.Ext);
        test_support::TempDir from{"from"}, to{"to"};
        const std::string big = "x" + kind.Ext, edge = "edge" + kind.Ext;
        write_sparse(from, big, kind.Start, kind.Bound + 1);
        write_sparse(from, edge, kind.AtBound(kind.Bound), kind.Bound);
        ASSERT_EQ(std::filesystem::file_size(from / edge), kind.Bound);
        from.write("good.txt", text_source("good.8bf"));
        // A library's first bytes are read for its count; nothing after them may be.
        const std::string bigPath = folder(from, big);
        if (kind.Ext == ".ffl")
            files::inject_fault_after(files::Op::Read, bigPath, EIO, 1);
        else
            files::inject_fault(files::Op::Read, bigPath, EIO, 1);

        open_folder(0, folder(from));
        open_folder(1, folder(to));
        f.Switchit(0);
        select_items(0, {big, edge, "good.txt"});
        host.answer_msgbox(ui::vbOK,
                           "This file could not be read as a filter and was skipped:\r\n" + big + " (" +
                               ff::SizeText(kind.Bound + 1) + ")",
                           ui::vbExclamation, "Convert");
        cmd_Convert(app, ff::DestText);

        EXPECT_EQ(files_in(to.path()), (std::vector<std::string>{"edge.txt", "good.txt"}));
        // The fault is still waiting: the file was refused before it was read.
        EXPECT_THROW(files::read_file_bytes(bigPath), vb::Error);
        files::clear_faults();
    }
    EXPECT_EQ(ff::SizeText(ff::SettingsFileBound + 1), "4,194,305 bytes");
}
