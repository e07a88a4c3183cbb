#pragma once
// Rewriting of formula code: cleaning and shortening after a read, the Premiere to Photoshop dialect
// change, and the small text helpers around them. The rules are literal patterns tried position by
// position; their order and the skipping of inserted text decide the results. Every rewriting is
// linear in the length of the formula, so a downloaded file with a huge formula reads at once.

#include "filterfactory/record.hpp"

#include <string>
#include <string_view>

namespace vexolan::ff {

// Cleans the four formulas of `record` (red, green, blue, alpha in turn): drops the literal texts
// "\r" and "\n" and control bytes, writes "T" as "total"; unless `noOptimization` (the Preferences
// box "No FF Code Optimization") it also drops blanks and replaces common long forms by "c", "c2m(..)"
// and "i".
void OptimizeCode(FilterRecord& record, bool noOptimization);
// One formula of channel k (0 red, 1 green, 2 blue, 3 alpha), as OptimizeCode rewrites it.
std::string OptimizeFormula(std::string_view code, int k, bool noOptimization);

// The Photoshop form of the Premiere formula `code`; `code` receives the same text.
std::string Correctprmcode(std::string& code);

// Appends `code` as Windows-1252 bytes and one carriage return to the file being written.
void Writecode(std::string_view code, std::string& file);

// `Stringy` without ".", "\", "/", ":" and blanks (a file name made from a title); `Stringy`
// receives the same text.
std::string RemoveChars(std::string& Stringy);

// Every "a" not followed by "l", "b", "d", "p", "x" or "n" becomes "i", so that the alpha formula can
// be shown as an intensity picture while function names such as abs, max and val stay intact.
// `Stringy` receives the same text.
std::string ReplaceAwithI(std::string& Stringy);

// Adapts the formulas for the Macintosh Filter Factory; nothing needs changing in this edition.
void CorrectCodeForMac(FilterRecord& record);

} // namespace vexolan::ff
