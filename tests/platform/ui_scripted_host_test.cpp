// The scripted host: answers from queues, records, and fails the test instead of hanging.
#include "platform/ui/ui.hpp"
#include "tests/support/ScriptedHost.hpp"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

using test_support::ScriptedHost;

TEST(ScriptedHost, AnsweredMessageBoxesAreRecordedWithTheDefaultTitle) {
    ScriptedHost host;
    host.answer_msgbox(ui::vbYes, "Delete?", ui::vbYesNo + ui::vbQuestion, "Vexolan");
    host.answer_msgbox(ui::vbOK);
    EXPECT_EQ(host.MsgBox("Delete?", ui::vbYesNo + ui::vbQuestion), ui::vbYes);
    EXPECT_EQ(host.MsgBox("Done", ui::vbOKOnly, "Vexo Error"), ui::vbOK);
    ASSERT_EQ(host.message_boxes().size(), 2u);
    EXPECT_EQ(host.message_boxes()[0].Title, "Vexolan");
    EXPECT_EQ(host.last_msgbox().Title, "Vexo Error");
    EXPECT_EQ(host.last_msgbox().Prompt, "Done");
}

TEST(ScriptedHost, AnUnexpectedMessageBoxFailsTheTestAndAnswersCancel) {
    ScriptedHost host;
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = host.MsgBox("Surprise", ui::vbYesNo), "Unexpected message box: \"Surprise\"");
    EXPECT_EQ(answer, ui::vbCancel);
}

TEST(ScriptedHost, AMessageBoxWithAnotherPromptThanExpectedFails) {
    ScriptedHost host;
    host.answer_msgbox(ui::vbNo, "Expected text", 52);
    EXPECT_NONFATAL_FAILURE(host.MsgBox("Other text", 52), "expected \"Expected text\"");
    host.answer_msgbox(ui::vbNo, "Same", 52);
    EXPECT_NONFATAL_FAILURE(host.MsgBox("Same", 48), "expected style 52");
}

TEST(ScriptedHost, UnexpectedQuestionsOfEveryKindFailAndReturnNothing) {
    ScriptedHost host;
    std::string s = "x";
    EXPECT_NONFATAL_FAILURE(s = host.InputBox("Name?"), "Unexpected input box");
    EXPECT_EQ(s, "");
    EXPECT_NONFATAL_FAILURE(s = host.BrowseForFolder("Pick", "/"), "Unexpected folder browser");
    EXPECT_NONFATAL_FAILURE(s = host.FileDialog({}), "Unexpected file dialog");
    EXPECT_EQ(s, "");
    ui::Window w(host, "Dialog");
    EXPECT_NONFATAL_FAILURE(w.ShowModal(), "Unexpected modal window \"Dialog\"");
    EXPECT_FALSE(w.Visible) << "the unexpected window is closed so the test goes on";
}

TEST(ScriptedHost, AnAnswerNeverAskedForFailsWhenTheHostGoes) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedHost host;
            host.answer_msgbox(ui::vbOK, "Never shown");
        },
        "never asked for: expected \"Never shown\"");
}

TEST(ScriptedHost, KeysGoDownFromTheScriptedPoll) {
    ScriptedHost host;
    host.press_key_from_poll(ui::vbKeyEscape, 2);
    EXPECT_FALSE(host.KeyDown(ui::vbKeyEscape));
    EXPECT_TRUE(host.KeyDown(ui::vbKeyEscape));
    EXPECT_TRUE(host.KeyDown(ui::vbKeyEscape));
    EXPECT_EQ(host.key_polls(ui::vbKeyEscape), 3);
    EXPECT_FALSE(host.KeyDown(ui::vbKeyShift));
}

TEST(ScriptedHost, TheDateMovesWithTheFakeClockAndRndRepeatsForASeed) {
    ScriptedHost host;
    host.set_start_date({2026, 12, 31, 23, 59, 59});
    host.advance(1500);
    EXPECT_EQ(host.Now(), (vb::DateTime{2027, 1, 1, 0, 0, 0}));
    host.Randomize(7);
    double a = host.Rnd();
    host.Randomize(7);
    EXPECT_EQ(host.Rnd(), a);
    EXPECT_GE(a, 0.0);
    EXPECT_LT(a, 1.0);
}

} // namespace
