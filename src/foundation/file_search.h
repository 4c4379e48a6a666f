#pragma once

// A directory search that never returns "." and "..".

#include <windows.h>

#include "foundation/handles.h"

namespace scrutor {

class FileSearch {
public:
    // The first entry matching the pattern ("C:\dir\*.log"); false when there is none.
    [[nodiscard]] bool Open(const char16_t* pattern);
    // The following entry; false at the end, when the search is closed.
    [[nodiscard]] bool Next();
    void Close() { (void)handle_.Close(); }

    [[nodiscard]] const WIN32_FIND_DATAW& Data() const { return data_; }
    [[nodiscard]] const char16_t* Name() const {
        return reinterpret_cast<const char16_t*>(data_.cFileName);
    }
    [[nodiscard]] bool IsDirectory() const {
        return (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }

private:
    [[nodiscard]] bool SkipDots();

    WIN32_FIND_DATAW data_{};
    FindHandle handle_;
};

}  // namespace scrutor
