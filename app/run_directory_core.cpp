#include "app/run_directory.h"

namespace app {

std::wstring directory_of(std::wstring_view path)
{
    const auto last = path.rfind(L'\\');
    if (last == std::wstring_view::npos) return {};
    return std::wstring(path.substr(0, last));
}

}  // namespace app
