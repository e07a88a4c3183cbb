// The in-place category write on plug-ins whose fields fill their rooms: nothing but the length byte
// and the room's own bytes may change, whatever the old text.
#include "catalogue/commands.hpp"
#include "filterfactory/layouts.hpp"
#include "tests/support/ff_plugin_synth.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <fstream>

using namespace vexolan;

TEST(CategoryRoom, AFullCategoryIsReplacedWithoutTouchingTheNextField) {
    test_support::TempDir dir("category-room");
    for (const ff::PluginLayout* l : {&ff::Layout57344, &ff::Layout49152, &ff::Layout49664, &ff::Layout53760}) {
        SCOPED_TRACE(l->Name);
        const auto path = dir.write(std::string(l->Name) + ".8bf", ff_plugin_synth::plugin(*l, ff_plugin_synth::Fill::Full));
        const std::string before = test_support::read_file(path);
        const int room = CategoryFieldRoom(before);
        ASSERT_GT(room, 2);
        // The old category runs up to the byte before the next field: no 0 byte inside the room.
        const std::string_view letters = std::string_view(before).substr(static_cast<std::size_t>(l->Category - 1), static_cast<std::size_t>(room));
        ASSERT_EQ(letters.find('\0'), std::string_view::npos);

        std::string file = before;
        ASSERT_TRUE(WriteCategoryField(file, "X"));
        std::ofstream(path, std::ios::binary | std::ios::trunc) << file;
        const std::string after = test_support::read_file(path);
        ASSERT_EQ(after.size(), before.size());
        const std::size_t first = static_cast<std::size_t>(l->CategoryLength - 1);
        for (std::size_t i = 0; i < after.size(); ++i)
            if (i < first || i > first + static_cast<std::size_t>(room)) {
                ASSERT_EQ(after[i], before[i]) << "byte " << i << " outside the room changed";
            }
        EXPECT_EQ(ff::ReadPluginText(after, l->Category, false), "X");
        EXPECT_EQ(after[first], '\x01');
        if (l->ModesWord > 0) {
            EXPECT_EQ(after.substr(static_cast<std::size_t>(l->ModesWord - 1), 2), std::string("\x10\x00", 2));
        }
        // The field keeps its whole room for the next change.
        EXPECT_EQ(CategoryFieldRoom(after), room);
    }
}
