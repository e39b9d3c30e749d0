// The 33 skins the program carries: each compiled file reads, matches its
// source, and keeps the window's black and red label text legible.
#include "skin_builder.h"
#include "skinfmt/reader.h"
#include "skinfmt/source.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

using namespace skinfmt_test;
using skinfmt::color_role;

namespace {

std::string numbered(const char* dir, int n, const char* extension)
{
    char name[32];
    std::snprintf(name, sizeof name, "/skin%02d.%s", n, extension);
    return std::string(dir) + name;
}

double luminance(skinfmt::rgb c)
{
    auto channel = [](std::uint8_t v) {
        const double x = v / 255.0;
        return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

double contrast(skinfmt::rgb a, skinfmt::rgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class CarriedSkins : public ::testing::Test {
protected:
    static skinfmt::skin load(int n)
    {
        const bytes data = read_file(numbered(SKINFMT_TEST_COMPILED_DIR, n, "she"));
        skinfmt::skin s;
        const skinfmt::error_info e = skinfmt::read(data, s);
        EXPECT_TRUE(e.ok()) << "skin " << n << ": " << skinfmt::error_text(e.code) << " at " << e.where;
        return s;
    }
};

TEST_F(CarriedSkins, AllThirtyThreeReadAndMatchTheirSources)
{
    std::set<std::string> names;
    for (int n = 1; n <= 33; ++n) {
        SCOPED_TRACE(n);
        const bytes data = read_file(numbered(SKINFMT_TEST_COMPILED_DIR, n, "she"));
        ASSERT_GE(data.size(), 6u);
        EXPECT_EQ(std::string(data.begin(), data.begin() + 4), ".SHE");
        EXPECT_EQ(data[4], 0x00);
        EXPECT_EQ(data[5], 0x03);
        const skinfmt::skin compiled = load(n);

        std::ifstream in(numbered(SKINFMT_TEST_SOURCE_DIR, n, "skin"), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        skinfmt::skin from_source;
        const skinfmt::source_result r = skinfmt::parse_source(text.str(), from_source);
        ASSERT_TRUE(r.ok()) << r.message << " at line " << r.error.where;
        EXPECT_EQ(compiled, from_source);
        names.insert(std::string(compiled.name.view()));
    }
    EXPECT_EQ(names.size(), 33u);
}

TEST_F(CarriedSkins, TextStaysLegibleOnEveryBackgroundAndCaption)
{
    const skinfmt::rgb black{0, 0, 0}, red{255, 0, 0};
    for (int n = 1; n <= 33; ++n) {
        SCOPED_TRACE(n);
        const skinfmt::skin s = load(n);
        // The labels draw black and red text straight onto the background.
        for (const color_role ground : {color_role::window_background, color_role::background_pattern}) {
            EXPECT_GE(contrast(black, s.color(ground)), 7.0);
            EXPECT_GE(contrast(red, s.color(ground)), 3.0);
        }
        for (const color_role ground : {color_role::caption_active_start, color_role::caption_active_end})
            EXPECT_GE(contrast(s.color(color_role::caption_text_active), s.color(ground)), 3.0);
        EXPECT_GE(contrast(s.color(color_role::button_text), s.color(color_role::button_face)), 4.5);
    }
}

TEST_F(CarriedSkins, TheAppliedSkinKeepsTheWindowLayoutInside)
{
    // Skin 8 is applied to a 966 x 508 window whose bottom strip ends 471
    // pixels below the client top and whose page reaches 960 pixels right of
    // the client's left edge: the frame must leave that much room.
    const skinfmt::skin s = load(8);
    const int border = s.value(skinfmt::metric::border_width);
    EXPECT_GE(508 - s.value(skinfmt::metric::caption_height) - 2 * border, 471);
    EXPECT_GE(966 - 2 * border, 960);
}

}  // namespace
