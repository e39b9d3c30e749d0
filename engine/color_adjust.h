// Hue, saturation and brightness changes applied to every skin colour.
// Portable: the tests check it against known colours.
#pragma once

#include <cstdint>

namespace engine {

struct adjustment {
    int hue = 0;         // degrees, -180..180
    int saturation = 0;  // percent, -100 (grey) .. 100 (twice as saturated)
    int brightness = 0;  // percent, -100 (black) .. 100 (white)

    bool identity() const noexcept { return hue == 0 && saturation == 0 && brightness == 0; }
    static bool valid_hue(int v) noexcept { return v >= -180 && v <= 180; }
    static bool valid_percent(int v) noexcept { return v >= -100 && v <= 100; }
};

struct rgb8 {
    std::uint8_t r, g, b;
    friend constexpr bool operator==(const rgb8&, const rgb8&) = default;
};

rgb8 adjust(rgb8 colour, const adjustment& a) noexcept;

}  // namespace engine
