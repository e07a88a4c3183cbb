// One rule for every paste into an entry: with no text on the clipboard nothing changes; otherwise
// the text up to its first NUL goes in, a one-line entry takes its first line, a multi-line one
// keeps every line with CR LF ends, and a box with a MaxLength takes only what fits.
#include "platform/ui/ui.hpp"
#include "tests/support/ScriptedHost.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test_support::ScriptedHost;

class EntryWindow : public ui::Window {
public:
    explicit EntryWindow(ui::Host& host) : ui::Window(host, "EntryWindow") {
        add(Text1, "Text1");
        add(Combo1, "Combo1");
    }
    ui::TextBox Text1;
    ui::ComboBox Combo1;
};

enum class Entry { OneLine, MultiLine, Combo };

struct PasteRow {
    std::string What;
    Entry Into;
    std::string Before;
    int SelStart, SelLength;
    int MaxLength;
    std::string Clipboard;
    std::string After;
    int AfterSelLength; // the selection left: kept when nothing was pasted, else none
};

} // namespace

TEST(UiPasteRule, EveryEntryPastesByOneRule) {
    using namespace std::string_literals;
    const std::string big(2'000'000, 'a');
    const std::vector<PasteRow> rows{
        {"a picture only: the selection stays", Entry::OneLine, "New", 0, 3, 0, "", "New", 3},
        {"a picture only, code box", Entry::MultiLine, "r+g", 0, 3, 0, "", "r+g", 3},
        {"a picture only, combo box", Entry::Combo, "/home", 0, 5, 0, "", "/home", 5},
        {"a NUL ends the text", Entry::MultiLine, "old", 0, 3, 0, "ab\0cd"s, "ab", 0},
        {"a NUL ends the text, combo box", Entry::Combo, "x", 0, 1, 0, "a\0b"s, "a", 0},
        {"one line takes the first", Entry::OneLine, "ab", 1, 1, 0, "Erste\nZweite", "aErste", 0},
        {"one line takes the first, combo box", Entry::Combo, "", 0, 0, 0, "two\r\nlines.bmp", "two", 0},
        {"multi-line ends lines in CR LF", Entry::MultiLine, "", 0, 0, 0, "r+\n10\r\n\rx", "r+\r\n10\r\n\r\nx", 0},
        {"MaxLength takes what fits, the text after stays", Entry::OneLine, "abcd", 1, 2, 5, "XYZW", "aXYZd", 0},
        {"MaxLength full: nothing goes in", Entry::OneLine, "abcde", 5, 0, 5, "XY", "abcde", 0},
        {"no MaxLength keeps the whole paste", Entry::MultiLine, "", 0, 0, 0, big, big, 0},
    };
    for (const PasteRow& row : rows) {
        SCOPED_TRACE(row.What);
        ScriptedHost host;
        EntryWindow w(host);
        w.Show();
        host.clipboard = row.Clipboard;
        if (row.Into == Entry::Combo) {
            w.Combo1.Text = row.Before;
            w.Combo1.SetFocus();
            w.Combo1.user_set_caret(row.SelStart, false);
            w.Combo1.user_set_caret(row.SelStart + row.SelLength, true);
            w.user_key_down('V', ui::vbCtrlMask);
            EXPECT_EQ(w.Combo1.Text.get(), row.After);
            EXPECT_EQ(w.Combo1.SelLength.get(), row.AfterSelLength);
        } else {
            w.Text1.MultiLine = row.Into == Entry::MultiLine;
            w.Text1.MaxLength = row.MaxLength;
            w.Text1.Text = row.Before;
            w.Text1.SelStart = row.SelStart;
            w.Text1.SelLength = row.SelLength;
            w.Text1.user_paste(host.ClipboardText());
            EXPECT_EQ(w.Text1.Text.get().size(), row.After.size());
            EXPECT_TRUE(w.Text1.Text.get() == row.After) << "[" << w.Text1.Text.get().substr(0, 40) << "]";
            EXPECT_EQ(w.Text1.SelLength.get(), row.AfterSelLength);
        }
    }
}
