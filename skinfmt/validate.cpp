#include "skinfmt/checksum.h"
#include "skinfmt/reader.h"

namespace skinfmt {

bool is_clean_utf8(std::string_view text) noexcept
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        std::size_t extra = 0;
        std::uint32_t cp = 0;
        if (lead < 0x80) {
            if (lead < 0x20 || lead == 0x7F) return false;
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
        } else {
            return false;
        }
        if (text.size() - i <= extra) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto c = static_cast<std::uint8_t>(text[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = cp << 6 | (c & 0x3F);
        }
        // Overlong forms, surrogates and values past the last code point.
        constexpr std::uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (cp < smallest[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return false;
        if (cp >= 0x80 && cp < 0xA0) return false;  // C1 controls
        i += extra + 1;
    }
    return true;
}

namespace {

error_info fail(error e) noexcept { return {e, 0}; }

}  // namespace

error_info validate(const skin& s) noexcept
{
    if (s.name.size == 0 || s.name.size > s.name.capacity || !is_clean_utf8(s.name.view())) return fail(error::bad_text);
    const font_spec& f = s.caption_font;
    if (f.face.size == 0 || f.face.size > f.face.capacity || !is_clean_utf8(f.face.view())) return fail(error::bad_text);
    if (f.height < 8 || f.height > 40) return fail(error::value_out_of_range);
    if (f.weight < 100 || f.weight > 900 || f.weight % 100 != 0) return fail(error::value_out_of_range);

    for (std::size_t i = 0; i < metric_count; ++i) {
        const metric_range r = range_of(static_cast<metric>(i));
        if (s.metrics[i] < r.min || s.metrics[i] > r.max) return fail(error::value_out_of_range);
    }
    if (static_cast<std::size_t>(s.style.caption) >= caption_fill_count ||
        static_cast<std::size_t>(s.style.align) >= caption_align_count ||
        static_cast<std::size_t>(s.style.buttons) >= caption_button_shape_count ||
        static_cast<std::size_t>(s.style.button) >= button_fill_count ||
        static_cast<std::size_t>(s.style.background) >= texture_count)
        return fail(error::value_out_of_range);

    // Caption parts must fit into the caption; a texture line into its cell.
    if (s.value(metric::caption_button_height) > s.value(metric::caption_height) ||
        s.value(metric::icon_size) > s.value(metric::caption_height) ||
        s.value(metric::texture_line) > s.value(metric::texture_cell) ||
        s.value(metric::focus_ring_inset) + s.value(metric::button_border_width) > 8)
        return fail(error::inconsistent);
    // The pattern rows mean something only with the pattern texture; the
    // seal fields only in a sealed skin. Keeping the others zero makes one
    // skin have exactly one binary form.
    const bool has_pattern = s.style.background == texture::pattern8;
    if (!has_pattern) {
        for (const std::uint8_t row : s.pattern)
            if (row != 0) return fail(error::unused_section);
    }
    if (!s.seal.present && (s.seal.salt != 0 || s.seal.digest != 0)) return fail(error::inconsistent);
    return {};
}

bool key_opens(const skin& s, std::string_view key) noexcept
{
    return !s.seal.present || seal_digest(s.seal.salt, key) == s.seal.digest;
}

}  // namespace skinfmt
