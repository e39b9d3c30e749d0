// The address of an account's personal-space page.
#pragma once

#include <string>
#include <string_view>

namespace visit {

inline constexpr std::wstring_view page_suffix = L"/main";

// base + account + "/main". The account text goes in exactly as read from
// the window: blanks, signs, full-width digits, anything; nothing is escaped.
std::wstring page_address(std::wstring_view base, std::wstring_view account);

}  // namespace visit
