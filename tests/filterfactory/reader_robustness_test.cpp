// The plug-in readers over damaged files: flipped bytes, unterminated texts, length bytes of 255 and
// cut files. Each file is held in a heap block of exactly its size, so that a read past its end is
// caught by the address sanitizer build.
#include "filterfactory/layouts.hpp"
#include "filterfactory/plugin_reader.hpp"
#include "filterfactory/rewrite.hpp"
#include "tests/support/ff_synth.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>

using namespace vexolan::ff;
using ff_synth::Layout;

namespace {

// A file in a heap block of exactly its own size.
class ExactBuffer {
public:
    explicit ExactBuffer(std::string_view bytes) : size_(bytes.size()), data_(new char[bytes.size()]) {
        std::memcpy(data_.get(), bytes.data(), bytes.size());
    }
    std::string_view view() const { return {data_.get(), size_}; }

private:
    std::size_t size_;
    std::unique_ptr<char[]> data_;
};

struct Outcome {
    bool plugin = false, prm = false, tf = false;
};

// Runs every reader and the code rewriting over `bytes`.
Outcome read_all(std::string_view bytes) {
    const ExactBuffer file(bytes);
    Outcome out;
    for (bool silent : {false, true}) {
        FilterRecord r;
        out.plugin = Read8bfBytes(r, file.view(), silent);
        OptimizeCode(r, false);
        for (int k = 0; k < 4; ++k)
            Correctprmcode(r.Code(k));
        ReplaceAwithI(r.CodeA);
        FilterRecord p;
        out.prm = ReadprmBytes(p, file.view(), silent);
        OptimizeCode(p, true);
        FilterRecord t;
        out.tf = ReadTFBytes(t, file.view(), silent);
    }
    return out;
}

// `count` bytes of `bytes` set to random values, mostly between `from` and `to` (1-based).
std::string flipped(std::string bytes, std::mt19937& rng, int count, std::size_t from, std::size_t to) {
    std::uniform_int_distribution<std::size_t> near(from - 1, std::min(to, bytes.size()) - 1);
    std::uniform_int_distribution<std::size_t> anywhere(0, bytes.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    for (int i = 0; i < count; ++i) {
        const std::size_t at = i % 4 == 0 ? anywhere(rng) : near(rng);
        bytes[at] = static_cast<char>(value(rng));
    }
    return bytes;
}

// Every 0 byte but the one at `keep` (1-based; 0 = none) replaced, so no text ends before the end of
// the file.
std::string unterminated(std::string bytes, std::size_t keep = 0) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0' && i + 1 != keep) bytes[i] = 'x';
    }
    return bytes;
}

// Position of the 0 that ends the signature of `l`.
std::size_t signature_end(const PluginLayout& l) {
    return static_cast<std::size_t>(l.Signature) + (l.MacBinary ? 7 : 14);
}

ff_synth::Fields all_in_use() {
    auto f = ff_synth::DistinctFields();
    f.MapUsed.fill(true);
    f.CtlUsed.fill(true);
    return f;
}

} // namespace

TEST(ReaderRobustness, FlippedBytesInEveryPluginLayoutNeverReadOutsideTheFile) {
    std::mt19937 rng(20261209);
    for (Layout layout : ff_synth::AllLayouts) {
        const std::string good = ff_synth::MakePlugin(layout, all_in_use());
        const PluginLayout* l = FindPluginLayout(good);
        ASSERT_NE(l, nullptr) << ff_synth::NameOf(layout);
        const auto from = static_cast<std::size_t>(std::min({l->Signature, l->Title, l->Block}));
        const auto to = static_cast<std::size_t>(l->Block + block::Size);
        int stillPlugins = 0;
        for (int round = 0; round < 150; ++round) {
            const Outcome out = read_all(flipped(good, rng, 1 + round % 40, from, to));
            stillPlugins += out.plugin;
        }
        // Most damage leaves the signature alone: the damaged fields themselves were read.
        EXPECT_GT(stillPlugins, 0) << ff_synth::NameOf(layout);
    }
}

TEST(ReaderRobustness, UnterminatedTextsRunToTheEndOfTheFile) {
    for (Layout layout : ff_synth::AllLayouts) {
        const std::string good = ff_synth::MakePlugin(layout, all_in_use());
        const PluginLayout* l = FindPluginLayout(good);
        ASSERT_NE(l, nullptr);
        // Only the signature keeps its 0.
        const std::string bytes = unterminated(good, signature_end(*l));
        EXPECT_TRUE(read_all(bytes).plugin);
        const ExactBuffer file(bytes);
        FilterRecord r;
        ASSERT_TRUE(Read8bfBytes(r, file.view(), false)) << ff_synth::NameOf(layout);
        EXPECT_EQ(r.CodeA.substr(0, 7), "a+4xxxx");
    }
    const std::string tf = ff_synth::MakePremiereTF(ff_synth::TfBranch::n_139, all_in_use());
    EXPECT_TRUE(read_all(unterminated(tf)).tf);
    const std::string prm = ff_synth::MakePremiereFF(ff_synth::PrmBranch::digit5, all_in_use());
    EXPECT_TRUE(read_all(unterminated(prm)).prm);
}

TEST(ReaderRobustness, MacBinaryLengthBytesOf255) {
    for (Layout layout : {Layout::Mac99712, Layout::Mac99840}) {
        std::string bytes = ff_synth::MakePlugin(layout, all_in_use());
        // Title and category length bytes, then the length byte of every block text slot.
        bytes[49853 - 1] = '\xFF';
        bytes[50125 - 1] = '\xFF';
        for (std::size_t slot = 50561 + 104; slot < 50561 + 4200; slot += 256)
            bytes[slot - 1] = '\xFF';
        Outcome out = read_all(bytes);
        EXPECT_TRUE(out.plugin);
        FilterRecord r;
        const ExactBuffer file(bytes);
        ASSERT_TRUE(Read8bfBytes(r, file.view(), false));
        EXPECT_EQ(r.Title, "SynTitle"); // the text still ends at its 0
        // Without any terminator the letters are cut at 255.
        const std::string open = unterminated(bytes, 59018 + 7);
        const ExactBuffer openFile(open);
        FilterRecord o;
        ASSERT_TRUE(Read8bfBytes(o, openFile.view(), false));
        EXPECT_EQ(o.Author.size(), 255u);
    }
}

TEST(ReaderRobustness, CutFilesAreNotPluginsOfAnyKind) {
    std::vector<std::string> files;
    for (Layout layout : {Layout::Mac99712, Layout::Mac99840, Layout::Pc57344})
        files.push_back(ff_synth::MakePlugin(layout, all_in_use()));
    for (auto branch : ff_synth::AllPrmBranches)
        files.push_back(ff_synth::MakePremiereFF(branch, all_in_use()));
    for (auto branch : ff_synth::AllTfBranches)
        files.push_back(ff_synth::MakePremiereTF(branch, all_in_use()));
    for (const std::string& whole : files) {
        for (std::size_t cut = 0; cut < whole.size(); cut += cut < 100 ? 1 : 499) {
            const Outcome out = read_all(std::string_view(whole).substr(0, cut));
            EXPECT_FALSE(out.plugin || out.prm || out.tf) << "cut at " << cut;
        }
        read_all(std::string_view(whole).substr(0, whole.size() - 1));
    }
}

TEST(ReaderRobustness, RandomFilesOfEveryAcceptedLengthWithTheirSignatures) {
    std::mt19937 rng(4711);
    std::uniform_int_distribution<int> value(0, 255);
    const std::size_t lengths[] = {57344, 49152, 50176, 49664, 53760, 99712, 99840, 50688, 53248};
    for (std::size_t length : lengths) {
        for (int round = 0; round < 6; ++round) {
            std::string bytes(length, '\0');
            for (char& c : bytes)
                c = static_cast<char>(value(rng));
            if (const PluginLayout* l = LayoutForLength(static_cast<std::int64_t>(length))) {
                const std::string_view signature = round % 2 ? " FilterFactory" : "Filter Factory";
                const std::string text = l->MacBinary ? std::string("Factory") : std::string(signature);
                bytes.replace(static_cast<std::size_t>(l->Signature - 1), text.size() + 1, text + '\0');
                EXPECT_TRUE(read_all(bytes).plugin);
            }
            // The Premiere probes of one branch after another.
            const int prm[] = {'D', 'e', 202, '5'};
            bytes[29021 - 1] = static_cast<char>(prm[round % 4]);
            const int tf[] = {'n', 'o', '2'};
            bytes[29081 - 1] = static_cast<char>(tf[round % 3]);
            read_all(bytes);
        }
    }
}
