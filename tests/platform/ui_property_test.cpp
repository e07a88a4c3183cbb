// Properties read and write like the values they hold, and raise their events only on a change.
#include "platform/ui/ui.hpp"
#include "tests/support/ScriptedHost.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using test_support::ScriptedHost;

class Owner : public ui::PropertyOwner {
public:
    void property_changed(std::string_view name) override { told.emplace_back(name); }
    std::vector<std::string> told;
};

TEST(UiProperty, TextPropertiesCompareAndPassLikeText) {
    Owner o;
    ui::Property<std::string> Caption(&o, "Caption", "File View");
    std::string_view view = Caption;
    EXPECT_EQ(view, "File View");
    EXPECT_TRUE(Caption == "File View");
    EXPECT_TRUE(Caption == std::string("File View"));
    EXPECT_TRUE(Caption != std::string_view("Plugin View"));
    EXPECT_TRUE(Caption < "Z");
    EXPECT_EQ(Caption + "!", "File View!");
    EXPECT_EQ(">" + Caption, ">File View");
    EXPECT_EQ(vb::Val(ui::Property<std::string>(&o, "Text", " 12abc")), 12);
    Caption = std::string_view("x");
    EXPECT_EQ(Caption, "x");
    Caption += "y";
    EXPECT_EQ(Caption.get(), "xy");
}

TEST(UiProperty, NumbersRoundHalvesToEvenAndChangesAreToldOnce) {
    Owner o;
    ui::Property<int> Width(&o, "Width", 0);
    int changes = 0;
    Width.on_change = [&] { ++changes; };
    Width = 2.5;
    EXPECT_EQ(Width, 2);
    Width = 3.5;
    EXPECT_EQ(Width, 4);
    Width = 4;
    Width += 10;
    EXPECT_EQ(Width, 14);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(o.told, (std::vector<std::string>{"Width", "Width", "Width"}));
    EXPECT_FALSE(Width.store(14));
    EXPECT_EQ(Width * 2, 28);
}

TEST(UiProperty, AnAdjustThatThrowsLeavesTheValueAsItWas) {
    Owner o;
    ui::Property<int> Value(&o, "Value", 1);
    Value.adjust = [](int v) {
        if (v > 10) throw vb::Error(vb::ErrInvalidProperty);
        return v;
    };
    EXPECT_THROW(Value = 11, vb::Error);
    EXPECT_EQ(Value, 1);
    EXPECT_TRUE(o.told.empty());
}

TEST(UiProperty, CopyingOnePropertyToAnotherSetsTheValue) {
    ScriptedHost host;
    ui::Window w(host, "W");
    ui::Label a, b;
    w.add(a, "a");
    w.add(b, "b");
    a.Caption = "one";
    b.Caption = a.Caption;
    EXPECT_EQ(b.Caption, "one");
    b.Width = a.Width + 100;
    EXPECT_EQ(b.Width, 100);
}

} // namespace
