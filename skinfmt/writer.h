// Writes the binary form of a skin.
#pragma once

#include "skinfmt/errors.h"
#include "skinfmt/skin.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace skinfmt {

// The bytes of a valid skin; an invalid skin gives its validation error and
// leaves `out` empty.
error_info write(const skin& s, std::vector<std::uint8_t>& out);

// Seals the skin to a key with the given salt (any value; tools pick one).
void seal(skin& s, std::string_view key, std::uint32_t salt) noexcept;

}  // namespace skinfmt
