#include "skinfmt/checksum.h"

#include "skinfmt/format.h"

namespace skinfmt {

std::uint32_t skin_checksum(std::span<const std::uint8_t> bytes) noexcept
{
    fnv1a h;
    h.add(bytes.first(layout::checksum_offset));
    h.add(bytes.subspan(layout::checksum_offset + 4));
    return h.value();
}

void update_checksum(std::span<std::uint8_t> bytes) noexcept
{
    if (bytes.size() < layout::header_size) return;
    const std::uint32_t sum = skin_checksum(bytes);
    for (int i = 0; i < 4; ++i) bytes[layout::checksum_offset + i] = static_cast<std::uint8_t>(sum >> (8 * i));
}

std::uint32_t seal_digest(std::uint32_t salt, std::string_view key) noexcept
{
    const std::uint8_t salt_bytes[4] = {static_cast<std::uint8_t>(salt), static_cast<std::uint8_t>(salt >> 8),
                                        static_cast<std::uint8_t>(salt >> 16), static_cast<std::uint8_t>(salt >> 24)};
    fnv1a h;
    h.add(salt_bytes);
    h.add(key);
    return h.value();
}

}  // namespace skinfmt
