// Every help page the program opens is installed with it.

#include "preferences/Form2.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(HelpPages, EveryPageTheProgramOpensIsInstalled) {
    test_support::TempDir folder{"help"};
    std::string before = files::app_folder();
    files::set_app_folder(folder.path());
    files::prepare_app_folder(VEXOLAN_APPFOLDER);

    std::vector<std::string> pages = {"Help.htm",
                                      "help/tuts/tutorials.htm",
                                      "help/menu_Help.htm",
                                      "help/menu_Command.htm",
                                      "help/buttonbar.htm",
                                      "help/buttonbar_Convert.htm",
                                      "help/buttonbar_ChangeCat.htm",
                                      "help/Prefs_PluginTypes.htm"};
    for (int tab = 1; tab <= 7; ++tab)
        pages.push_back("help/" + std::string(vexolan::Form2::HelpPage(tab)));
    for (const std::string& page : pages) {
        std::string path = files::app_path(page);
        ASSERT_TRUE(files::file_exists(path)) << page;
        std::string html = files::read_file_bytes(path);
        EXPECT_NE(html.find("<title>"), std::string::npos) << page;
        EXPECT_NE(html.find("</html>"), std::string::npos) << page;
    }
    files::set_app_folder(before);
}
