#include "skin/byte_block.h"

#include <limits>
#include <stdexcept>

namespace skin {
namespace {

void put_le32(std::vector<std::byte>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::byte>((value >> shift) & 0xFFu));
}

std::uint32_t get_le32(std::span<const std::byte> bytes) noexcept
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | std::to_integer<std::uint32_t>(bytes[static_cast<std::size_t>(i)]);
    return value;
}

}  // namespace

void append_byte_block(std::vector<std::byte>& out, std::span<const std::byte> bytes)
{
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("byte block larger than a 32-bit count");
    out.reserve(out.size() + byte_block_header_size + bytes.size());
    put_le32(out, byte_block_marker);
    put_le32(out, static_cast<std::uint32_t>(bytes.size()));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

std::optional<std::span<const std::byte>> byte_block_reader::next() noexcept
{
    if (damage_ != block_damage::none || offset_ == run_.size()) return std::nullopt;

    const std::span<const std::byte> rest = run_.subspan(offset_);
    if (rest.size() < byte_block_header_size) {
        damage_ = block_damage::short_header;
        return std::nullopt;
    }
    if (get_le32(rest.first(4)) != byte_block_marker) {
        damage_ = block_damage::bad_marker;
        return std::nullopt;
    }
    // Compared against what is left, never added to the offset first, so a
    // count near 2^32 cannot wrap a 32-bit size_t.
    const std::uint32_t count = get_le32(rest.subspan(4, 4));
    if (count > rest.size() - byte_block_header_size) {
        damage_ = block_damage::short_bytes;
        return std::nullopt;
    }
    offset_ += byte_block_header_size + count;
    return rest.subspan(byte_block_header_size, count);
}

std::optional<std::vector<std::span<const std::byte>>> read_byte_blocks(std::span<const std::byte> run)
{
    std::vector<std::span<const std::byte>> blocks;
    byte_block_reader reader(run);
    while (const auto block = reader.next()) blocks.push_back(*block);
    if (!reader.at_end()) return std::nullopt;
    return blocks;
}

}  // namespace skin
