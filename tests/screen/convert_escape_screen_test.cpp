// Esc held down on a real keyboard during a long batch conversion: the conversion stops at the next
// file after the key went down, the files written so far stay whole, and the status line is cleared.
#include "filterfactory/conversion.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/text_source.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <chrono>

using namespace vexolan;
using test_support::Driver;

namespace {

struct ConvertEscapeScreen : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir source{"source"};
    test_support::TempDir target{"target"};
    std::string startFolder = files::CurDir();
    files::FaultScope faults;

    ~ConvertEscapeScreen() override { files::ChDir(startFolder); }
};

// Milliseconds since the epoch, as `date +%s%3N` prints them.
long long now_ms() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

TEST_F(ConvertEscapeScreen, EscHeldDownStopsTheConversionAtTheNextFile) {
    constexpr int Files = 40, DelayMs = 250;
    for (int i = 0; i < Files; ++i) {
        ff::FilterRecord r = ff_synth::TwirlRecord();
        r.Title = "Filter " + std::to_string(i);
        r.Filename = "f" + std::to_string(100 + i) + ".8bf";
        source.write("f" + std::to_string(100 + i) + ".txt", ff::TextSourceBytes(r, nullptr));
    }
    app.form2().Check4.Value = ui::vbChecked; // no target-folder dialog: the other pane's folder
    f.Dir1[0].Path = source.path().string();
    f.Dir1[1].Path = target.path().string();
    f.Caption = "Vexolan 1.52 - Light Edition";
    f.Show();
    f.mnuFileViewMode_Click(3);
    f.Switchit(0);
    auto& items = f.ListView1[0].ListItems;
    int listed = 0;
    for (int i = 1; i <= items.Count(); ++i) {
        const bool source_file = items(i).Text.get().ends_with(".txt");
        items(i).Selected = source_file;
        listed += source_file ? 1 : 0;
    }
    ASSERT_EQ(listed, Files);
    // Reading each source takes a quarter of a second longer: the whole batch would last ten seconds,
    // and every file takes longer than the time between two questions for Esc.
    files::inject_delay(files::Op::Read, source.path(), DelayMs);

    const std::filesystem::path pressed = root.path() / "pressed";
    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        sleep 1.5
        xdotool keydown Escape
        date +%s%3N > ')" + pressed.string() + R"('
        sleep 2
        xdotool keyup Escape
    )");
    const auto started = std::chrono::steady_clock::now();
    cmd_Convert(app, ff::DestText);
    const long long stopped = now_ms();
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    user.finish();

    ASSERT_TRUE(std::filesystem::exists(pressed));
    const long long down = std::stoll(test_support::read_file(pressed));
    // Stopped at the next file: within one file's delay (and one question's wait) of the key going
    // down, with room for a loaded machine; the whole batch would have taken ten seconds.
    EXPECT_LT(stopped - down, DelayMs + 25 + 1500) << "the conversion ran on after Esc went down";
    EXPECT_LT(took, 6.0);

    // The files written before Esc stay, each whole; the rest were never started.
    int written = 0;
    for (int i = 0; i < Files; ++i) {
        const std::string name = "f" + std::to_string(100 + i) + ".txt";
        if (!std::filesystem::exists(target / name)) continue;
        ++written;
        EXPECT_EQ(test_support::read_file(target / name), test_support::read_file(source / name)) << name;
    }
    EXPECT_GT(written, 0);
    EXPECT_LT(written, Files);
    for (const auto& e : std::filesystem::directory_iterator(target.path()))
        EXPECT_EQ(e.path().extension(), ".txt") << "no temporary file stays: " << e.path();
    EXPECT_EQ(f.Label3.Caption.get(), "");
    EXPECT_EQ(f.Label4.Caption.get(), "");
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
}
