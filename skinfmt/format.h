// Constants of the binary layout (described in FORMAT.md).
#pragma once

#include <cstddef>
#include <cstdint>

namespace skinfmt::layout {

inline constexpr std::uint8_t magic[4] = {'.', 'S', 'H', 'E'};
inline constexpr std::uint8_t generation[2] = {0x00, 0x03};
inline constexpr std::uint8_t revision = 0;

inline constexpr std::size_t header_size = 20;
inline constexpr std::size_t directory_entry_size = 12;
inline constexpr std::size_t max_sections = 16;
inline constexpr std::size_t checksum_offset = 12;
inline constexpr std::size_t max_skin_size = 64 * 1024;

constexpr std::uint32_t tag(char a, char b, char c, char d)
{
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(a)) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b)) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(c)) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(d)) << 24;
}

inline constexpr std::uint32_t tag_name = tag('N', 'A', 'M', 'E');
inline constexpr std::uint32_t tag_palette = tag('P', 'A', 'L', 'T');
inline constexpr std::uint32_t tag_metrics = tag('M', 'E', 'T', 'R');
inline constexpr std::uint32_t tag_font = tag('F', 'O', 'N', 'T');
inline constexpr std::uint32_t tag_style = tag('S', 'T', 'Y', 'L');
inline constexpr std::uint32_t tag_pattern = tag('P', 'A', 'T', 'N');
inline constexpr std::uint32_t tag_seal = tag('S', 'E', 'A', 'L');

inline constexpr std::size_t style_field_count = 6;
inline constexpr std::size_t pattern_size = 8;
inline constexpr std::size_t seal_size = 8;

}  // namespace skinfmt::layout
