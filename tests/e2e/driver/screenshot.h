#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// Pixels of a screen area, top row first, 0x00RRGGBB.
struct capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

capture capture_screen(const RECT& area);
// Writes a 24-bit BMP into the test artefacts directory; returns its path.
std::wstring save_bmp(const capture& image, const std::wstring& name);
std::wstring artefacts_directory();

}  // namespace e2e
