// A write through a link to a special file (a FIFO, a character device) never replaces the special
// file: every whole-file writer refuses with 75 and the file's name, nothing is renamed over it, and a
// list file that is such a link is told at exit as not written.

#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/fs_errors.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <functional>

using namespace vexolan;

namespace {

struct Special {
    const char* What;
    mode_t Type;
    // Makes the special file; false (with the reason) where this machine cannot.
    std::function<bool(const std::string& path, std::string& why)> Make;
};

const Special Specials[] = {
    {"a FIFO", S_IFIFO,
     [](const std::string& path, std::string& why) {
         if (::mkfifo(path.c_str(), 0644) == 0) return true;
         why = "mkfifo failed";
         return false;
     }},
    {"a character device", S_IFCHR,
     [](const std::string& path, std::string& why) {
         // The null device's numbers: a device node of the test's own.
         if (::geteuid() == 0 && ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) return true;
         why = "making a device needs root (mknod)";
         return false;
     }},
};

struct Write {
    const char* What;
    std::function<void(const std::string& link, const std::string& source)> Run;
};

const Write Writes[] = {
    {"replace_file", [](const std::string& link, const std::string&) { files::replace_file(link, "bytes"); }},
    {"rewrite_file", [](const std::string& link, const std::string&) { files::rewrite_file(link, "bytes"); }},
    {"write_file", [](const std::string& link, const std::string&) { files::write_file(link, "bytes"); }},
    {"write batch",
     [](const std::string& link, const std::string&) {
         files::WriteBatch batch;
         files::write_file(link, "bytes");
         batch.commit();
     }},
    {"copy_file", [](const std::string& link, const std::string& source) { files::copy_file(source, link, true); }},
    {"write_bytes_at", [](const std::string& link, const std::string&) { files::write_bytes_at(link, 0, "b"); }},
};

mode_t type_of(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

struct SpecialFilesTest : test_support::AppTest {
    files::FaultScope faults;
    test_support::TempDir dir{"special"};
};

} // namespace

TEST_F(SpecialFilesTest, AWriteThroughALinkNeverReplacesTheSpecialFileBehindIt) {
    for (const Special& special : Specials) {
        SCOPED_TRACE(special.What);
        const std::string target = (dir / "special").string(), link = (dir / "link").string();
        std::string why;
        if (!special.Make(target, why)) {
            std::printf("skipped for %s: %s\n", special.What, why.c_str());
            continue;
        }
        ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
        const std::string source = dir.write("source.bin", "source").string();
        for (const Write& w : Writes) {
            SCOPED_TRACE(w.What);
            std::string description;
            int number = 0;
            try {
                w.Run(link, source);
            } catch (const vb::Error& e) {
                number = e.number();
                description = e.description();
            }
            EXPECT_EQ(number, vb::ErrPathFileAccess);
            EXPECT_NE(description.find(target), std::string::npos) << description;
            EXPECT_EQ(type_of(target), special.Type);
            EXPECT_EQ(type_of(link), S_IFLNK);
            // Nothing was made beside it either.
            std::vector<std::string> names;
            for (const auto& e : std::filesystem::directory_iterator(dir.path()))
                names.push_back(e.path().filename().string());
            std::sort(names.begin(), names.end());
            EXPECT_EQ(names, (std::vector<std::string>{"link", "source.bin", "special"}));
        }
        std::filesystem::remove(link);
        std::filesystem::remove(target);
        std::filesystem::remove(source);
    }
}

TEST_F(SpecialFilesTest, AListFileThatIsALinkToAFifoIsToldAtExitAsNotWritten) {
    const std::string fifo = (dir / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string list = files::join_path(files::app_folder(), "FolderList.log");
    std::filesystem::remove(list);
    ASSERT_EQ(::symlink(fifo.c_str(), list.c_str()), 0);
    Form2& prefs = app.form2();
    prefs.List1[0].AddItem("/some/folder");
    host.answer_msgbox(ui::vbOK, "Vexo Error 75: Path/File access error: " + fifo + "\r\n" + list + " was not written.",
                       ui::vbExclamation);
    prefs.SaveList(list, 0, false);
    EXPECT_EQ(type_of(fifo), S_IFIFO);
    EXPECT_EQ(type_of(list), S_IFLNK);
}
