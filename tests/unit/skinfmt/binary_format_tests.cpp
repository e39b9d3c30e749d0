// Skins survive writing and reading unchanged, and the writer lays them out
// exactly as the format describes.
#include "skin_builder.h"
#include "skinfmt/checksum.h"
#include "skinfmt/reader.h"
#include "skinfmt/writer.h"

#include <gtest/gtest.h>

using namespace skinfmt_test;
using skinfmt::metric;

namespace {

struct variant {
    const char* what;
    void (*change)(skinfmt::skin&);
};

const variant variants[] = {
    {"as built", [](skinfmt::skin&) {}},
    {"pattern texture", [](skinfmt::skin& s) {
         s.style.background = skinfmt::texture::pattern8;
         s.pattern = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
     }},
    {"sealed", [](skinfmt::skin& s) { skinfmt::seal(s, "key", 77); }},
    {"UTF-8 names", [](skinfmt::skin& s) {
         s.name.assign("碧水 Lagoon");
         s.caption_font.face.assign("微软雅黑");
     }},
    {"longest texts", [](skinfmt::skin& s) {
         s.name.assign(std::string(63, 'n'));
         s.caption_font.face.assign(std::string(31, 'f'));
     }},
    {"smallest values", [](skinfmt::skin& s) {
         for (std::size_t i = 0; i < skinfmt::metric_count; ++i) s.metrics[i] = skinfmt::range_of(static_cast<metric>(i)).min;
         s.caption_font.height = 8;
         s.caption_font.weight = 100;
     }},
    {"largest values", [](skinfmt::skin& s) {
         for (std::size_t i = 0; i < skinfmt::metric_count; ++i) s.metrics[i] = skinfmt::range_of(static_cast<metric>(i)).max;
         s.value(metric::caption_button_height) = s.value(metric::caption_height);
         s.value(metric::focus_ring_inset) = 5;
         s.value(metric::button_border_width) = 3;
         s.caption_font.height = 40;
         s.caption_font.weight = 900;
         s.caption_font.italic = true;
     }},
    {"every style choice at its last value", [](skinfmt::skin& s) {
         s.style = {skinfmt::caption_fill::glossy, skinfmt::caption_align::center,
                    skinfmt::caption_button_shape::glyph_only, skinfmt::button_fill::glossy, skinfmt::texture::grid, false};
     }},
};

TEST(SkinFormat, EveryVariantRoundTripsAndMatchesTheDescribedLayout)
{
    for (const variant& v : variants) {
        SCOPED_TRACE(v.what);
        skinfmt::skin s = sample_skin();
        v.change(s);
        ASSERT_TRUE(skinfmt::validate(s).ok());
        bytes written;
        ASSERT_TRUE(skinfmt::write(s, written).ok());
        EXPECT_EQ(written, assemble(sections_of(s))) << "the writer follows FORMAT.md";
        EXPECT_EQ(written[0], '.');
        EXPECT_EQ(written[4], 0x00);
        EXPECT_EQ(written[5], 0x03);
        skinfmt::skin back;
        const skinfmt::error_info e = skinfmt::read(written, back);
        ASSERT_TRUE(e.ok()) << skinfmt::error_text(e.code) << " at " << e.where;
        EXPECT_EQ(back, s);
        bytes again;
        skinfmt::write(back, again);
        EXPECT_EQ(again, written);
    }
}

TEST(SkinFormat, WriterRefusesAnInvalidSkin)
{
    skinfmt::skin s = sample_skin();
    s.value(metric::caption_button_height) = 30;  // taller than the 26 px caption
    bytes out{1, 2, 3};
    EXPECT_EQ(skinfmt::write(s, out).code, skinfmt::error::inconsistent);
    EXPECT_TRUE(out.empty());
}

TEST(SkinFormat, UnknownSectionsOfLaterRevisionsAreSkipped)
{
    const skinfmt::skin s = sample_skin();
    auto sections = sections_of(s);
    sections.insert(sections.begin() + 2, raw_section{"GRAD", bytes{1, 2, 3, 4, 5}});
    bytes b = assemble(sections);
    b[6] = 4;  // a later revision
    skinfmt::update_checksum(b);
    skinfmt::skin back;
    ASSERT_TRUE(skinfmt::read(b, back).ok());
    EXPECT_EQ(back, s);
}

TEST(SkinFormat, SealOpensOnlyWithItsKey)
{
    skinfmt::skin s = sample_skin();
    EXPECT_TRUE(skinfmt::key_opens(s, ""));
    EXPECT_TRUE(skinfmt::key_opens(s, "anything"));
    skinfmt::seal(s, "right", 5);
    EXPECT_TRUE(skinfmt::key_opens(s, "right"));
    EXPECT_FALSE(skinfmt::key_opens(s, ""));
    EXPECT_FALSE(skinfmt::key_opens(s, "Right"));
    EXPECT_FALSE(skinfmt::key_opens(s, "right "));
}

TEST(SkinFormat, CleanUtf8)
{
    struct text_case {
        std::string text;
        bool clean;
    };
    const text_case cases[] = {
        {"plain", true},           {"碧水", true},            {"\xF0\x9F\x98\x80", true},
        {"tab\there", false},      {"del\x7F", false},        {"\xC2\x85", false},  // C1 control
        {"\xC0\x80", false},       {"\xE0\x80\xAF", false},  // overlong
        {"\xED\xA0\x80", false},   // surrogate
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
        {"\xE7\xA2", false},       // cut short
        {"\x80", false},           {"\xFF", false},
    };
    for (const text_case& c : cases) EXPECT_EQ(skinfmt::is_clean_utf8(c.text), c.clean) << c.text;
}

}  // namespace
