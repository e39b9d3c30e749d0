// Why a skin was refused. The numbering is part of the engine's programming
// interface (its bad-skin error codes carry it): append only.
#pragma once

#include <cstdint>
#include <string_view>

namespace skinfmt {

enum class error : std::uint8_t {
    none,
    too_short,                // fewer bytes than the header and directory need
    bad_magic,                // does not begin with ".SHE"
    bad_version,              // the two bytes after the magic are not 00 03
    bad_header,               // a reserved header field is not zero
    size_mismatch,            // the size in the header is not the size given
    bad_checksum,             // the bytes were changed after writing
    bad_directory,            // no sections, too many, or a directory past the end
    bad_section_tag,          // a tag that is not four capitals or digits
    section_out_of_bounds,    // a section reaches past the end (or wraps around)
    sections_not_contiguous,  // a gap or an overlap between sections
    duplicate_section,
    missing_section,
    bad_section_size,         // a section's length does not match its content
    bad_text,                 // empty, too long, not UTF-8, or control characters
    value_out_of_range,
    inconsistent,             // values that contradict each other
    unused_section,           // a pattern section without the pattern texture
};

std::string_view error_text(error e) noexcept;

// An error and the offset of the byte (binary form) or the line (text form)
// where it was found; 0 when it concerns the whole input.
struct error_info {
    error code = error::none;
    std::uint32_t where = 0;

    bool ok() const noexcept { return code == error::none; }
    friend constexpr bool operator==(const error_info&, const error_info&) = default;
};

}  // namespace skinfmt
