// A window laid out like the program's main window (966 x 508, a page area,
// caption labels drawn straight onto the background in black and a red
// counter, two edit boxes, two push buttons), for rendering skins.
#pragma once

#include <windows.h>

#include <string>

namespace engine_test {

struct sample_window {
    HWND frame = nullptr;
    HWND page = nullptr;
    HWND edit1 = nullptr;
    HWND edit2 = nullptr;
    HWND button1 = nullptr;
    HWND button2 = nullptr;
};

// Creates the window hidden at (x, y) with the given title.
sample_window create_sample_window(const std::wstring& title, int x, int y);

// Renders the whole window (frame included) through WM_PRINT into a 24-bit
// top-down bitmap; returns the pixels as 0x00RRGGBB, row by row.
std::basic_string<unsigned> print_window(HWND hwnd, int& width, int& height);

// Writes pixels as a 24-bit BMP file.
bool write_bmp(const std::wstring& path, const std::basic_string<unsigned>& pixels, int width, int height);

}  // namespace engine_test
