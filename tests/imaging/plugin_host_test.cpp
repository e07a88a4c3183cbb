#include "filterfactory/compiler.hpp"
#include "filterfactory/plugin_parameters.hpp"
#include "filterfactory/settings_files.hpp"
#include "imaging/plugin_run.hpp"
#include "platform/fs/files.hpp"
#include "platform/imgman/ff_program.hpp"
#include "platform/imgman/images.hpp"
#include "platform/imgman/plugin_dialog.hpp"
#include "platform/imgman/plugin_host.hpp"
#include "tests/support/afs_samples.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/ff_synth.hpp"
#include "tests/support/pe_synth.hpp"

#include <gtest/gtest.h>

#include <fstream>

using namespace vexolan;

namespace {

imgman::Image test_picture(int w, int h, bool alpha = false) {
    imgman::Image img;
    img.width = w;
    img.height = h;
    img.bpp = alpha ? 32 : 24;
    img.has_alpha = alpha;
    img.rgba.resize(static_cast<std::size_t>(w * h * 4));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &img.rgba[static_cast<std::size_t>((y * w + x) * 4)];
            p[0] = static_cast<uint8_t>(x * 9 + y * 2);
            p[1] = static_cast<uint8_t>(y * 11 + x);
            p[2] = static_cast<uint8_t>((x * y) ^ 0x5A);
            p[3] = alpha ? static_cast<uint8_t>(x * 4) : 255;
        }
    return img;
}

// The picture `formulas` give when evaluated directly.
std::vector<uint8_t> evaluated(const imgman::Image& img, const std::array<std::string, 4>& formulas,
                               const std::array<uint8_t, 8>& sliders) {
    imgman::ff::Filter f{formulas, sliders};
    std::vector<uint8_t> out(img.rgba.size());
    int32_t seed = 0;
    EXPECT_TRUE(imgman::ff::run_filter(f, img.has_alpha ? 4 : 3,
                                       {img.rgba.data(), img.width, img.height, img.width * 4},
                                       {out.data(), img.width * 4}, seed));
    return out;
}

class PluginHost : public test_support::AppTest {
protected:
    ui::PictureBox box;

    void SetUp() override {
        files::prepare_app_folder(VEXOLAN_APPFOLDER);
        imgman::reset_plugin_host_log();
        box.Width = 20 * 15;
        box.Height = 20 * 15;
    }
    // Whether anything has been drawn into the box since the test began.
    bool box_drawn() const { return box.Image().Rgba != untouched_; }
    std::vector<uint8_t> untouched_ = box.Image().Rgba;
    void TearDown() override {
        int32_t h = app.PluginImage;
        if (h) imgman::close_image(h);
        app.PluginImage = 0;
        EXPECT_EQ(imgman::live_handle_count(), 0);
    }

    void set_formulas(std::string r, std::string g, std::string b, std::string a) {
        app.FF.Record.CodeR = std::move(r);
        app.FF.Record.CodeG = std::move(g);
        app.FF.Record.CodeB = std::move(b);
        app.FF.Record.CodeA = std::move(a);
        app.FF.pFlag = true;
    }

    // Compiles the current filter into the preview plug-in, as the editor's preview does.
    void compile_preview() {
        files::copy_file(files::app_path("photo30.dll"), appFolder / "temp.dll");
        ASSERT_TRUE(ff::ToggleFFUI((appFolder / "temp.dll").string(), false));
        std::string dir = appFolder.string();
        ASSERT_EQ(ff::Write8bf(app.FF, dir, true, false, ff::CompileOptions{}), ff::CompileResult::Written);
    }

    void expect_every_file_runs_as_its_formulas(const std::string& folder);

    bool invoke(std::string name = "temp.dll") {
        std::string folder = appFolder.string();
        bool draw = true;
        int32_t hwnd = 0;
        return PluginInvoke(app, folder, name, box, draw, hwnd);
    }
};

} // namespace

// Compiles every .afs file of `folder` and runs it on a picture: each one filters it exactly as its
// formulas say, and changes it.
void PluginHost::expect_every_file_runs_as_its_formulas(const std::string& folder) {
    const std::vector<std::string> names = test_support::AfsFilesIn(folder);
    ASSERT_FALSE(names.empty());
    for (const auto& name : names) {
        ASSERT_TRUE(ff::ReadAFS(app.FF, folder, name)) << name;
        compile_preview();
        const imgman::Image picture = test_picture(37, 23);
        const std::vector<uint8_t> expected =
            evaluated(picture, {app.FF.Record.CodeR, app.FF.Record.CodeG, app.FF.Record.CodeB, app.FF.Record.CodeA},
                      app.FF.Record.CtlValue);
        app.PluginImage = imgman::add_image(picture);
        const int32_t handle = app.PluginImage;
        ASSERT_TRUE(invoke()) << name;
        EXPECT_EQ(app.PluginImage, handle) << "filtered in place under the same handle";
        EXPECT_EQ(imgman::image_of(handle)->rgba, expected) << name;
        EXPECT_NE(imgman::image_of(handle)->rgba, picture.rgba) << name << " changes the picture";
        imgman::close_image(app.PluginImage);
        app.PluginImage = 0;
    }
    const int count = static_cast<int>(names.size());
    EXPECT_EQ(host.message_boxes().size(), 0u);
    EXPECT_EQ(imgman::plugin_host_log().HostLoads, count);
    EXPECT_EQ(imgman::plugin_host_log().HostUnloads, count);
}

TEST_F(PluginHost, EverySampleSettingsFileCompiledByTheProgramRunsAsItsFormulasDo) {
    test_support::TempDir samples{"hostsamples"};
    test_support::WriteAfsSamples(samples.path());
    expect_every_file_runs_as_its_formulas(samples.path().string());
}

TEST_F(PluginHost, EveryRealSettingsFileCompiledByTheProgramRunsAsItsFormulasDo) {
    const auto folder = test_support::RealAfsFolder();
    if (!folder) GTEST_SKIP() << test_support::NoRealFiles;
    expect_every_file_runs_as_its_formulas(folder->string());
}

TEST_F(PluginHost, InvertedRedIsDrawnIntoTheBoxAndTheRunIsLogged) {
    set_formulas("255-r", "g", "b", "a");
    app.FF.Record.CtlValue = {1, 2, 3, 4, 5, 6, 7, 8};
    app.FF.pFlag = true;
    compile_preview();
    const imgman::Image picture = test_picture(8, 5);
    app.PluginImage = imgman::add_image(picture);
    ASSERT_TRUE(invoke());
    const imgman::Image* out = imgman::image_of(app.PluginImage);
    EXPECT_EQ(out->rgba[0], 255 - picture.rgba[0]);
    EXPECT_EQ(out->rgba[1], picture.rgba[1]);
    // Drawn at its own size into the box's top-left corner.
    const ui::Bitmap& shown = box.Image();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x) {
            const uint8_t* p = &out->rgba[static_cast<std::size_t>((y * 8 + x) * 4)];
            ASSERT_EQ(shown.pixel(x, y) & 0xFFFFFFu, (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2])
                << x << "," << y;
        }
    EXPECT_NE(shown.pixel(8, 0) & 0xFFFFFFu, shown.pixel(7, 0) & 0xFFFFFFu);
    const auto& log = imgman::plugin_host_log();
    ASSERT_EQ(log.Invokes.size(), 1u);
    EXPECT_EQ(log.Invokes[0].Formulas, (std::vector<std::string>{"255-r", "g", "b"}));
    EXPECT_EQ(log.Invokes[0].Values, (std::array<uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(log.Invokes[0].DialogShown);
    EXPECT_FALSE(imgman::ImgPlugInHostIsEnabled());
}

TEST_F(PluginHost, NoWorkingImageLoadsNothing) {
    std::string folder = appFolder.string(), name = "temp.dll";
    bool draw = true;
    int32_t hwnd = 0;
    EXPECT_FALSE(PluginInvoke(app, folder, name, box, draw, hwnd));
    EXPECT_EQ(hwnd, MainWindowHandle);
    EXPECT_EQ(imgman::plugin_host_log().HostLoads, 0);
    EXPECT_EQ(imgman::plugin_host_log().HostUnloads, 0);
    hwnd = 77;
    EXPECT_FALSE(PluginInvoke(app, folder, name, box, draw, hwnd));
    EXPECT_EQ(hwnd, 77);
}

TEST_F(PluginHost, AMissingOrForeignPluginGivesTheFourLineMessageAndUnloads) {
    app.PluginImage = imgman::add_image(test_picture(4, 4));
    std::ofstream(appFolder / "other.8bf", std::ios::binary) << std::string(57344, 'x');
    for (const char* name : {"missing.dll", "other.8bf"}) {
        host.answer_msgbox(ui::vbOK, std::string(PluginLoadError), ui::vbCritical, "Vexolan");
        EXPECT_FALSE(invoke(name));
    }
    EXPECT_EQ(imgman::plugin_host_log().HostUnloads, 2);
    EXPECT_FALSE(box_drawn());
}

TEST_F(PluginHost, AFormulaThatDoesNotCompileFailsSilentlyAndLeavesThePicture) {
    set_formulas("r+", "g", "b", "a");
    app.FF.pFlag = true;
    compile_preview();
    const imgman::Image picture = test_picture(6, 6);
    app.PluginImage = imgman::add_image(picture);
    EXPECT_FALSE(invoke());
    EXPECT_EQ(imgman::image_of(app.PluginImage)->rgba, picture.rgba);
    EXPECT_TRUE(host.message_boxes().empty());
    EXPECT_FALSE(box_drawn());
}

TEST_F(PluginHost, TheDialogShowsOnlyWhenAskedAndCancelGivesStatus26) {
    app.FF.Record = ff::FilterRecord{};
    set_formulas("ctl(0)", "ctl(1)", "b", "a");
    app.FF.Record.CtlName[0] = "Amount";
    app.FF.Record.CtlValue = {10, 20};
    app.FF.pFlag = true;
    compile_preview();
    ASSERT_TRUE(ff::ToggleFFUI((appFolder / "temp.dll").string(), true));
    app.PluginImage = imgman::add_image(test_picture(3, 3));

    host.on_modal("PlugInDialog", [](ui::Window& w) {
        auto& d = static_cast<imgman::PlugInDialog&>(w);
        EXPECT_TRUE(d.CtlSlider[0].Visible());
        EXPECT_FALSE(d.CtlSlider[1].Visible());
        EXPECT_EQ(d.CtlLabel[0].Caption(), "Amount");
        EXPECT_FALSE(d.FormulaText[0].Visible()) << "the editor flag hides the formulas";
        d.cmdCancel.user_click();
    });
    EXPECT_FALSE(invoke());
    EXPECT_EQ(imgman::ImgGetStatus(), imgman::StatusCancelled);
    EXPECT_TRUE(host.message_boxes().empty());

    host.on_modal("PlugInDialog", [](ui::Window& w) {
        auto& d = static_cast<imgman::PlugInDialog&>(w);
        d.CtlSlider[0].user_scroll_to(200);
        d.cmdOK.user_click();
    });
    EXPECT_TRUE(invoke());
    EXPECT_EQ(imgman::image_of(app.PluginImage)->rgba[0], 200);
    EXPECT_EQ(imgman::image_of(app.PluginImage)->rgba[1], 20);
    const auto& log = imgman::plugin_host_log();
    ASSERT_EQ(log.Invokes.size(), 2u);
    EXPECT_TRUE(log.Invokes[1].DialogShown);
    EXPECT_EQ(log.Invokes[1].Values[0], 200);
}

TEST_F(PluginHost, TheFormulaEditorDialogLetsTheUserChangeTheFormulas) {
    app.FF.Record = ff::FilterRecord{};
    set_formulas("r", "g", "b", "a");
    app.FF.pFlag = true;
    files::copy_file(files::app_path("photo30.dll"), appFolder / "temp.dll");
    std::string dir = appFolder.string();
    ASSERT_EQ(ff::Write8bf(app.FF, dir, true, true, ff::CompileOptions{}), ff::CompileResult::Written);
    ASSERT_TRUE(ff::ToggleFFUI((appFolder / "temp.dll").string(), true));
    app.PluginImage = imgman::add_image(test_picture(3, 3));
    host.on_modal("PlugInDialog", [](ui::Window& w) {
        auto& d = static_cast<imgman::PlugInDialog&>(w);
        ASSERT_TRUE(d.FormulaText[0].Visible());
        d.FormulaText[0].Text = "77";
        d.cmdOK.user_click();
    });
    EXPECT_TRUE(invoke());
    EXPECT_EQ(imgman::image_of(app.PluginImage)->rgba[0], 77);
    EXPECT_EQ(imgman::plugin_host_log().Invokes.back().Formulas[0], "77");
}

TEST_F(PluginHost, AlphaIsFilteredOnlyInAPictureWithAlpha) {
    set_formulas("r", "g", "get(0)", "put(99,0),255-a");
    app.FF.pFlag = true;
    compile_preview();
    const imgman::Image opaque = test_picture(4, 2), clear = test_picture(4, 2, true);
    app.PluginImage = imgman::add_image(opaque);
    ASSERT_TRUE(invoke());
    EXPECT_EQ(imgman::image_of(app.PluginImage)->rgba[3 * 4 + 2], 0) << "formula A does not run";
    EXPECT_EQ(imgman::image_of(app.PluginImage)->rgba[3], 255);
    imgman::close_image(app.PluginImage);
    app.PluginImage = imgman::add_image(clear);
    ASSERT_TRUE(invoke());
    EXPECT_EQ(imgman::image_of(app.PluginImage)->rgba[2], 0) << "blue of the first pixel runs before its alpha";
    EXPECT_EQ(imgman::image_of(app.PluginImage)->rgba[4 + 2], 99);
    EXPECT_EQ(imgman::image_of(app.PluginImage)->rgba[4 + 3], 255 - clear.rgba[4 + 3]);
    EXPECT_EQ(imgman::plugin_host_log().Invokes.back().Formulas.size(), 4u);
}

TEST_F(PluginHost, TheAboutBoxReadsThePluginWithoutRunningIt) {
    ff_synth::Fields f = ff_synth::DistinctFields();
    f.Title = "Swirl";
    f.Author = "Me";
    f.Copyright = "(c) 2026";
    std::ofstream(appFolder / "swirl.8bf", std::ios::binary) << ff_synth::MakePlugin(ff_synth::Layout::Pc57344, f);
    host.answer_msgbox(ui::vbOK, "Swirl\r\rMe\r(c) 2026");
    EXPECT_EQ(imgman::ImgPlugInAbout(&host, (appFolder / "swirl.8bf").string()), 1);
    EXPECT_EQ(imgman::ImgPlugInAbout(&host, (appFolder / "none.8bf").string()), 0);
    EXPECT_TRUE(imgman::plugin_host_log().Invokes.empty());
    EXPECT_FALSE(imgman::ImgPlugInHostIsEnabled());
}

TEST_F(PluginHost, TheAboutBoxOfAnotherPluginNamesItsFiltersAndVersion) {
    pe_synth::Options o;
    o.Resources.push_back(pe_synth::Pipl({{"Twirl", "Distort"}, {"Wave", "Distort"}}));
    o.Extra = pe_synth::VersionString("ProductName", "Warp Kit");
    std::ofstream(appFolder / "warp.8bf", std::ios::binary) << pe_synth::Make(o).Bytes;
    host.answer_msgbox(ui::vbOK, "warp.8bf\r\rDistort: Twirl\rDistort: Wave\rProductName: Warp Kit");
    EXPECT_EQ(imgman::ImgPlugInAbout(&host, (appFolder / "warp.8bf").string()), 1);
    EXPECT_EQ(imgman::ImgPlugInLoad((appFolder / "warp.8bf").string()), 0) << "it never runs";
}

TEST_F(PluginHost, ThePureParserReadsFlagsOfEveryLayout) {
    ff_synth::Fields f = ff_synth::DistinctFields();
    for (ff_synth::Layout layout : ff_synth::AllLayouts) {
        const auto parsed = ff::ReadPluginParameters(ff_synth::MakePlugin(layout, f));
        ASSERT_TRUE(parsed) << ff_synth::NameOf(layout);
        EXPECT_EQ(parsed->Formulas[0], f.Formulas[0]) << ff_synth::NameOf(layout);
        EXPECT_EQ(parsed->MapUsed, f.MapUsed) << ff_synth::NameOf(layout);
        EXPECT_EQ(parsed->CtlUsed, f.CtlUsed) << ff_synth::NameOf(layout);
        EXPECT_EQ(parsed->Values, f.Values) << ff_synth::NameOf(layout);
    }
    EXPECT_FALSE(ff::ReadPluginParameters(std::string(57344, '\0')));
}
