// FNV-1a, 32 bits: the skin checksum and the seal digest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace skinfmt {

class fnv1a {
public:
    void add(std::span<const std::uint8_t> bytes) noexcept
    {
        for (const std::uint8_t b : bytes) {
            hash_ ^= b;
            hash_ *= 16777619u;
        }
    }
    void add(std::string_view text) noexcept
    {
        add(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    }
    std::uint32_t value() const noexcept { return hash_; }

private:
    std::uint32_t hash_ = 2166136261u;
};

// The checksum of a whole skin: every byte except the checksum field itself.
// The bytes must hold at least a header.
std::uint32_t skin_checksum(std::span<const std::uint8_t> bytes) noexcept;

// Rewrites the checksum field to match the bytes (for tools and tests that
// edit a skin on purpose). Does nothing when the bytes are shorter than a header.
void update_checksum(std::span<std::uint8_t> bytes) noexcept;

// The digest a sealed skin keeps for its key.
std::uint32_t seal_digest(std::uint32_t salt, std::string_view key) noexcept;

}  // namespace skinfmt
