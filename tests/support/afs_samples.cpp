#include "tests/support/afs_samples.hpp"

#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace test_support {

namespace {

struct Plain {
    const char* name;
    std::vector<int> values;
    std::vector<std::string> code; // R, G, B, A, each possibly over several lines
};

// The .afs layout: header, eight values, then each formula followed by an empty line; every line
// ends with a lone CR. A formula of several lines is wrapped as the Filter Factory wraps long ones.
std::string afs_bytes(const std::vector<int>& values, const std::vector<std::string>& items) {
    std::string out = "%RGB-1.0\r";
    for (int v : values)
        out += std::to_string(v) + "\r";
    for (const auto& item : items)
        out += item + "\r\r";
    return out;
}

std::string with_line_end(const std::string& bytes, const std::string& end) {
    std::string out;
    for (char c : bytes)
        c == '\r' ? out += end : out += c;
    return out;
}

std::string plugin_title(const std::string& name) {
    return name.substr(0, name.size() - 3) + "8bf";
}

std::vector<AfsSample> make_samples() {
    const std::vector<int> ramp{12, 34, 56, 78, 90, 123, 200, 255};
    const std::vector<Plain> plain{
        {"stripes.afs", ramp, {"(y%8<4) ? r : 255-r", "g", "(y%8<4) ? b : b/2", "a"}},
        {"negative.afs", ramp, {"255-r   // the plain negative", "255-g", "255-b", "a"}},
        {"sideways.afs",
         {140, 120, 100, 128, 0, 0, 0, 0},
         {"src(x+ctl(0)-128,y,z)", "src(x+ctl(1)-128,y,z)", "src(x,y+ctl(2)-128,z)", "a"}},
        {"relief.afs",
         ramp,
         {"cnv(-2,-1,0, -1,1,1, 0,1,2, 1)", "cnv(-2,-1,0, -1,1,1, 0,1,2, 1)", "cnv(-2,-1,0, -1,1,1, 0,1,2, 1)",
          "a"}},
        {"rings.afs",
         {4, 64, 0, 0, 0, 0, 0, 0},
         {"scl(sin(d*ctl(0)+m*8),-512,512,0,255)", "(g+r)/2", "scl(cos(m*ctl(0)),-512,512,0,255)", "a"}},
        {"tally.afs",
         {3, 0, 0, 0, 0, 0, 0, 0},
         // put/get over several wrapped lines, as long formulas are stored.
         {"put((src(x-1,y,z)>>ctl(0))+(src(x+1,y,z)>>ctl(0))+\r(src(x,y-1,z)>>ctl(0))+(src(x,y+1,z)>>ctl(0)),1),\r"
          "get(1)*2 > c ? 255 : get(1)",
          "g^r", "b", "a"}},
        {"xorgrid.afs", {7, 0, 0, 0, 0, 0, 0, 0}, {"((x^y)&(1<<ctl(0)>>4)) ? r : 0", "((x^y)&16) ? g : 255-g", "b", "a"}},
        {"tinted.afs", ramp, {"mix(r,ctl(0),ctl(1),255)", "mix(g,ctl(2),ctl(1),255)", "val(0,0,b)", "a"}},
    };
    std::vector<AfsSample> samples;
    for (const auto& p : plain)
        samples.push_back({p.name, afs_bytes(p.values, p.code), plugin_title(p.name), "Synthetic"});

    // A file with the names tail: category, title, author, copyright and the eight control names.
    samples.push_back(
        {"quadrants.afs",
         afs_bytes({64, 192, 30, 0, 0, 0, 0, 0},
                   {"(x<X/2) == (y<Y/2) ? ctl(0) : r", "(x<X/2) ? g : ctl(1)", "(y<Y/2) ? b : 255-b", "a",
                    "Tiles", "Quadrants", "Vexolan tests", "none", "1: Dark", "2: Light", "3: ", "4: ", "5: ",
                    "6: ", "7: ", "8: "}),
         "Quadrants", "Tiles"});
    // Files that went through a text-mode transfer: CR LF and LF line ends.
    samples.push_back({"mirror.afs",
                       with_line_end(afs_bytes(ramp, {"src(X-x-1,y,z)", "src(X-x-1,y,z)", "255-b", "a"}), "\r\n"),
                       "mirror.8bf", "Synthetic"});
    samples.push_back({"warmth.afs",
                       with_line_end(afs_bytes({40, 0, 0, 0, 0, 0, 0, 0},
                                               {"min(r+ctl(0),255)", "g", "max(b-ctl(0),0)", "a"}),
                                     "\n"),
                       "warmth.8bf", "Synthetic"});
    samples.push_back({"sepia.afs",
                       with_line_end(afs_bytes({0, 0, 0, 0, 0, 0, 0, 0},
                                               {"min(i*110/100+20,255)", "i", "i*80/100", "a", "Colour",
                                                "Sepia Tone", "", "", "1: ", "2: ", "3: ", "4: ", "5: ", "6: ",
                                                "7: ", "8: "}),
                                     "\r\n"),
                       "Sepia Tone", "Colour"});
    std::sort(samples.begin(), samples.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    return samples;
}

} // namespace

const std::vector<AfsSample>& AfsSamples() {
    static const std::vector<AfsSample> samples = make_samples();
    return samples;
}

std::string SampleBytes(const std::string& name) {
    for (const auto& s : AfsSamples())
        if (s.Name == name) return s.Bytes;
    ADD_FAILURE() << "no sample named " << name;
    return {};
}

std::vector<std::string> WriteAfsSamples(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    std::vector<std::string> names;
    for (const auto& s : AfsSamples()) {
        std::ofstream(folder / s.Name, std::ios::binary) << s.Bytes;
        names.push_back(s.Name);
    }
    return names;
}

std::optional<std::filesystem::path> RealAfsFolder() {
    const std::filesystem::path folder = std::filesystem::path(VEXOLAN_TESTDATA) / "afs";
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) return std::nullopt;
    return folder;
}

std::vector<std::string> AfsFilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".afs") names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace test_support
