// Any text: the source parser never fails unsafely; what it accepts is a
// valid skin whose formatted source reads back to the same skin.
#include "skinfmt/reader.h"
#include "skinfmt/source.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    skinfmt::skin s;
    if (!skinfmt::parse_source(text, s).ok()) return 0;
    if (!skinfmt::validate(s).ok()) std::abort();
    if (s.seal.present) return 0;  // the key itself is not kept
    skinfmt::skin again;
    if (!skinfmt::parse_source(skinfmt::format_source(s), again).ok() || !(again == s)) std::abort();
    return 0;
}
