#include "analysis/memory_list_texts.h"

#include <string>

namespace scrutor {

namespace {

WideString CountedText(const char16_t* head, int count, const char16_t* tail) {
    const std::string digits = std::to_string(count);
    std::u16string text(head);
    text.append(digits.begin(), digits.end());
    text += tail;
    return WideString(std::u16string_view(text));
}

}  // namespace

WideString ManageMemoryMenuText(int count) {
    return CountedText(u"Manage memory list (", count, u" lines)\tAlt+W");
}

WideString InsertMemorizedMenuText(int count) {
    return CountedText(u"Insert memorized lines (", count, u" lines)\tCtrl+W");
}

}  // namespace scrutor
