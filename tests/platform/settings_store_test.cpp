// The settings store: byte-exact values, keys matched without regard to case, deletions, atomic
// writes, and files written or damaged by hand.
#include "platform/fs/files.hpp"
#include "platform/settings/settings.hpp"
#include "tests/support/fs_errors.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

using test_support::error_number_of;
using test_support::read_file;
using test_support::TempDir;

namespace {

const std::string App = "Vexo10";

} // namespace

TEST(SettingsStore, ValuesRoundTripByteExactlyThroughANewStoreOnTheSameFile) {
    TempDir dir("settings");
    auto file = dir / "settings.ini";
    const std::vector<std::string> values = {
        " 1",
        "1",
        "",
        "a=b=c",
        "; not a comment",
        "\"quoted\"",
        "C:\\Programs\\Vexo\\",
        "\\\"",
        "  both ends  ",
        "line1\r\nline2\rline3\nend",
        "-*.8bf;*._bf",
        std::string("nul\0byte\x01\x7F", 10),
        "caf\xE9 \xA9 1999",
        "[Vexo10\\Settings]",
        "tab\there\t",
        "#hash",
        "\\x41 is not A",
    };
    {
        settings::Store store(file);
        for (size_t i = 0; i < values.size(); ++i)
            store.SaveSetting(App, "Settings", "Key" + std::to_string(i), values[i]);
    }
    settings::Store again(file);
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(again.GetSetting(App, "Settings", "Key" + std::to_string(i)), values[i]) << "value " << i;
    auto all = again.GetAllSettings(App, "Settings");
    ASSERT_EQ(all.size(), values.size());
    EXPECT_EQ(all[0], (std::pair<std::string, std::string>{"Key0", " 1"}));
}

TEST(SettingsStore, KeysWithBlanksDotsOrDigitsMatchWithoutRegardToCaseAndKeepTheirFirstCase) {
    TempDir dir("settings");
    auto file = dir / "settings.ini";
    {
        settings::Store store(file);
        store.SaveSetting(App, "Settings", "AutoAdd 0", " 1");
        store.SaveSetting(App, "Settings", "FFL1.0", "1");
        store.SaveSetting(App, "Folders", "0", "/home/user/Plugins");
        store.SaveSetting("VEXO10", "settings", "autoadd 0", " 0");
        store.SaveSetting(App, "Settings", "Key=With\"Odd\\Chars ", "x");
        store.SaveSetting(App, "Settings", " lead", "y");
    }
    settings::Store store(file);
    EXPECT_EQ(store.GetSetting(App, "Settings", "AUTOADD 0"), " 0");
    EXPECT_EQ(store.GetSetting("vexo10", "SETTINGS", "ffl1.0"), "1");
    EXPECT_EQ(store.GetSetting(App, "Folders", "0"), "/home/user/Plugins");
    EXPECT_EQ(store.GetSetting(App, "Settings", "key=with\"odd\\chars "), "x");
    EXPECT_EQ(store.GetSetting(App, "Settings", " lead"), "y");
    EXPECT_EQ(store.GetSetting(App, "Settings", "lead"), "");
    EXPECT_EQ(store.GetSetting(App, "Settings", "AutoAdd0"), "") << "the blank is part of the key";

    std::string text = read_file(file);
    EXPECT_EQ(text.rfind("; Vexolan settings.", 0), 0u);
    EXPECT_NE(text.find("[Vexo10\\Settings]\n"), std::string::npos);
    EXPECT_NE(text.find("AutoAdd 0=\" 0\"\n"), std::string::npos);
    EXPECT_EQ(text.find("VEXO10"), std::string::npos);
    EXPECT_EQ(text.find("autoadd"), std::string::npos);
}

TEST(SettingsStore, MissingKeysReadAsEmptyOrTheDefaultAndDeletingThemDoesNothing) {
    TempDir dir("settings");
    auto file = dir / "sub/settings.ini";
    settings::Store store(file);
    EXPECT_EQ(store.GetSetting(App, "Settings", "Interface"), "");
    EXPECT_EQ(store.GetSetting(App, "Options", "Show Tips at Startup", "1"), "1");
    store.DeleteSetting(App, "Settings", "Pic0");
    store.DeleteSection(App, "Nothing");
    EXPECT_FALSE(std::filesystem::exists(file)) << "nothing to write";

    store.SaveSetting(App, "Settings", "Pic0", "/pics/a.jpg");
    store.SaveSetting(App, "Settings", "Pic1", "/pics/b.jpg");
    std::string before = read_file(file);
    store.DeleteSetting(App, "Settings", "Pic7");
    EXPECT_EQ(read_file(file), before);
    store.DeleteSetting(App, "settings", "PIC0");
    EXPECT_EQ(settings::Store(file).GetSetting(App, "Settings", "Pic0"), "");
    EXPECT_EQ(settings::Store(file).GetSetting(App, "Settings", "Pic1"), "/pics/b.jpg");
    store.DeleteSetting(App, "Settings", "Pic1");
    EXPECT_TRUE(settings::Store(file).GetAllSettings(App, "Settings").empty());
}

TEST(SettingsStore, AWriteInterruptedBeforeTheRenameLeavesTheOldFileWhole) {
    TempDir dir("settings");
    auto file = dir / "settings.ini";
    settings::Store store(file);
    store.SaveSetting(App, "Settings", "Width", "800");
    std::string before = read_file(file);

    files::FaultScope faults;
    files::inject_fault(files::Op::Rename, file, EIO, 1);
    EXPECT_NE(error_number_of([&] { store.SaveSetting(App, "Settings", "Height", "600"); }), 0);
    EXPECT_EQ(read_file(file), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // The value kept in memory goes out with the next write.
    store.SaveSetting(App, "Settings", "Left", "10");
    settings::Store again(file);
    EXPECT_EQ(again.GetSetting(App, "Settings", "Height"), "600");
    EXPECT_EQ(again.GetSetting(App, "Settings", "Width"), "800");
}

TEST(SettingsStore, ReadsHandEditedFilesAndKeepsWhatItDoesNotUnderstand) {
    TempDir dir("settings");
    auto file = dir.write("settings.ini", "; my notes\r\n"
                                          "[Vexo10\\Settings]\r\n"
                                          "  Width = 1024  \r\n"
                                          "Height=\"768\" trailing junk\r\n"
                                          "this line has no equals sign\r\n"
                                          "Unterminated=\"abc\r\n"
                                          "Width=999\r\n"
                                          "[Other App]\n"
                                          "k=v\n");
    settings::Store store(file);
    EXPECT_EQ(store.GetSetting(App, "Settings", "Width"), "1024");
    EXPECT_EQ(store.GetSetting(App, "Settings", "Height"), "768");
    EXPECT_EQ(store.GetSetting(App, "Settings", "Unterminated"), "abc");
    EXPECT_EQ(store.GetAllSettings("Other App", "").size(), 1u);

    store.SaveSetting(App, "Settings", "Maximize", "False");
    std::string text = read_file(file);
    EXPECT_EQ(text.rfind("; my notes\n", 0), 0u);
    EXPECT_NE(text.find("this line has no equals sign\n"), std::string::npos);
    EXPECT_NE(text.find("[Other App]\nk=\"v\"\n"), std::string::npos);
    settings::Store again(file);
    EXPECT_EQ(again.GetSetting(App, "Settings", "Width"), "1024");
    EXPECT_EQ(again.GetSetting(App, "Settings", "Maximize"), "False");
}

TEST(SettingsStore, AnUnreadableFileIsMovedAsideNeverOverwritten) {
    TempDir dir("settings");
    auto file = dir.write("settings.ini", "[Vexo10\\Settings]\nWidth=\"800\"\n");
    files::FaultScope faults;
    files::inject_fault(files::Op::Read, file, EIO);
    settings::Store store(file);
    EXPECT_EQ(store.GetSetting(App, "Settings", "Width"), "");
    store.SaveSetting(App, "Settings", "Height", "600");
    files::clear_faults();
    EXPECT_EQ(read_file(dir / "settings.ini.unreadable"), "[Vexo10\\Settings]\nWidth=\"800\"\n");
    EXPECT_EQ(settings::Store(file).GetSetting(App, "Settings", "Height"), "600");
}

TEST(SettingsStore, SeesWhatAnotherStoreWroteToTheSameFile) {
    TempDir dir("settings");
    auto file = dir / "settings.ini";
    settings::Store first(file);
    settings::Store second(file);
    first.SaveSetting(App, "Folders", "Folder1", "/a");
    second.SaveSetting(App, "Folders", "Folder2", "/b");
    EXPECT_EQ(first.GetSetting(App, "Folders", "Folder2"), "/b");
    EXPECT_EQ(settings::Store(file).GetSetting(App, "Folders", "Folder1"), "/a");
}

TEST(SettingsStore, RefusesNamesItCouldNotWriteBack) {
    TempDir dir("settings");
    settings::Store store(dir / "settings.ini");
    EXPECT_EQ(error_number_of([&] { store.SaveSetting(App, "Settings", "", "x"); }), 5);
    EXPECT_EQ(error_number_of([&] { store.SaveSetting("", "Settings", "k", "x"); }), 5);
    EXPECT_EQ(error_number_of([&] { store.SaveSetting(App, "Set\ntings", "k", "x"); }), 5);
    EXPECT_EQ(error_number_of([&] { store.SaveSetting("A\\B", "Settings", "k", "x"); }), 5);
    store.SaveSetting(App, "Settings\\Sub", "k", "nested");
    EXPECT_EQ(settings::Store(dir / "settings.ini").GetSetting(App, "settings\\sub", "K"), "nested");
}

TEST(SettingsStore, LivesUnderTheUsersConfigFolderByDefault) {
    EXPECT_EQ(settings::default_path(), std::string(std::getenv("XDG_CONFIG_HOME")) + "/Vexo10/settings.ini");
    settings::Store store;
    store.SaveSetting(App, "Settings", "Interface", "Interfc4.des");
    EXPECT_TRUE(std::filesystem::exists(settings::default_path()));
    std::filesystem::remove(settings::default_path());
}
