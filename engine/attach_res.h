// The one implementation behind the entry SkinH_AttachRes, kept apart from
// the public header so that the deliberately unbalanced test build of the
// entry can declare it with another calling convention.
#pragma once

namespace engine {

int attach_res(const void* skin, int size, const char* key, int hue, int saturation, int brightness) noexcept;

}  // namespace engine
