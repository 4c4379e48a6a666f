#pragma once

// Shared helpers of the Windows foundation tests. File contents are checked with plain
// standard-library I/O, independent of the code under test.

#include <windows.h>

#include <string>

#include "foundation/handles.h"
#include "foundation/wide_string.h"

namespace scrutor::test {

// A fresh folder under the temporary folder, removed with its content at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::u16string& Path() const { return path_; }
    [[nodiscard]] std::u16string Child(std::u16string_view name) const;

private:
    std::u16string path_;
};

[[nodiscard]] std::string ReadFileBytes(const std::u16string& path);
void WriteFileBytes(const std::u16string& path, const std::string& bytes);
[[nodiscard]] bool PathExists(const std::u16string& path);
// An existing file opened as another program would hold it.
[[nodiscard]] HandleHolder OpenExisting(const std::u16string& path, DWORD access, DWORD sharing);

// A host (Unix) path from an environment variable, as Wine shows it through drive Z:; empty
// when the variable is not set.
[[nodiscard]] std::u16string HostPathFromEnvironment(const char* variable);
[[nodiscard]] std::u16string ExecutableFolder();

[[nodiscard]] std::string Hex(const std::string& bytes);
[[nodiscard]] std::string FromHex(const std::string& hex);

// A message-only window that counts the WM_APP messages dispatched to it.
class CountingWindow {
public:
    CountingWindow();
    ~CountingWindow();
    [[nodiscard]] HWND Get() const { return window_; }
    [[nodiscard]] int Count() const;

private:
    HWND window_ = nullptr;
};

// Removes the deletions scheduled for the next start under `folder` from the system's list,
// so that tests leave the shared test system as they found it. True when at least one was
// there.
bool ForgetPendingDeletions(const std::u16string& folder);

}  // namespace scrutor::test
