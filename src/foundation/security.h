#pragma once

// File owners and access lists.

#include <windows.h>

// Our SetFileSecurity below takes the name; the Win32 one stays reachable as SetFileSecurityW.
#undef SetFileSecurity

namespace scrutor {

// Flags of SetFileSecurity; they combine.
inline constexpr unsigned kSecurityRecursive = 1;      // the folder and everything below it
inline constexpr unsigned kSecurityUnprotected = 2;    // the list inherits from the parent
inline constexpr unsigned kSecurityProtected = 4;      // the list does not inherit
inline constexpr unsigned kSecurityOwnerOnly = 8;      // leave the access list alone
inline constexpr unsigned kSecurityKeepExplicit = 16;  // recursive: keep entries set below

// An empty access list of 2,048 bytes, ready for entries.
class AclBuffer {
public:
    AclBuffer();
    ~AclBuffer();
    AclBuffer(const AclBuffer&) = delete;
    AclBuffer& operator=(const AclBuffer&) = delete;

    [[nodiscard]] PACL Get() const { return acl_; }
    [[nodiscard]] bool IsValid() const { return acl_ != nullptr; }
    // Folder entries with inheritance flags reach the folder's content.
    [[nodiscard]] bool AddAllowed(PSID sid, DWORD access, DWORD inheritance);

private:
    PACL acl_ = nullptr;
};

// Sets the owner (when not null) and the access list of a file or folder; true on success.
[[nodiscard]] bool SetFileSecurity(PACL acl, const char16_t* path, unsigned flags, PSID owner);

// Makes the Administrators group the owner and grants it and the current user full access;
// for a file or folder that the program may not otherwise delete.
[[nodiscard]] bool TakeOwnershipAndGrantAccess(const char16_t* path);

}  // namespace scrutor
