#include "tests/win/engine/sample_window.h"

#include <vector>

namespace engine_test {
namespace {

constexpr wchar_t sample_class[] = L"EngineTestSample";
constexpr wchar_t page_class[] = L"EngineTestPage";

// The labels of the bottom strip, drawn with no background of their own
// over whatever the window's background is.
void paint_labels(HWND hwnd, HDC dc)
{
    const auto font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    const HGDIOBJ old = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    RECT caption{25, 423, 577, 471};
    ::DrawTextW(dc, L"起始QQ:                             访问停留时间                毫秒        已\r\n访问", -1,
                &caption, DT_LEFT | DT_NOPREFIX);
    ::SetTextColor(dc, RGB(255, 0, 0));
    RECT counter{536, 424, 568, 468};
    ::DrawTextW(dc, L"0", -1, &counter, DT_LEFT | DT_NOPREFIX);
    ::SetTextColor(dc, RGB(0, 0, 255));
    RECT link{904, 440, 952, 456};
    ::DrawTextW(dc, L"软件更新", -1, &link, DT_LEFT | DT_NOPREFIX);
    ::SelectObject(dc, old);
    (void)hwnd;
}

LRESULT CALLBACK sample_procedure(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = ::BeginPaint(hwnd, &ps);
        paint_labels(hwnd, dc);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: paint_labels(hwnd, reinterpret_cast<HDC>(wparam)); return 0;
    default: return ::DefWindowProcW(hwnd, msg, wparam, lparam);
    }
}

// Stands in for the browser view: a plain white page the skin leaves alone.
void paint_page(HWND hwnd, HDC dc)
{
    RECT r;
    ::GetClientRect(hwnd, &r);
    ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(128, 128, 128));
    ::DrawTextW(dc, L"page", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CALLBACK page_procedure(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = ::BeginPaint(hwnd, &ps);
        paint_page(hwnd, dc);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: paint_page(hwnd, reinterpret_cast<HDC>(wparam)); return 0;
    case WM_ERASEBKGND: return 1;
    default: return ::DefWindowProcW(hwnd, msg, wparam, lparam);
    }
}

void register_classes()
{
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = sample_procedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = sample_class;
    ::RegisterClassExW(&wc);
    wc.lpfnWndProc = page_procedure;
    wc.hbrBackground = nullptr;
    wc.lpszClassName = page_class;
    ::RegisterClassExW(&wc);
    done = true;
}

HWND child(const wchar_t* cls, const wchar_t* text, DWORD style, DWORD ex_style, int x, int y, int w, int h, HWND parent)
{
    const HWND hwnd = ::CreateWindowExW(ex_style, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return hwnd;
}

}  // namespace

sample_window create_sample_window(const std::wstring& title, int x, int y)
{
    register_classes();
    sample_window s;
    s.frame = ::CreateWindowExW(0, sample_class, title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                x, y, 966, 508, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    s.page = child(page_class, L"", WS_TABSTOP, 0, 6, 3, 954, 421, s.frame);
    s.button1 = child(L"Button", L"开始", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, 0, 598, 437, 72, 24, s.frame);
    s.button2 = child(L"Button", L"暂停", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, 0, 713, 437, 72, 24, s.frame);
    s.edit1 = child(L"Edit", L"402718563", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 85, 434, 128, 24, s.frame);
    s.edit2 = child(L"Edit", L"3000", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 328, 435, 72, 24, s.frame);
    return s;
}

std::basic_string<unsigned> print_window(HWND hwnd, int& width, int& height)
{
    RECT r;
    ::GetWindowRect(hwnd, &r);
    width = r.right - r.left;
    height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::PrintWindow(hwnd, dc, 0);
    ::GdiFlush();
    std::basic_string<unsigned> pixels(static_cast<const unsigned*>(bits),
                                       static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (unsigned& p : pixels) p &= 0x00FFFFFFu;
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return pixels;
}

bool write_bmp(const std::wstring& path, const std::basic_string<unsigned>& pixels, int width, int height)
{
    const int row = (width * 3 + 3) & ~3;
    std::vector<unsigned char> data(54 + static_cast<std::size_t>(row) * height, 0);
    auto put32 = [&](std::size_t at, unsigned v) {
        for (int i = 0; i < 4; ++i) data[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    data[0] = 'B';
    data[1] = 'M';
    put32(2, static_cast<unsigned>(data.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(width));
    put32(22, static_cast<unsigned>(height));
    data[26] = 1;
    data[28] = 24;
    for (int y = 0; y < height; ++y) {
        unsigned char* out = data.data() + 54 + static_cast<std::size_t>(height - 1 - y) * row;
        for (int x = 0; x < width; ++x) {
            const unsigned p = pixels[static_cast<std::size_t>(y) * width + x];
            out[x * 3 + 0] = static_cast<unsigned char>(p);
            out[x * 3 + 1] = static_cast<unsigned char>(p >> 8);
            out[x * 3 + 2] = static_cast<unsigned char>(p >> 16);
        }
    }
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == data.size();
}

}  // namespace engine_test
