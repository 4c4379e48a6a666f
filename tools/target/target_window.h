#pragma once

#include <windows.h>

namespace scrutor::target {

// Control ids of the target dialog, in creation (z and enumeration) order.
enum TargetId : int {
    kOptionsGroup = 100,
    kInsideButton = 101,
    kOuterPane = 200,
    kHiddenButton = 201,
    kInnerPane = 210,
    kDeepButton = 211,
    kHiddenDeepButton = 212,
    kNameLabel = -1,  // the usual id of a label nobody addresses
    kPathLabel = 301,
    kStatusLabel = 302,
    kNotesEdit = 400,
    kOkButton = IDOK,
};

inline constexpr wchar_t kTargetClass[] = L"ScrutorTargetDialog";
inline constexpr wchar_t kTargetTitle[] = L"Setup; step 1";
inline constexpr int kClientWidth = 460;
inline constexpr int kClientHeight = 260;

// The dialog-like window, shown at the screen point (x, y); null on failure.
[[nodiscard]] HWND CreateTargetWindow(HINSTANCE instance, int x, int y);

}  // namespace scrutor::target
