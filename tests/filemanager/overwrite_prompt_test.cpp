// The overwrite prompt: when it asks, what it shows, and how "Overwrite All" and "Ignore All" last
// until the batch ends.
#include "filemanager/OverwriteCheck.hpp"
#include "tests/support/app_fixture.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

namespace {

class OverwritePrompt : public test_support::AppTest {
protected:
    std::filesystem::path dir = make_folder("files");

    std::string file(std::string_view name, std::string_view bytes = "12345") {
        return root.write("files/" + std::string(name), bytes).string();
    }
    // The user presses button `index` of the next prompt.
    void answer(int index) {
        host.on_modal("Overwrite", [index](ui::Window& w) { static_cast<Overwrite&>(w).Command1[index].user_click(); });
    }
    std::size_t prompts() const { return host.modal_windows().size(); }
};

std::string line_of(const std::string& path, int length) {
    return path + "  (" + std::to_string(length) + " bytes, " + vb::GeneralDate(files::file_date(path)) + ")";
}

} // namespace

TEST_F(OverwritePrompt, AnAbsentTargetIsWrittenWithoutAQuestionWhateverIsRemembered) {
    EXPECT_EQ(OverwriteCheck(app, file("a"), (dir / "none").string()), 0);
    app.OverwriteRemembered = 3;
    EXPECT_EQ(OverwriteCheck(app, file("a"), (dir / "none").string()), 0);
    EXPECT_EQ(prompts(), 0u);
}

TEST_F(OverwritePrompt, EachSingleAnswerCountsForOneFile) {
    const std::string target = file("target");
    answer(0);
    EXPECT_EQ(OverwriteCheck(app, file("source"), target), OverwriteGo);
    answer(1);
    EXPECT_EQ(OverwriteCheck(app, file("source"), target), OverwriteSkip);
    answer(4);
    EXPECT_EQ(OverwriteCheck(app, file("source"), target), OverwriteCancelBatch);
    // A cancel is no "All": the next file, even of a new batch, is asked about.
    answer(1);
    EXPECT_EQ(OverwriteCheck(app, file("source"), target), OverwriteSkip);
    EXPECT_EQ(prompts(), 4u);
}

TEST_F(OverwritePrompt, OverwriteAllLastsUntilTheBatchEnds) {
    const std::string target = file("target");
    answer(2);
    EXPECT_EQ(OverwriteCheck(app, file("s"), target), OverwriteGo);
    EXPECT_EQ(OverwriteCheck(app, file("s"), target), OverwriteGo);
    EXPECT_EQ(OverwriteCheck(app, "", target), OverwriteGo) << "only two empty names end the batch";
    EXPECT_EQ(prompts(), 1u);

    EXPECT_EQ(OverwriteCheck(app, "", ""), 0);
    answer(1);
    EXPECT_EQ(OverwriteCheck(app, file("s"), target), OverwriteSkip);
    EXPECT_EQ(prompts(), 2u);
}

TEST_F(OverwritePrompt, IgnoreAllSkipsSilentlyUntilTheBatchEnds) {
    const std::string target = file("target");
    answer(3);
    EXPECT_EQ(OverwriteCheck(app, file("s"), target), OverwriteSkip);
    EXPECT_EQ(OverwriteCheck(app, file("s"), file("other")), OverwriteSkip);
    EXPECT_EQ(prompts(), 1u);
    OverwriteCheck(app, "", "");
    answer(0);
    EXPECT_EQ(OverwriteCheck(app, file("s"), target), OverwriteGo);
}

TEST_F(OverwritePrompt, AHiddenTargetIsAskedAbout) {
    const std::string target = file(".hidden");
    answer(1);
    EXPECT_EQ(OverwriteCheck(app, "", target), OverwriteSkip);
    EXPECT_EQ(prompts(), 1u);
}

TEST_F(OverwritePrompt, AFolderIsNoTargetToAskAbout) {
    EXPECT_EQ(OverwriteCheck(app, file("s"), dir.string()), OverwriteGo);
    EXPECT_EQ(prompts(), 0u);
}

TEST_F(OverwritePrompt, ShowsBothFilesWithSizeAndDate) {
    const std::string source = file("source", "1234567");
    const std::string target = file("target", "12345");
    host.on_modal("Overwrite", [&](ui::Window& window) {
        auto& w = static_cast<Overwrite&>(window);
        EXPECT_EQ(w.Label1.Caption.get(), line_of(target, 5));
        EXPECT_EQ(w.Label2.Caption.get(), "With: ");
        EXPECT_TRUE(w.Label2.Visible);
        EXPECT_EQ(w.Label3.Caption.get(), line_of(source, 7) + " ?");
        EXPECT_TRUE(w.Label3.Visible);
        w.Command1[0].user_click();
    });
    EXPECT_EQ(OverwriteCheck(app, source, target), OverwriteGo);
}

TEST_F(OverwritePrompt, WithoutASourceOnlyTheTargetLineShows) {
    const std::string target = file("target", "abc");
    host.on_modal("Overwrite", [&](ui::Window& window) {
        auto& w = static_cast<Overwrite&>(window);
        EXPECT_EQ(w.Label1.Caption.get(), line_of(target, 3) + " ?");
        EXPECT_FALSE(w.Label2.Visible);
        EXPECT_FALSE(w.Label3.Visible);
        EXPECT_EQ(w.Label3.Caption.get(), "");
        w.Command1[1].user_click();
    });
    EXPECT_EQ(OverwriteCheck(app, "", target), OverwriteSkip);

    // The next prompt with a source shows its lines again.
    host.on_modal("Overwrite", [&](ui::Window& window) {
        auto& w = static_cast<Overwrite&>(window);
        EXPECT_TRUE(w.Label2.Visible);
        EXPECT_TRUE(w.Label3.Visible);
        w.Command1[1].user_click();
    });
    OverwriteCheck(app, file("s"), target);
}

TEST_F(OverwritePrompt, ASourceThatHasGoneShowsWhatCanBeRead) {
    const std::string target = file("target");
    const std::string gone = (dir / "gone").string();
    host.on_modal("Overwrite", [&](ui::Window& window) {
        auto& w = static_cast<Overwrite&>(window);
        EXPECT_EQ(w.Label3.Caption.get(), gone + "  (? bytes, ?) ?");
        w.Command1[0].user_click();
    });
    EXPECT_EQ(OverwriteCheck(app, gone, target), OverwriteGo);
}

TEST_F(OverwritePrompt, EnterOverwritesEscapeCancelsAndClosingOtherwiseCancels) {
    const std::string target = file("target");
    host.on_modal("Overwrite", [](ui::Window& w) { w.user_key_down(ui::vbKeyReturn); });
    EXPECT_EQ(OverwriteCheck(app, "", target), OverwriteGo);
    host.on_modal("Overwrite", [](ui::Window& w) { w.user_key_down(ui::vbKeyEscape); });
    EXPECT_EQ(OverwriteCheck(app, "", target), OverwriteCancelBatch);
    host.on_modal("Overwrite", [](ui::Window&) {});
    EXPECT_EQ(OverwriteCheck(app, "", target), OverwriteCancelBatch);
}

TEST_F(OverwritePrompt, TheWindowHasItsFiveButtonsItsBarAndRollsUpOnADoubleClick) {
    Overwrite& w = app.overwrite();
    EXPECT_EQ(w.Width.get(), 5868);
    EXPECT_EQ(w.Height.get(), 1848);
    const std::array<std::string, 5> captions{"Overwrite", "Ignore", "Overwrite All", "Ignore All", "Cancel"};
    const std::array<int, 5> lefts{96, 1248, 2400, 3552, 4704};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(w.Command1[i].Caption.get(), captions[i]);
        EXPECT_EQ(w.Command1[i].Left.get(), lefts[i]);
        EXPECT_EQ(w.Command1[i].Top.get(), 1440);
        EXPECT_EQ(w.Command1[i].Width.get(), 1068);
        EXPECT_EQ(w.Command1[i].Height.get(), 300);
    }
    EXPECT_TRUE(w.Command1[0].Default);
    EXPECT_TRUE(w.Command1[4].Cancel);
    EXPECT_EQ(w.Label4.Caption.get(), "Overwrite");

    w.Paint();
    EXPECT_FALSE(w.Boxes().empty()) << "the grey bar along the top";

    host.set_twips_per_pixel(12);
    w.user_dblclick();
    EXPECT_EQ(w.Height.get(), 336);
    w.user_dblclick();
    EXPECT_EQ(w.Height.get(), 1848);
}
