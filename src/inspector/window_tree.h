#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "foundation/wide_string.h"

namespace scrutor {

// A window as the identification logic sees it: an opaque value, 0 for none.
using TreeWindow = std::uintptr_t;

// Buffer sizes in UTF-16 units, terminator included.
inline constexpr std::size_t kWindowTextUnits = 512;
inline constexpr std::size_t kResolverClassUnits = 260;

// The few questions the identification logic asks about a window hierarchy.
class WindowTree {
public:
    virtual ~WindowTree() = default;

    // Every descendant of parent, depth-first and parent before children, until visit
    // answers false.
    virtual void ForEachDescendant(TreeWindow parent,
                                   const std::function<bool(TreeWindow)>& visit) const = 0;
    // False when the class name cannot be read; otherwise at most units - 1 units.
    [[nodiscard]] virtual bool ClassName(TreeWindow window, std::size_t units,
                                         WideString& name) const = 0;
    // The text the window answers when asked for it; empty when it does not answer.
    [[nodiscard]] virtual WideString Text(TreeWindow window, std::size_t units) const = 0;
    // The text the window manager keeps for it (other programs are not asked).
    [[nodiscard]] virtual WideString CaptionText(TreeWindow window, std::size_t units) const = 0;
    [[nodiscard]] virtual std::int32_t ControlId(TreeWindow window) const = 0;
};

}  // namespace scrutor
