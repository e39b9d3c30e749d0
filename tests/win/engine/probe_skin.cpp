#include "tests/win/engine/probe_skin.h"

#include "skinfmt/writer.h"

namespace engine_test {

using skinfmt::metric;

skinfmt::skin probe_skin()
{
    skinfmt::skin s;
    s.name.assign("Probe");
    for (std::size_t i = 0; i < skinfmt::color_role_count; ++i)
        s.palette[i] = {static_cast<std::uint8_t>(10 + i * 7), static_cast<std::uint8_t>(200 - i * 5),
                        static_cast<std::uint8_t>(40 + i * 6)};
    s.value(metric::caption_height) = 30;
    s.value(metric::border_width) = 5;
    s.value(metric::caption_button_width) = 28;
    s.value(metric::caption_button_height) = 22;
    s.value(metric::caption_button_spacing) = 2;
    s.value(metric::caption_padding) = 4;
    s.value(metric::icon_size) = 16;
    s.value(metric::caption_text_indent) = 6;
    s.value(metric::button_corner_radius) = 0;
    s.value(metric::button_border_width) = 1;
    s.value(metric::focus_ring_inset) = 3;
    s.value(metric::edit_border_width) = 1;
    s.value(metric::caption_gloss_percent) = 0;
    s.value(metric::button_gloss_percent) = 0;
    s.value(metric::texture_cell) = 4;
    s.value(metric::texture_line) = 1;
    s.caption_font.face.assign("Tahoma");
    s.caption_font.height = 13;
    s.caption_font.weight = 700;
    return s;
}

std::vector<std::uint8_t> bytes_of(const skinfmt::skin& s)
{
    std::vector<std::uint8_t> bytes;
    skinfmt::write(s, bytes);
    return bytes;
}

COLORREF colour_of(const skinfmt::skin& s, skinfmt::color_role role)
{
    const skinfmt::rgb c = s.color(role);
    return RGB(c.r, c.g, c.b);
}

}  // namespace engine_test
