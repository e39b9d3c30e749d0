#include "engine/color_adjust.h"

namespace engine {
namespace {

double clamp01(double v) noexcept { return v < 0 ? 0 : (v > 1 ? 1 : v); }

std::uint8_t to_byte(double v) noexcept { return static_cast<std::uint8_t>(clamp01(v) * 255.0 + 0.5); }

double hue_to_channel(double p, double q, double t) noexcept
{
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 0.5) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

}  // namespace

rgb8 adjust(rgb8 colour, const adjustment& a) noexcept
{
    if (a.identity()) return colour;
    const double r = colour.r / 255.0, g = colour.g / 255.0, b = colour.b / 255.0;
    const double hi = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const double lo = r < g ? (r < b ? r : b) : (g < b ? g : b);
    double h = 0, s = 0, l = (hi + lo) / 2;
    const double d = hi - lo;
    if (d > 0) {
        s = l > 0.5 ? d / (2 - hi - lo) : d / (hi + lo);
        if (hi == r) h = (g - b) / d + (g < b ? 6 : 0);
        else if (hi == g) h = (b - r) / d + 2;
        else h = (r - g) / d + 4;
        h /= 6;
    }

    h += a.hue / 360.0;
    while (h < 0) h += 1;
    while (h >= 1) h -= 1;
    s = clamp01(s * (1 + a.saturation / 100.0));
    l = a.brightness >= 0 ? l + (1 - l) * a.brightness / 100.0 : l * (1 + a.brightness / 100.0);
    l = clamp01(l);

    if (s == 0) return {to_byte(l), to_byte(l), to_byte(l)};
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    return {to_byte(hue_to_channel(p, q, h + 1.0 / 3)), to_byte(hue_to_channel(p, q, h)),
            to_byte(hue_to_channel(p, q, h - 1.0 / 3))};
}

}  // namespace engine
