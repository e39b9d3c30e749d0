#include "skin/engine_binding.h"

#include "skin/app_services.h"
#include "skin/engine_names.h"
#include "win/unique_any.h"

#include <utility>

namespace skin {
namespace {

// One message for a missing library and a missing entry alike.
constexpr wchar_t binding_failed_message[] = L"找不到动态链接库 SkinH_EL.dll 或其中的入口 SkinH_AttachRes。";

struct engine_binding {
    win::unique_hmodule library;
    const void* entry = nullptr;
};

engine_binding& binding()
{
    static engine_binding bound;
    return bound;
}

// A library that cannot be read must not raise the system's own error box
// (no disk, bad image): the fatal error report is the one message shown.
class quiet_loader_errors {
public:
    quiet_loader_errors() noexcept { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_); }
    ~quiet_loader_errors() { ::SetThreadErrorMode(old_, nullptr); }
    quiet_loader_errors(const quiet_loader_errors&) = delete;
    quiet_loader_errors& operator=(const quiet_loader_errors&) = delete;

private:
    DWORD old_ = 0;
};

win::unique_hmodule load_engine_library()
{
    quiet_loader_errors quiet;
    win::unique_hmodule library(::LoadLibraryW(engine_library_path().c_str()));
    if (!library) library.reset(::LoadLibraryW(engine_file_name));
    return library;
}

}  // namespace

const void* bound_engine_entry()
{
    engine_binding& bound = binding();
    if (bound.entry) return bound.entry;

    win::unique_hmodule library = load_engine_library();
    const void* entry =
        library ? reinterpret_cast<const void*>(::GetProcAddress(library.get(), engine_entry_name)) : nullptr;
    if (!entry) {
        library.reset();
        app::report_fatal_error(binding_failed_message);
    }
    bound.library = std::move(library);
    bound.entry = entry;
    app::add_exit_step(release_skin_engine);
    return entry;
}

void release_skin_engine() noexcept
{
    engine_binding& bound = binding();
    bound.entry = nullptr;
    bound.library.reset();
}

}  // namespace skin
