#include "catalogue/Form4.hpp"
#include "catalogue/commands.hpp"
#include "filemanager/SelectFolder.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form3.hpp"
#include "tests/shell/main_window_fixture.hpp"
#include "tests/support/afs_samples.hpp"
#include "tests/support/pe_synth.hpp"

#include <sys/stat.h>

#include <fstream>
#include <map>

using namespace vexolan;

namespace {

std::string u32(std::uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}
std::string property(const std::string& key, std::string data) {
    while ((16 + data.size()) % 4)
        data += '\0';
    return "MIB8" + key + u32(0) + u32(static_cast<std::uint32_t>(data.size())) + data;
}

// A Filter Factory plug-in as the template gives it: a PE file whose PiPL name and category
// properties are the title and category fields of the Filter Factory layout, with the signature.
// `titleLengthByte` is the 1-based position of the title's length byte (the category's length byte
// follows 52 bytes later).
std::string FFPlugin(const std::string& title, const std::string& category, std::size_t length = 49152,
                     std::size_t titleLengthByte = 23843, std::size_t signatureAt = 21025, bool signature = true) {
    std::string name(1, static_cast<char>(title.size()));
    name += title;
    name.resize(36, '\0');
    std::string cat(1, static_cast<char>(category.size()));
    cat += category;
    cat.resize(92, '\0');
    std::string pipl = std::string("\x01\x00", 2) + u32(0) + u32(3) + property("eman", name) + property("gtac", cat) +
                       property("dniK", "MFB8");
    pe_synth::Options o;
    o.Resources.push_back({"PIPL", {pipl}});
    o.FirstDataOffset = static_cast<std::uint32_t>(titleLengthByte - 1 - 26 - o.PointerToRawData);
    o.Length = length;
    std::string bytes = pe_synth::Make(o).Bytes;
    bytes.resize(length, '\0');
    if (signature) pe_synth::Put(bytes, signatureAt - 1, std::string("Filter Factory", 15));
    return bytes;
}

std::string PePlugin(const std::vector<pe_synth::PiplFilter>& filters) {
    pe_synth::Options o;
    o.Resources.push_back(pe_synth::Pipl(filters));
    return pe_synth::Make(o).Bytes;
}

std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The 0-based positions where two files of one length differ.
std::vector<std::size_t> Differences(const std::string& a, const std::string& b) {
    std::vector<std::size_t> d;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i]) d.push_back(i);
    return d;
}

struct CatalogueTest : test_support::MainWindowTest {
    CatalogueTest() { open_folder(0, folder()); }
    void refresh() { f.mnuRefresh_Click(); }
    void put(const std::string& name, const std::string& bytes) {
        std::filesystem::create_directories((data.path() / name).parent_path());
        std::ofstream(data.path() / name, std::ios::binary) << bytes;
    }
    void plugin_view() {
        f.SSTab1[0].user_select_tab(2);
        ASSERT_EQ(app.PaneMode[0], 2);
    }
    void show_category(const std::string& category) {
        for (int j = 0; j < f.List2[0].ListCount(); ++j)
            f.List2[0].Selected(j) = f.List2[0].List(j) == category;
        f.List2_Click(0);
    }
    // Selects the entries of these titles (marks left out) in the plug-in list.
    void select(std::vector<std::string> titles) {
        for (int i = 0; i < f.List3[0].ListCount(); ++i) {
            const std::string& t = app.PluginCatalog[0].Title[static_cast<std::size_t>(f.List3[0].GetItemData(i))];
            f.List3[0].Selected(i) = std::find(titles.begin(), titles.end(), t) != titles.end();
        }
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> out;
        for (int i = 0; i < f.List3[0].ListCount(); ++i)
            out.push_back(f.List3[0].List(i));
        return out;
    }
    std::vector<std::string> categories() const {
        std::vector<std::string> out;
        for (int j = 0; j < f.List2[0].ListCount(); ++j)
            out.push_back(f.List2[0].List(j));
        return out;
    }
    // The input box answers with `text` typed (or chosen) and OK, or Cancel when `ok` is false.
    void answer_category(const std::string& text, bool ok = true) {
        host.on_modal("Form3", [text, ok](ui::Window& w) {
            auto& box = static_cast<Form3&>(w);
            EXPECT_TRUE(box.Combo1.Visible.get());
            EXPECT_EQ(box.Label1.Caption.get(), "Choose or enter a new category");
            box.Combo1.Text = text;
            (ok ? box.Command2 : box.Command1).user_click();
        });
    }
};

} // namespace

// --- change category ---

TEST(CategoryField, WritesLengthLettersAndZeroAndNothingElse) {
    const std::string original = FFPlugin("Twirl", "Distortion");
    ASSERT_EQ(CategoryFieldRoom(original), 91);
    struct Case {
        std::string category;
        bool written;
    };
    for (const Case& c : std::vector<Case>{{"Blur", true}, {"", true}, {std::string(90, 'x'), true},
                                           {std::string(91, 'x'), false}}) {
        SCOPED_TRACE(c.category.size());
        std::string file = original;
        EXPECT_EQ(WriteCategoryField(file, c.category), c.written);
        if (!c.written) {
            EXPECT_EQ(file, original);
            continue;
        }
        EXPECT_EQ(static_cast<unsigned char>(file[23894]), c.category.size());
        EXPECT_EQ(file.substr(23895, c.category.size()), c.category);
        // Only the length byte and the old text's letters (and for an empty category the byte after
        // the field's first) may differ; the room stays whole.
        for (std::size_t at : Differences(original, file))
            EXPECT_TRUE(at >= 23894 && at <= 23895 + std::max<std::size_t>(c.category.size(), 10)) << at;
        EXPECT_EQ(file.substr(23895 + c.category.size(), 91 - c.category.size()),
                  std::string(91 - c.category.size(), '\0'));
        EXPECT_EQ(CategoryFieldRoom(file), 91);
    }
    // No signature, or a length without the field: not a plug-in to write into.
    std::string unsigned_ = FFPlugin("Twirl", "Distortion", 49152, 23843, 21025, false);
    EXPECT_FALSE(WriteCategoryField(unsigned_, "Blur"));
    EXPECT_EQ(unsigned_, FFPlugin("Twirl", "Distortion", 49152, 23843, 21025, false));
    std::string other = PePlugin({{"Twirl", "Distort"}});
    EXPECT_FALSE(WriteCategoryField(other, "Blur"));
}

TEST_F(CatalogueTest, ChangeCategoryWritesOnlyTheFieldAndCountsTheRefused) {
    put("twirl.8bf", FFPlugin("Twirl", "Distortion"));
    std::string decoy = FFPlugin("Ripple", "Distortion", 49152, 23843, 21025, false);
    put("ripple.8bf", decoy);
    put("clip.prm", PePlugin({{"Clip", "Distortion"}}));
    const std::string before = Read(data.path() / "twirl.8bf");
    plugin_view();
    show_category("Distortion");
    select({"Twirl", "Ripple", "Clip"});
    answer_category("Blur");
    host.answer_msgbox(ui::vbOK,
                       " 2 plugin(s) couldn't be moved to the new category.\r\n"
                       "Only Filter Factory plugins and sources can be changed in this edition.",
                       ui::vbExclamation, "Vexolan");
    cmd_ChangeCategory(app);

    const std::string after = Read(data.path() / "twirl.8bf");
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t at : Differences(before, after))
        EXPECT_TRUE(at >= 23894 && at < 23895 + 10) << at;
    EXPECT_EQ(after.substr(23894, 6), std::string("\x04" "Blur\0", 6));
    EXPECT_EQ(Read(data.path() / "ripple.8bf"), decoy);
    // The moved plug-in left the list and the list now shows the new category; the refused stay.
    EXPECT_EQ(categories(), (std::vector<std::string>{"Blur", "Distortion"}));
    EXPECT_EQ(entries(), (std::vector<std::string>{"+ Twirl"}));
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);

    // After a rescan the file tells the new category itself.
    app.ScanValid[0] = false;
    f.mnuRefresh_Click();
    show_category("Blur");
    EXPECT_EQ(entries(), (std::vector<std::string>{"+ Twirl"}));
}

TEST_F(CatalogueTest, ACategoryTooLongForTheRoomIsRefusedByItsOwnMessage) {
    put("twirl.8bf", FFPlugin("Twirl", "Distortion"));
    put("clip.prm", PePlugin({{"Clip", "Distortion"}}));
    const std::string before = Read(data.path() / "twirl.8bf");
    plugin_view();
    show_category("Distortion");
    select({"Twirl", "Clip"});
    const std::string tooLong(95, 'c'); // the field holds 90 letters and their 0 byte
    answer_category(tooLong);
    host.answer_msgbox(ui::vbOK,
                       " 1 plugin(s) couldn't be moved to the new category.\r\n"
                       "Only Filter Factory plugins and sources can be changed in this edition.",
                       ui::vbExclamation, "Vexolan");
    host.answer_msgbox(ui::vbOK,
                       " 1 plugin(s) couldn't be moved to the new category.\r\n"
                       "The new category has 95 letters; the category of this plugin has room for 90 letters.",
                       ui::vbExclamation, "Vexolan");
    cmd_ChangeCategory(app);
    EXPECT_EQ(host.message_boxes().size(), 2u);
    EXPECT_EQ(Read(data.path() / "twirl.8bf"), before);
}

TEST_F(CatalogueTest, ChangeCategoryDialogRefusesWhatItMust) {
    put("twirl.8bf", FFPlugin("Twirl", "Distort"));
    put("smear.8bf", FFPlugin("Smear", "Blur"));
    const std::string before = Read(data.path() / "twirl.8bf");
    plugin_view();
    show_category("Distort");
    select({"Twirl"});

    answer_category("Noise", false); // Cancel: nothing, no message
    cmd_ChangeCategory(app);
    answer_category("");             // empty: asked again
    answer_category("[Premiere FF]"); // never a Premiere category: asked again
    answer_category("[Foo]");
    host.answer_msgbox(ui::vbOK, "[Foo] is only a virtual category!\r\nMoving plugins to this category isn't possible.",
                       ui::vbQuestion);
    cmd_ChangeCategory(app);
    EXPECT_EQ(Read(data.path() / "twirl.8bf"), before);
    EXPECT_EQ(host.modal_windows().size(), 4u);

    // A typed category the list holds already is not added twice.
    answer_category("Blur");
    cmd_ChangeCategory(app);
    auto c = categories();
    EXPECT_EQ(std::count(c.begin(), c.end(), "Blur"), 1);
    EXPECT_EQ(entries(), (std::vector<std::string>{"+ Smear", "+ Twirl"}));

    // Outside the Plugin View, or with nothing selected.
    f.List3[0].Selected(0) = false;
    f.List3[0].Selected(1) = false;
    host.answer_msgbox(ui::vbOK, "Please select a plugin.", ui::vbExclamation);
    cmd_ChangeCategory(app);
    f.SSTab1[0].user_select_tab(1);
    host.answer_msgbox(ui::vbOK, "Change Category only works in Plugin View.", ui::vbExclamation);
    cmd_ChangeCategory(app);
}

TEST_F(CatalogueTest, DropTakesTheCurrentCategoryWithoutAsking) {
    put("twirl.8bf", FFPlugin("Twirl", "Distort"));
    put("odd.8bf", std::string(100, 'z'));
    put("smear.8bf", FFPlugin("Smear", "Blur"));
    plugin_view();
    show_category("Distort");
    select({"Twirl"});
    // While entries are dragged the category list changes its current entry without refilling the
    // plug-in list; the drop then calls the command.
    auto drop_on = [&](const std::string& category) {
        f.PluginDragActive = true;
        for (int j = 0; j < f.List2[0].ListCount(); ++j)
            if (f.List2[0].List(j) == category) f.List2[0].ListIndex = j;
        cmd_ChangeCategory(app);
        EXPECT_FALSE(f.PluginDragActive);
    };
    host.answer_msgbox(ui::vbOK,
                       "[Unknown] is only a virtual category!\r\nMoving plugins to this category isn't possible.");
    drop_on("[Unknown]");
    show_category("Distort");
    select({"Twirl"});
    drop_on("Blur");
    EXPECT_TRUE(host.modal_windows().empty());
    EXPECT_EQ(Read(data.path() / "twirl.8bf").substr(23894, 6), std::string("\x04" "Blur\0", 6));
}

TEST_F(CatalogueTest, SourcesChangeAtTheirOwnPlaceAndKeepTheirLines) {
    app.form2().Check8.Value = ui::vbChecked;
    app.form2().Check1.Value = ui::vbChecked; // sub folders
    const std::string afs = test_support::SampleBytes("stripes.afs");
    ASSERT_FALSE(afs.empty());
    put("sub/glow.afs", afs);
    put("glow.afs", afs); // a file of the same name in the pane's folder stays as it is
    const std::string txt = "%RGB-1.0\r\nTitle: Wave\r\nCATEGORY:  Old\r\nFilename: other.txt\r\nR: r\r\nG: g\r\n"
                            "B: b\r\nA: a\r\nset[0]: 1,2,3,4,5,6,7,8\r\n";
    put("wave.txt", txt);
    put("tone.pff", "%RGB-1.0\r0\r0\r0\r0\r0\r0\r0\r0\rb\rg\rr\ra\r");
    plugin_view();
    {
        const auto& paths = app.PluginCatalog[0].Path;
        std::string all;
        for (const auto& p : paths)
            all += p + "|";
        ASSERT_NE(std::find(paths.begin(), paths.end(), folder("sub/glow.afs")), paths.end()) << all;
    }
    f.List2[0].ListIndex = -1;
    for (int j = 0; j < f.List2[0].ListCount(); ++j)
        f.List2[0].Selected(j) = true;
    f.List2_Click(0);
    for (int i = 0; i < f.List3[0].ListCount(); ++i)
        f.List3[0].Selected(i) = app.PluginCatalog[0].PathOf(f.List3[0].GetItemData(i)) != folder("glow.afs");
    answer_category("Mine");
    host.answer_msgbox(ui::vbOK);
    cmd_ChangeCategory(app);
    EXPECT_EQ(host.last_msgbox().Prompt.substr(0, 3), " 1 "); // the .pff

    EXPECT_EQ(Read(data.path() / "glow.afs"), afs);
    EXPECT_NE(Read(data.path() / "sub/glow.afs").find("Mine"), std::string::npos);
    EXPECT_EQ(Read(data.path() / "wave.txt"),
              "%RGB-1.0\r\nTitle: Wave\r\nCATEGORY: Mine\r\nFilename: other.txt\r\nR: r\r\nG: g\r\n"
              "B: b\r\nA: a\r\nset[0]: 1,2,3,4,5,6,7,8\r\n");
    EXPECT_FALSE(std::filesystem::exists(data.path() / "other.txt"));
    EXPECT_EQ(Read(data.path() / "tone.pff"), "%RGB-1.0\r0\r0\r0\r0\r0\r0\r0\r0\rb\rg\rr\ra\r");
}

TEST_F(CatalogueTest, InPlaceWriteKeepsModeHardLinksAndLinks) {
    put("twirl.8bf", FFPlugin("Twirl", "Distort"));
    put("real/wave.8bf", FFPlugin("Wave", "Distort"));
    ::chmod((data.path() / "twirl.8bf").c_str(), 0640);
    std::filesystem::create_hard_link(data.path() / "twirl.8bf", data.path() / "twin.bak");
    std::filesystem::create_symlink(data.path() / "real/wave.8bf", data.path() / "wave.8bf");
    plugin_view();
    show_category("Distort");
    select({"Twirl", "Wave"});
    answer_category("Blur");
    cmd_ChangeCategory(app);
    EXPECT_EQ(Read(data.path() / "twin.bak").substr(23894, 6), std::string("\x04" "Blur\0", 6));
    EXPECT_EQ(std::filesystem::hard_link_count(data.path() / "twirl.8bf"), 2u);
    struct stat st {};
    ::stat((data.path() / "twirl.8bf").c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(std::filesystem::is_symlink(data.path() / "wave.8bf"));
    EXPECT_EQ(Read(data.path() / "real/wave.8bf").substr(23894, 6), std::string("\x04" "Blur\0", 6));
    // A write that fails reports the error and leaves the file whole.
    put("glow.8bf", FFPlugin("Glow", "Noise"));
    const std::string glow = Read(data.path() / "glow.8bf");
    app.ScanValid[0] = false;
    f.mnuRefresh_Click();
    show_category("Noise");
    select({"Glow"});
    files::FaultScope faults;
    files::inject_fault(files::Op::Write, folder("glow.8bf"), ENOSPC);
    answer_category("Blur");
    host.answer_msgbox(ui::vbOK, "Error accessing plugin for category change!", ui::vbExclamation, "Error");
    cmd_ChangeCategory(app);
    EXPECT_EQ(Read(data.path() / "glow.8bf"), glow);
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
}

// --- enable and disable ---

TEST(ToggleName, RenamesByTheTableBothWays) {
    PlugTypeTable types;
    types.resize(2);
    types.set(0, "Acrobat", "API", "2");
    types.set(1, "Tool", "abcd", "1");
    const std::map<std::string, std::string> table{
        {"Blur.8bf", "Blur._bf"},   {"Blur._bf", "Blur.8bf"},     {"Blur_8bf", "Blur.8bf"},
        {"Blur.8b-", "Blur.8bf"},   {"Blur.8BF", "Blur._bf"},     {"Clip.prm", "Clip_prm"},
        {"Clip_prm", "Clip.prm"},   {"Clip.pr-", "Clip.prm"},     {"Clip._rm", "Clip.prm"},
        {"Fx.aex", "Fx_aex"},       {"Fx_aex", "Fx.aex"},         {"Fx._ex", "Fx.aex"},
        {"Tool.api", "Tool_api"},   {"Tool_api", "Tool.API"},     {"Tool.abcd", "Tool_abcd"},
        {"Tool_abcd", "Tool.abcd"}, {"photo_bf", ""},             {"notes.txt", ""},
        {"readme", ""},
    };
    for (const auto& [from, to] : table) {
        auto got = ToggleName(types, "/p/" + from);
        if (to.empty()) {
            EXPECT_FALSE(got) << from;
            continue;
        }
        ASSERT_TRUE(got) << from;
        EXPECT_EQ(got->Path, "/p/" + to) << from;
    }
}

TEST_F(CatalogueTest, FileViewTogglesTwiceBackToLowerCaseEndings) {
    app.form2().List1[3].Clear();
    app.form2().List1[3].AddItem("Tool Plugin (abcd|3)");
    app.form2().List1[3].Selected(0) = true;
    app.form2().GetPlugTypes();
    const std::vector<std::string> names{"Blur.8BF", "Clip.prm", "Fx.aex", "Tool.abcd", "Old._bf"};
    const std::vector<std::string> back{"Blur.8bf", "Clip.prm", "Fx.aex", "Tool.abcd", "Old._bf"};
    for (const auto& n : names)
        touch(n);
    touch("notes.txt");
    refresh();
    for (int round = 0; round < 2; ++round) {
        std::vector<std::string> now;
        for (const auto& e : std::filesystem::directory_iterator(data.path()))
            if (e.path().filename() != "notes.txt") now.push_back(e.path().filename().string());
        select_items(0, now);
        cmd_EnableDisable(app);
        EXPECT_FALSE(app.ScanValid[0]);
    }
    for (const auto& n : back)
        EXPECT_TRUE(std::filesystem::exists(data.path() / n)) << n;
    select_items(0, {"notes.txt"});
    host.answer_msgbox(ui::vbOK, "Enabling and disabling of this file type is not possible.", ui::vbExclamation);
    cmd_EnableDisable(app);
    EXPECT_TRUE(std::filesystem::exists(data.path() / "notes.txt"));
}

TEST_F(CatalogueTest, PluginViewRenamesOnceFlipsMarksAndNeverOverwrites) {
    put("Multi.8bf", PePlugin({{"Twirl", "Distort"}, {"Wave", "Distort"}}));
    put("Blur.8BF", FFPlugin("Smear", "Distort"));
    put("Blur._bf", "keep me");
    put("Clip.8bf", FFPlugin("Clip", "Distort"));
    plugin_view();
    show_category("Distort");
    // A multi-filter plug-in is not made by Filter Factory: refused, the message once.
    select({"Twirl", "Wave"});
    host.answer_msgbox(ui::vbOK, "En/Disabling of non Filter Factory plugins is only available in the Pro Edition!");
    cmd_EnableDisable(app);
    EXPECT_TRUE(std::filesystem::exists(data.path() / "Multi.8bf"));

    // The target exists: the error box; Yes goes on with the next plug-in.
    select({"Smear", "Clip"});
    host.answer_msgbox(ui::vbYes);
    cmd_EnableDisable(app);
    EXPECT_EQ(Read(data.path() / "Blur._bf"), "keep me");
    EXPECT_TRUE(std::filesystem::exists(data.path() / "Blur.8BF"));
    EXPECT_TRUE(std::filesystem::exists(data.path() / "Clip._bf"));
    EXPECT_NE(host.message_boxes()[1].Prompt.find("58"), std::string::npos);
    auto e = entries();
    EXPECT_NE(std::find(e.begin(), e.end(), "- Clip"), e.end());
    EXPECT_NE(std::find(e.begin(), e.end(), "+ Smear"), e.end());
    EXPECT_EQ(app.PluginCatalog[0].PathOf(f.List3[0].GetItemData(static_cast<int>(
                  std::find(e.begin(), e.end(), "- Clip") - e.begin()))),
              folder("Clip._bf"));
    // No stops the command at once.
    select({"Smear", "Clip"});
    host.answer_msgbox(ui::vbNo);
    cmd_EnableDisable(app);
    EXPECT_TRUE(std::filesystem::exists(data.path() / "Clip._bf"));
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
    EXPECT_FALSE(f.RedrawFrozen());
}

// --- plug-in information ---

TEST_F(CatalogueTest, InformationBoxTellsKindRoomAndPosition) {
    put("twirl.8bf", FFPlugin("Twirl", "Distort"));
    put("orrin.8bf", FFPlugin("Orrin", "Distort", 49664, 34927, 21025));
    put("multi.8bf", PePlugin({{"Twirl", "Distort"}, {"Wave", "Distort"}, {"Ripple", "Blur"}}));
    put("readme", "text");
    refresh();
    auto box_of = [&](const std::string& name) {
        select_items(0, {name});
        host.answer_msgbox(ui::vbOK);
        cmd_PlugInInformation(app);
        return host.last_msgbox();
    };
    const std::string dashes = [&] {
        std::string d;
        do
            d += "-";
        while (f.TextWidth(d) < f.TextWidth("Distort: Twirl"));
        return d;
    }();
    auto m = box_of("twirl.8bf");
    EXPECT_EQ(m.Title, "Plugin Information");
    EXPECT_EQ(m.Style, ui::vbInformation);
    EXPECT_EQ(m.Prompt, "Distort: Twirl\r\n" + dashes +
                            "\r\nType: Photoshop Filter Factory 3.04\r\nMax. Category Name: 90 letters\r\n"
                            "Category at &H5D57\r\n");
    m = box_of("orrin.8bf");
    EXPECT_NE(m.Prompt.find("Type: Orrin's FF Design (FF 3.04)\r\n"), std::string::npos);
    EXPECT_NE(m.Prompt.find("Category at &H88A3\r\n"), std::string::npos);
    EXPECT_EQ(m.Prompt.find("isn't a Filter Factory plugin"), std::string::npos);
    m = box_of("multi.8bf");
    EXPECT_EQ(m.Prompt.substr(0, m.Prompt.find("\r\n-")), "Distort: Twirl\r\nDistort: Wave\r\nBlur: Ripple");
    EXPECT_NE(m.Prompt.find("Type: Photoshop Multiple Filter Plugin\r\n"), std::string::npos);
    EXPECT_EQ(m.Prompt.find(" at &H"), std::string::npos);
    EXPECT_NE(m.Prompt.find("\r\n\r\nThis file isn't a Filter Factory plugin\r\nand therefor can't be loaded\r\n"
                            "into the Filter Factory Editor."),
              std::string::npos);
    m = box_of("readme");
    EXPECT_EQ(m.Prompt, "readme is an unknown file type or maybe damaged.");
    EXPECT_EQ(m.Style, ui::vbExclamation);
    app.PaneMode[0] = 3;
    host.answer_msgbox(ui::vbOK, "Plugin Information only works in File and Plugin View.");
    cmd_PlugInInformation(app);
}

// --- plug-in list ---

struct PluginListTest : CatalogueTest {
    test_support::TempDir target{"target"};
    PluginListTest() {
        put("c.8bf", PePlugin({{"Twirl...", "  Distort"}}));
        put("b.8bf", PePlugin({{"Wave", "distort"}, {"Twirl...", "  Distort"}}));
        put("a._rm", PePlugin({{"Clip", "Video"}}));
        put("notes.txt", "x");
        refresh();
        open_folder(1, target.path().string());
        app.form2().Check4.Value = ui::vbChecked; // no target-folder dialog
    }
    void options(std::function<void(Form4&)> set, bool start = true) {
        host.on_modal("Form4", [set, start](ui::Window& w) {
            auto& o = static_cast<Form4&>(w);
            EXPECT_EQ(o.Check6.Value.get(), ui::vbChecked); // every showing starts on the clipboard
            EXPECT_FALSE(o.Text1.Enabled.get());
            set(o);
            (start ? o.Command1 : o.Command2).user_click();
        });
    }
};

TEST_F(PluginListTest, FileHoldsSortedLinesWithTheirFileNames) {
    select_items(0, {"c.8bf", "b.8bf", "a._rm", "notes.txt"});
    options([](Form4& o) {
        o.Check3.Value = ui::vbChecked;
        o.Check6.Value = ui::vbUnchecked;
        EXPECT_TRUE(o.Text1.Enabled.get());
    });
    cmd_PlugInList(app);
    EXPECT_EQ(Read(target.path() / "FFL-List.txt"), "  Distort: Twirl... (b.8bf)\r\n"
                                                    "  Distort: Twirl... (c.8bf)\r\n"
                                                    "distort: Wave (b.8bf)\r\n"
                                                    "Video: Clip (a._rm)\r\n");
    // CSV onto the clipboard: trimmed, dots dropped, equal lines kept.
    select_items(0, {"c.8bf", "b.8bf"});
    options([](Form4& o) { o.Check7.Value = ui::vbChecked; });
    cmd_PlugInList(app);
    EXPECT_EQ(host.clipboard, "Twirl;Distort;;;freeware;\r\nTwirl;Distort;;;freeware;\r\nWave;distort;;;freeware;\r\n");
    // Cancel writes nothing and resets the choices.
    host.clipboard = "untouched";
    options([](Form4&) {}, false);
    cmd_PlugInList(app);
    EXPECT_EQ(host.clipboard, "untouched");
    options([](Form4& o) { EXPECT_EQ(o.Check7.Value.get(), ui::vbUnchecked); }, false);
    cmd_PlugInList(app);
}

TEST_F(PluginListTest, AFailedWriteIsReportedAndTheOldListStays) {
    std::ofstream(target.path() / "FFL-List.txt", std::ios::binary) << "old list";
    select_items(0, {"c.8bf"});
    files::FaultScope faults;
    files::inject_fault(files::Op::Write, target.path() / "FFL-List.txt", ENOSPC);
    options([](Form4& o) { o.Check6.Value = ui::vbUnchecked; });
    host.answer_msgbox(ui::vbOK, "Couldn't write " + (target.path() / "FFL-List.txt").string());
    cmd_PlugInList(app);
    EXPECT_EQ(Read(target.path() / "FFL-List.txt"), "old list");
    // Other endings only: an empty file.
    files::clear_faults();
    select_items(0, {"notes.txt"});
    options([](Form4& o) { o.Check6.Value = ui::vbUnchecked; });
    cmd_PlugInList(app);
    EXPECT_EQ(Read(target.path() / "FFL-List.txt"), "");
    select_items(0, {});
    host.answer_msgbox(ui::vbOK, "Please select one or more plugin files.");
    cmd_PlugInList(app);
}

// --- the plug-in's about box ---

struct AboutTest : CatalogueTest {
    std::vector<std::string> calls;
    std::map<std::string, int> results{{"Unload", 1}, {"Load", 1}, {"About", 1}};
    bool enabled = true;
    AboutTest() {
        PluginHostCalls& h = plugin_host_calls();
        h.IsEnabled = [this] {
            calls.push_back("IsEnabled");
            return enabled;
        };
        h.Unload = [this] {
            calls.push_back("Unload");
            return results["Unload"];
        };
        h.Load = [this](std::string_view folder) {
            calls.push_back("Load(" + std::string(folder) + ")");
            return results["Load"];
        };
        h.About = [this](App& a, std::string_view path) {
            EXPECT_EQ(&a, &app);
            calls.push_back("About(" + GetFileName(path) + ")");
            return results["About"];
        };
        for (const char* n : {"blur.8bf", "blur_8bf", "clip.prm", "fx.aex"})
            touch(n);
        refresh();
    }
    ~AboutTest() override { plugin_host_calls() = DefaultPluginHostCalls(); }
    void about(const std::string& name) {
        select_items(0, {name});
        cmd_AboutDialog(app);
    }
};

TEST_F(AboutTest, HostCallsComeInOrderAndStopAtAFailure) {
    about("blur.8bf");
    EXPECT_EQ(calls, (std::vector<std::string>{"IsEnabled", "Unload", "Load()", "About(blur.8bf)", "Unload"}));
    calls.clear();
    enabled = false;
    results["Load"] = 0;
    about("blur.8bf");
    EXPECT_EQ(calls, (std::vector<std::string>{"IsEnabled", "Load()"}));
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
    calls.clear();
    results["Load"] = 1;
    const std::string warning = "Photoshop-compatible plugins without a file extension can cause a crash\r\n"
                                "when you try to execute them. To avoid this risk please use the En/Disable \r\n"
                                "command to add a .8bf or ._bf extension to the plugin file.\r\n\r\n"
                                "Do you want to execute this plugin anyway?";
    host.answer_msgbox(ui::vbNo, warning, ui::vbYesNo | ui::vbExclamation, "Warning");
    about("blur_8bf");
    EXPECT_TRUE(calls.empty());
    host.answer_msgbox(ui::vbYes, warning);
    about("blur_8bf");
    EXPECT_EQ(calls, (std::vector<std::string>{"IsEnabled", "Load()", "About(blur_8bf)", "Unload"}));
    calls.clear();
    for (const char* n : {"clip.prm", "fx.aex"}) {
        host.answer_msgbox(ui::vbOK, "Please select a Photoshop-compatible plugin to execute this function.");
        about(n);
    }
    EXPECT_TRUE(calls.empty());
}

TEST_F(AboutTest, ButtonBarConvertNeedsASelectionOutsideTheLibraryView) {
    select_items(0, {});
    host.answer_msgbox(ui::vbOK, "Please select one or more files.", ui::vbExclamation, "Attention");
    f.Command1_Click(0);
    app.PaneMode[0] = 3;
    host.on_modal("Convert", [](ui::Window&) {});
    f.Command1_Click(0);
    EXPECT_EQ(host.modal_windows(), std::vector<std::string>{"Convert"});
    for (int i : {1, 2, 5})
        f.Command1_Click(i); // nothing in this edition
    EXPECT_EQ(host.message_boxes().size(), 1u);
}
