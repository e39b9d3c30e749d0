// Damaged and hostile bytes give the right error and never an out-of-bounds
// read (the sanitizer build and the fuzzer watch for that).
#include "skin_builder.h"
#include "skinfmt/checksum.h"
#include "skinfmt/reader.h"
#include "skinfmt/writer.h"

#include <gtest/gtest.h>

#include <functional>

using namespace skinfmt_test;
using skinfmt::error;

namespace {

void set32(bytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

error read_error(const bytes& b)
{
    skinfmt::skin s;
    return skinfmt::read(b, s).code;
}

bytes good_bytes()
{
    bytes b;
    skinfmt::write(sample_skin(), b);
    return b;
}

// Section content changed, layout and checksum rebuilt around it.
bytes with_section(const std::string& tag, const std::function<void(bytes&)>& change,
                   const skinfmt::skin& s = sample_skin())
{
    auto sections = sections_of(s);
    for (raw_section& section : sections)
        if (section.tag == tag) change(section.content);
    return assemble(sections);
}

TEST(DamagedSkin, EveryTruncationIsRefused)
{
    const bytes good = good_bytes();
    for (std::size_t n = 0; n < good.size(); ++n) {
        const bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_NE(read_error(cut), error::none) << n;
    }
    // Even with the size field and checksum made to match the cut.
    for (std::size_t n = 20; n < good.size(); ++n) {
        bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        set32(cut, 8, static_cast<std::uint32_t>(n));
        skinfmt::update_checksum(cut);
        EXPECT_NE(read_error(cut), error::none) << n;
    }
}

TEST(DamagedSkin, EachFaultGivesItsReason)
{
    const skinfmt::skin base = sample_skin();
    auto fix = [](bytes b) {
        skinfmt::update_checksum(b);
        return b;
    };
    auto header = [&](std::size_t at, std::uint8_t value, bool refix = true) {
        bytes b = good_bytes();
        b[at] = value;
        return refix ? fix(b) : b;
    };
    auto directory = [&](std::size_t entry, std::size_t field, std::uint32_t value) {
        bytes b = good_bytes();
        set32(b, 20 + entry * 12 + field, value);
        return fix(b);
    };
    auto tagged = [&](std::size_t entry, const char* tag) {
        bytes b = good_bytes();
        for (int i = 0; i < 4; ++i) b[20 + entry * 12 + i] = static_cast<std::uint8_t>(tag[i]);
        return fix(b);
    };
    skinfmt::skin pattern = base;
    pattern.style.background = skinfmt::texture::pattern8;
    pattern.pattern = {1, 2, 3, 4, 5, 6, 7, 8};
    auto without_pattern_section = sections_of(pattern);
    without_pattern_section.pop_back();
    auto stray_pattern_section = sections_of(base);
    stray_pattern_section.push_back({"PATN", bytes(8, 0)});
    auto seven_sections_plus_tail = sections_of(base);
    bytes trailing = assemble(seven_sections_plus_tail);
    trailing.push_back(0);
    set32(trailing, 8, static_cast<std::uint32_t>(trailing.size()));
    trailing = fix(trailing);

    struct fault {
        const char* what;
        bytes data;
        error expected;
    };
    const fault faults[] = {
        {"empty", {}, error::too_short},
        {"magic", header(0, 'S'), error::bad_magic},
        {"generation 00 02", header(5, 2), error::bad_version},
        {"generation 01 03", header(4, 1), error::bad_version},
        {"reserved flags", header(7, 1), error::bad_header},
        {"reserved word", header(18, 1), error::bad_header},
        {"checksum", header(40, 0x55, false), error::bad_checksum},
        {"size field too big", [&] { bytes b = good_bytes(); set32(b, 8, 0xFFFFFFFFu); return fix(b); }(), error::size_mismatch},
        {"trailing byte", trailing, error::sections_not_contiguous},
        {"no sections", [&] { bytes b = good_bytes(); b[16] = 0; return fix(b); }(), error::bad_directory},
        {"17 sections", [&] { bytes b = good_bytes(); b[16] = 17; return fix(b); }(), error::bad_directory},
        {"directory past the end", [&] { bytes b = good_bytes(); b[16] = 16; return fix(b); }(), error::bad_directory},
        {"lower-case tag", tagged(0, "name"), error::bad_section_tag},
        {"offset wraps around", directory(1, 4, 0xFFFFFFF0u), error::section_out_of_bounds},
        {"length wraps around", directory(1, 8, 0xFFFFFFF8u), error::section_out_of_bounds},
        {"gap", directory(1, 4, 20 + 5 * 12 + 8), error::sections_not_contiguous},
        {"duplicate", tagged(1, "NAME"), error::duplicate_section},
        {"missing font", tagged(3, "XTRA"), error::missing_section},
        {"name longer than its section", with_section("NAME", [](bytes& c) { c[0] = 40; }), error::bad_section_size},
        {"empty name", with_section("NAME", [](bytes& c) { c.resize(1); c[0] = 0; }), error::bad_text},
        {"control character in name", with_section("NAME", [](bytes& c) { c[2] = '\n'; }), error::bad_text},
        {"overlong UTF-8 in name", with_section("NAME", [](bytes& c) { c[1] = 0xC0; c[2] = 0x80; }), error::bad_text},
        {"28 colours", with_section("PALT", [](bytes& c) { c[0] = 28; c.resize(1 + 28 * 3); }), error::bad_section_size},
        {"colour count lies", with_section("PALT", [](bytes& c) { c[0] = 30; }), error::bad_section_size},
        {"caption 99 px", with_section("METR", [](bytes& c) { c[1] = 99; }), error::value_out_of_range},
        {"border 0 px", with_section("METR", [](bytes& c) { c[2] = 0; }), error::value_out_of_range},
        {"15 metrics", with_section("METR", [](bytes& c) { c[0] = 15; c.pop_back(); }), error::bad_section_size},
        {"button taller than caption", with_section("METR", [](bytes& c) { c[4] = 30; }), error::inconsistent},
        {"line wider than cell", with_section("METR", [](bytes& c) { c[16] = 7; }), error::inconsistent},
        {"weight 950", with_section("FONT", [](bytes& c) { c[1] = 950 & 0xFF; c[2] = 950 >> 8; }), error::value_out_of_range},
        {"font height 7", with_section("FONT", [](bytes& c) { c[0] = 7; }), error::value_out_of_range},
        {"unknown font flag", with_section("FONT", [](bytes& c) { c[3] = 2; }), error::value_out_of_range},
        {"face past its section", with_section("FONT", [](bytes& c) { c[4] = 200; }), error::bad_section_size},
        {"caption fill 9", with_section("STYL", [](bytes& c) { c[1] = 9; }), error::value_out_of_range},
        {"texture 8", with_section("STYL", [](bytes& c) { c[5] = 8; }), error::value_out_of_range},
        {"shadow 2", with_section("STYL", [](bytes& c) { c[6] = 2; }), error::value_out_of_range},
        {"five style fields", with_section("STYL", [](bytes& c) { c[0] = 5; c.pop_back(); }), error::bad_section_size},
        {"pattern texture without rows", assemble(without_pattern_section), error::missing_section},
        {"rows without pattern texture", assemble(stray_pattern_section), error::unused_section},
        {"short pattern", with_section("PATN", [](bytes& c) { c.pop_back(); }, pattern), error::bad_section_size},
        {"seal of 7 bytes", [&] {
             skinfmt::skin sealed = base;
             skinfmt::seal(sealed, "k", 1);
             return with_section("SEAL", [](bytes& c) { c.pop_back(); }, sealed);
         }(), error::bad_section_size},
    };
    for (const fault& f : faults) {
        EXPECT_EQ(read_error(f.data), f.expected) << f.what << ": " << skinfmt::error_text(read_error(f.data));
    }
}

TEST(DamagedSkin, ErrorsPointAtTheFaultyByte)
{
    bytes b = good_bytes();
    b[5] = 9;
    skinfmt::skin s;
    EXPECT_EQ(skinfmt::read(b, s), (skinfmt::error_info{error::bad_version, 4}));
    const bytes metrics = with_section("METR", [](bytes& c) { c[3] = 200; });
    const skinfmt::error_info e = skinfmt::read(metrics, s);
    EXPECT_EQ(e.code, error::value_out_of_range);
    EXPECT_EQ(metrics[e.where], 200);
}

}  // namespace
