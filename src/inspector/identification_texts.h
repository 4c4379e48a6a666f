#pragma once

#include <cstdint>

#include "foundation/wide_string.h"

namespace scrutor {

// The values shown for a top-level window; all empty when there is none.
struct WindowProperties {
    WideString className;     // ";" doubled
    WideString title;         // ";" doubled
    WideString classMode;     // [CLASS:name]
    WideString advancedMode;  // [CLASS:name;TITLE:title]
    WideString clientArea;    // "w, h"
};

// The values shown for a control; all empty when there is none.
struct ControlProperties {
    WideString text;          // line breaks escaped as \r and \n
    WideString classNN;       // Button3
    WideString advancedMode;  // [CLASS:Button; INSTANCE:3]
    WideString id;            // signed decimal
};

[[nodiscard]] WindowProperties MakeWindowProperties(const WideString& className,
                                                    const WideString& title, int clientWidth,
                                                    int clientHeight);
[[nodiscard]] ControlProperties MakeControlProperties(const WideString& className,
                                                      const WideString& text,
                                                      std::int32_t instance, std::int32_t id);
// "a, b" in decimal.
[[nodiscard]] WideString PairText(std::int32_t a, std::int32_t b);

}  // namespace scrutor
