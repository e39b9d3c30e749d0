// Everything painting needs for one palette: the skin, its colours after
// adjustment and overrides, and the GDI objects made once for them. A theme
// is rebuilt, never edited, when a colour changes, so handle counts stay flat
// however often windows repaint.
#pragma once

#include "engine/color_adjust.h"
#include "skinfmt/skin.h"
#include "win/unique_any.h"

#include <windows.h>

#include <array>
#include <memory>

namespace engine {

// Colours set through the programming interface; they win over the skin's
// adjusted colours.
struct color_overrides {
    std::array<COLORREF, skinfmt::color_role_count> colour{};
    std::array<bool, skinfmt::color_role_count> set{};
};

class theme {
public:
    // nullptr when memory or a GDI object cannot be had.
    static std::unique_ptr<theme> build(const skinfmt::skin& skin, const adjustment& adjust,
                                        const color_overrides& overrides) noexcept;

    const skinfmt::skin& skin() const noexcept { return skin_; }
    COLORREF color(skinfmt::color_role role) const noexcept { return colors_[static_cast<std::size_t>(role)]; }
    int metric(skinfmt::metric m) const noexcept { return skin_.value(m); }
    const skinfmt::style_spec& style() const noexcept { return skin_.style; }

    // The window background: a solid or a pattern brush, aligned to the
    // client origin of the top-level window (see align_background).
    HBRUSH background() const noexcept { return background_.get(); }
    HFONT caption_font() const noexcept { return caption_font_.get(); }

private:
    theme() = default;

    skinfmt::skin skin_;
    std::array<COLORREF, skinfmt::color_role_count> colors_{};
    win::unique_brush background_;
    win::unique_font caption_font_;
};

}  // namespace engine
