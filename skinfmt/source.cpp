#include "skinfmt/source.h"

#include "skinfmt/checksum.h"
#include "skinfmt/reader.h"
#include "skinfmt/writer.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace skinfmt {
namespace {

enum class part { none, skin_part, palette, metrics, font, style, pattern };

std::string_view trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

bool parse_number(std::string_view text, unsigned long& value, int base = 10)
{
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return ec == std::errc() && end == text.data() + text.size();
}

bool parse_colour(std::string_view text, rgb& out)
{
    unsigned long v = 0;
    if (text.size() != 7 || text[0] != '#' || !parse_number(text.substr(1), v, 16)) return false;
    out = {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    return true;
}

bool parse_bool(std::string_view text, bool& out)
{
    if (text == "yes" || text == "true" || text == "1") return out = true, true;
    if (text == "no" || text == "false" || text == "0") return out = false, true;
    return false;
}

template <typename Names>
bool parse_choice(std::string_view text, Names names, std::size_t count, std::uint8_t& out)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (names(i) == text) {
            out = static_cast<std::uint8_t>(i);
            return true;
        }
    }
    return false;
}

template <typename Names>
std::string choices(Names names, std::size_t count)
{
    std::string all;
    for (std::size_t i = 0; i < count; ++i) {
        if (i) all += ", ";
        all += names(i);
    }
    return all;
}

// Style keys in the order of style_spec.
struct style_key {
    std::string_view key;
    std::string_view (*names)(std::size_t) noexcept;
    std::size_t count;
};
constexpr style_key style_keys[] = {
    {"caption", caption_fill_name, caption_fill_count},
    {"align", caption_align_name, caption_align_count},
    {"caption_buttons", caption_button_shape_name, caption_button_shape_count},
    {"button", button_fill_name, button_fill_count},
    {"background", texture_name, texture_count},
};

class compiler {
public:
    explicit compiler(skin& out) : out_(out) { out_ = skin{}; }

    source_result run(std::string_view text)
    {
        std::size_t line_no = 0;
        while (!text.empty()) {
            ++line_no;
            const auto eol = text.find('\n');
            const std::string_view line = trim(text.substr(0, eol));
            text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
            if (line.empty() || line[0] == '#' || line[0] == ';') continue;
            if (!line_(line, line_no)) return std::move(result_);
        }
        if (!finish()) return std::move(result_);
        return {};
    }

private:
    bool fail(std::size_t line, error e, std::string message)
    {
        result_.error = {e, static_cast<std::uint32_t>(line)};
        result_.message = std::move(message);
        return false;
    }

    bool line_(std::string_view line, std::size_t n)
    {
        if (line.front() == '[') {
            if (line.back() != ']') return fail(n, error::bad_text, "section header without ']'");
            const std::string_view name = trim(line.substr(1, line.size() - 2));
            constexpr std::pair<std::string_view, part> parts[] = {
                {"skin", part::skin_part}, {"palette", part::palette}, {"metrics", part::metrics},
                {"font", part::font},      {"style", part::style},     {"pattern", part::pattern}};
            for (const auto& [label, p] : parts) {
                if (name == label) {
                    part_ = p;
                    return true;
                }
            }
            return fail(n, error::bad_text, "unknown section [" + std::string(name) + "]");
        }
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) return fail(n, error::bad_text, "expected 'key = value'");
        const std::string_view key = trim(line.substr(0, eq));
        const std::string_view value = trim(line.substr(eq + 1));
        if (key.empty()) return fail(n, error::bad_text, "missing key before '='");
        switch (part_) {
        case part::none: return fail(n, error::bad_text, "key '" + std::string(key) + "' before any [section]");
        case part::skin_part: return skin_key(key, value, n);
        case part::palette: return palette_key(key, value, n);
        case part::metrics: return metric_key(key, value, n);
        case part::font: return font_key(key, value, n);
        case part::style: return style_key_(key, value, n);
        case part::pattern: return pattern_key(key, value, n);
        }
        return false;
    }

    // Marks a key as given; a second time is an error.
    bool once(std::string_view section, std::string_view key, std::size_t n)
    {
        std::string full = std::string(section) + "." + std::string(key);
        for (const auto& seen : seen_)
            if (seen == full) return fail(n, error::duplicate_section, "'" + std::string(key) + "' given twice");
        seen_.push_back(std::move(full));
        return true;
    }
    bool given(std::string_view section, std::string_view key) const
    {
        const std::string full = std::string(section) + "." + std::string(key);
        for (const auto& seen : seen_)
            if (seen == full) return true;
        return false;
    }

    bool skin_key(std::string_view key, std::string_view value, std::size_t n)
    {
        if (key == "name") {
            if (!once("skin", key, n)) return false;
            if (value.empty() || !out_.name.assign(value) || !is_clean_utf8(value))
                return fail(n, error::bad_text, "name must be 1 to 63 bytes of UTF-8 text");
            return true;
        }
        if (key == "key") {
            if (!once("skin", key, n)) return false;
            if (value.empty() || !is_clean_utf8(value)) return fail(n, error::bad_text, "key must be non-empty text");
            key_ = std::string(value);
            return true;
        }
        return fail(n, error::bad_text, "unknown key '" + std::string(key) + "' in [skin] (name, key)");
    }

    bool palette_key(std::string_view key, std::string_view value, std::size_t n)
    {
        for (std::size_t i = 0; i < color_role_count; ++i) {
            if (color_role_name(i) != key) continue;
            if (!once("palette", key, n)) return false;
            if (!parse_colour(value, out_.palette[i]))
                return fail(n, error::value_out_of_range, "colour must be written #rrggbb");
            return true;
        }
        return fail(n, error::bad_text, "unknown colour role '" + std::string(key) + "'");
    }

    bool metric_key(std::string_view key, std::string_view value, std::size_t n)
    {
        for (std::size_t i = 0; i < metric_count; ++i) {
            if (metric_name(i) != key) continue;
            if (!once("metrics", key, n)) return false;
            const metric_range r = range_of(static_cast<metric>(i));
            unsigned long v = 0;
            if (!parse_number(value, v) || v < r.min || v > r.max)
                return fail(n, error::value_out_of_range,
                            std::string(key) + " must be a whole number from " + std::to_string(r.min) + " to " +
                                std::to_string(r.max));
            out_.metrics[i] = static_cast<std::uint8_t>(v);
            return true;
        }
        return fail(n, error::bad_text, "unknown metric '" + std::string(key) + "'");
    }

    bool font_key(std::string_view key, std::string_view value, std::size_t n)
    {
        font_spec& f = out_.caption_font;
        unsigned long v = 0;
        if (key == "face") {
            if (!once("font", key, n)) return false;
            if (value.empty() || !f.face.assign(value) || !is_clean_utf8(value))
                return fail(n, error::bad_text, "face must be 1 to 31 bytes of UTF-8 text");
            return true;
        }
        if (key == "height") {
            if (!once("font", key, n)) return false;
            if (!parse_number(value, v) || v < 8 || v > 40)
                return fail(n, error::value_out_of_range, "height must be a whole number from 8 to 40");
            f.height = static_cast<std::uint8_t>(v);
            return true;
        }
        if (key == "weight") {
            if (!once("font", key, n)) return false;
            if (!parse_number(value, v) || v < 100 || v > 900 || v % 100 != 0)
                return fail(n, error::value_out_of_range, "weight must be 100, 200, ... 900");
            f.weight = static_cast<std::uint16_t>(v);
            return true;
        }
        if (key == "italic") {
            if (!once("font", key, n)) return false;
            if (!parse_bool(value, f.italic)) return fail(n, error::value_out_of_range, "italic must be yes or no");
            return true;
        }
        return fail(n, error::bad_text, "unknown key '" + std::string(key) + "' in [font] (face, height, weight, italic)");
    }

    bool style_key_(std::string_view key, std::string_view value, std::size_t n)
    {
        if (key == "caption_text_shadow") {
            if (!once("style", key, n)) return false;
            if (!parse_bool(value, out_.style.caption_text_shadow))
                return fail(n, error::value_out_of_range, "caption_text_shadow must be yes or no");
            return true;
        }
        for (std::size_t i = 0; i < std::size(style_keys); ++i) {
            const style_key& sk = style_keys[i];
            if (sk.key != key) continue;
            if (!once("style", key, n)) return false;
            std::uint8_t v = 0;
            if (!parse_choice(value, sk.names, sk.count, v))
                return fail(n, error::value_out_of_range,
                            std::string(key) + " must be one of: " + choices(sk.names, sk.count));
            switch (i) {
            case 0: out_.style.caption = static_cast<caption_fill>(v); break;
            case 1: out_.style.align = static_cast<caption_align>(v); break;
            case 2: out_.style.buttons = static_cast<caption_button_shape>(v); break;
            case 3: out_.style.button = static_cast<button_fill>(v); break;
            default: out_.style.background = static_cast<texture>(v); break;
            }
            return true;
        }
        return fail(n, error::bad_text, "unknown key '" + std::string(key) + "' in [style]");
    }

    bool pattern_key(std::string_view key, std::string_view value, std::size_t n)
    {
        if (key != "rows") return fail(n, error::bad_text, "unknown key '" + std::string(key) + "' in [pattern] (rows)");
        if (!once("pattern", key, n)) return false;
        pattern_line_ = n;
        std::size_t row = 0;
        while (!value.empty()) {
            const auto space = value.find_first_of(" \t");
            const std::string_view word = value.substr(0, space);
            value = space == std::string_view::npos ? std::string_view{} : trim(value.substr(space));
            unsigned long v = 0;
            if (row == out_.pattern.size() || !parse_number(word, v, 16) || v > 0xFF)
                return fail(n, error::value_out_of_range, "rows must be eight hex bytes, e.g. 55 aa 55 aa 55 aa 55 aa");
            out_.pattern[row++] = static_cast<std::uint8_t>(v);
        }
        if (row != out_.pattern.size())
            return fail(n, error::value_out_of_range, "rows must be eight hex bytes, e.g. 55 aa 55 aa 55 aa 55 aa");
        return true;
    }

    bool finish()
    {
        if (!given("skin", "name")) return fail(0, error::missing_section, "missing [skin] name");
        for (std::size_t i = 0; i < color_role_count; ++i)
            if (!given("palette", color_role_name(i)))
                return fail(0, error::missing_section, "missing colour '" + std::string(color_role_name(i)) + "' in [palette]");
        for (std::size_t i = 0; i < metric_count; ++i)
            if (!given("metrics", metric_name(i)))
                return fail(0, error::missing_section, "missing metric '" + std::string(metric_name(i)) + "' in [metrics]");
        for (const std::string_view k : {"face", "height", "weight", "italic"})
            if (!given("font", k)) return fail(0, error::missing_section, "missing '" + std::string(k) + "' in [font]");
        for (const style_key& sk : style_keys)
            if (!given("style", sk.key)) return fail(0, error::missing_section, "missing '" + std::string(sk.key) + "' in [style]");
        if (!given("style", "caption_text_shadow"))
            return fail(0, error::missing_section, "missing 'caption_text_shadow' in [style]");
        const bool wants_pattern = out_.style.background == texture::pattern8;
        if (wants_pattern && !given("pattern", "rows"))
            return fail(0, error::missing_section, "background = pattern8 needs [pattern] rows");
        if (!wants_pattern && given("pattern", "rows"))
            return fail(pattern_line_, error::unused_section, "[pattern] rows given but background is not pattern8");
        if (!key_.empty()) {
            fnv1a salt;
            salt.add(out_.name.view());
            seal(out_, key_, salt.value());
        }
        if (const error_info e = validate(out_); !e.ok())
            return fail(0, e.code, std::string(error_text(e.code)) + describe_inconsistency());
        return true;
    }

    std::string describe_inconsistency() const
    {
        if (out_.value(metric::caption_button_height) > out_.value(metric::caption_height))
            return ": caption_button_height is larger than caption_height";
        if (out_.value(metric::icon_size) > out_.value(metric::caption_height))
            return ": icon_size is larger than caption_height";
        if (out_.value(metric::texture_line) > out_.value(metric::texture_cell))
            return ": texture_line is larger than texture_cell";
        if (out_.value(metric::focus_ring_inset) + out_.value(metric::button_border_width) > 8)
            return ": focus_ring_inset plus button_border_width is more than 8";
        return {};
    }

    skin& out_;
    part part_ = part::none;
    std::vector<std::string> seen_;
    std::string key_;
    std::size_t pattern_line_ = 0;
    source_result result_;
};

std::string hex_colour(rgb c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
    return buf;
}

}  // namespace

source_result parse_source(std::string_view text, skin& out)
{
    compiler c(out);
    return c.run(text);
}

std::string format_source(const skin& s)
{
    std::string t;
    t += "[skin]\nname = " + std::string(s.name.view()) + "\n\n[palette]\n";
    for (std::size_t i = 0; i < color_role_count; ++i)
        t += std::string(color_role_name(i)) + " = " + hex_colour(s.palette[i]) + "\n";
    t += "\n[metrics]\n";
    for (std::size_t i = 0; i < metric_count; ++i)
        t += std::string(metric_name(i)) + " = " + std::to_string(s.metrics[i]) + "\n";
    t += "\n[font]\nface = " + std::string(s.caption_font.face.view()) + "\nheight = " +
         std::to_string(s.caption_font.height) + "\nweight = " + std::to_string(s.caption_font.weight) +
         "\nitalic = " + (s.caption_font.italic ? "yes" : "no") + "\n\n[style]\n";
    t += "caption = " + std::string(caption_fill_name(static_cast<std::size_t>(s.style.caption))) + "\n";
    t += "align = " + std::string(caption_align_name(static_cast<std::size_t>(s.style.align))) + "\n";
    t += "caption_buttons = " + std::string(caption_button_shape_name(static_cast<std::size_t>(s.style.buttons))) + "\n";
    t += "button = " + std::string(button_fill_name(static_cast<std::size_t>(s.style.button))) + "\n";
    t += "background = " + std::string(texture_name(static_cast<std::size_t>(s.style.background))) + "\n";
    t += std::string("caption_text_shadow = ") + (s.style.caption_text_shadow ? "yes" : "no") + "\n";
    if (s.style.background == texture::pattern8) {
        t += "\n[pattern]\nrows =";
        for (const std::uint8_t row : s.pattern) {
            char buf[4];
            std::snprintf(buf, sizeof buf, " %02x", row);
            t += buf;
        }
        t += "\n";
    }
    return t;
}

}  // namespace skinfmt
