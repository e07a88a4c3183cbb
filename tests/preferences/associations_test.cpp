// "Set Associations": the desktop entry, the file types and the default programs written under a
// temporary $XDG_DATA_HOME, checked byte for byte and through the desktop's own xdg-mime.

#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "tests/support/app_fixture.hpp"

#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace vexolan;
using test_support::AppTest;
using test_support::TempDir;

namespace {

constexpr std::string_view AllTypes =
    "application/x-8bf;application/x-prm;application/x-ffl;application/x-afs;application/x-pff;";

struct AssociationTest : AppTest {
    TempDir data{"data"};
    std::string oldDataHome;
    Form2& f = app.form2();

    AssociationTest() {
        const char* old = std::getenv("XDG_DATA_HOME");
        oldDataHome = old ? old : "";
        setenv("XDG_DATA_HOME", data.path().c_str(), 1);
    }
    ~AssociationTest() override { setenv("XDG_DATA_HOME", oldDataHome.c_str(), 1); }

    std::string read(std::string_view relative) { return files::read_file_bytes(data.path() / relative); }
    bool exists(std::string_view relative) { return std::filesystem::exists(data.path() / relative); }
    // What the desktop's own tool answers.
    static std::string xdg_mime(const std::vector<std::string>& args) {
        std::vector<std::string> argv{desktop::find_program("xdg-mime")};
        argv.insert(argv.end(), args.begin(), args.end());
        std::string out = desktop::program_output(argv);
        while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
            out.pop_back();
        return out;
    }
    void press_set_associations(std::string_view message, int style) {
        host.answer_msgbox(ui::vbOK, std::string(message), style, "Vexolan");
        f.Command13.user_click();
    }
};

} // namespace

TEST_F(AssociationTest, OneCheckedTypeWritesTheEntryTheTypeAndItsDefault) {
    ASSERT_FALSE(desktop::find_program("xdg-mime").empty()) << "xdg-utils is needed";
    f.Check18[2].Value = ui::vbChecked; // "*.ffl"
    press_set_associations("The associations were set.", ui::vbInformation);

    EXPECT_EQ(read("applications/vexolan.desktop"),
              "[Desktop Entry]\nType=Application\nName=Vexolan\nExec=" + desktop::program_path() +
                  " %f\nTerminal=false\nMimeType=application/x-ffl;\n");
    EXPECT_EQ(read("mime/packages/vexolan-ffl.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"application/x-ffl\">\n"
              "    <comment>Filter Factory library</comment>\n"
              "    <glob pattern=\"*.ffl\"/>\n"
              "  </mime-type>\n"
              "</mime-info>\n");
    EXPECT_EQ(read("applications/mimeapps.list"), "[Default Applications]\napplication/x-ffl=vexolan.desktop;\n");
    EXPECT_FALSE(exists("mime/packages/vexolan-8bf.xml"));

    auto library = data.write("Lib One.FFL", "FFL1.0");
    EXPECT_EQ(xdg_mime({"query", "filetype", library.string()}), "application/x-ffl");
    EXPECT_EQ(xdg_mime({"query", "default", "application/x-ffl"}), "vexolan.desktop");
    EXPECT_EQ(xdg_mime({"query", "default", "application/x-8bf"}), "");
}

TEST_F(AssociationTest, EveryCheckedTypeOpensWithVexolan) {
    for (auto& box : f.Check18)
        box.Value = ui::vbChecked;
    press_set_associations("The associations were set.", ui::vbInformation);
    EXPECT_NE(read("applications/vexolan.desktop").find("\nMimeType=" + std::string(AllTypes) + "\n"),
              std::string::npos);
    const std::pair<std::string_view, std::string_view> types[] = {{"a.8bf", "application/x-8bf"},
                                                                   {"b.prm", "application/x-prm"},
                                                                   {"c.ffl", "application/x-ffl"},
                                                                   {"d.afs", "application/x-afs"},
                                                                   {"e.pff", "application/x-pff"}};
    for (auto [file, type] : types) {
        auto path = data.write(file, "x");
        EXPECT_EQ(xdg_mime({"query", "filetype", path.string()}), type) << file;
        EXPECT_EQ(xdg_mime({"query", "default", std::string(type)}), "vexolan.desktop") << type;
    }
    // Pressing again changes nothing but keeps every other program's defaults.
    files::replace_file(data.path() / "applications/mimeapps.list",
                        "[Default Applications]\ntext/plain=editor.desktop;\napplication/x-8bf=other.desktop;\n");
    press_set_associations("The associations were set.", ui::vbInformation);
    std::string list = read("applications/mimeapps.list");
    EXPECT_NE(list.find("text/plain=editor.desktop;\n"), std::string::npos) << list;
    EXPECT_EQ(list.find("other.desktop"), std::string::npos) << list;
    EXPECT_EQ(xdg_mime({"query", "default", "application/x-8bf"}), "vexolan.desktop");
}

TEST_F(AssociationTest, NoCheckedTypeWritesNothingAndSaysSo) {
    press_set_associations("The associations were set.", ui::vbInformation);
    EXPECT_FALSE(exists("applications"));
    EXPECT_FALSE(exists("mime"));
}

TEST_F(AssociationTest, AFailedWriteIsReportedAsAFailure) {
    files::FaultScope faults;
    struct Case {
        std::string_view Path;
        files::Op Operation;
    };
    const Case cases[] = {
        {"applications/vexolan.desktop", files::Op::Write},
        {"mime/packages", files::Op::Write},
        {"applications/mimeapps.list", files::Op::Rename},
    };
    f.Check18[0].Value = ui::vbChecked;
    f.Check18[4].Value = ui::vbChecked;
    for (const auto& c : cases) {
        files::clear_faults();
        files::inject_fault(c.Operation, data.path() / c.Path, ENOSPC);
        press_set_associations("The associations could not be set.", ui::vbExclamation);
    }
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
}

TEST_F(AssociationTest, WithoutTheMimeDatabaseToolTheTypesAreNotSet) {
    const char* old = std::getenv("PATH");
    std::string oldPath = old ? old : "";
    TempDir empty("nobin");
    setenv("PATH", empty.path().c_str(), 1);
    f.Check18[1].Value = ui::vbChecked;
    press_set_associations("The associations could not be set.", ui::vbExclamation);
    setenv("PATH", oldPath.c_str(), 1);
}
