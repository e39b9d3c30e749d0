// The engine's one state: the attached skin, its theme, the thread whose
// windows it skins and that thread's window hook. The exported entries in
// exports.cpp are thin wrappers over these operations, which return the
// SKINH_* result codes of skinh.h.
#pragma once

#include "engine/color_adjust.h"

#include <windows.h>

#include <cstdint>
#include <span>

namespace engine {

class theme;

// The theme windows paint with; nullptr while no skin is attached.
const theme* current_theme() noexcept;

int attach(std::span<const std::uint8_t> bytes, const char* key, const adjustment& adjust) noexcept;
int attach_file(const wchar_t* path, const char* key) noexcept;
int detach() noexcept;
bool is_attached() noexcept;
int validate(std::span<const std::uint8_t> bytes) noexcept;

int set_window_skinning(HWND window, bool skinned) noexcept;
bool is_window_skinned(HWND window) noexcept;
int set_title_button_visible(HWND window, int button, bool visible) noexcept;

enum class adjust_channel { hue, saturation, brightness };
int set_adjustment(adjust_channel channel, int value) noexcept;
int get_color(int role, COLORREF& colour) noexcept;
int set_color(int role, COLORREF colour) noexcept;
int reset_colors() noexcept;
int get_metric(int metric, int& value) noexcept;
// Copies the skin name (UTF-16, zero-terminated, cut to fit); `length`
// receives the full length without the terminator.
int skin_name(wchar_t* buffer, int capacity, int& length) noexcept;

int repaint() noexcept;
int lock_update() noexcept;
int unlock_update() noexcept;
int stat(int counter, int& value) noexcept;

// Called when the library is unloaded while a skin is attached.
void shutdown() noexcept;

}  // namespace engine
