#include "engine/engine.h"

#include "engine/frame.h"
#include "engine/skinh.h"
#include "engine/skinned_window.h"
#include "engine/theme.h"
#include "skinfmt/format.h"
#include "skinfmt/reader.h"
#include "win/unique_any.h"

#include <new>

namespace engine {
namespace {

constexpr int max_excluded = 64;

struct engine_state {
    bool attached = false;
    DWORD thread = 0;
    win::unique_hhook hook;
    skinfmt::skin skin{};
    adjustment adjust{};
    color_overrides overrides{};
    std::unique_ptr<theme> current;
    int lock_depth = 0;
    bool repaint_pending = false;
    bool frame_change_pending = false;
    int repaints = 0;
    // Windows switched off through SkinH_SetWindowSkinning; forgotten when
    // they are destroyed.
    HWND excluded[max_excluded] = {};
    int excluded_count = 0;
};

engine_state g;

int bad_skin(skinfmt::error e) noexcept { return SKINH_E_BAD_SKIN + static_cast<int>(e); }

bool on_attached_thread() noexcept { return ::GetCurrentThreadId() == g.thread; }

// The common guard of operations on an attached skin.
int check_attached() noexcept
{
    if (!g.attached) return SKINH_E_NOT_ATTACHED;
    if (!on_attached_thread()) return SKINH_E_WRONG_THREAD;
    return SKINH_OK;
}

bool is_excluded(HWND hwnd) noexcept
{
    for (int i = 0; i < g.excluded_count; ++i)
        if (g.excluded[i] == hwnd) return true;
    return false;
}

void forget_excluded(HWND hwnd) noexcept
{
    for (int i = 0; i < g.excluded_count; ++i) {
        if (g.excluded[i] == hwnd) {
            g.excluded[i] = g.excluded[--g.excluded_count];
            g.excluded[g.excluded_count] = nullptr;
            return;
        }
    }
}

bool remember_excluded(HWND hwnd) noexcept
{
    if (is_excluded(hwnd)) return true;
    if (g.excluded_count == max_excluded) {
        // Make room from windows that no longer exist.
        for (int i = g.excluded_count - 1; i >= 0; --i)
            if (!::IsWindow(g.excluded[i])) forget_excluded(g.excluded[i]);
        if (g.excluded_count == max_excluded) return false;
    }
    g.excluded[g.excluded_count++] = hwnd;
    return true;
}

void skin_if_wanted(HWND hwnd, window_kind kind) noexcept
{
    if (kind != window_kind::none && !is_excluded(hwnd)) skin_window(hwnd, kind);
}

// Windows created on the attached thread are skinned before their first
// message, so a frame is measured by the skin from the start.
LRESULT CALLBACK cbt_hook(int code, WPARAM wparam, LPARAM lparam)
{
    if (code == HCBT_CREATEWND && g.attached) {
        const auto hwnd = reinterpret_cast<HWND>(wparam);
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lparam)->lpcs;
        const bool has_menu = !(cs->style & WS_CHILD) && cs->hMenu != nullptr;
        skin_if_wanted(hwnd, classify(hwnd, cs->style, cs->dwExStyle, has_menu));
    } else if (code == HCBT_DESTROYWND) {
        forget_excluded(reinterpret_cast<HWND>(wparam));
    }
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

BOOL CALLBACK skin_child(HWND hwnd, LPARAM) noexcept
{
    skin_if_wanted(hwnd, classify(hwnd));
    return TRUE;
}

BOOL CALLBACK skin_top_level(HWND hwnd, LPARAM) noexcept
{
    skin_if_wanted(hwnd, classify(hwnd));
    ::EnumChildWindows(hwnd, skin_child, 0);
    return TRUE;
}

void redraw_all(bool frame_changed) noexcept
{
    ++g.repaints;
    for (skinned_window* w = skinned_window::first(); w; w = w->next())
        redraw(w->hwnd(), frame_changed && w->kind() == window_kind::frame);
}

void request_repaint(bool frame_changed) noexcept
{
    if (g.lock_depth > 0) {
        g.repaint_pending = true;
        g.frame_change_pending = g.frame_change_pending || frame_changed;
        return;
    }
    redraw_all(frame_changed);
}

int rebuild_theme() noexcept
{
    std::unique_ptr<theme> next = theme::build(g.skin, g.adjust, g.overrides);
    if (!next) return SKINH_E_OUT_OF_MEMORY;
    g.current = std::move(next);
    return SKINH_OK;
}

void unskin_all() noexcept
{
    skinned_window* w = skinned_window::first();
    while (w) {
        skinned_window* const next = w->next();
        const HWND hwnd = w->hwnd();
        const bool frame = w->kind() == window_kind::frame;
        if (unskin_window(hwnd) && frame) redraw(hwnd, true);
        w = next;
    }
}

}  // namespace

const theme* current_theme() noexcept { return g.attached ? g.current.get() : nullptr; }

int validate(std::span<const std::uint8_t> bytes) noexcept
{
    if (bytes.empty()) return SKINH_E_INVALID_ARG;
    skinfmt::skin parsed;
    const skinfmt::error_info e = skinfmt::read(bytes, parsed);
    return e.ok() ? SKINH_OK : bad_skin(e.code);
}

int attach(std::span<const std::uint8_t> bytes, const char* key, const adjustment& adjust) noexcept
{
    if (bytes.empty()) return SKINH_E_INVALID_ARG;
    if (!adjustment::valid_hue(adjust.hue) || !adjustment::valid_percent(adjust.saturation) ||
        !adjustment::valid_percent(adjust.brightness))
        return SKINH_E_INVALID_ARG;
    if (g.attached && !on_attached_thread()) return SKINH_E_WRONG_THREAD;

    // Everything the engine keeps is copied out of the caller's bytes here;
    // the caller may free or reuse them as soon as this returns.
    std::unique_ptr<skinfmt::skin> parsed(new (std::nothrow) skinfmt::skin);
    if (!parsed) return SKINH_E_OUT_OF_MEMORY;
    if (const skinfmt::error_info e = skinfmt::read(bytes, *parsed); !e.ok()) return bad_skin(e.code);
    if (!skinfmt::key_opens(*parsed, key ? key : "")) return SKINH_E_KEY;

    const color_overrides no_overrides{};
    std::unique_ptr<theme> next = theme::build(*parsed, adjust, no_overrides);
    if (!next) return SKINH_E_OUT_OF_MEMORY;

    if (!g.hook) {
        g.hook.reset(::SetWindowsHookExW(WH_CBT, cbt_hook, nullptr, ::GetCurrentThreadId()));
        if (!g.hook) return SKINH_E_SYSTEM;
    }
    g.skin = *parsed;
    g.adjust = adjust;
    g.overrides = no_overrides;
    g.current = std::move(next);
    g.thread = ::GetCurrentThreadId();
    g.attached = true;

    ::EnumThreadWindows(g.thread, skin_top_level, 0);
    // A new skin may measure frames differently: recompute them.
    request_repaint(true);
    return SKINH_OK;
}

int attach_file(const wchar_t* path, const char* key) noexcept
{
    if (!path || !*path) return SKINH_E_INVALID_ARG;
    const win::unique_file file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return SKINH_E_FILE;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return SKINH_E_FILE;
    if (size.QuadPart <= 0) return bad_skin(skinfmt::error::too_short);
    if (size.QuadPart > static_cast<LONGLONG>(skinfmt::layout::max_skin_size))
        return bad_skin(skinfmt::error::size_mismatch);
    const auto length = static_cast<DWORD>(size.QuadPart);
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[length]);
    if (!bytes) return SKINH_E_OUT_OF_MEMORY;
    DWORD done = 0;
    while (done < length) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), bytes.get() + done, length - done, &got, nullptr) || got == 0) return SKINH_E_FILE;
        done += got;
    }
    return attach({bytes.get(), length}, key, adjustment{});
}

int detach() noexcept
{
    if (const int e = check_attached(); e != SKINH_OK) return e;
    g.hook.reset();
    unskin_all();
    g.attached = false;
    g.current.reset();
    g.skin = {};
    g.adjust = {};
    g.overrides = {};
    g.excluded_count = 0;
    g.repaint_pending = false;
    g.frame_change_pending = false;
    return SKINH_OK;
}

bool is_attached() noexcept { return g.attached; }

int set_window_skinning(HWND window, bool skinned) noexcept
{
    if (!window || !::IsWindow(window)) return SKINH_E_INVALID_ARG;
    if (const int e = check_attached(); e != SKINH_OK) return e;
    if (::GetWindowThreadProcessId(window, nullptr) != g.thread) return SKINH_E_WRONG_THREAD;
    if (skinned) {
        forget_excluded(window);
        const window_kind kind = classify(window);
        if (kind == window_kind::none) return SKINH_E_NOT_SKINNABLE;
        if (!skin_window(window, kind)) return SKINH_E_SYSTEM;
        redraw(window, kind == window_kind::frame);
        return SKINH_OK;
    }
    if (!remember_excluded(window)) return SKINH_E_OUT_OF_MEMORY;
    if (skinned_window* w = find_skinned(window)) {
        const bool frame = w->kind() == window_kind::frame;
        if (!unskin_window(window)) return SKINH_E_SYSTEM;
        redraw(window, frame);
    }
    return SKINH_OK;
}

bool is_window_skinned(HWND window) noexcept { return window && find_skinned(window) != nullptr; }

int set_title_button_visible(HWND window, int button, bool visible) noexcept
{
    if (!window || button < SKINH_TITLE_MINIMIZE || button > SKINH_TITLE_CLOSE) return SKINH_E_INVALID_ARG;
    if (const int e = check_attached(); e != SKINH_OK) return e;
    skinned_window* w = find_skinned(window);
    if (!w || w->kind() != window_kind::frame) return SKINH_E_NOT_SKINNABLE;
    static_cast<skinned_frame*>(w)->set_button_hidden(static_cast<caption_part>(button), !visible);
    return SKINH_OK;
}

int set_adjustment(adjust_channel channel, int value) noexcept
{
    const bool valid = channel == adjust_channel::hue ? adjustment::valid_hue(value) : adjustment::valid_percent(value);
    if (!valid) return SKINH_E_INVALID_ARG;
    if (const int e = check_attached(); e != SKINH_OK) return e;
    const adjustment previous = g.adjust;
    switch (channel) {
    case adjust_channel::hue: g.adjust.hue = value; break;
    case adjust_channel::saturation: g.adjust.saturation = value; break;
    case adjust_channel::brightness: g.adjust.brightness = value; break;
    }
    if (const int e = rebuild_theme(); e != SKINH_OK) {
        g.adjust = previous;
        return e;
    }
    request_repaint(false);
    return SKINH_OK;
}

int get_color(int role, COLORREF& colour) noexcept
{
    if (role < 0 || role >= static_cast<int>(skinfmt::color_role_count)) return SKINH_E_INVALID_ARG;
    if (!g.attached) return SKINH_E_NOT_ATTACHED;
    colour = g.current->color(static_cast<skinfmt::color_role>(role));
    return SKINH_OK;
}

int set_color(int role, COLORREF colour) noexcept
{
    if (role < 0 || role >= static_cast<int>(skinfmt::color_role_count)) return SKINH_E_INVALID_ARG;
    // A plain RGB value, or SKINH_COLOR_DEFAULT to give the role back to the skin.
    if ((colour & 0xFF000000u) != 0 && colour != SKINH_COLOR_DEFAULT) return SKINH_E_INVALID_ARG;
    if (const int e = check_attached(); e != SKINH_OK) return e;
    const color_overrides previous = g.overrides;
    g.overrides.set[static_cast<std::size_t>(role)] = colour != SKINH_COLOR_DEFAULT;
    g.overrides.colour[static_cast<std::size_t>(role)] = colour == SKINH_COLOR_DEFAULT ? 0 : colour;
    if (const int e = rebuild_theme(); e != SKINH_OK) {
        g.overrides = previous;
        return e;
    }
    request_repaint(false);
    return SKINH_OK;
}

int reset_colors() noexcept
{
    if (const int e = check_attached(); e != SKINH_OK) return e;
    const color_overrides previous_overrides = g.overrides;
    const adjustment previous_adjust = g.adjust;
    g.overrides = {};
    g.adjust = {};
    if (const int e = rebuild_theme(); e != SKINH_OK) {
        g.overrides = previous_overrides;
        g.adjust = previous_adjust;
        return e;
    }
    request_repaint(false);
    return SKINH_OK;
}

int get_metric(int metric, int& value) noexcept
{
    if (metric < 0 || metric >= static_cast<int>(skinfmt::metric_count)) return SKINH_E_INVALID_ARG;
    if (!g.attached) return SKINH_E_NOT_ATTACHED;
    value = g.skin.value(static_cast<skinfmt::metric>(metric));
    return SKINH_OK;
}

int skin_name(wchar_t* buffer, int capacity, int& length) noexcept
{
    if (capacity < 0 || (capacity > 0 && !buffer)) return SKINH_E_INVALID_ARG;
    if (!g.attached) return SKINH_E_NOT_ATTACHED;
    const std::string_view name = g.skin.name.view();
    wchar_t wide[64] = {};
    length = ::MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), wide, 63);
    if (capacity > 0) {
        const int copied = length < capacity ? length : capacity - 1;
        for (int i = 0; i < copied; ++i) buffer[i] = wide[i];
        buffer[copied] = L'\0';
    }
    return SKINH_OK;
}

int repaint() noexcept
{
    if (const int e = check_attached(); e != SKINH_OK) return e;
    request_repaint(false);
    return SKINH_OK;
}

int lock_update() noexcept
{
    if (g.lock_depth == 1000) return SKINH_E_INVALID_ARG;
    ++g.lock_depth;
    return SKINH_OK;
}

int unlock_update() noexcept
{
    if (g.lock_depth == 0) return SKINH_E_INVALID_ARG;
    if (--g.lock_depth == 0 && g.repaint_pending) {
        g.repaint_pending = false;
        const bool frames = g.frame_change_pending;
        g.frame_change_pending = false;
        if (g.attached && on_attached_thread()) redraw_all(frames);
    }
    return SKINH_OK;
}

int stat(int counter, int& value) noexcept
{
    switch (counter) {
    case SKINH_STAT_SKINNED_WINDOWS: value = skinned_window::count(); return SKINH_OK;
    case SKINH_STAT_GDI_OBJECTS: value = static_cast<int>(win::live_objects::count(win::resource_kind::gdi)); return SKINH_OK;
    case SKINH_STAT_USER_OBJECTS: value = static_cast<int>(win::live_objects::count(win::resource_kind::user)); return SKINH_OK;
    case SKINH_STAT_REPAINTS: value = g.repaints; return SKINH_OK;
    default: return SKINH_E_INVALID_ARG;
    }
}

void shutdown() noexcept
{
    if (!g.attached) return;
    if (on_attached_thread()) {
        detach();
        return;
    }
    // From another thread the subclasses cannot be removed; at least no
    // window created from now on reaches code that is going away.
    g.hook.reset();
    g.attached = false;
}

}  // namespace engine
