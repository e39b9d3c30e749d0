// The exported entries (all but SkinH_AttachRes, see attach_entry.cpp).
// Each records its result for SkinH_GetLastError, except the entries that
// only report (SkinH_GetLastError, SkinH_GetErrorText, SkinH_GetVersion,
// SkinH_GetStats).
#include "engine/exports.h"

#include "engine/engine.h"
#include "skinfmt/errors.h"

namespace {

int last_error = SKINH_OK;

int record(int result) noexcept
{
    last_error = result;
    return result;
}

std::span<const std::uint8_t> bytes_of(const void* data, int size) noexcept
{
    if (!data || size <= 0) return {};
    return {static_cast<const std::uint8_t*>(data), static_cast<std::size_t>(size)};
}

const char* own_error_text(int code) noexcept
{
    switch (code) {
    case SKINH_OK: return "success";
    case SKINH_E_INVALID_ARG: return "invalid argument";
    case SKINH_E_NOT_ATTACHED: return "no skin is attached";
    case SKINH_E_WRONG_THREAD: return "the skin is attached on another thread";
    case SKINH_E_OUT_OF_MEMORY: return "out of memory or GDI objects";
    case SKINH_E_FILE: return "the skin file cannot be read";
    case SKINH_E_KEY: return "the skin is sealed to another key";
    case SKINH_E_SYSTEM: return "the system refused a hook or subclass";
    case SKINH_E_NOT_SKINNABLE: return "the engine does not skin this window";
    default: return nullptr;
    }
}

}  // namespace

namespace engine {

int attach_res(const void* skin, int size, const char* key, int hue, int saturation, int brightness) noexcept
{
    return record(attach(bytes_of(skin, size), key, adjustment{hue, saturation, brightness}));
}

}  // namespace engine

extern "C" {

int WINAPI SkinH_AttachFile(const wchar_t* path, const char* key) { return record(engine::attach_file(path, key)); }

int WINAPI SkinH_Detach(void) { return record(engine::detach()); }

BOOL WINAPI SkinH_IsAttached(void)
{
    record(SKINH_OK);
    return engine::is_attached();
}

int WINAPI SkinH_ValidateSkin(const void* skin, int size) { return record(engine::validate(bytes_of(skin, size))); }

int WINAPI SkinH_GetLastError(void) { return last_error; }

int WINAPI SkinH_GetErrorText(int code, wchar_t* buffer, int capacity)
{
    char text[96] = "bad skin: ";
    const char* own = own_error_text(code);
    if (own) {
        lstrcpynA(text, own, sizeof text);
    } else if (code > SKINH_E_BAD_SKIN && code <= SKINH_E_BAD_SKIN + 255) {
        const std::string_view reason = skinfmt::error_text(static_cast<skinfmt::error>(code - SKINH_E_BAD_SKIN));
        std::size_t at = lstrlenA(text);
        for (std::size_t i = 0; i < reason.size() && at + 1 < sizeof text; ++i) text[at++] = reason[i];
        text[at] = '\0';
    } else {
        lstrcpynA(text, "unknown error", sizeof text);
    }
    const int length = lstrlenA(text);
    if (capacity > 0 && buffer) {
        const int copied = length < capacity ? length : capacity - 1;
        for (int i = 0; i < copied; ++i) buffer[i] = static_cast<wchar_t>(text[i]);
        buffer[copied] = L'\0';
    }
    return length;
}

DWORD WINAPI SkinH_GetVersion(void) { return MAKELONG(SKINH_VERSION_MINOR, SKINH_VERSION_MAJOR); }

int WINAPI SkinH_GetSkinName(wchar_t* buffer, int capacity)
{
    int length = 0;
    if (record(engine::skin_name(buffer, capacity, length)) != SKINH_OK) return -1;
    return length;
}

int WINAPI SkinH_GetStats(int counter)
{
    int value = 0;
    return engine::stat(counter, value) == SKINH_OK ? value : -1;
}

int WINAPI SkinH_SetWindowSkinning(HWND window, BOOL skinned)
{
    return record(engine::set_window_skinning(window, skinned != FALSE));
}

BOOL WINAPI SkinH_IsWindowSkinned(HWND window)
{
    record(SKINH_OK);
    return engine::is_window_skinned(window);
}

int WINAPI SkinH_SetTitleButtonVisible(HWND window, int button, BOOL visible)
{
    return record(engine::set_title_button_visible(window, button, visible != FALSE));
}

int WINAPI SkinH_SetHue(int degrees) { return record(engine::set_adjustment(engine::adjust_channel::hue, degrees)); }

int WINAPI SkinH_SetSaturation(int percent)
{
    return record(engine::set_adjustment(engine::adjust_channel::saturation, percent));
}

int WINAPI SkinH_SetBrightness(int percent)
{
    return record(engine::set_adjustment(engine::adjust_channel::brightness, percent));
}

COLORREF WINAPI SkinH_GetColor(int role)
{
    COLORREF colour = CLR_INVALID;
    return record(engine::get_color(role, colour)) == SKINH_OK ? colour : CLR_INVALID;
}

int WINAPI SkinH_SetColor(int role, COLORREF colour) { return record(engine::set_color(role, colour)); }

int WINAPI SkinH_ResetColors(void) { return record(engine::reset_colors()); }

int WINAPI SkinH_GetMetric(int metric)
{
    int value = -1;
    return record(engine::get_metric(metric, value)) == SKINH_OK ? value : -1;
}

int WINAPI SkinH_Repaint(void) { return record(engine::repaint()); }

int WINAPI SkinH_LockUpdate(void) { return record(engine::lock_update()); }

int WINAPI SkinH_UnlockUpdate(void) { return record(engine::unlock_update()); }

}  // extern "C"
