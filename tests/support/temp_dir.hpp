#pragma once
// A fresh temporary folder, removed with everything in it when the object goes.

#include <filesystem>
#include <string>
#include <string_view>

namespace test_support {

class TempDir {
public:
    explicit TempDir(std::string_view tag = "t");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
    // Writes `bytes` to `name` below the folder (creating folders on the way) and returns its path.
    std::filesystem::path write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& p);

} // namespace test_support
