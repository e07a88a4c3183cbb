#pragma once
// Checks of a read-back filter record against ff_synth::DistinctFields().

#include "filterfactory/record.hpp"

#include <gtest/gtest.h>

namespace ff_synth {

// The fields every reader of a plug-in made from DistinctFields() fills alike: the copyright (its
// 0xA9 byte read as Windows-1252), the names of the used maps and controls only, all eight values
// and the four formulas.
inline void ExpectDistinctControlsAndCode(const vexolan::ff::FilterRecord& r) {
    EXPECT_EQ(r.Copyright, "\xC2\xA9 SynCopyright");
    EXPECT_EQ(r.MapName, (std::array<std::string, 4>{"SynMap0", "", "SynMap2", ""}));
    EXPECT_EQ(r.CtlName, (std::array<std::string, 8>{"", "", "SynCtl2", "SynCtl3", "", "", "SynCtl6", "SynCtl7"}));
    EXPECT_EQ(r.CtlValue, (std::array<std::uint8_t, 8>{11, 22, 33, 44, 55, 66, 77, 88}));
    EXPECT_EQ(r.CodeR, "r+1");
    EXPECT_EQ(r.CodeG, "g+2");
    EXPECT_EQ(r.CodeB, "b+3");
    EXPECT_EQ(r.CodeA, "a+4");
}

} // namespace ff_synth
