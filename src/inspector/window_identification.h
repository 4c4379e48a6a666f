#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/wide_string.h"
#include "inspector/identification_texts.h"
#include "inspector/window_tree.h"

namespace scrutor {

// Any program's windows, asked through the platform.
class Win32WindowTree final : public WindowTree {
public:
    void ForEachDescendant(TreeWindow parent,
                           const std::function<bool(TreeWindow)>& visit) const override;
    [[nodiscard]] bool ClassName(TreeWindow window, std::size_t units,
                                 WideString& name) const override;
    [[nodiscard]] WideString Text(TreeWindow window, std::size_t units) const override;
    [[nodiscard]] WideString CaptionText(TreeWindow window, std::size_t units) const override;
    [[nodiscard]] std::int32_t ControlId(TreeWindow window) const override;
};

[[nodiscard]] inline TreeWindow AsTreeWindow(HWND window) {
    return reinterpret_cast<TreeWindow>(window);
}
[[nodiscard]] inline HWND AsWindow(TreeWindow window) { return reinterpret_cast<HWND>(window); }

// The top-level window under a screen point, or null.
[[nodiscard]] HWND TopLevelWindowAt(POINT point);
[[nodiscard]] std::int32_t ClassInstanceNumber(HWND top, HWND control, const char16_t* className);
// The number among the windows of its own class.
[[nodiscard]] std::int32_t ClassInstanceNumber(HWND top, HWND control);
[[nodiscard]] WindowProperties WindowInfo(HWND top);
[[nodiscard]] ControlProperties ControlInfo(HWND control, HWND top);
// The same when the control's instance number is already known: the count walks every
// descendant of top, the most costly part of a picker tick.
[[nodiscard]] ControlProperties ControlInfo(HWND control, std::int32_t instance);
// The screen point in top's client coordinates as "x, y"; empty without a window.
[[nodiscard]] WideString ClientPointText(HWND top, POINT point);
[[nodiscard]] HWND ResolveControlDefinition(HWND parent, const char16_t* definition);

}  // namespace scrutor
