// The readable source form of a skin, compiled by skinc:
//
//   # a comment
//   [skin]      name = ..., optional key = ... (seals the skin to that key)
//   [palette]   one line per colour role:  caption_active_start = #2b5797
//   [metrics]   one line per metric:       caption_height = 26
//   [font]      face, height, weight, italic = yes|no
//   [style]     caption, align, caption_buttons, button, background, caption_text_shadow
//   [pattern]   rows = eight hex bytes (only with background = pattern8)
//
// Every role, metric, font and style key must be given exactly once.
#pragma once

#include "skinfmt/errors.h"
#include "skinfmt/skin.h"

#include <string>
#include <string_view>

namespace skinfmt {

struct source_result {
    error_info error;     // error.where is the 1-based line, 0 for the whole source
    std::string message;  // what is wrong, for people
    bool ok() const noexcept { return error.ok(); }
};

source_result parse_source(std::string_view text, skin& out);

// The source text of a skin; parse_source reads it back to the same skin
// (a sealed skin's key is not known, so the seal is not written).
std::string format_source(const skin& s);

}  // namespace skinfmt
