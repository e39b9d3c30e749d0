// Byte blocks: the stored form of every run of bytes the program carries.
// One block is a 32-bit little-endian word that is always 1, a 32-bit
// little-endian byte count, then exactly that many bytes. Blocks are stored
// one after the other; a run is read with full bounds checks, and any damage
// (a short header, a wrong marker word, a count past the end) stops the read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace skin {

inline constexpr std::uint32_t byte_block_marker = 1;
inline constexpr std::size_t byte_block_header_size = 8;

// Appends one block holding `bytes` to `out`. Throws std::length_error when
// the bytes do not fit a 32-bit count.
void append_byte_block(std::vector<std::byte>& out, std::span<const std::byte> bytes);

enum class block_damage {
    none,
    short_header,  // fewer than 8 bytes left where a block should start
    bad_marker,    // the first word is not 1
    short_bytes,   // the count reaches past the end of the run
};

// Walks a run of blocks. Each next() yields the bytes of one block, pointing
// into the run (no copy); after the last block, or at the first damage,
// next() yields nothing and damage() says which.
class byte_block_reader {
public:
    explicit byte_block_reader(std::span<const std::byte> run) noexcept : run_(run) {}

    std::optional<std::span<const std::byte>> next() noexcept;

    block_damage damage() const noexcept { return damage_; }
    // Where the damaged block starts, counted from the start of the run.
    std::size_t offset() const noexcept { return offset_; }
    bool at_end() const noexcept { return damage_ == block_damage::none && offset_ == run_.size(); }

private:
    std::span<const std::byte> run_;
    std::size_t offset_ = 0;
    block_damage damage_ = block_damage::none;
};

// The blocks of a whole run, or nothing when any part of it is damaged.
std::optional<std::vector<std::span<const std::byte>>> read_byte_blocks(std::span<const std::byte> run);

}  // namespace skin
