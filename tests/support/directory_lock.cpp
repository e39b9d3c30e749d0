#include "directory_lock.h"

#include <windows.h>
#include <aclapi.h>

namespace test_files {

bool refuses_new_files(const std::wstring& directory)
{
    const std::wstring probe = directory + L"\\write-probe";
    HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return true;
    ::CloseHandle(file);
    ::DeleteFileW(probe.c_str());
    return false;
}

void lock_directory(const std::wstring& directory)
{
    EXPLICIT_ACCESSW deny{};
    deny.grfAccessPermissions = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_WRITE_DATA | FILE_APPEND_DATA;
    deny.grfAccessMode = DENY_ACCESS;
    deny.grfInheritance = NO_INHERITANCE;
    deny.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    deny.Trustee.ptstrName = const_cast<wchar_t*>(L"EVERYONE");
    PACL acl = nullptr;
    if (::SetEntriesInAclW(1, &deny, nullptr, &acl) == ERROR_SUCCESS) {
        ::SetNamedSecurityInfoW(const_cast<wchar_t*>(directory.c_str()), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                nullptr, nullptr, acl, nullptr);
        ::LocalFree(acl);
    }
    ::SetFileAttributesW(directory.c_str(), FILE_ATTRIBUTE_READONLY);
}

void unlock_directory(const std::wstring& directory)
{
    ::SetFileAttributesW(directory.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A null DACL: full access.
    ::SetNamedSecurityInfoW(const_cast<wchar_t*>(directory.c_str()), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                            nullptr, nullptr, nullptr, nullptr);
}

}  // namespace test_files
