// The engine library and the skin catalogue the program carries inside itself.
#pragma once

#include <cstddef>
#include <span>

namespace skin {

inline constexpr int carried_skin_count = 33;

// The bytes of the engine library file; empty when the build carried none.
std::span<const std::byte> carried_engine_library();

// The bytes of skin n, 1..33; empty for any other number or when the build
// carried no catalogue. The carried bytes are read-only: the engine is only
// ever given a copy.
std::span<const std::byte> carried_skin(int n);

}  // namespace skin
