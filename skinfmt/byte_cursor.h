// A bounds-checked cursor over untrusted bytes: every read says whether the
// bytes were there, and a failed read leaves the cursor where it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace skinfmt {

class byte_cursor {
public:
    explicit byte_cursor(std::span<const std::uint8_t> bytes) noexcept : bytes_(bytes) {}

    std::size_t position() const noexcept { return pos_; }
    std::size_t remaining() const noexcept { return bytes_.size() - pos_; }

    bool u8(std::uint8_t& v) noexcept
    {
        if (remaining() < 1) return false;
        v = bytes_[pos_++];
        return true;
    }
    bool u16(std::uint16_t& v) noexcept
    {
        if (remaining() < 2) return false;
        v = static_cast<std::uint16_t>(bytes_[pos_] | bytes_[pos_ + 1] << 8);
        pos_ += 2;
        return true;
    }
    bool u32(std::uint32_t& v) noexcept
    {
        if (remaining() < 4) return false;
        v = static_cast<std::uint32_t>(bytes_[pos_]) | static_cast<std::uint32_t>(bytes_[pos_ + 1]) << 8 |
            static_cast<std::uint32_t>(bytes_[pos_ + 2]) << 16 | static_cast<std::uint32_t>(bytes_[pos_ + 3]) << 24;
        pos_ += 4;
        return true;
    }
    bool text(std::size_t n, std::string_view& v) noexcept
    {
        if (remaining() < n) return false;
        v = {reinterpret_cast<const char*>(bytes_.data() + pos_), n};
        pos_ += n;
        return true;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

}  // namespace skinfmt
