// Reads a skin from untrusted bytes. Every field is checked before use; any
// fault gives an error, never a read outside the bytes given.
#pragma once

#include "skinfmt/errors.h"
#include "skinfmt/skin.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace skinfmt {

// On success fills `out` completely; on failure leaves it unspecified.
error_info read(std::span<const std::uint8_t> bytes, skin& out) noexcept;

// The checks that apply to a skin whatever form it came in (binary or text).
error_info validate(const skin& s) noexcept;

// True when the skin is not sealed, or sealed to this key.
bool key_opens(const skin& s, std::string_view key) noexcept;

// True for well-formed UTF-8 without control characters.
bool is_clean_utf8(std::string_view text) noexcept;

}  // namespace skinfmt
