#include "skin/skin_engine.h"

#include "skin/app_services.h"
#include "skin/carried_data.h"
#include "skin/checked_call.h"
#include "skin/engine_binding.h"
#include "skin/engine_names.h"
#include "skin/library_file.h"

#include <windows.h>

#include <vector>

namespace skin {
namespace {

constexpr wchar_t unbalanced_stack_message[] = L"调用外部动态链接库入口后发现堆栈不平衡。";
constexpr int unbalanced_stack_code = 6;

// The third argument of the entry: the address of an empty text, never null.
constexpr char empty_text[] = "";

}  // namespace

void install_skin_engine()
{
    if (entry_exists(engine_library_path())) return;
    if (write_new_file(engine_library_path(), carried_engine_library()))
        set_hidden_attribute(engine_library_path());
}

void apply_skin(int n)
{
    install_skin_engine();

    const std::span<const std::byte> carried = carried_skin(n);
    if (carried.empty()) return;
    // The engine gets a writable copy, never the carried bytes, and cannot
    // count on it once the call has returned.
    std::vector<std::byte> copy(carried.begin(), carried.end());

    const void* entry = bound_engine_entry();
    const std::ptrdiff_t moved = call_with_stack_check(
        entry, {reinterpret_cast<std::uintptr_t>(copy.data()), copy.size(),
                reinterpret_cast<std::uintptr_t>(empty_text), 0, 0, 0});
    if (moved != 0) app::report_fatal_error(unbalanced_stack_message, unbalanced_stack_code);
}

void harden_dll_search_order()
{
    // SetDllDirectoryW takes the current directory out of the standard search
    // order and changes nothing else: the executable's directory, the system
    // directories, the Windows directory and PATH are still searched, which
    // the bare-name fallback of the engine relies on. It is given the system
    // directory (searched anyway) rather than the empty text: both remove the
    // current directory, but not every loader honours the empty text.
    // SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS) is left alone
    // on purpose: it drops PATH and the Windows directory as well, so an
    // engine installed on PATH (the way out for a run directory where the
    // program may not write) could no longer be found.
    wchar_t system[MAX_PATH + 1];
    const UINT n = ::GetSystemDirectoryW(system, MAX_PATH + 1);
    ::SetDllDirectoryW(n > 0 && n <= MAX_PATH ? system : L"");
}

}  // namespace skin
