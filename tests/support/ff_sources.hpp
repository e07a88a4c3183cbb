#pragma once
// Builders for Filter Factory source files in tests: text lines with a chosen line end, and the
// record that every writer test uses.

#include "filterfactory/record.hpp"

#include <initializer_list>
#include <string>
#include <string_view>

namespace ff_synth {

// The lines, each followed by `end`.
std::string JoinLines(std::initializer_list<std::string_view> lines, std::string_view end = "\r\n");

// Category "Distort", title "Twirl", copyright "(c) Me", author "Me", file "twirl.8bf", formulas r, g,
// b, a, map 0 "Angle", control 2 "Amount", values 10, 20, 30 and 0 for the rest.
vexolan::ff::FilterRecord TwirlRecord();

// A record with every field the text layout carries: texts with letters outside ASCII, maps 0 and 3
// named, controls 2, 3 and 5 named, values on all of them, four real formulas.
vexolan::ff::FilterRecord FullRecord();

// Checks that two records hold the same filter: texts, names, values and the four formulas (the
// file name is not compared).
void ExpectSameFilter(const vexolan::ff::FilterRecord& a, const vexolan::ff::FilterRecord& b);

} // namespace ff_synth
