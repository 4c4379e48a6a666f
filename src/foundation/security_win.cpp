#include "foundation/security.h"

#include <aclapi.h>

#include "foundation/handles.h"
#include "foundation/wide_string.h"
#include "foundation/win_text.h"

namespace scrutor {

namespace {

constexpr DWORD kAclBytes = 2048;

bool IsDirectoryPath(const char16_t* path) {
    const DWORD attributes = GetFileAttributesW(AsWide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

SECURITY_INFORMATION InformationFor(unsigned flags, PSID owner) {
    SECURITY_INFORMATION information = 0;
    if (owner != nullptr) information |= OWNER_SECURITY_INFORMATION;
    if (!(flags & kSecurityOwnerOnly)) information |= DACL_SECURITY_INFORMATION;
    if (flags & kSecurityProtected) {
        information |= PROTECTED_DACL_SECURITY_INFORMATION;
    } else if (flags & kSecurityUnprotected) {
        information |= UNPROTECTED_DACL_SECURITY_INFORMATION;
    }
    return information;
}

DWORD ApplySecurity(WideString& path, SECURITY_INFORMATION information, PSID owner, PACL acl,
                    unsigned flags) {
    wchar_t* name = AsWide(path.CharAt(0));
    if (flags & kSecurityRecursive) {
        return TreeResetNamedSecurityInfoW(name, SE_FILE_OBJECT, information, owner, nullptr, acl,
                                           nullptr, (flags & kSecurityKeepExplicit) != 0, nullptr,
                                           ProgressInvokeNever, nullptr);
    }
    return SetNamedSecurityInfoW(name, SE_FILE_OBJECT, information, owner, nullptr, acl, nullptr);
}

// Taking ownership of another's file needs these privileges switched on in the token; an
// administrator holds them disabled.
void EnablePrivilege(HANDLE token, const wchar_t* name) {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid)) {
        (void)AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
}

// The current user's SID, copied into `buffer`.
PSID CurrentUserSid(HANDLE token, BYTE* buffer, DWORD size) {
    DWORD needed = 0;
    if (!GetTokenInformation(token, TokenUser, buffer, size, &needed)) return nullptr;
    return reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid;
}

}  // namespace

AclBuffer::AclBuffer() {
    acl_ = static_cast<PACL>(LocalAlloc(LPTR, kAclBytes));
    if (acl_ != nullptr && !InitializeAcl(acl_, kAclBytes, ACL_REVISION)) {
        LocalFree(acl_);
        acl_ = nullptr;
    }
}

AclBuffer::~AclBuffer() {
    if (acl_ != nullptr) LocalFree(acl_);
}

bool AclBuffer::AddAllowed(PSID sid, DWORD access, DWORD inheritance) {
    return acl_ != nullptr && sid != nullptr &&
           AddAccessAllowedAceEx(acl_, ACL_REVISION, inheritance, access, sid);
}

bool SetFileSecurity(PACL acl, const char16_t* path, unsigned flags, PSID owner) {
    if (path == nullptr || *path == 0) return false;
    if ((flags & kSecurityRecursive) && !IsDirectoryPath(path)) flags &= ~kSecurityRecursive;
    WideString name(path);
    const SECURITY_INFORMATION information = InformationFor(flags, owner);
    if (ApplySecurity(name, information, owner, acl, flags) == ERROR_SUCCESS) return true;
    if (owner == nullptr || (flags & kSecurityOwnerOnly)) return false;
    // Without ownership the access list may not be writable: own it first, then try again.
    if (SetNamedSecurityInfoW(AsWide(name.CharAt(0)), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION,
                              owner, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return ApplySecurity(name, information, owner, acl, flags) == ERROR_SUCCESS;
}

bool TakeOwnershipAndGrantAccess(const char16_t* path) {
    HandleHolder token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                          token.Out())) {
        return false;
    }
    EnablePrivilege(token.Get(), SE_TAKE_OWNERSHIP_NAME);
    EnablePrivilege(token.Get(), SE_RESTORE_NAME);
    alignas(SID) BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size)) {
        return false;
    }
    alignas(TOKEN_USER) BYTE userBuffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    const PSID user = CurrentUserSid(token.Get(), userBuffer, sizeof userBuffer);
    const DWORD inheritance =
        IsDirectoryPath(path) ? OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE : 0;
    AclBuffer acl;
    if (!acl.AddAllowed(administrators, FILE_ALL_ACCESS, inheritance)) return false;
    if (user != nullptr && !acl.AddAllowed(user, FILE_ALL_ACCESS, inheritance)) return false;
    return SetFileSecurity(acl.Get(), path, kSecurityUnprotected, administrators);
}

}  // namespace scrutor
