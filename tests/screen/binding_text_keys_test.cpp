// The binding's translations that need no window: line breaks, labels, keys and shortcuts.
#include "platform/fltk/draw.hpp"

#include <FL/Enumerations.H>

#include <gtest/gtest.h>

TEST(BindingText, CrLfAndCrLfEachDrawOneLineBreak) {
    EXPECT_EQ(fltk::display_lines("a\rb\nc\r\nd"), "a\nb\nc\nd");
    EXPECT_EQ(fltk::display_lines("\r\n\r\n"), "\n\n");
    EXPECT_EQ(fltk::display_lines("The Tip file was not found. \r\n"), "The Tip file was not found. \n");
}

TEST(BindingText, LabelsShowAtSignsAndAccessMarksAsTheProgramMeansThem) {
    EXPECT_EQ(fltk::escape_label("support@vexolan.example"), "support@@vexolan.example");
    EXPECT_EQ(fltk::plain_label("&File && Edit"), "File & Edit");
    EXPECT_EQ(fltk::menu_label("&Open...\r\n"), "&Open...\n");
}

TEST(BindingKeys, ScreenKeysBecomeWindowsKeyCodesAndBack) {
    EXPECT_EQ(fltk::key_code_from_fl('a'), 'A');
    EXPECT_EQ(fltk::key_code_from_fl(FL_F + 1), 112);
    EXPECT_EQ(fltk::key_code_from_fl(FL_Enter), 13);
    EXPECT_EQ(fltk::key_code_from_fl(FL_KP_Enter), 13);
    EXPECT_EQ(fltk::key_code_from_fl(FL_Escape), 27);
    EXPECT_EQ(fltk::key_code_from_fl(FL_Delete), 46);
    EXPECT_EQ(fltk::key_code_from_fl(FL_KP + '5'), 101);
    EXPECT_EQ(fltk::key_code_from_fl('.'), 190);
    EXPECT_EQ(fltk::fl_key_from_code(ui::vbKeyEscape), FL_Escape);
    EXPECT_EQ(fltk::fl_key_from_code(ui::vbKeyLButton), FL_Button + 1);
    EXPECT_EQ(fltk::fl_key_from_code(ui::vbKeyRButton), FL_Button + 3);
}

TEST(BindingKeys, MenuShortcutsAsTheScreenShowsThem) {
    EXPECT_EQ(fltk::fl_shortcut("Ctrl+O"), FL_CTRL + 'o');
    EXPECT_EQ(fltk::fl_shortcut("Shift+Del"), FL_SHIFT + FL_Delete);
    EXPECT_EQ(fltk::fl_shortcut("F12"), FL_F + 12);
    EXPECT_EQ(fltk::fl_shortcut(""), 0);
}
