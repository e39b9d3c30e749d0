#include "visit/page_address.h"

namespace visit {

std::wstring page_address(std::wstring_view base, std::wstring_view account)
{
    std::wstring address;
    address.reserve(base.size() + account.size() + page_suffix.size());
    address.append(base).append(account).append(page_suffix);
    return address;
}

}  // namespace visit
