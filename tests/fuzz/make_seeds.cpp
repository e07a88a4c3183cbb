// Writes the seed inputs of every fuzz target of tests/fuzz into <folder>/<target>/, made by the
// program's own writers and the tests' own generators: plug-ins of every layout (plain ones and ones
// whose text fields fill their whole rooms), Premiere and Transition Factory plug-ins, PE plug-ins with
// resources, settings files, text sources and libraries, pictures of every kind the readers take,
// formulas and link lists. scripts/run-fuzzers runs it before the targets.

#include "filterfactory/layouts.hpp"
#include "filterfactory/record.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "platform/imgman/codecs.hpp"
#include "preferences/frmDownload.hpp"
#include "tests/support/ff_plugin_synth.hpp"
#include "tests/support/ff_synth.hpp"
#include "tests/support/pe_synth.hpp"
#include "tests/support/pictures.hpp"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Fill = ff_plugin_synth::Fill;
namespace ffl = vexolan::ff;

fs::path root;

// A literal with its NUL bytes.
template <std::size_t N> std::string raw(const char (&s)[N]) {
    return std::string(s, N - 1);
}

void seed(const std::string& target, const std::string& name, std::string_view bytes) {
    fs::create_directories(root / target);
    std::ofstream out(root / target / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + (root / target / name).string());
}

std::string slug(std::string_view name) {
    std::string s(name);
    for (char& c : s)
        if (c == ' ' || c == '/') c = '_';
    return s;
}

std::string fill_name(Fill f) {
    return f == Fill::Full ? "full" : "plain";
}

// A filter record: short texts, or every text at the length the writers allow.
ffl::FilterRecord record(bool full, std::string category = "Distort") {
    ffl::FilterRecord r;
    const auto text = [&](std::string plain) { return full ? ff_plugin_synth::letters(255, "Vexolan ") : plain; };
    r.Filename = "twirl.8bf";
    r.Title = text("Twirl Deluxe");
    r.Category = full ? text("") : category;
    r.Copyright = text("Copyright 2026 Vexolan tests");
    r.Author = text("Vexolan");
    for (int m = 0; m < 4; ++m)
        r.MapName[m] = text("Map " + std::to_string(m));
    for (int c = 0; c < 8; ++c) {
        r.CtlName[c] = text("Amount " + std::to_string(c));
        r.CtlValue[c] = static_cast<std::uint8_t>(c * 36);
    }
    for (int k = 0; k < 4; ++k)
        r.Code(k) = ff_plugin_synth::formula(k, full ? Fill::Full : Fill::Plain);
    return r;
}

// A library of Filter Factory filters ("FFL1.0", the count, 29 lines per filter).
std::string library(const std::vector<ffl::FilterRecord>& records) {
    std::string out = "FFL1.0\r\n" + std::to_string(records.size()) + "\r\n";
    for (const auto& r : records) {
        std::vector<std::string> lines{r.Filename, r.Category, r.Title, r.Author, r.Copyright};
        for (const auto& m : r.MapName)
            lines.push_back(m);
        for (const auto& c : r.CtlName)
            lines.push_back(c);
        for (auto v : r.CtlValue)
            lines.push_back(std::to_string(v));
        for (int k = 0; k < 4; ++k)
            lines.push_back(r.Code(k));
        for (const auto& l : lines)
            out += l + "\r\n";
    }
    return out;
}

void plugin_seeds() {
    for (Fill fill : {Fill::Plain, Fill::Full}) {
        for (std::size_t i = 0; i < ffl::PluginLayouts.size(); ++i) {
            const ffl::PluginLayout& l = ffl::PluginLayouts[i];
            for (std::int64_t length : l.Lengths) {
                if (!length) continue;
                const std::string file = ff_plugin_synth::plugin(l, fill, length);
                const std::string name = slug(l.Name) + "-" + std::to_string(length) + "-" + fill_name(fill);
                seed("plugin_readers_fuzz", name + ".8bf", file);
                // The form the target lays over a file of the layout: layout, length choice, then the
                // bytes from the title (or the block) on.
                const std::size_t from = static_cast<std::size_t>(std::min(l.Title, l.Block) - 1);
                std::string shaped{static_cast<char>(i), static_cast<char>(length == l.Lengths[0] ? 0 : 1)};
                shaped += file.substr(from, static_cast<std::size_t>(l.Block - 1) + ffl::block::Size - from);
                seed("plugin_readers_fuzz", name + ".shaped", shaped);
                if (l.CategoryLength > 0 && !l.MacBinary && !l.TitleFromBlock) {
                    seed("category_write_fuzz", name + ".8bf", file);
                    // The target lays its input over the category's length byte: the field and its
                    // neighbours up to the block, first as they are (the length byte asks for a write
                    // as long as the old text), then asking for a one-letter category.
                    const std::size_t at = static_cast<std::size_t>(l.CategoryLength - 1);
                    std::string field = file.substr(at, 400);
                    seed("category_write_fuzz", name + ".field", field);
                    field[0] = 1;
                    seed("category_write_fuzz", name + ".field1", field);
                }
            }
        }
        int n = 0;
        for (const std::string& p : ff_plugin_synth::premiere_plugins(fill))
            seed("plugin_readers_fuzz", "premiere-" + std::to_string(n++) + "-" + fill_name(fill) + ".prm", p);
        n = 0;
        for (const std::string& p : ff_plugin_synth::transition_plugins(fill))
            seed("plugin_readers_fuzz", "transition-" + std::to_string(n++) + "-" + fill_name(fill) + ".prm", p);
    }
    // The tests' own plug-ins, every field distinct and sentinels around the numbers.
    const ff_synth::Fields fields = ff_synth::DistinctFields();
    for (ff_synth::Layout l : ff_synth::AllLayouts)
        seed("plugin_readers_fuzz", "synth-" + ff_synth::NameOf(l) + ".8bf", ff_synth::MakePlugin(l, fields));
    for (ff_synth::PrmBranch b : ff_synth::AllPrmBranches)
        seed("plugin_readers_fuzz", "synth-" + ff_synth::NameOf(b) + ".prm", ff_synth::MakePremiereFF(b, fields));
    for (ff_synth::TfBranch b : ff_synth::AllTfBranches)
        seed("plugin_readers_fuzz", "synth-" + ff_synth::NameOf(b) + ".prm", ff_synth::MakePremiereTF(b, fields));
    // Text sources whose category line the writer rewrites.
    seed("category_write_fuzz", "source.txt", ffl::TextSourceBytes(record(false), nullptr));
    seed("category_write_fuzz", "report.txt",
         "\x07" "Filter Factory Plugin Information:\r\nTITLE:\r\nTwirl\r\nCATEGORY:\r\nDistort\r\nAUTHOR:\r\nVexolan\r\n");
}

void pe_seeds() {
    pe_synth::Options o;
    o.Resources.push_back(pe_synth::Pipl({{"Twirl", "Distort"}, {"Wave", std::nullopt}}));
    o.Resources.push_back(pe_synth::Pimi({"Distort", "Stylize"}));
    o.Resources.push_back(pe_synth::Menu({"Twirl...", "Wave..."}));
    o.Extra = pe_synth::VersionString("FileDescription", "Twirl filter") +
              pe_synth::VersionString("InternalName", "twirl") + pe_synth::VersionString("ProductName", "Vexolan");
    seed("pe_readers_fuzz", "pe32.8bf", pe_synth::Make(o).Bytes);
    o.Pe64 = true;
    o.SectionsBefore = 2;
    seed("pe_readers_fuzz", "pe64.8bf", pe_synth::Make(o).Bytes);
    // A Premiere plug-in as the raw search finds it: a PiPL, then video and audio filter records.
    pe_synth::Options p;
    p.Resources.push_back(pe_synth::Pipl({{std::string(60, 'N'), std::string(200, 'C'), 40, 64}}));
    p.Extra = raw("tlFV\0\0\0\0\x01\0\0\0\0\0\0\0Video Blur\0\0\0\0") +
              raw("tlFA\0\0\0\0Audio Echo\0\0") + raw("XFPS\0\0\0\0First\0\0\0Second\0\0");
    seed("pe_readers_fuzz", "premiere.prm", pe_synth::Make(p).Bytes);
    seed("pe_readers_fuzz", "ff-pe.8bf", pe_synth::FilterFactoryPlugin("Twirl", "Distort"));
}

void text_seeds() {
    const ffl::FilterRecord plain = record(false), full = record(true), empty = record(false, "");
    seed("text_readers_fuzz", "plain.afs", ffl::AfsBytes(plain));
    seed("text_readers_fuzz", "full.afs", ffl::AfsBytes(full));
    seed("text_readers_fuzz", "empty-category.afs", ffl::AfsBytes(empty));
    seed("text_readers_fuzz", "plain.txt", ffl::TextSourceBytes(plain, nullptr));
    seed("text_readers_fuzz", "full.txt", ffl::TextSourceBytes(full, nullptr));
    seed("text_readers_fuzz", "library.ffl", library({plain, full, empty}));

    // The four formulas of a filter, split at NUL bytes.
    const std::vector<std::string> formulas{
        raw("r+ctl(0)-ctl(1)\0g*val(2,0,255)/255\0b^x%(y+1)\0a"),
        raw("src(x+cos(d,8),y+sin(d,8),z)\0rad(d+ctl(0),m,z)\0get(0)+put(r,0)\0a"),
        raw("x<X/2?r:255-r\0c2m(x,y)>50&&ctl(3)?g:b\0scl(b,0,255,ctl(4),ctl(5))\0a==0||a!=255"),
        raw("mix(r,g,ctl(6),255)\0abs(sqr(x*y)-rnd(0,99))\0min(max(b,i),u)+v\0dif(a,128)"),
        ff_plugin_synth::formula(0, Fill::Full) + '\0' + ff_plugin_synth::formula(1, Fill::Full),
    };
    for (std::size_t i = 0; i < formulas.size(); ++i) {
        seed("ff_formula_fuzz", "formulas-" + std::to_string(i), formulas[i]);
        seed("text_readers_fuzz", "code-" + std::to_string(i) + ".txt", formulas[i]);
    }

    seed("link_list_fuzz", "written.txt",
         vexolan::WriteLinkList({"Filter pages", "", "Tutorials; part 2"},
                                {"https://example.org/filters", "https://example.org/more", "https://example.org/t"}));
}

void picture_seeds() {
    using test_support::BmpKind;
    struct Bmp {
        int bpp;
        BmpKind kind;
    };
    for (Bmp b : {Bmp{1, BmpKind::Plain}, Bmp{4, BmpKind::Plain}, Bmp{8, BmpKind::Plain}, Bmp{16, BmpKind::Plain},
                  Bmp{24, BmpKind::Plain}, Bmp{32, BmpKind::Plain}, Bmp{24, BmpKind::TopDown}, Bmp{4, BmpKind::Rle},
                  Bmp{8, BmpKind::Rle}, Bmp{16, BmpKind::BitFields}, Bmp{32, BmpKind::BitFields}})
        seed("bmp_fuzz", "bmp" + std::to_string(b.bpp) + "-" + std::to_string(static_cast<int>(b.kind)) + ".bmp",
             test_support::bmp_file(7, 5, b.bpp, b.kind));
    seed("gif_fuzz", "plain.gif", test_support::gif_file(9, 6));
    seed("gif_fuzz", "interlaced.gif", test_support::gif_file(9, 11, true));
    seed("png_fuzz", "rgb.png", test_support::png_file(9, 6));
    seed("jpeg_fuzz", "rgb.jpg", test_support::jpeg_file(17, 9));
    // A picture with a real alpha channel, through the imaging layer's writers.
    imgman::Image alpha;
    alpha.width = 6;
    alpha.height = 4;
    alpha.bpp = 32;
    alpha.has_alpha = true;
    for (int i = 0; i < alpha.width * alpha.height; ++i)
        for (int c = 0; c < 4; ++c)
            alpha.rgba.push_back(static_cast<std::uint8_t>(i * 11 + c * 60));
    std::string error;
    const auto bmp = imgman::encode_bmp(alpha);
    seed("bmp_fuzz", "alpha.bmp", std::string(bmp.begin(), bmp.end()));
    if (const auto png = imgman::encode_png(alpha, error)) seed("png_fuzz", "alpha.png", std::string(png->begin(), png->end()));
    if (const auto jpg = imgman::encode_jpeg(alpha, error)) seed("jpeg_fuzz", "alpha.jpg", std::string(jpg->begin(), jpg->end()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds <folder>\n");
        return 2;
    }
    root = argv[1];
    try {
        plugin_seeds();
        pe_seeds();
        text_seeds();
        picture_seeds();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_fuzz_seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
