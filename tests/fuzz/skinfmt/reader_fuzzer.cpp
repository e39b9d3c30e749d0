// Any bytes: read never fails unsafely, and whatever it accepts writes back
// to bytes that read to the same skin. Each input is tried three ways: as
// it is; with its checksum made to match; and as edits to a valid skin
// (byte offset, new byte pairs), checksum fixed, so the fuzzer works deep
// inside the sections from the first run.
#include "skinfmt/checksum.h"
#include "skinfmt/reader.h"
#include "skinfmt/writer.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void check(const std::uint8_t* data, std::size_t size)
{
    skinfmt::skin s;
    if (!skinfmt::read({data, size}, s).ok()) return;
    std::vector<std::uint8_t> written;
    if (!skinfmt::write(s, written).ok()) std::abort();  // accepted means valid
    skinfmt::skin again;
    if (!skinfmt::read(written, again).ok() || !(again == s)) std::abort();
    std::vector<std::uint8_t> rewritten;
    skinfmt::write(again, rewritten);
    if (rewritten != written) std::abort();
}

std::vector<std::uint8_t> valid_skin()
{
    skinfmt::skin s;
    s.name.assign("Seed");
    s.caption_font.face.assign("Tahoma");
    s.caption_font.height = 13;
    s.caption_font.weight = 400;
    for (std::size_t i = 0; i < skinfmt::metric_count; ++i)
        s.metrics[i] = skinfmt::range_of(static_cast<skinfmt::metric>(i)).min;
    s.style.background = skinfmt::texture::pattern8;
    s.pattern = {1, 2, 3, 4, 5, 6, 7, 8};
    skinfmt::seal(s, "k", 9);
    std::vector<std::uint8_t> bytes;
    skinfmt::write(s, bytes);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    check(data, size);

    std::vector<std::uint8_t> fixed(data, data + size);
    skinfmt::update_checksum(fixed);
    check(fixed.data(), fixed.size());

    static const std::vector<std::uint8_t> seed = valid_skin();
    std::vector<std::uint8_t> edited = seed;
    std::size_t i = 0;
    if (size % 2 == 1) edited.resize(data[i++] % (seed.size() + 8), 0x41);  // odd sizes also cut or grow
    for (; i + 1 < size; i += 2)
        if (!edited.empty()) edited[data[i] % edited.size()] = data[i + 1];
    skinfmt::update_checksum(edited);
    check(edited.data(), edited.size());
    return 0;
}
