// FIFOs, sockets and devices named like plug-ins and filters: no reader of the program opens them
// for reading. A guard opens a writer on each FIFO after a bounded wait, so that a reader blocked in
// its open is set free (and the test fails) instead of hanging the suite.
#include "catalogue/readers.hpp"
#include "filterfactory/library.hpp"
#include "filterfactory/names.hpp"
#include "platform/imgman/plugin_host.hpp"
#include "tests/shell/main_window_fixture.hpp"
#include "tests/support/pe_synth.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <chrono>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace vexolan;

namespace {

// Opens a writer on each FIFO that a reader holds open, from `after` on, until stopped.
class FifoGuard {
public:
    FifoGuard(std::vector<std::string> fifos, std::chrono::milliseconds after)
        : fifos_(std::move(fifos)), thread_([this, after] {
              const auto start = std::chrono::steady_clock::now();
              while (!stop_) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
                  if (std::chrono::steady_clock::now() - start < after) continue;
                  for (const auto& f : fifos_) {
                      // Succeeds only while a reader has the FIFO open (or waits in its open).
                      const int fd = ::open(f.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                      if (fd >= 0) {
                          freed_ = true;
                          ::close(fd);
                      }
                  }
              }
          }) {}
    ~FifoGuard() { stop(); }
    void stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    bool freed() const { return freed_; }

private:
    std::vector<std::string> fifos_;
    std::atomic<bool> stop_{false}, freed_{false};
    std::thread thread_;
};

void make_socket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof addr.sun_path);
    std::copy(path.begin(), path.end(), addr.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0) << std::strerror(errno);
    ::close(fd);
}

struct SpecialFiles : test_support::MainWindowTest {
    std::vector<std::string> fifos;
    std::vector<std::string> specials; // every name that is no regular file

    SpecialFiles() {
        for (const char* name : {"pipe.8bf", "pipe.prm", "pipe.afs", "pipe.txt", "pipe.ffl", "pipe.bmp"}) {
            const std::string p = folder(name);
            EXPECT_EQ(::mkfifo(p.c_str(), 0600), 0);
            fifos.push_back(p);
            specials.push_back(name);
        }
        make_socket(folder("sock.8bf"));
        specials.push_back("sock.8bf");
        std::filesystem::create_symlink("/dev/null", data.path() / "null.8bf");
        specials.push_back("null.8bf");
        data.write("twirl.8bf", pe_synth::FilterFactoryPlugin("Twirl", "Distort"));
    }
};

} // namespace

TEST_F(SpecialFiles, NoReaderOpensThemAndTheScanEnds) {
    FifoGuard guard(fifos, std::chrono::milliseconds(1500));

    // The file layer refuses them as it refuses a folder.
    for (const auto& name : specials) {
        SCOPED_TRACE(name);
        try {
            files::read_file_bytes(folder(name));
            ADD_FAILURE() << "read as a file";
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), vb::ErrPathFileAccess);
        }
        EXPECT_THROW(files::InputFile{folder(name)}, vb::Error);
        // The filter readers by extension, the version reader and the plug-in host's about box.
        ff::FFContext ff;
        EXPECT_FALSE(ff::ReadFFfile(ff, folder(name)));
        EXPECT_EQ(imgman::ImgPlugInAbout(nullptr, folder(name)), 0);
    }
    // A library that is a FIFO is counted as unreadable by the unpacking, which writes nothing.
    test_support::TempDir target("target");
    host.accept_unscripted_msgboxes = true;
    ff::Convertffl(app, folder("pipe.ffl"), target.path().string(), ff::DestText);
    EXPECT_TRUE(std::filesystem::is_empty(target.path()));
    host.accept_unscripted_msgboxes = false;

    // The Plugin View scans the folder to its end and lists the real plug-in.
    open_folder(0, folder());
    f.SSTab1[0].user_select_tab(2);
    ASSERT_EQ(app.PaneMode[0], 2);
    bool twirl = false;
    for (int r = 1; r <= app.PluginCatalog[0].RowBound(); ++r)
        twirl = twirl || app.PluginCatalog[0].Title[static_cast<std::size_t>(r)] == "Twirl";
    EXPECT_TRUE(twirl);

    guard.stop();
    EXPECT_FALSE(guard.freed()) << "a reader waited in the open of a FIFO";
}
