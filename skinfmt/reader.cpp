#include "skinfmt/reader.h"

#include "skinfmt/byte_cursor.h"
#include "skinfmt/checksum.h"
#include "skinfmt/format.h"

#include <algorithm>

namespace skinfmt {
namespace {

struct section {
    std::uint32_t tag = 0;
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

error_info at(error e, std::size_t where) noexcept { return {e, static_cast<std::uint32_t>(where)}; }

bool tag_is_well_formed(std::uint32_t tag) noexcept
{
    for (int i = 0; i < 4; ++i) {
        const auto c = static_cast<char>(tag >> (8 * i));
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

// Each decoder reads exactly one section's bytes; a section must be used up
// to its last byte.
error_info decode_name(byte_cursor c, std::size_t base, skin& out) noexcept
{
    std::uint8_t n = 0;
    std::string_view text;
    if (!c.u8(n) || !c.text(n, text) || c.remaining() != 0) return at(error::bad_section_size, base);
    if (n == 0 || !out.name.assign(text) || !is_clean_utf8(text)) return at(error::bad_text, base + 1);
    return {};
}

error_info decode_palette(byte_cursor c, std::size_t base, skin& out) noexcept
{
    std::uint8_t count = 0;
    if (!c.u8(count) || count != color_role_count) return at(error::bad_section_size, base);
    if (c.remaining() != count * 3u) return at(error::bad_section_size, base);
    for (rgb& colour : out.palette) {
        c.u8(colour.r);
        c.u8(colour.g);
        c.u8(colour.b);
    }
    return {};
}

error_info decode_metrics(byte_cursor c, std::size_t base, skin& out) noexcept
{
    std::uint8_t count = 0;
    if (!c.u8(count) || count != metric_count || c.remaining() != count) return at(error::bad_section_size, base);
    for (std::size_t i = 0; i < metric_count; ++i) {
        c.u8(out.metrics[i]);
        const metric_range r = range_of(static_cast<metric>(i));
        if (out.metrics[i] < r.min || out.metrics[i] > r.max) return at(error::value_out_of_range, base + 1 + i);
    }
    return {};
}

error_info decode_font(byte_cursor c, std::size_t base, skin& out) noexcept
{
    font_spec& f = out.caption_font;
    std::uint8_t flags = 0;
    std::uint8_t n = 0;
    std::string_view face;
    if (!c.u8(f.height) || !c.u16(f.weight) || !c.u8(flags) || !c.u8(n) || !c.text(n, face) || c.remaining() != 0)
        return at(error::bad_section_size, base);
    if ((flags & ~1u) != 0) return at(error::value_out_of_range, base + 3);
    f.italic = (flags & 1u) != 0;
    if (n == 0 || !f.face.assign(face) || !is_clean_utf8(face)) return at(error::bad_text, base + 5);
    return {};
}

error_info decode_style(byte_cursor c, std::size_t base, skin& out) noexcept
{
    std::uint8_t count = 0;
    std::uint8_t v[layout::style_field_count] = {};
    if (!c.u8(count) || count != layout::style_field_count || c.remaining() != count)
        return at(error::bad_section_size, base);
    for (std::uint8_t& field : v) c.u8(field);
    const std::size_t limits[layout::style_field_count] = {caption_fill_count, caption_align_count,
                                                           caption_button_shape_count, button_fill_count,
                                                           texture_count, 2};
    for (std::size_t i = 0; i < layout::style_field_count; ++i)
        if (v[i] >= limits[i]) return at(error::value_out_of_range, base + 1 + i);
    out.style.caption = static_cast<caption_fill>(v[0]);
    out.style.align = static_cast<caption_align>(v[1]);
    out.style.buttons = static_cast<caption_button_shape>(v[2]);
    out.style.button = static_cast<button_fill>(v[3]);
    out.style.background = static_cast<texture>(v[4]);
    out.style.caption_text_shadow = v[5] != 0;
    return {};
}

error_info decode_pattern(byte_cursor c, std::size_t base, skin& out) noexcept
{
    if (c.remaining() != layout::pattern_size) return at(error::bad_section_size, base);
    for (std::uint8_t& row : out.pattern) c.u8(row);
    return {};
}

error_info decode_seal(byte_cursor c, std::size_t base, skin& out) noexcept
{
    if (c.remaining() != layout::seal_size) return at(error::bad_section_size, base);
    c.u32(out.seal.salt);
    c.u32(out.seal.digest);
    out.seal.present = true;
    return {};
}

struct known_section {
    std::uint32_t tag;
    bool required;
    error_info (*decode)(byte_cursor, std::size_t, skin&) noexcept;
};

constexpr known_section known_sections[] = {
    {layout::tag_name, true, decode_name},       {layout::tag_palette, true, decode_palette},
    {layout::tag_metrics, true, decode_metrics}, {layout::tag_font, true, decode_font},
    {layout::tag_style, true, decode_style},     {layout::tag_pattern, false, decode_pattern},
    {layout::tag_seal, false, decode_seal},
};

}  // namespace

error_info read(std::span<const std::uint8_t> bytes, skin& out) noexcept
{
    out = skin{};
    if (bytes.size() < layout::header_size) return at(error::too_short, bytes.size());
    if (!std::equal(std::begin(layout::magic), std::end(layout::magic), bytes.begin())) return at(error::bad_magic, 0);
    if (bytes[4] != layout::generation[0] || bytes[5] != layout::generation[1]) return at(error::bad_version, 4);
    // Byte 6 is the revision: later revisions only add optional sections,
    // which are skipped below, so any revision is read.
    if (bytes[7] != 0) return at(error::bad_header, 7);

    byte_cursor header(bytes.subspan(8));
    std::uint32_t total = 0;
    std::uint32_t checksum = 0;
    std::uint16_t count = 0;
    std::uint16_t reserved = 0;
    header.u32(total);
    header.u32(checksum);
    header.u16(count);
    header.u16(reserved);
    if (total != bytes.size()) return at(error::size_mismatch, 8);
    if (total > layout::max_skin_size) return at(error::size_mismatch, 8);
    if (reserved != 0) return at(error::bad_header, 18);
    if (count == 0 || count > layout::max_sections) return at(error::bad_directory, 16);
    const std::size_t directory_end = layout::header_size + count * layout::directory_entry_size;
    if (directory_end > bytes.size()) return at(error::bad_directory, 16);
    if (checksum != skin_checksum(bytes)) return at(error::bad_checksum, layout::checksum_offset);

    // The directory: sections follow it back to back, in directory order,
    // up to the last byte.
    section sections[layout::max_sections];
    byte_cursor dir(bytes.subspan(layout::header_size, directory_end - layout::header_size));
    std::uint64_t expected_offset = directory_end;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = layout::header_size + i * layout::directory_entry_size;
        section& s = sections[i];
        dir.u32(s.tag);
        dir.u32(s.offset);
        dir.u32(s.length);
        if (!tag_is_well_formed(s.tag)) return at(error::bad_section_tag, entry);
        if (static_cast<std::uint64_t>(s.offset) + s.length > bytes.size())
            return at(error::section_out_of_bounds, entry + 4);
        if (s.offset != expected_offset) return at(error::sections_not_contiguous, entry + 4);
        expected_offset = static_cast<std::uint64_t>(s.offset) + s.length;
        for (std::size_t k = 0; k < i; ++k)
            if (sections[k].tag == s.tag) return at(error::duplicate_section, entry);
    }
    if (expected_offset != bytes.size()) return at(error::sections_not_contiguous, expected_offset);

    for (const known_section& known : known_sections) {
        const section* found = nullptr;
        for (std::size_t i = 0; i < count; ++i)
            if (sections[i].tag == known.tag) found = &sections[i];
        if (!found) {
            if (known.required) return at(error::missing_section, 16);
            continue;
        }
        const byte_cursor content(bytes.subspan(found->offset, found->length));
        if (const error_info e = known.decode(content, found->offset, out); !e.ok()) return e;
    }

    const bool has_pattern_section = std::any_of(sections, sections + count, [](const section& s) {
        return s.tag == layout::tag_pattern;
    });
    const bool wants_pattern = out.style.background == texture::pattern8;
    if (wants_pattern && !has_pattern_section) return at(error::missing_section, 16);
    if (!wants_pattern && has_pattern_section) return at(error::unused_section, 16);

    return validate(out);
}

}  // namespace skinfmt
