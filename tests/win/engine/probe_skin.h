// A skin made for the tests: every colour role distinct, plain fills, no
// texture and square corners, so a pixel tells which role painted it.
#pragma once

#include "skinfmt/skin.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace engine_test {

skinfmt::skin probe_skin();
std::vector<std::uint8_t> bytes_of(const skinfmt::skin& s);
COLORREF colour_of(const skinfmt::skin& s, skinfmt::color_role role);

}  // namespace engine_test
