#include "skin/byte_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace {

using bytes = std::vector<std::byte>;

bytes of(std::initializer_list<int> values)
{
    bytes out;
    for (int v : values) out.push_back(static_cast<std::byte>(v));
    return out;
}

bytes of_text(const std::string& text)
{
    bytes out;
    for (char c : text) out.push_back(static_cast<std::byte>(c));
    return out;
}

bytes concat(std::initializer_list<bytes> parts)
{
    bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

bytes encode(const bytes& payload)
{
    bytes out;
    skin::append_byte_block(out, payload);
    return out;
}

TEST(ByteBlockEncode, WritesMarkerCountAndBytesLittleEndian)
{
    struct row {
        bytes payload;
        bytes expected;
    };
    const row rows[] = {
        {{}, of({1, 0, 0, 0, 0, 0, 0, 0})},
        {of({0xAB}), of({1, 0, 0, 0, 1, 0, 0, 0, 0xAB})},
        {of_text(".SHE"), of({1, 0, 0, 0, 4, 0, 0, 0, '.', 'S', 'H', 'E'})},
    };
    for (const auto& r : rows) EXPECT_EQ(encode(r.payload), r.expected);

    // A count above 255 shows the byte order of the count word.
    const bytes big(0x01'02'03, std::byte{0x5A});
    const bytes block = encode(big);
    ASSERT_EQ(block.size(), 8 + big.size());
    EXPECT_EQ(bytes(block.begin(), block.begin() + 8), of({1, 0, 0, 0, 0x03, 0x02, 0x01, 0x00}));
}

TEST(ByteBlockEncode, AppendsToAnExistingRun)
{
    bytes run = of({0xEE});
    skin::append_byte_block(run, of({7, 8}));
    EXPECT_EQ(run, of({0xEE, 1, 0, 0, 0, 2, 0, 0, 0, 7, 8}));
}

TEST(ByteBlockRead, RoundTripsRunsOfBlocks)
{
    const std::vector<bytes> payloads = {of_text(std::string(".SHE\0\x03 first", 11)), {}, bytes(70000, std::byte{3}), of({0})};
    bytes run;
    for (const auto& p : payloads) skin::append_byte_block(run, p);

    const auto blocks = skin::read_byte_blocks(run);
    ASSERT_TRUE(blocks);
    ASSERT_EQ(blocks->size(), payloads.size());
    for (std::size_t i = 0; i < payloads.size(); ++i) {
        EXPECT_EQ(bytes((*blocks)[i].begin(), (*blocks)[i].end()), payloads[i]) << "block " << i;
        if (!payloads[i].empty()) {
            // Views into the run, not copies.
            EXPECT_GE((*blocks)[i].data(), run.data());
            EXPECT_LE((*blocks)[i].data() + (*blocks)[i].size(), run.data() + run.size());
        }
    }
}

TEST(ByteBlockRead, EmptyRunHoldsNoBlocks)
{
    const auto blocks = skin::read_byte_blocks({});
    ASSERT_TRUE(blocks);
    EXPECT_TRUE(blocks->empty());
}

TEST(ByteBlockRead, DamagedRunsAreErrors)
{
    const bytes good = concat({encode(of_text("abc")), encode(of_text("defg"))});
    const std::size_t second = 8 + 3;  // where the second block starts

    struct row {
        const char* name;
        bytes run;
        skin::block_damage damage;
        std::size_t offset;
        std::size_t blocks_before;
    };
    bytes bad_marker = good;
    bad_marker[second] = std::byte{2};
    bytes zero_marker = good;
    zero_marker[0] = std::byte{0};
    bytes marker_high_byte = good;
    marker_high_byte[3] = std::byte{1};  // 0x01000001, not 1
    bytes count_too_big = good;
    count_too_big[second + 4] = std::byte{5};  // 5 bytes claimed, 4 present
    bytes count_huge = good;
    for (int i = 4; i < 8; ++i) count_huge[second + i] = std::byte{0xFF};  // 2^32 - 1: must not wrap

    const row rows[] = {
        {"header cut in the marker", bytes(good.begin(), good.begin() + 3), skin::block_damage::short_header, 0, 0},
        {"header cut in the count", bytes(good.begin(), good.begin() + 7), skin::block_damage::short_header, 0, 0},
        {"bytes cut short", bytes(good.begin(), good.begin() + 10), skin::block_damage::short_bytes, 0, 0},
        {"trailing partial header", concat({good, of({1, 0})}), skin::block_damage::short_header, good.size(), 2},
        {"trailing zero padding", concat({good, of({0, 0, 0, 0, 0, 0, 0, 0})}), skin::block_damage::bad_marker,
         good.size(), 2},
        {"second marker wrong", bad_marker, skin::block_damage::bad_marker, second, 1},
        {"first marker zero", zero_marker, skin::block_damage::bad_marker, 0, 0},
        {"marker with a high byte set", marker_high_byte, skin::block_damage::bad_marker, 0, 0},
        {"count one past the end", count_too_big, skin::block_damage::short_bytes, second, 1},
        {"count near 2^32", count_huge, skin::block_damage::short_bytes, second, 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_FALSE(skin::read_byte_blocks(r.run));

        skin::byte_block_reader reader(r.run);
        std::size_t read = 0;
        while (reader.next()) ++read;
        EXPECT_EQ(read, r.blocks_before);
        EXPECT_EQ(reader.damage(), r.damage);
        EXPECT_EQ(reader.offset(), r.offset);
        EXPECT_FALSE(reader.at_end());
        EXPECT_FALSE(reader.next()) << "a damaged reader stays stopped";
    }
}

TEST(ByteBlockRead, ReaderStopsCleanlyAtTheEnd)
{
    const bytes run = encode(of({9}));
    skin::byte_block_reader reader(run);
    ASSERT_TRUE(reader.next());
    EXPECT_TRUE(reader.at_end());
    EXPECT_FALSE(reader.next());
    EXPECT_EQ(reader.damage(), skin::block_damage::none);
}

}  // namespace
