#pragma once
// Filter Factory settings files (.afs) written by this project: our own formulas and names, in the
// layouts and line-end styles that settings files arrive in. They stand where a folder of files made
// by others is needed; the real files beside the checkout, when they are there, are read as well.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace test_support {

struct AfsSample {
    std::string Name;     // file name, ending in ".afs"
    std::string Bytes;    // the whole file
    std::string Title;    // what the reader gives as the filter's title
    std::string Category; // and as its category
};

// Twelve samples: lines ended by CR (the format's own), by CR LF and by LF; plain files and files
// with the names tail; formulas wrapped over several lines, with comments, maps, conditions, trigonometry,
// cnv, src and put/get. Every sample changes the colours of a picture that is not plain.
const std::vector<AfsSample>& AfsSamples();

// The bytes of the sample named `name` (a test error when there is none).
std::string SampleBytes(const std::string& name);

// Writes every sample into `folder` and returns their names, sorted.
std::vector<std::string> WriteAfsSamples(const std::filesystem::path& folder);

// The folder of real .afs files made by others, when it lies beside the checkout.
std::optional<std::filesystem::path> RealAfsFolder();
// The .afs file names in `folder`, sorted; empty when the folder is not there.
std::vector<std::string> AfsFilesIn(const std::filesystem::path& folder);
// Why a test over the real files does not run.
inline constexpr const char* NoRealFiles = "the real Filter Factory files (../shared/testdata/afs) are not beside the checkout";

} // namespace test_support
