// The readable source form: it reads back what format_source writes, and a
// mistake is reported with its line.
#include "skin_builder.h"
#include "skinfmt/reader.h"
#include "skinfmt/source.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace skinfmt_test;

namespace {

TEST(SkinSource, FormattedSourceReadsBackToTheSameSkin)
{
    skinfmt::skin s = sample_skin();
    for (const auto texture : {skinfmt::texture::dots, skinfmt::texture::pattern8}) {
        s.style.background = texture;
        if (texture == skinfmt::texture::pattern8) s.pattern = {0xAA, 0x55, 0xAA, 0x55, 0, 0xFF, 0, 0x0F};
        skinfmt::skin back;
        const skinfmt::source_result r = skinfmt::parse_source(skinfmt::format_source(s), back);
        ASSERT_TRUE(r.ok()) << r.message << " at line " << r.error.where;
        EXPECT_EQ(back, s);
    }
}

TEST(SkinSource, KeySealsTheSkin)
{
    std::string text = skinfmt::format_source(sample_skin());
    text.insert(text.find("\n\n[palette]"), "\nkey = owner");
    skinfmt::skin s;
    ASSERT_TRUE(skinfmt::parse_source(text, s).ok());
    EXPECT_TRUE(s.seal.present);
    EXPECT_TRUE(skinfmt::key_opens(s, "owner"));
    EXPECT_FALSE(skinfmt::key_opens(s, ""));
}

// Replaces the first line starting with `key` by `replacement`; returns the
// 1-based line number it was on.
std::size_t replace_line(std::string& text, const std::string& key, const std::string& replacement)
{
    const std::size_t at = text.find("\n" + key) + 1;
    const std::size_t end = text.find('\n', at);
    text.replace(at, end - at, replacement);
    return static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n')) + 1;
}

TEST(SkinSource, MistakesAreReportedWithTheirLine)
{
    struct mistake {
        const char* key;  // the line to change
        const char* replacement;
        const char* message;
    };
    const mistake mistakes[] = {
        {"caption_active_end", "caption_active_end = 1a2b3c", "colour must be written #rrggbb"},
        {"caption_active_end", "caption_active_end = #1a2b3", "colour must be written #rrggbb"},
        {"caption_active_end", "caption_colour = #112233", "unknown colour role 'caption_colour'"},
        {"caption_active_end", "caption_active_start = #112233", "'caption_active_start' given twice"},
        {"caption_active_end", "caption_active_end #112233", "expected 'key = value'"},
        {"caption_height", "caption_height = 60", "caption_height must be a whole number from 18 to 34"},
        {"caption_height", "caption_height = 2x", "caption_height must be a whole number from 18 to 34"},
        {"border_width", "border_thickness = 3", "unknown metric 'border_thickness'"},
        {"weight", "weight = 750", "weight must be 100, 200, ... 900"},
        {"italic", "italic = maybe", "italic must be yes or no"},
        {"caption =", "caption = wavy", "caption must be one of: solid, vertical, horizontal, glossy"},
        {"[metrics]", "[metric]", "unknown section [metric]"},
        {"[font]", "[font", "section header without ']'"},
        {"name", "name = ", "name must be 1 to 63 bytes of UTF-8 text"},
    };
    const std::string good = skinfmt::format_source(sample_skin());
    for (const mistake& m : mistakes) {
        SCOPED_TRACE(m.replacement);
        std::string text = good;
        const std::size_t line = replace_line(text, m.key, m.replacement);
        skinfmt::skin s;
        const skinfmt::source_result r = skinfmt::parse_source(text, s);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error.where, line);
        EXPECT_EQ(r.message, m.message);
    }
}

TEST(SkinSource, WholeSourceMistakesNameWhatIsMissingOrWrong)
{
    const std::string good = skinfmt::format_source(sample_skin());
    struct whole {
        std::string text;
        const char* message;
    };
    std::string no_role = good;
    no_role.erase(no_role.find("focus_ring ="), no_role.find('\n', no_role.find("focus_ring =")) - no_role.find("focus_ring =") + 1);
    std::string tall_buttons = good;
    replace_line(tall_buttons, "caption_button_height", "caption_button_height = 30");
    std::string stray_pattern = good + "[pattern]\nrows = 00 00 00 00 00 00 00 00\n";
    const whole cases[] = {
        {no_role, "missing colour 'focus_ring' in [palette]"},
        {"", "missing [skin] name"},
        {"name = x\n", ""},
        {tall_buttons, "values contradict each other: caption_button_height is larger than caption_height"},
        {stray_pattern, "[pattern] rows given but background is not pattern8"},
    };
    for (const whole& c : cases) {
        skinfmt::skin s;
        const skinfmt::source_result r = skinfmt::parse_source(c.text, s);
        ASSERT_FALSE(r.ok()) << c.message;
        if (*c.message) EXPECT_EQ(r.message, c.message);
    }
    skinfmt::skin s;
    EXPECT_EQ(skinfmt::parse_source("name = x\n", s).message, "key 'name' before any [section]");
    EXPECT_EQ(skinfmt::parse_source("name = x\n", s).error.where, 1u);
}

}  // namespace
