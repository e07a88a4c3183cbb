// The drives a user's plug-ins live on besides the home folder, each made and mounted inside the
// test: an NTFS partition shared with Windows (ntfs-3g), and a memory card or USB stick as exFAT
// (exfat-fuse) or FAT (fusefat). None has unnamed temporary files or renames that refuse to replace;
// exFAT and FAT have no hard links either, and fold letter case. Every write lands whole there, and
// two spellings of one folder are one folder.

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/saving.hpp"
#include "filemanager/copy_move.hpp"
#include "filemanager/folders.hpp"
#include "filterfactory/Convert.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/conversion.hpp"
#include "filterfactory/library.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/text_source.hpp"
#include "preferences/Form2.hpp"
#include "tests/filemanager/file_view_fixture.hpp"
#include "tests/support/afs_samples.hpp"
#include "tests/support/editor_support.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/ff_synth.hpp"
#include "tests/support/mounted_drive.hpp"

#include <gtest/gtest.h>

#include <map>

using namespace vexolan;
using test_support::DriveKind;

namespace {

// Every name in a folder, hidden ones included: a temporary file left behind shows here.
std::vector<std::string> everything_in(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct DriveTest : test_support::FileViewTest, ::testing::WithParamInterface<DriveKind> {
    files::FaultScope faults;
    test_support::TempDir scratch{"drive"};
    test_support::MountedDrive drive{GetParam(), scratch.path()};

    DriveTest() {
        ff::WriteStandInTemplates(appFolder.string());
        app.form2().List1[0].Clear();
        app.form2().Check4.Value = ui::vbChecked; // "Suppress the Select Folder dialog"
        app.convertDialog().Load();
    }

    void write_on_drive(const std::string& path, const std::string& bytes) const {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr) << path;
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    // The files of a folder with their bytes.
    static std::map<std::string, std::string> contents(const std::string& folder) {
        std::map<std::string, std::string> out;
        for (const auto& name : everything_in(folder))
            out[name] = test_support::read_file(std::filesystem::path(folder) / name);
        return out;
    }
    // The message that refuses a copy or move into the folder it comes from.
    void expect_identical_folder_message() {
        host.answer_msgbox(ui::vbOK,
                           std::string("The source folder is identical to the destination folder!") + "\r\n" +
                               "Please select a different folder.",
                           ui::vbExclamation);
    }
};

// The drives that fold letter case: exFAT and FAT.
struct CaseFoldingDriveTest : DriveTest {};

} // namespace

TEST_P(DriveTest, ConvertToTextSettingsFileAndPluginWritesEveryFile) {
    if (!drive.mounted()) GTEST_SKIP() << drive.why();
    std::vector<std::string> names;
    for (const auto& name : test_support::WriteAfsSamples(left.path()))
        names.push_back(name);
    for (int i = 0; i < 3; ++i) {
        ff::FilterRecord r = ff_synth::TwirlRecord();
        r.Filename = "twirl" + std::to_string(i) + ".8bf";
        r.Title = "Twirl " + std::to_string(i);
        left.write("twirl" + std::to_string(i) + ".txt", ff::TextSourceBytes(r, nullptr));
        names.push_back("twirl" + std::to_string(i) + ".txt");
    }
    left.write("synth.8bf", ff_synth::MakePlugin(ff_synth::Layout::Pc57344, ff_synth::DistinctFields()));
    names.push_back("synth.8bf");

    for (int DestType : {int(ff::DestText), int(ff::DestAFS), int(ff::DestPlugin)}) {
        SCOPED_TRACE(DestType);
        const std::string out = drive.folder("out" + std::to_string(DestType));
        // The title of every filter, by the file it should land in.
        std::map<std::string, std::string> want;
        for (const auto& name : names) {
            ff::FFContext ff;
            if (!ff::ReadFFfile(ff, folder(left, name))) continue;
            want[ff::GetFilname(DestType, ff.Record.Filename)] = ff.Record.Title;
        }
        ASSERT_GE(want.size(), 10u);
        open_folder(0, folder(left));
        open_folder(1, out);
        f.Switchit(0);
        select_items(0, names);

        cmd_Convert(app, DestType);

        std::vector<std::string> wantNames;
        for (const auto& [name, title] : want)
            wantNames.push_back(name);
        EXPECT_EQ(everything_in(out), wantNames);
        for (const auto& [name, title] : want) {
            ff::FFContext back;
            EXPECT_TRUE(ff::ReadFFfile(back, files::join_path(out, name))) << name;
            if (DestType != ff::DestAFS) {
                EXPECT_EQ(back.Record.Title, title) << name;
            }
        }
    }
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_P(DriveTest, SaveFilterWritesThePluginTheSettingsFileAndTheText) {
    if (!drive.mounted()) GTEST_SKIP() << drive.why();
    test_support::prepare_editor_folder(app);
    test_support::choose_skinned_editor(app);
    FFEditorType1& e = app.EditorForm();
    const std::string out = drive.folder("saved");
    f.Dir1[0].Path = out;
    f.File1[0].Path = out;
    f.Switchit(0);
    e.Load();
    e.Label6[0].Caption = "Saved";
    e.Label6[2].Caption = "Saved Filter";
    for (int format : {0, 2, 4})
        SaveFilterAs(app, format);

    EXPECT_EQ(everything_in(out), (std::vector<std::string>{"Saved.8bf", "Saved.afs", "Saved.txt"}));
    for (const char* name : {"Saved.8bf", "Saved.afs", "Saved.txt"}) {
        ff::FFContext back;
        EXPECT_TRUE(ff::ReadFFfile(back, files::join_path(out, name))) << name;
    }
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_P(CaseFoldingDriveTest, CopyAndMoveBetweenTwoSpellingsOfOneFolderAreRefusedWithEveryFileWhole) {
    if (!drive.mounted()) GTEST_SKIP() << drive.why();
    const std::string upper = files::join_path(drive.top(), "Filters"),
                      lower = files::join_path(drive.top(), "filters");
    write_on_drive(upper + "/a.afs", "%RGB-1.0\r1\r2\r3\r4\r5\r6\r7\r8\r");
    write_on_drive(upper + "/b.txt", "R: r\r\nG: g\r\nB: b\r\n");
    const auto before = contents(upper);
    open_folder(0, upper);
    open_folder(1, lower);
    f.Switchit(0);

    select_items(0, {"a.afs", "b.txt"});
    expect_identical_folder_message();
    cmd_CopyFiles(app);
    EXPECT_EQ(contents(upper), before);

    select_items(0, {"a.afs", "b.txt"});
    expect_identical_folder_message();
    cmd_MoveFiles(app, "");
    EXPECT_EQ(contents(upper), before);
    EXPECT_EQ(everything_in(drive.top()), (std::vector<std::string>{"Filters"}));
}

TEST_P(CaseFoldingDriveTest, MoveFolderIntoItsOwnOtherSpellingIsRefusedBeforeItsQuestion) {
    if (!drive.mounted()) GTEST_SKIP() << drive.why();
    const std::string parent = files::join_path(drive.top(), "P");
    write_on_drive(parent + "/Sub/x.afs", "%RGB-1.0\r1\r2\r3\r4\r5\r6\r7\r8\r");
    write_on_drive(parent + "/Sub/deeper/y.txt", "y");
    open_folder(0, parent);
    open_folder(1, parent + "/sub");
    f.Switchit(0);
    select_items(0, {" Sub"});
    host.answer_msgbox(ui::vbOK,
                       "The folder " + parent + "/Sub cannot be moved into itself or into one of its own sub-folders.",
                       ui::vbExclamation, "Move Folder");
    cmd_MoveDir(app, "");

    EXPECT_EQ(everything_in(parent), (std::vector<std::string>{"Sub"}));
    EXPECT_EQ(everything_in(parent + "/Sub"), (std::vector<std::string>{"deeper", "x.afs"}));
    EXPECT_EQ(test_support::read_file(parent + "/Sub/x.afs"), "%RGB-1.0\r1\r2\r3\r4\r5\r6\r7\r8\r");
    EXPECT_EQ(test_support::read_file(parent + "/Sub/deeper/y.txt"), "y");
}

std::string drive_param_name(const ::testing::TestParamInfo<DriveKind>& info) {
    return test_support::drive_name(info.param);
}

INSTANTIATE_TEST_SUITE_P(Drives, DriveTest, ::testing::Values(DriveKind::Ntfs, DriveKind::Exfat, DriveKind::Fat),
                         drive_param_name);
INSTANTIATE_TEST_SUITE_P(Drives, CaseFoldingDriveTest, ::testing::Values(DriveKind::Exfat, DriveKind::Fat),
                         drive_param_name);
