#include "app/update_link.h"

#include "app/addresses.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace app {

void open_update_page()
{
    // A browser window of that exact title, if one is open, owns the request.
    const HWND owner = ::FindWindowW(nullptr, L"Microsoft Internet Explorer");
    const std::wstring address(update_page);
    ::ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace app
