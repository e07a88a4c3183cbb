#include "catalogue/scanner.hpp"
#include "preferences/Form2.hpp"
#include "tests/shell/main_window_fixture.hpp"
#include "tests/support/fs_errors.hpp"
#include "tests/support/pe_synth.hpp"

#include <cerrno>
#include <fstream>
#include <random>

using namespace vexolan;

namespace {

constexpr const char* Pattern = "*.8bf;*._bf;*_8bf;*?prm;*.pr-;*_prm;*?aex;*._ex;*_aex;*.bin";

std::string plugin(const std::vector<pe_synth::PiplFilter>& filters, std::size_t length = 0) {
    pe_synth::Options o;
    o.Resources.push_back(pe_synth::Pipl(filters));
    o.Length = length;
    return pe_synth::Make(o).Bytes;
}

struct ScannerTest : test_support::MainWindowTest {
    ScannerTest() {
        open_folder(0, folder());
        f.File1[0].Pattern = Pattern;
    }
    void put(const std::string& name, const std::string& bytes) {
        auto p = data.path() / name;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    void subfolders(bool on) { app.form2().Check1.Value = on ? ui::vbChecked : ui::vbUnchecked; }
    long scan(bool onlyFF = false) { return ScanPluginRecurse(app, 0, onlyFF, 0, -1); }
    const PluginCatalogPane& cat() const { return app.PluginCatalog[0]; }
    std::vector<std::string> titles() const {
        return std::vector<std::string>(cat().Title.begin() + 1, cat().Title.end());
    }
    std::vector<std::string> categories() const {
        std::vector<std::string> out;
        for (int j = 0; j < f.List2[0].ListCount(); ++j)
            out.push_back(f.List2[0].List(j));
        return out;
    }
};

} // namespace

TEST_F(ScannerTest, WalksEachFolderBeforeItsSubfoldersAndOffersEveryCategory) {
    put("Multi.8BF", plugin({{"Soft", "Blur"}, {"Softer", "Blur"}, {"Bend", "Distort"}}));
    put("A/a.8bf", plugin({{"InA", "Blur"}}));
    put("A/C/c.8bf", plugin({{"InC", "Blur"}}));
    put("B/b.8bf", plugin({{"InB", "Blur"}}));
    subfolders(true);
    EXPECT_EQ(scan(), 6);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Soft", "Softer", "Bend", "InA", "InC", "InB"}));
    // Paths keep their case on disk.
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(cat().Path[static_cast<std::size_t>(r)], folder("Multi.8BF"));
    EXPECT_EQ(categories(), (std::vector<std::string>{"Blur", "Distort"}));
    EXPECT_TRUE(f.Dir1[0].Enabled);
    EXPECT_GT(f.List2[0].HorizontalExtent.get(), 0);

    f.List2[0].Clear();
    subfolders(false);
    EXPECT_EQ(scan(), 3);
}

TEST_F(ScannerTest, UnreadablePluginsFallBackToUnknownWithTheirName) {
    std::string noise(1000, '\0');
    std::mt19937 rng(7);
    for (char& c : noise)
        c = static_cast<char>(rng());
    put("Odd.8BF", noise);
    std::string prm(20000, '\x11');
    pe_synth::Put(prm, 1002, std::string("tlFV") + "\x05\x05\x05\x05" + "Glow" + std::string(4, '\0'));
    put("glow.prm", prm);
    EXPECT_EQ(scan(), 2);
    EXPECT_EQ(cat().Category[1], "[Premiere Video]");
    EXPECT_EQ(cat().Title[1], "Glow");
    EXPECT_EQ(cat().Category[2], "[Unknown]");
    EXPECT_EQ(cat().Title[2], "Odd.8BF");
}

TEST_F(ScannerTest, FilterFactoryAndPremierePositionsBecomeZero) {
    // The category's first letter at S + D + 28 = 31064, as in a Filter Factory plug-in.
    pe_synth::Options o;
    o.Resources.push_back(pe_synth::Pipl({{"Look", "Alike"}}));
    o.FirstDataOffset = 31064 - 28 - 0x400;
    o.Length = 57344;
    put("alike.8bf", pe_synth::Make(o).Bytes);
    o.FirstDataOffset = 29692 - 28 - 0x400;
    o.Length = 0;
    put("tf.prm", pe_synth::Make(o).Bytes);
    o.FirstDataOffset = 29700 - 28 - 0x400;
    put("other.prm", pe_synth::Make(o).Bytes);
    EXPECT_EQ(scan(), 3);
    EXPECT_EQ(cat().CatOffset[1], 0); // alike.8bf
    EXPECT_EQ(cat().Category[1], "Alike");
    EXPECT_EQ(cat().Category[2], "Alike"); // other.prm keeps what it read
    EXPECT_EQ(cat().CatOffset[2], 29700);
    EXPECT_EQ(cat().Category[3], "[Premiere TF]");
    EXPECT_EQ(cat().CatOffset[3], 0);
}

TEST_F(ScannerTest, ShiftKeepsOnlyFilterFactoryLengths) {
    app.form2().Check8.Value = ui::vbChecked;
    f.File1[0].Pattern = std::string(Pattern) + ";*.txt";
    put("a.aex", std::string(49152, 'x'));
    put("big.8bf", std::string(65536, 'x'));
    put("notes.txt", "x");
    put("ff.8bf", std::string(49152, 'x'));
    put("mac.bin", std::string(99840, 'x'));
    EXPECT_EQ(scan(true), 2);
    EXPECT_EQ(titles(), (std::vector<std::string>{"ff.8bf", "mac.bin"}));
}

TEST_F(ScannerTest, UserTypesUnderAllFilesPattern) {
    f.File1[0].Pattern = "*.*";
    app.form2().List1[3].AddItem("Tools (abc|3)");
    app.PlugTypes.resize(2);
    app.PlugTypes.set(1, "Tools", "abc", "3");
    for (auto name : {"x.abc", "x_abc", "xabc", "readme.txt"})
        put(name, "x");
    EXPECT_EQ(scan(), 2);
    EXPECT_EQ(cat().Category[1], "[Tools]");
    EXPECT_EQ(cat().Category[2], "[Tools]");
    EXPECT_EQ(cat().CatOffset[1], -1);
    EXPECT_EQ(cat().CatOffset[2], -1);
}

TEST_F(ScannerTest, EscStopsTheScanAndKeepsWhatWasFound) {
    put("a.8bf", plugin({{"One", "First"}}));
    put("b.8bf", plugin({{"Two", "Second"}}));
    put("c.8bf", plugin({{"Three", "Third"}}));
    // Polls: the folder, then one per file: down when the second file is about to be read.
    host.press_key_from_poll(ui::vbKeyEscape, 3);
    EXPECT_EQ(scan(), 0);
    EXPECT_TRUE(app.ScanStopped[0]);
    EXPECT_TRUE(f.Dir1[0].Enabled);
    EXPECT_EQ(f.Dir1[0].Path.get(), folder());
    EXPECT_EQ(categories(), (std::vector<std::string>{"First"}));
}

TEST_F(ScannerTest, LinksToFoldersAreNotFollowedAndUnreadableFoldersAreSkipped) {
    put("A/a.8bf", plugin({{"InA", "Blur"}}));
    put("B/b.8bf", plugin({{"InB", "Blur"}}));
    std::filesystem::create_directory_symlink(data.path(), data.path() / "A" / "Loop");
    subfolders(true);
    EXPECT_EQ(scan(), 2);

    files::FaultScope faults;
    files::inject_fault(files::Op::List, folder("A"), EACCES);
    f.List2[0].Clear();
    EXPECT_EQ(scan(), 1);
    EXPECT_EQ(titles(), (std::vector<std::string>{"InB"}));
}
