#include "foundation/file_search.h"

#include "foundation/win_text.h"

namespace scrutor {

namespace {

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

}  // namespace

bool FileSearch::Open(const char16_t* pattern) {
    Close();
    if (pattern == nullptr || *pattern == 0) return false;
    handle_ = FindFirstFileW(AsWide(pattern), &data_);
    if (!handle_) return false;
    return SkipDots();
}

bool FileSearch::Next() {
    if (!handle_) return false;
    if (!FindNextFileW(handle_.Get(), &data_)) {
        Close();
        return false;
    }
    return SkipDots();
}

bool FileSearch::SkipDots() {
    while (IsDotEntry(data_.cFileName)) {
        if (!FindNextFileW(handle_.Get(), &data_)) {
            Close();
            return false;
        }
    }
    return true;
}

}  // namespace scrutor
