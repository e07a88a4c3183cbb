// A benchmark, not a test: disabled, so ctest never runs it. Run it with
//     build/tests_ffeditor --gtest_also_run_disabled_tests --gtest_filter='*PreviewBenchmark*'
// It moves a slider of the editor with Auto Preview on and times each move until the preview box
// holds the new picture (compile into "temp.dll", plug-in host run, drawing into the box), for the
// default preview picture's thumbnail, and prints it beside the formula evaluator's own time for
// the same filter on the same thumbnail (compile and scan, nothing else). The goal is one frame,
// 16 ms, per move.

#include "ffeditor/FFEditorType1.hpp"
#include "imaging/handles.hpp"
#include "platform/imgman/ff_program.hpp"
#include "platform/imgman/images.hpp"
#include "platform/imgman/plugin_host.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/bench.hpp"
#include "tests/support/editor_support.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace vexolan;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

TEST(PreviewBenchmark, DISABLED_SliderMoveToRepaintedPreview) {
    test_support::AppFixture fx;
    App& app = fx.app;
    test_support::prepare_editor_folder(app);
    test_support::choose_skinned_editor(app);
    FFEditorType1& e = app.EditorForm();
    e.Load(); // the thumbnail of the default preview picture, Test.bmp
    e.Show();
    const std::array<std::string, 4> code{"a", "r*ctl(0)/128", "g*ctl(0)/128", "b*ctl(0)/128"};
    for (std::size_t k = 0; k < 4; ++k)
        e.Text5[k].Text = code[k];
    e.Label7[0].Caption = "Amount";
    e.Check2.Value = ui::vbChecked;

    const imgman::Image& thumbnail = *imgman::image_of(app.PreviewImage);
    const int w = e.Picture1.Width / app.host.TwipsPerPixelX(), h = e.Picture1.Height / app.host.TwipsPerPixelY();

    constexpr int Moves = 200;
    std::vector<double> move;
    for (int i = 0; i < Moves; ++i) {
        const ui::Bitmap before = e.Picture1.Image();
        const auto t0 = std::chrono::steady_clock::now();
        e.HScroll1[0].user_scroll_to(1 + i % 254);
        move.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        ASSERT_NE(e.Picture1.Image().Rgba, before.Rgba) << "the preview did not change";
    }
    EXPECT_EQ(imgman::plugin_host_log().Invokes.size(), static_cast<std::size_t>(Moves));

    // The evaluator alone on a copy of the same size, with the same formulas and a slider value.
    const int copy = imgman::ImgCopy(app.PreviewImage, w, h, {0, 0, thumbnail.width - 1, thumbnail.height - 1});
    const imgman::Image& source = *imgman::image_of(copy);
    std::vector<std::uint8_t> out(source.rgba.size());
    imgman::ff::Filter filter;
    filter.formulas = {code[1], code[2], code[3], code[0]};
    std::vector<double> evaluator;
    for (int i = 0; i < Moves; ++i) {
        filter.sliders[0] = static_cast<std::uint8_t>(1 + i % 254);
        std::int32_t seed = 0;
        const auto t0 = std::chrono::steady_clock::now();
        ASSERT_TRUE(imgman::ff::run_filter(filter, 3, {source.rgba.data(), w, h, w * 4}, {out.data(), w * 4}, seed));
        evaluator.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    imgman::ImgClose(copy);

    std::printf("preview of a %d x %d thumbnail, %d slider moves (load %s)\n", w, h, Moves,
                test_support::load_average().c_str());
    std::printf("  slider move to repainted preview: median %.2f ms, best %.2f ms, worst %.2f ms (goal 16 ms)\n",
                median(move) * 1000, *std::min_element(move.begin(), move.end()) * 1000,
                *std::max_element(move.begin(), move.end()) * 1000);
    std::printf("  evaluator alone (compile and scan): median %.2f ms, best %.2f ms\n", median(evaluator) * 1000,
                *std::min_element(evaluator.begin(), evaluator.end()) * 1000);
    std::printf("  ratio of medians: %.1fx\n", median(move) / median(evaluator));

    e.Unload();
    CloseImg(app, app.PreviewImage);
    CloseImg(app, app.PluginImage);
}
