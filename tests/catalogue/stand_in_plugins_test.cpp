// Plug-ins compiled from the stand-in templates are Filter Factory plug-ins to the catalogue: the
// readers name them, the scan files them under their category, Plugin Information tells their kind,
// Change Category writes into them, and outside tools see a Windows DLL with resources.

#include "catalogue/commands.hpp"
#include "catalogue/readers.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/library.hpp"
#include "shell/Form3.hpp"
#include "tests/shell/main_window_fixture.hpp"
#include "tests/support/ff_sources.hpp"

#include <cstdio>
#include <fstream>
#include <memory>

using namespace vexolan;

namespace {

std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Template {
    int Choice;
    const ff::PluginLayout* Layout;
    std::string Type;
};
const std::vector<Template> Templates{
    {ff::CompileOptions::FF30, &ff::Layout57344, "Photoshop Filter Factory 3.0"},
    {ff::CompileOptions::FF304, &ff::Layout49152, "Photoshop Filter Factory 3.04"},
};

struct StandInPlugins : test_support::MainWindowTest {
    StandInPlugins() { files::prepare_app_folder(VEXOLAN_APPFOLDER); }

    // Compiles the full test filter from a template into the pane's folder as `name`.
    ff::FilterRecord compile(const Template& t, const std::string& name) {
        ff::FilterRecord r = ff_synth::FullRecord();
        r.Filename = name;
        app.FF.Record = r;
        app.FF.pFlag = true;
        ff::CompileOptions options;
        options.TemplateChoice = t.Choice;
        std::string dir = folder();
        EXPECT_EQ(ff::Write8bf(app.FF, dir, false, false, options), ff::CompileResult::Written);
        return r;
    }
    void plugin_view() {
        app.ScanValid[0] = false;
        f.SSTab1[0].user_select_tab(1);
        f.SSTab1[0].user_select_tab(2);
        ASSERT_EQ(app.PaneMode[0], 2);
    }
    std::vector<std::string> categories() const {
        std::vector<std::string> out;
        for (int j = 0; j < f.List2[0].ListCount(); ++j)
            out.push_back(f.List2[0].List(j));
        return out;
    }
    std::vector<std::string> entries_of(const std::string& category) {
        for (int j = 0; j < f.List2[0].ListCount(); ++j)
            f.List2[0].Selected(j) = f.List2[0].List(j) == category;
        f.List2_Click(0);
        std::vector<std::string> out;
        for (int i = 0; i < f.List3[0].ListCount(); ++i)
            out.push_back(f.List3[0].List(i));
        return out;
    }
    void select_title(const std::string& title) {
        for (int i = 0; i < f.List3[0].ListCount(); ++i)
            f.List3[0].Selected(i) = app.PluginCatalog[0].Title[static_cast<std::size_t>(f.List3[0].GetItemData(i))] == title;
    }
    void change_category_to(const std::string& category) {
        host.on_modal("Form3", [category](ui::Window& w) {
            auto& box = static_cast<Form3&>(w);
            box.Combo1.Text = category;
            box.Command2.user_click();
        });
        cmd_ChangeCategory(app);
    }
};

} // namespace

TEST_F(StandInPlugins, ACompiledFilterIsAFilterFactoryPluginToTheWholeCatalogue) {
    for (const Template& t : Templates) {
        SCOPED_TRACE(t.Type);
        std::filesystem::remove_all(data.path());
        std::filesystem::create_directories(data.path());
        const ff::FilterRecord filter = compile(t, "creme.8bf");
        const std::filesystem::path plugin = data.path() / "creme.8bf";
        const std::string written = Read(plugin);
        ASSERT_EQ(written.size(), static_cast<std::size_t>(t.Layout->Lengths[0]));

        // The resource reader finds the PiPL through the section table in its own window.
        catalogue::MemoryBytes bytes(written);
        ASSERT_TRUE(catalogue::FindRsrcHeader(bytes));
        bool inWindow = false;
        for (std::size_t at = 373; at <= 1369; at += 4)
            inWindow = inWindow || written.compare(at, 4, "rsrc") == 0;
        EXPECT_TRUE(inWindow) << "the .rsrc header outside the reader's window";
        catalogue::PluginInfoList list;
        ASSERT_TRUE(catalogue::ReadCom8bf(app.FF, plugin.string(), list));
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0].Category, filter.Category);
        EXPECT_EQ(list[0].Title, filter.Title);
        EXPECT_EQ(list[0].CatOffset, t.Layout->Category);

        // The scan files it under its category, as a Filter Factory plug-in.
        open_folder(0, folder());
        plugin_view();
        EXPECT_EQ(categories(), (std::vector<std::string>{filter.Category}));
        EXPECT_EQ(entries_of(filter.Category), (std::vector<std::string>{"+ " + filter.Title}));
        EXPECT_EQ(app.PluginCatalog[0].CatOffset[1], 0);

        // Plugin Information names its kind and room.
        f.SSTab1[0].user_select_tab(1);
        select_items(0, {"creme.8bf"});
        host.answer_msgbox(ui::vbOK);
        cmd_PlugInInformation(app);
        const std::string info = host.last_msgbox().Prompt;
        EXPECT_NE(info.find("Type: " + t.Type + "\r\n"), std::string::npos) << info;
        EXPECT_NE(info.find("Max. Category Name: "), std::string::npos) << info;
        EXPECT_EQ(info.find("isn't a Filter Factory plugin"), std::string::npos) << info;

        // Change Category and back: the category field changes, then every byte is as it was.
        plugin_view();
        entries_of(filter.Category);
        select_title(filter.Title);
        change_category_to("Elsewhere");
        const std::string moved = Read(plugin);
        ASSERT_EQ(moved.size(), written.size());
        const std::size_t field = ff::buffer_index(t.Layout->CategoryLength);
        for (std::size_t i = 0; i < written.size(); ++i)
            if (moved[i] != written[i]) {
                EXPECT_TRUE(i >= field && i <= field + 1 + 12) << "byte " << i;
            }
        ASSERT_TRUE(catalogue::ReadCom8bf(app.FF, plugin.string(), list));
        EXPECT_EQ(list[0].Category, "Elsewhere");
        plugin_view();
        entries_of("Elsewhere");
        select_title(filter.Title);
        change_category_to(filter.Category);
        EXPECT_EQ(Read(plugin) == written, true) << "the round trip left other bytes changed";

        // The file reader gives the filter back.
        ff::FFContext reader;
        ASSERT_TRUE(ff::ReadFFfile(reader, plugin.string()));
        ff_synth::ExpectSameFilter(reader.Record, filter);
    }
}

TEST_F(StandInPlugins, ASecondChangeCategoryWritesOnlyTheCategoryTypedTheSecondTime) {
    compile(Templates[1], "creme.8bf");
    open_folder(0, folder());
    const ff::FilterRecord filter = ff_synth::FullRecord();
    // The user types into the input box's combo box and presses Enter: the first time after
    // selecting everything with Ctrl+A, the second time straight away.
    auto type_category = [&](const std::string& text, bool selectAll) {
        host.on_modal("Form3", [text, selectAll](ui::Window& w) {
            auto& box = static_cast<Form3&>(w);
            box.Combo1.user_focus();
            if (selectAll) w.user_key('A', ui::vbCtrlMask);
            box.Combo1.user_type(text);
            w.user_key(ui::vbKeyReturn);
        });
        cmd_ChangeCategory(app);
    };
    plugin_view();
    entries_of(filter.Category);
    select_title(filter.Title);
    type_category("Newcomer4", true);
    plugin_view();
    entries_of("Newcomer4");
    select_title(filter.Title);
    type_category("Mine", false);

    catalogue::PluginInfoList list;
    ASSERT_TRUE(catalogue::ReadCom8bf(app.FF, (data.path() / "creme.8bf").string(), list));
    EXPECT_EQ(list[0].Category, "Mine");
}

TEST_F(StandInPlugins, PluginInformationPromisesTheCategoryLengthChangeCategoryWrites) {
    for (const Template& t : Templates) {
        SCOPED_TRACE(t.Type);
        std::filesystem::remove_all(data.path());
        std::filesystem::create_directories(data.path());
        const ff::FilterRecord filter = compile(t, "factory.8bf");
        const std::filesystem::path plugin = data.path() / "factory.8bf";
        open_folder(0, folder());
        plugin_view();
        f.SSTab1[0].user_select_tab(1);
        select_items(0, {"factory.8bf"});
        host.answer_msgbox(ui::vbOK);
        cmd_PlugInInformation(app);
        const std::string info = host.last_msgbox().Prompt;
        const std::string key = "Max. Category Name: ";
        const std::size_t at = info.find(key);
        ASSERT_NE(at, std::string::npos) << info;
        const int shown = std::stoi(info.substr(at + key.size()));
        ASSERT_GT(shown, 10);

        // One letter more than the box shows is refused, naming the same number.
        const std::string before = Read(plugin);
        const std::string tooLong(static_cast<std::size_t>(shown) + 1, 'k');
        plugin_view();
        entries_of(filter.Category);
        select_title(filter.Title);
        host.answer_msgbox(ui::vbOK,
                           " 1 plugin(s) couldn't be moved to the new category.\r\nThe new category has " +
                               std::to_string(shown + 1) + " letters; the category of this plugin has room for " +
                               std::to_string(shown) + " letters.",
                           ui::vbExclamation);
        change_category_to(tooLong);
        EXPECT_EQ(Read(plugin), before);

        // Exactly as many letters as the box shows are written.
        const std::string fits(static_cast<std::size_t>(shown), 'k');
        plugin_view();
        entries_of(filter.Category);
        select_title(filter.Title);
        change_category_to(fits);
        catalogue::PluginInfoList list;
        ASSERT_TRUE(catalogue::ReadCom8bf(app.FF, plugin.string(), list));
        EXPECT_EQ(list[0].Category, fits);
    }
}

namespace {

// The output of a command, or nothing when it cannot be started.
std::optional<std::string> Output(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>&1").c_str(), "r"), pclose);
    if (!pipe) return std::nullopt;
    std::string out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get()))
        out.append(buffer, n);
    return out;
}

bool Have(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

} // namespace

TEST_F(StandInPlugins, OutsideToolsReadTemplatesAndPluginsAsWindowsDlls) {
    if (!Have("file") || !Have("objdump")) GTEST_SKIP() << "needs the programs file and objdump (binutils)";
    for (const Template& t : Templates) {
        compile(t, "made.8bf");
        for (const std::filesystem::path& p : {std::filesystem::path(VEXOLAN_APPFOLDER) / t.Layout->Template,
                                               data.path() / "made.8bf"}) {
            SCOPED_TRACE(p.string());
            const auto kind = Output("file -b '" + p.string() + "'");
            ASSERT_TRUE(kind);
            EXPECT_EQ(kind->rfind("PE32 executable (DLL)", 0), 0u) << *kind;
            const auto headers = Output("objdump -x '" + p.string() + "'");
            ASSERT_TRUE(headers);
            EXPECT_NE(headers->find("file format pei-i386"), std::string::npos) << *headers;
            EXPECT_NE(headers->find(" .rsrc "), std::string::npos) << *headers;
            EXPECT_NE(headers->find("AddressOfEntryPoint\t00000000"), std::string::npos) << *headers;
            EXPECT_NE(headers->find("SizeOfCode\t\t00000000"), std::string::npos) << *headers;
            for (const char* bad : {"error", "Error", "warning", "corrupt", "invalid"})
                EXPECT_EQ(headers->find(bad), std::string::npos) << bad << "\n" << *headers;
        }
    }
}

// --- mends on the catalogue's side of the road ---

TEST_F(StandInPlugins, APremiereFilterFactoryPluginFoundByTheByteSearchIsPremiereFFAndCanBeDisabled) {
    // A Premiere Filter Factory plug-in has no resources: the byte search finds its title after
    // "tlFV" at the position the Premiere table names 29612.
    std::string prm(50176, '\x11');
    const std::size_t title = 29612 - 2; // 0-based offset of the first letter
    prm.replace(title - 8, 16, std::string("tlFV\x05\x05\x05\x05", 8) + std::string("Glow\0\x11\x11\x11", 8));
    data.write("glow.prm", prm);
    open_folder(0, folder());
    plugin_view();
    EXPECT_EQ(categories(), (std::vector<std::string>{"[Premiere FF]"}));
    EXPECT_EQ(app.PluginCatalog[0].CatOffset[1], 0);
    EXPECT_EQ(entries_of("[Premiere FF]"), (std::vector<std::string>{"+ Glow"}));
    select_title("Glow");
    cmd_EnableDisable(app);
    EXPECT_TRUE(host.message_boxes().empty()) << host.last_msgbox().Prompt;
    EXPECT_TRUE(std::filesystem::exists(data.path() / "glow_prm"));
    EXPECT_EQ(entries_of("[Premiere FF]"), (std::vector<std::string>{"- Glow"}));
}

TEST_F(StandInPlugins, WritesIntoAFolderMakeEveryPluginViewOnItScanAgain) {
    test_support::TempDir other{"other"};
    std::filesystem::create_directories(data.path() / "sub");
    struct Case {
        std::string scanned, changed;
        bool stale;
    } cases[] = {
        {folder(), folder(), true},
        {folder(), folder() + "/", true},
        {folder(), folder("sub"), true},        // a folder below the scan
        {folder("sub"), folder(), false},       // a folder above it
        {folder(), other.path().string(), false},
        {folder(), folder() + "x", false},      // a name that only begins alike
    };
    for (const Case& c : cases) {
        for (int p = 0; p < 2; ++p) {
            f.PaneScanPath[static_cast<std::size_t>(p)] = p == 1 ? c.scanned : other.path().string() + "/none";
            app.ScanValid[static_cast<std::size_t>(p)] = true;
        }
        f.FolderChanged(c.changed);
        EXPECT_EQ(app.ScanValid[1], !c.stale) << c.scanned << " " << c.changed;
        EXPECT_TRUE(app.ScanValid[0]);
    }
}

TEST_F(StandInPlugins, ADoubleClickInThePluginListStopsThePreviewDelay) {
    compile(Templates[0], "creme.8bf");
    open_folder(0, folder());
    plugin_view();
    const ff::FilterRecord filter = ff_synth::FullRecord();
    entries_of(filter.Category);
    select_title(filter.Title);
    f.List3_Click(0);
    f.Timer1.Enabled = true;
    f.List3_DblClick(0);
    EXPECT_FALSE(f.Timer1.Enabled.get());
    EXPECT_EQ(app.FF.Record.CodeR, filter.CodeR);
}
