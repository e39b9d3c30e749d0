#include "screenshot.h"

#include "app_process.h"

namespace e2e {

capture capture_screen(const RECT& area)
{
    capture out;
    out.width = area.right - area.left;
    out.height = area.bottom - area.top;
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = out.width;
    bi.bmiHeader.biHeight = -out.height;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, dib);
    ::BitBlt(memory, 0, 0, out.width, out.height, screen, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    const auto* src = static_cast<const std::uint32_t*>(bits);
    for (size_t i = 0; i < out.pixels.size(); ++i) out.pixels[i] = src[i] & 0x00FFFFFF;
    ::SelectObject(memory, old);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return out;
}

std::wstring artefacts_directory()
{
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, SPACEVISIT_E2E_ARTEFACTS, -1, nullptr, 0);
    std::wstring dir(n - 1, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, SPACEVISIT_E2E_ARTEFACTS, -1, dir.data(), n);
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

std::wstring save_bmp(const capture& image, const std::wstring& name)
{
    const std::wstring path = artefacts_directory() + L"\\" + name + L".bmp";
    const int row = (image.width * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof(ih);
    ih.biWidth = image.width;
    ih.biHeight = image.height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + row * image.height;
    std::vector<unsigned char> data(static_cast<size_t>(row) * image.height);
    for (int y = 0; y < image.height; ++y) {
        unsigned char* out = &data[static_cast<size_t>(image.height - 1 - y) * row];
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            out[x * 3 + 0] = p & 0xFF;
            out[x * 3 + 1] = (p >> 8) & 0xFF;
            out[x * 3 + 2] = (p >> 16) & 0xFF;
        }
    }
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, &fh, sizeof(fh), &written, nullptr);
    ::WriteFile(file, &ih, sizeof(ih), &written, nullptr);
    ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    ::CloseHandle(file);
    return path;
}

}  // namespace e2e
