// The names by which the program finds its skin engine.
#pragma once

#include <string>

#include "skin/app_services.h"

namespace skin {

inline constexpr wchar_t engine_file_name[] = L"SkinH_EL.dll";
inline constexpr char engine_entry_name[] = "SkinH_AttachRes";

// The run directory followed by "\SkinH_EL.dll", composed afresh for each use.
inline std::wstring engine_library_path()
{
    return app::run_directory() + L'\\' + engine_file_name;
}

}  // namespace skin
