// The service's addresses, in one place. The build may override them
// (SPACEVISIT_PAGE_BASE, SPACEVISIT_PORTAL_PAGE); the defaults lie under a
// reserved example domain.
#pragma once

#include <string_view>

#ifndef SPACEVISIT_PAGE_BASE
#define SPACEVISIT_PAGE_BASE L"http://user.example.com/"
#endif
#ifndef SPACEVISIT_PORTAL_PAGE
#define SPACEVISIT_PORTAL_PAGE L"http://www.example.com/"
#endif

namespace app {

// Personal-space pages: base + account number + "/main".
inline constexpr std::wstring_view page_base_address = SPACEVISIT_PAGE_BASE;
inline constexpr std::wstring_view portal_page = SPACEVISIT_PORTAL_PAGE;
// The maker's own account page, formed as any visited page would be.
inline constexpr std::wstring_view update_page = SPACEVISIT_PAGE_BASE L"402718563/main";

}  // namespace app
