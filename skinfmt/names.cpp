#include "skinfmt/errors.h"
#include "skinfmt/skin.h"

namespace skinfmt {
namespace {

template <std::size_t N>
std::string_view pick(const std::string_view (&names)[N], std::size_t i) noexcept
{
    return i < N ? names[i] : std::string_view{};
}

constexpr std::string_view role_names[] = {
    "caption_active_start", "caption_active_end", "caption_inactive_start", "caption_inactive_end",
    "caption_text_active", "caption_text_inactive", "caption_text_shadow", "frame_active",
    "frame_inactive", "frame_outline", "window_background", "background_pattern",
    "window_text", "button_face", "button_face_hot", "button_face_pressed",
    "button_face_disabled", "button_border", "button_text", "button_text_disabled",
    "focus_ring", "edit_border", "edit_border_focused", "caption_button_glyph",
    "caption_button_glyph_hot", "caption_button_hot", "caption_button_pressed", "close_button_hot",
    "close_button_pressed",
};
static_assert(std::size(role_names) == color_role_count);

constexpr std::string_view metric_names[] = {
    "caption_height", "border_width", "caption_button_width", "caption_button_height",
    "caption_button_spacing", "caption_padding", "icon_size", "caption_text_indent",
    "button_corner_radius", "button_border_width", "focus_ring_inset", "edit_border_width",
    "caption_gloss_percent", "button_gloss_percent", "texture_cell", "texture_line",
};
static_assert(std::size(metric_names) == metric_count);

// The caption may grow only so far: a taller caption takes height from the
// client area of a window whose outer size is fixed.
constexpr metric_range metric_ranges[] = {
    {18, 34}, {1, 8}, {14, 40}, {12, 34}, {0, 8}, {0, 12}, {12, 32}, {0, 24},
    {0, 12}, {0, 3}, {1, 6}, {1, 2}, {0, 100}, {0, 100}, {2, 32}, {1, 16},
};
static_assert(std::size(metric_ranges) == metric_count);

constexpr std::string_view caption_fill_names[] = {"solid", "vertical", "horizontal", "glossy"};
constexpr std::string_view caption_align_names[] = {"left", "center"};
constexpr std::string_view caption_button_shape_names[] = {"square", "rounded", "circle", "glyph_only"};
constexpr std::string_view button_fill_names[] = {"flat", "gradient", "glossy"};
constexpr std::string_view texture_names[] = {"none", "horizontal_lines", "vertical_lines", "diagonal",
                                              "checker", "dots", "grid", "pattern8"};
static_assert(std::size(caption_fill_names) == caption_fill_count);
static_assert(std::size(caption_align_names) == caption_align_count);
static_assert(std::size(caption_button_shape_names) == caption_button_shape_count);
static_assert(std::size(button_fill_names) == button_fill_count);
static_assert(std::size(texture_names) == texture_count);

constexpr std::string_view error_texts[] = {
    "no error",
    "too short for a skin header",
    "not a skin (bad magic)",
    "unsupported skin format generation",
    "reserved header field is not zero",
    "size in header does not match the data",
    "checksum mismatch (damaged data)",
    "bad section directory",
    "bad section tag",
    "section reaches past the end",
    "sections are not contiguous",
    "duplicate section",
    "missing section",
    "section length does not match its content",
    "bad text (empty, too long, not UTF-8 or control characters)",
    "value out of range",
    "values contradict each other",
    "pattern section without the pattern texture",
};

}  // namespace

std::string_view color_role_name(std::size_t role) noexcept { return pick(role_names, role); }
std::string_view metric_name(std::size_t m) noexcept { return pick(metric_names, m); }
metric_range range_of(metric m) noexcept { return metric_ranges[static_cast<std::size_t>(m)]; }
std::string_view caption_fill_name(std::size_t v) noexcept { return pick(caption_fill_names, v); }
std::string_view caption_align_name(std::size_t v) noexcept { return pick(caption_align_names, v); }
std::string_view caption_button_shape_name(std::size_t v) noexcept { return pick(caption_button_shape_names, v); }
std::string_view button_fill_name(std::size_t v) noexcept { return pick(button_fill_names, v); }
std::string_view texture_name(std::size_t v) noexcept { return pick(texture_names, v); }
std::string_view error_text(error e) noexcept
{
    const std::string_view text = pick(error_texts, static_cast<std::size_t>(e));
    return text.empty() ? std::string_view("unknown error") : text;
}

}  // namespace skinfmt
