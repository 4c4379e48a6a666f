#pragma once

#include <cstdint>

#include "foundation/wide_string.h"
#include "inspector/window_tree.h"

namespace scrutor {

// A control description such as "[CLASS:Edit; INSTANCE:1]", "Button3" or "OK", parsed.
struct ControlDefinition {
    WideString className;
    WideString classNN;
    WideString text;
    std::int32_t id = 0;        // 0: none
    std::int32_t instance = 0;  // 0: none; a ClassNN may fill it in while matching
    std::int32_t counter = 0;   // matching windows seen so far
    TreeWindow result = 0;
    bool advanced = false;      // written in square brackets
    bool namesNothing = false;  // a bracketed form whose leading fields name no control
};

[[nodiscard]] ControlDefinition ParseControlDefinition(const char16_t* definition);

// The descendant of parent that the definition names, or 0.
[[nodiscard]] TreeWindow ResolveControlDefinition(const WindowTree& tree, TreeWindow parent,
                                                  const char16_t* definition);

// 1-based position of control among the descendants of top whose class name equals
// className (case-insensitive), hidden and nested ones included; 0 if it was not met.
[[nodiscard]] std::int32_t ClassInstanceNumber(const WindowTree& tree, TreeWindow top,
                                               TreeWindow control, const char16_t* className);

}  // namespace scrutor
