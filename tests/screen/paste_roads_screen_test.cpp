// What another program put on the clipboard, pasted on a real screen into every kind of entry and
// into the picture editor: 2,000,000 letters arrive whole (the transfer comes in parts), a NUL ends
// the text and nothing loops afterwards, a clipboard holding only a picture leaves a selected text
// as it was, one-line entries that are no controls of the model take the first line, and a 2 MB
// picture reaches the picture editor by Edit > Paste and by Ctrl+V. Checked on the model, the
// disk and the display's events.

#include "imaging/PicView.hpp"
#include "platform/imgman/codecs.hpp"
#include "platform/imgman/images.hpp"
#include "preferences/frmDownload.hpp"
#include "shell/Form3.hpp"
#include "tests/screen/editor_screen.hpp"
#include "tests/screen/paste_support.hpp"
#include "tests/support/pictures.hpp"

#include <FL/Fl.H>
#include <FL/x.H>

#include <random>

using namespace vexolan;
using test_support::Driver;
using test_support::ForeignSelection;
using test_support::ModelWatch;
using test_support::wait_ready;

namespace {

const std::size_t BigText = 2'000'000;

// A PNG of noise, which no compression makes small: about 3 bytes a pixel.
std::string noise_png(int width, int height) {
    imgman::Image image;
    image.width = width;
    image.height = height;
    image.rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    std::mt19937 random(7);
    for (std::size_t i = 0; i < image.rgba.size(); ++i)
        image.rgba[i] = (i % 4 == 3) ? 255 : static_cast<std::uint8_t>(random());
    std::string error;
    auto bytes = imgman::encode_png(image, error);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// Counts the display's caption changes of the program's windows.
struct CaptionChanges {
    int count = 0;
    static int look(void* event, void* self) {
        auto* e = static_cast<XEvent*>(event);
        static const Atom netName = XInternAtom(fl_display, "_NET_WM_NAME", False);
        if (e->type == PropertyNotify && (e->xproperty.atom == XA_WM_NAME || e->xproperty.atom == netName))
            ++static_cast<CaptionChanges*>(self)->count;
        return 0;
    }
    CaptionChanges() { Fl::add_system_handler(look, this); }
    ~CaptionChanges() { Fl::remove_system_handler(look); }
};

struct PasteRoadsScreen : test_support::EditorScreenTest {
    test_support::TempDir data{"roads"};

    PasteRoadsScreen() {
        data.write("amount.txt", "Category: Screen\r\nTitle: Amount\r\nR:r\r\nG:g\r\nB:b\r\nA:a\r\n");
        data.write("x.bmp", test_support::bmp_file(8, 8, 24));
        list_folder(data.path());
    }
    // Clicks into the editor's red code box and pastes over its whole text.
    std::string paste_into_code_box(const ui::TextBox& code) {
        return "id=$(find_window '^Filter Factory Editor')\nfocus \"$id\"\nxdotool mousemove --window \"$id\" " +
               std::to_string(code.Left / 15 + 20) + " " + std::to_string(code.Top / 15 + 10) +
               " click 1\nxdotool key ctrl+a ctrl+v\n";
    }
};

} // namespace

TEST_F(PasteRoadsScreen, CreateFolderTakesTwoMillionLettersAndKeepsItsTextWhenOnlyAPictureIsThere) {
    NEED_XCLIP();
    f.Show();
    f.mnuFileViewMode_Click(3);
    f.Switchit(0);
    Form3& box = app.form3();
    struct Row {
        std::string What, Bytes, Type;
        std::string Entry; // what the box holds after Ctrl+V
        int Selected;      // and the length of its selection
    };
    const std::vector<Row> rows{
        {"2,000,000 letters", std::string(BigText, 'a'), "", std::string(BigText, 'a'), 0},
        {"only a picture", test_support::png_file(16, 16), "image/png", "New", 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.What);
        ForeignSelection owner(*this, "clipboard", row.Bytes, row.Type);
        // The script says when the paste has had its time; the watch then looks at the box.
        std::string held;
        int selected = -1;
        ModelWatch watch(
            [&] {
                if (!std::filesystem::exists(root / "look")) return false;
                held = box.Text1.Text.get();
                selected = box.Text1.SelLength.get();
                return true;
            },
            root / "ready");
        std::filesystem::remove(root / "look");
        Driver user(*this, "id=$(find_window '^Vexolan 1.52')\nfocus \"$id\"\nxdotool key shift+F7\n"
                           "box=$(find_window '^Vexolan - Input$')\nfocus \"$box\"\nxdotool key ctrl+a ctrl+v\n"
                           "sleep 2\ntouch '" +
                               (root / "look").string() + "'\n" + wait_ready(watch.ready) +
                               "xdotool key Escape\ngone '^Vexolan - Input$'\n");
        user.finish();
        EXPECT_EQ(held.size(), row.Entry.size());
        EXPECT_TRUE(held == row.Entry) << "[" << held.substr(0, 20) << "]";
        EXPECT_EQ(selected, row.Selected);
    }
}

TEST_F(PasteRoadsScreen, ACodeBoxTakesTwoMillionLettersAndANulEndsThePasteWithNothingLoopingAfter) {
    NEED_XCLIP();
    f.Show();
    f.Switchit(0);
    ASSERT_NO_FATAL_FAILURE(open_in_editor("amount.txt"));
    ui::TextBox& code = e.Text5[1]; // the red channel's formula
    code.Visible = true;
    {
        ForeignSelection owner(*this, "clipboard", std::string(BigText, 'a'));
        code.Text = "old";
        Driver user(*this, paste_into_code_box(code));
        user.finish();
        EXPECT_TRUE(pump_until([&] { return code.Text.get().size() == BigText; }, 10)) << code.Text.get().size();
    }
    {
        ForeignSelection owner(*this, "clipboard", std::string("ab\0cd", 5));
        code.Text = "old";
        Driver user(*this, paste_into_code_box(code));
        user.finish();
        EXPECT_TRUE(pump_until([&] { return code.Text.get() == "ab"; }, 5)) << "[" << code.Text.get() << "]";
    }
    // Whatever a caption holds, the screen's caption is set once and the program comes to rest.
    e.Caption = std::string("Problem \0 here", 14);
    CaptionChanges changes;
    pump_until([] { return false; }, 1.5);
    EXPECT_LE(changes.count, 3) << "the caption is set again and again";
    EXPECT_STREQ(host.screen_window(e)->label(), "Problem ");
}

TEST_F(PasteRoadsScreen, AComboBoxKeepsItsSelectedTextWhenOnlyAPictureIsThere) {
    NEED_XCLIP();
    f.Show();
    f.mnuFileViewMode_Click(3);
    ui::ComboBox& combo = f.Combo1[0]; // the left pane's file-type filter, an editable combo box
    ASSERT_NE(combo.Style.get(), ui::vbComboDropdownList);
    combo.Text = "*.bmp";
    ForeignSelection owner(*this, "clipboard", test_support::png_file(16, 16), "image/png");
    int x = 0, y = 0;
    std::istringstream(test_support::middle_of(combo)) >> x >> y;
    Driver user(*this, "id=$(find_window '^Vexolan 1.52')\nfocus \"$id\"\nxdotool mousemove --window \"$id\" " +
                           std::to_string(x - 20) + " " + std::to_string(y + host.MenuHeight()) +
                           " click 1\nxdotool key ctrl+a ctrl+v\nsleep 1.5\n");
    user.finish();
    pump_until([] { return false; }, 0.5);
    EXPECT_EQ(combo.Text.get(), "*.bmp");
    EXPECT_EQ(combo.SelLength.get(), 5);
}

TEST_F(PasteRoadsScreen, TheInPlaceRenameAndTheLinkListsBoxTakeTheFirstLineOfTwo) {
    NEED_XCLIP();
    f.Show();
    f.mnuFileViewMode_Click(3);
    f.Switchit(0);
    {
        ForeignSelection owner(*this, "clipboard", "renamed.bmp\nsecond line");
        const int row = test_support::report_row_of(f.ListView1[0], "x.bmp");
        ASSERT_GT(row, 0);
        Driver user(*this, "id=$(find_window '^Vexolan 1.52')\nfocus \"$id\"\nxdotool mousemove --window \"$id\" " +
                               test_support::report_row_point(host, f.ListView1[0], row) +
                               " click 1\nsleep 0.3\nxdotool key F2\nsleep 0.5\nxdotool key ctrl+v\nsleep 1\n"
                               "xdotool key Return\n");
        user.finish();
        EXPECT_TRUE(pump_until([&] { return std::filesystem::exists(data / "renamed.bmp"); }, 5));
        EXPECT_FALSE(std::filesystem::exists(data / "x.bmp"));
    }
    {
        ForeignSelection owner(*this, "clipboard", "https://example.org/a\nsecond line");
        frmDownload& links = app.linkListWindow();
        links.Show();
        const std::size_t before = links.LinkURLs.size();
        Driver user(*this, "id=$(find_window '^FX Download$')\nfocus \"$id\"\nxdotool key ctrl+a\n"
                           "box=$(find_window '^Add item name$')\nfocus \"$box\"\nxdotool key ctrl+v\nsleep 1\n"
                           "xdotool key Return\ngone '^Add item name$'\n"
                           "box=$(find_window '^Add item URL$')\nfocus \"$box\"\nxdotool key ctrl+v\nsleep 1\n"
                           "xdotool key Return\ngone '^Add item URL$'\n");
        user.finish();
        ASSERT_TRUE(pump_until([&] { return links.LinkURLs.size() == before + 1; }, 5));
        EXPECT_EQ(links.LinkURLs.back(), "https://example.org/a");
        EXPECT_EQ(links.LinkNames.back(), "https://example.org/a");
        links.LinksChanged = false; // closing asks no question
    }
}

TEST_F(PasteRoadsScreen, APictureOfTwoMegabytesReachesThePictureEditorByEditPasteAndByCtrlV) {
    NEED_XCLIP();
    PicView& editor = app.picView();
    editor.Show();
    struct Row {
        std::string How;
        int Width, Height;
        std::string Keys;
    };
    // The menu drops down and its entry is chosen with the keys a user presses.
    std::string paste = "xdotool key alt+e\nsleep 0.4\nxdotool key";
    for (ui::Menu* m : editor.mnuEdit.PresentItems()) {
        if (m->IsSeparator() || !m->Enabled) continue;
        paste += " Down";
        if (m == &editor.mnuPaste) break;
    }
    paste += " Return\n";
    const std::vector<Row> rows{{"Edit > Paste", 840, 800, paste}, {"Ctrl+V", 800, 840, "xdotool key ctrl+v\n"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.How);
        const std::string png = noise_png(row.Width, row.Height);
        ASSERT_GT(png.size(), 2'000'000u);
        ForeignSelection owner(*this, "clipboard", png, "image/png");
        Driver user(*this, "pic=$(find_window '^Picture Editor')\nfocus \"$pic\"\n" + row.Keys);
        user.finish();
        auto size = [&] {
            const imgman::Image* image = imgman::image_of(app.PicImage);
            return image ? std::to_string(image->width) + "x" + std::to_string(image->height) : std::string("none");
        };
        EXPECT_TRUE(
            pump_until([&] { return size() == std::to_string(row.Width) + "x" + std::to_string(row.Height); }, 10))
            << size();
    }
    // Closing the window asks whether to save the pasted picture: No.
    Driver user(*this, "dlg=$(find_window '^Vexolan$')\nfocus \"$dlg\"\nxdotool key n\n");
    editor.user_close();
    user.finish();
    EXPECT_FALSE(editor.Loaded());
}
