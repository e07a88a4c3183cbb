#pragma once
// The two insertion lists of the editor window: the function templates of Combo1(0), fixed, and the
// code snippets of Combo1(1), read from "Snipets.db" in the application folder as the window loads.
//
// "Snipets.db" is plain Windows-1252 text, one entry a line (lines end at CR, CR LF or LF):
//
//     # a comment line; empty lines are skipped too
//     255-c; Invert the channel
//
// The code is everything before the first ";", which the code can therefore never hold; exactly one
// separator character after it is dropped and the rest is the title, which may hold ";". A line
// without ";" is a title with no code. The list keeps the file's order.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vexolan {

class App;

// The items of Combo1(0), in list order: each function with its parentheses and one comma fewer than
// it has arguments.
inline constexpr std::array<std::string_view, 25> FunctionTemplates{
    "abs()",     "add(,,)", "c2d(,)",   "cnv(,,,,,,,,,)", "cos()",   "ctl()",  "dif(,)",  "get()",  "map(,)",
    "max(,)",    "min(,)",  "mix(,,,)", "put(,)",        "r2x(,)",  "r2y(,)", "rad(,,)", "rnd(,)", "rst()",
    "scl(,,,,)", "sin()",   "sqr()",    "src(,,)",       "sub(,,)", "tan()",  "val(,,)"};

struct Snippet {
    std::string Title;
    std::string Code;
};

// The entries of a snippet file's bytes, in file order; never fails (an empty file has none).
std::vector<Snippet> ParseSnippets(std::string_view bytes);

// Fills Combo1(1) and SnippetCode of the editor window from "Snipets.db" of the application folder
// (its name looked up without regard to case). A missing file leaves the list empty; a file that
// cannot be read is reported in the common error box.
void LoadSnippets(App& app);

} // namespace vexolan
