// The in-memory form of one skin: what the reader produces, the writer
// consumes and the engine paints with. Plain values only, no allocation, so
// the engine can keep a copy without owning any heap memory of the caller.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace skinfmt {

// Colour roles of the palette. The numbering is part of the binary format
// and of the engine's programming interface: append only.
enum class color_role : std::uint8_t {
    caption_active_start,
    caption_active_end,
    caption_inactive_start,
    caption_inactive_end,
    caption_text_active,
    caption_text_inactive,
    caption_text_shadow,
    frame_active,
    frame_inactive,
    frame_outline,
    window_background,
    background_pattern,
    window_text,
    button_face,
    button_face_hot,
    button_face_pressed,
    button_face_disabled,
    button_border,
    button_text,
    button_text_disabled,
    focus_ring,
    edit_border,
    edit_border_focused,
    caption_button_glyph,
    caption_button_glyph_hot,
    caption_button_hot,
    caption_button_pressed,
    close_button_hot,
    close_button_pressed,
};
inline constexpr std::size_t color_role_count = 29;

// Sizes in pixels (percentages where the name says so). Append only.
enum class metric : std::uint8_t {
    caption_height,
    border_width,
    caption_button_width,
    caption_button_height,
    caption_button_spacing,
    caption_padding,
    icon_size,
    caption_text_indent,
    button_corner_radius,
    button_border_width,
    focus_ring_inset,
    edit_border_width,
    caption_gloss_percent,
    button_gloss_percent,
    texture_cell,
    texture_line,
};
inline constexpr std::size_t metric_count = 16;

struct metric_range {
    std::uint8_t min;
    std::uint8_t max;
};

// How the caption bar is filled between its start and end colours.
enum class caption_fill : std::uint8_t { solid, vertical, horizontal, glossy };
inline constexpr std::size_t caption_fill_count = 4;

enum class caption_align : std::uint8_t { left, center };
inline constexpr std::size_t caption_align_count = 2;

// Shape behind the minimise, maximise and close glyphs.
enum class caption_button_shape : std::uint8_t { square, rounded, circle, glyph_only };
inline constexpr std::size_t caption_button_shape_count = 4;

// How push-button faces are filled.
enum class button_fill : std::uint8_t { flat, gradient, glossy };
inline constexpr std::size_t button_fill_count = 3;

// The window background: plain, or a pattern of background_pattern over
// window_background repeated every texture_cell pixels.
enum class texture : std::uint8_t { none, horizontal_lines, vertical_lines, diagonal, checker, dots, grid, pattern8 };
inline constexpr std::size_t texture_count = 8;

struct rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(const rgb&, const rgb&) = default;
};

// A short UTF-8 text kept inline.
template <std::size_t Capacity>
struct short_text {
    std::array<char, Capacity> bytes{};
    std::uint8_t size = 0;

    static constexpr std::size_t capacity = Capacity;
    std::string_view view() const noexcept { return {bytes.data(), size}; }
    // False when the text does not fit; then nothing changes.
    bool assign(std::string_view text) noexcept
    {
        if (text.size() > Capacity) return false;
        bytes = {};
        for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = text[i];
        size = static_cast<std::uint8_t>(text.size());
        return true;
    }
    friend constexpr bool operator==(const short_text&, const short_text&) = default;
};

struct font_spec {
    short_text<31> face;
    std::uint8_t height = 0;    // character height in pixels
    std::uint16_t weight = 0;   // 100..900 in steps of 100
    bool italic = false;
    friend constexpr bool operator==(const font_spec&, const font_spec&) = default;
};

struct style_spec {
    caption_fill caption = caption_fill::solid;
    caption_align align = caption_align::left;
    caption_button_shape buttons = caption_button_shape::square;
    button_fill button = button_fill::flat;
    texture background = texture::none;
    bool caption_text_shadow = false;
    friend constexpr bool operator==(const style_spec&, const style_spec&) = default;
};

// A skin may be sealed to a key: the engine then applies it only when
// given that key. The seal marks ownership; it does not hide the content.
struct seal_spec {
    bool present = false;
    std::uint32_t salt = 0;
    std::uint32_t digest = 0;
    friend constexpr bool operator==(const seal_spec&, const seal_spec&) = default;
};

struct skin {
    short_text<63> name;
    std::array<rgb, color_role_count> palette{};
    std::array<std::uint8_t, metric_count> metrics{};
    font_spec caption_font;
    style_spec style;
    std::array<std::uint8_t, 8> pattern{};   // rows of an 8x8 bit pattern, used by texture::pattern8
    seal_spec seal;

    rgb color(color_role role) const noexcept { return palette[static_cast<std::size_t>(role)]; }
    rgb& color(color_role role) noexcept { return palette[static_cast<std::size_t>(role)]; }
    std::uint8_t value(metric m) const noexcept { return metrics[static_cast<std::size_t>(m)]; }
    std::uint8_t& value(metric m) noexcept { return metrics[static_cast<std::size_t>(m)]; }

    friend constexpr bool operator==(const skin&, const skin&) = default;
};

// Names used by the text source format and in messages.
std::string_view color_role_name(std::size_t role) noexcept;
std::string_view metric_name(std::size_t m) noexcept;
metric_range range_of(metric m) noexcept;
std::string_view caption_fill_name(std::size_t v) noexcept;
std::string_view caption_align_name(std::size_t v) noexcept;
std::string_view caption_button_shape_name(std::size_t v) noexcept;
std::string_view button_fill_name(std::size_t v) noexcept;
std::string_view texture_name(std::size_t v) noexcept;

}  // namespace skinfmt
