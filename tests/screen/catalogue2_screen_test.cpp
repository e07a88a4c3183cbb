#include "platform/fs/files.hpp"
#include "shell/Form1.hpp"
#include "shell/Form3.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/pe_synth.hpp"

#include <fstream>

using namespace vexolan;
using test_support::Driver;

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

// A 49152-byte Filter Factory plug-in: its PiPL name and category are the layout's title and
// category fields, and it carries the signature.
std::string FFPlugin(const std::string& title, const std::string& category) {
    std::string name(1, static_cast<char>(title.size()));
    name += title;
    name.resize(36, '\0');
    std::string cat(1, static_cast<char>(category.size()));
    cat += category;
    cat.resize(92, '\0');
    pe_synth::Options o;
    o.Resources.push_back({"PIPL", {std::string("\x01\x00", 2) + u32(0) + u32(3) + property("eman", name) +
                                    property("gtac", cat) + property("dniK", "MFB8")}});
    o.FirstDataOffset = static_cast<std::uint32_t>(23843 - 1 - 26 - o.PointerToRawData);
    o.Length = 49152;
    std::string bytes = pe_synth::Make(o).Bytes;
    bytes.resize(49152, '\0');
    pe_synth::Put(bytes, 21024, std::string("Filter Factory", 15));
    return bytes;
}

std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct CatalogueScreen : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir data{"plugins"};
    std::string startFolder = files::CurDir();

    CatalogueScreen() {
        std::ofstream(data.path() / "twirl.8bf", std::ios::binary) << FFPlugin("Twirl", "Distort");
        for (int p = 0; p < 2; ++p)
            f.Dir1[p].Path = data.path().string();
        f.Caption = "Vexolan 1.52 - Light Edition";
    }
    ~CatalogueScreen() override { files::ChDir(startFolder); }

    // Opens the left pane's Plugin View by its tab and selects the plug-in of "Distort".
    void select_twirl() {
        f.Show();
        Driver user(*this, R"(
            id=$(find_window '^Vexolan 1.52')
            focus "$id"
            xdotool mousemove --window "$id" 116 95 click 1
            sleep 0.5
        )");
        user.finish();
        ASSERT_TRUE(pump_until([&] { return app.PaneMode[0] == 2 && f.List2[0].ListCount() > 0; }, 5));
        for (int j = 0; j < f.List2[0].ListCount(); ++j)
            if (f.List2[0].List(j) == "Distort") f.List2[0].user_select(j);
        ASSERT_EQ(f.List3[0].ListCount(), 1);
        f.List3[0].user_select(0);
        f.Switchy = 0;
    }
};

} // namespace

TEST_F(CatalogueScreen, ChangeCatWithATypedCategoryRewritesTheFile) {
    select_twirl();
    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        xdotool key ctrl+h
        box=$(find_window '^Vexolan - Input$')
        shoot "$box" change_category_box
        xdotool type --delay 50 Glow
        xdotool key Return
        sleep 0.5
    )");
    user.finish();
    ASSERT_TRUE(pump_until([&] { return !app.form3().Visible.get(); }, 5));
    EXPECT_EQ(Read(data.path() / "twirl.8bf").substr(23894, 6), std::string("\x04" "Glow\0", 6));
    // The list shows the new category; a rescan finds it in the file.
    app.ScanValid[0] = false;
    f.mnuRefresh_Click();
    bool found = false;
    for (int j = 0; j < f.List2[0].ListCount(); ++j)
        found = found || f.List2[0].List(j) == "Glow";
    EXPECT_TRUE(found);
    EXPECT_EQ(app.PluginCatalog[0].CategoryOf(1), "Glow");
}

TEST_F(CatalogueScreen, EnDisableFlipsTheMarkAndTheNameOnDisk) {
    select_twirl();
    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        xdotool key ctrl+e
        sleep 0.8
        shoot "$id" en_disabled
    )");
    user.finish();
    ASSERT_TRUE(pump_until([&] { return std::filesystem::exists(data.path() / "twirl._bf"); }, 5));
    EXPECT_FALSE(std::filesystem::exists(data.path() / "twirl.8bf"));
    EXPECT_EQ(f.List3[0].List(0), "- Twirl");
    EXPECT_EQ(app.PluginCatalog[0].PathOf(f.List3[0].GetItemData(0)), (data.path() / "twirl._bf").string());
}
