#include "engine/theme.h"

#include "engine/painter.h"

#include <new>

namespace engine {
namespace {

using skinfmt::color_role;
using skinfmt::metric;
using skinfmt::texture;

// One tile of the background texture, as a packed 32-bit DIB that
// CreateDIBPatternBrushPt copies.
win::unique_brush make_texture_brush(const skinfmt::skin& s, COLORREF ground, COLORREF ink) noexcept
{
    const int cell = s.value(metric::texture_cell);
    const int line = s.value(metric::texture_line);
    int size = cell;
    if (s.style.background == texture::checker) size = cell * 2;
    if (s.style.background == texture::pattern8) size = 8;

    const std::size_t pixels = static_cast<std::size_t>(size) * size;
    const std::size_t bytes = sizeof(BITMAPINFOHEADER) + pixels * 4;
    std::unique_ptr<std::uint8_t[]> dib(new (std::nothrow) std::uint8_t[bytes]);
    if (!dib) return {};
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.get());
    *header = BITMAPINFOHEADER{};
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = size;
    header->biHeight = -size;  // top-down rows
    header->biPlanes = 1;
    header->biBitCount = 32;
    header->biCompression = BI_RGB;
    auto* bits = reinterpret_cast<std::uint32_t*>(dib.get() + sizeof(BITMAPINFOHEADER));
    const auto dib_colour = [](COLORREF c) {
        return static_cast<std::uint32_t>(GetRValue(c)) << 16 | static_cast<std::uint32_t>(GetGValue(c)) << 8 |
               GetBValue(c);
    };
    const std::uint32_t a = dib_colour(ground), b = dib_colour(ink);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            bool on = false;
            switch (s.style.background) {
            case texture::none: break;
            case texture::horizontal_lines: on = y % cell < line; break;
            case texture::vertical_lines: on = x % cell < line; break;
            case texture::diagonal: on = (x + y) % cell < line; break;
            case texture::checker: on = ((x / cell) + (y / cell)) % 2 == 1; break;
            case texture::dots: on = x % cell < line && y % cell < line; break;
            case texture::grid: on = x % cell < line || y % cell < line; break;
            case texture::pattern8: on = (s.pattern[y] >> (7 - x) & 1) != 0; break;
            }
            bits[y * size + x] = on ? b : a;
        }
    }
    return win::unique_brush(::CreateDIBPatternBrushPt(dib.get(), DIB_RGB_COLORS));
}

win::unique_font make_caption_font(const skinfmt::font_spec& f) noexcept
{
    wchar_t face[LF_FACESIZE] = {};
    const std::string_view utf8 = f.face.view();
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), face, LF_FACESIZE - 1);
    return win::unique_font(::CreateFontW(-static_cast<int>(f.height), 0, 0, 0, f.weight, f.italic, FALSE, FALSE,
                                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                          DEFAULT_PITCH | FF_SWISS, face));
}

}  // namespace

std::unique_ptr<theme> theme::build(const skinfmt::skin& skin, const adjustment& adjust,
                                    const color_overrides& overrides) noexcept
{
    std::unique_ptr<theme> t(new (std::nothrow) theme);
    if (!t) return nullptr;
    t->skin_ = skin;
    for (std::size_t i = 0; i < skinfmt::color_role_count; ++i) {
        if (overrides.set[i]) {
            t->colors_[i] = overrides.colour[i];
            continue;
        }
        const skinfmt::rgb c = skin.palette[i];
        const rgb8 out = engine::adjust({c.r, c.g, c.b}, adjust);
        t->colors_[i] = RGB(out.r, out.g, out.b);
    }
    const COLORREF ground = t->color(color_role::window_background);
    if (skin.style.background == texture::none)
        t->background_.reset(::CreateSolidBrush(ground));
    else
        t->background_ = make_texture_brush(skin, ground, t->color(color_role::background_pattern));
    t->caption_font_ = make_caption_font(skin.caption_font);
    if (!t->background_ || !t->caption_font_) return nullptr;
    return t;
}

}  // namespace engine
