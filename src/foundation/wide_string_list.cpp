#include "foundation/wide_string.h"

#include <cstring>

namespace scrutor {

namespace {
constexpr std::size_t kInitialFields = 10;
}

WideStringList::WideStringList(const char16_t* text, const char16_t* separators,
                               bool wholeSeparator) {
    Split(text, separators, wholeSeparator);
}

// Fields are cut in a private copy by writing a NUL over each separator's first unit, so they
// live exactly as long as the list. The old copy goes only at the end: text or separators may
// be fields of this very list.
void WideStringList::Split(const char16_t* text, const char16_t* separators, bool wholeSeparator) {
    const std::size_t length = TextLength(text);
    const std::size_t separatorLength = TextLength(separators);
    WideString fresh;
    char16_t* copy = fresh.GetBuffer(length);
    if (length != 0) std::memcpy(copy, text, length * sizeof(char16_t));
    fields_.clear();
    fields_.reserve(kInitialFields);
    if (length == 0 || separatorLength == 0) {
        AddField(copy, 0, length);
    } else if (wholeSeparator) {
        SplitWhole(copy, length, std::u16string_view(separators, separatorLength));
    } else {
        SplitAnyOf(copy, length, separators);
    }
    copy_ = std::move(fresh);
    textLength_ = length;
}

// Consecutive separators give empty fields; a trailing one gives no empty last field.
void WideStringList::SplitAnyOf(char16_t* text, std::size_t length, const char16_t* separators) {
    const std::size_t separatorCount = TextLength(separators);
    const auto isSeparator = [&](char16_t unit) {
        for (std::size_t s = 0; s < separatorCount; ++s) {
            if (separators[s] == unit) return true;
        }
        return false;
    };
    std::size_t fieldStart = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (isSeparator(text[i])) {
            AddField(text, fieldStart, i);
            fieldStart = i + 1;
        }
    }
    if (fieldStart < length) AddField(text, fieldStart, length);
}

// The search only ever looks beyond the NULs already written, so cutting as we go is safe.
void WideStringList::SplitWhole(char16_t* text, std::size_t length, std::u16string_view separator) {
    const std::u16string_view whole(text, length);
    std::size_t from = 0;
    while (from < length) {
        std::size_t at = whole.find(separator, from);
        if (at == std::u16string_view::npos) at = length;
        AddField(text, from, at);
        from = at + separator.size();
    }
}

void WideStringList::AddField(char16_t* text, std::size_t from, std::size_t to) {
    text[to] = 0;
    fields_.push_back(text + from);
}

const char16_t* WideStringList::Get(std::size_t index) const {
    if (fields_.empty()) return nullptr;
    return fields_[index < fields_.size() ? index : fields_.size() - 1];
}

bool WideStringList::IsEmpty() const {
    return textLength_ == 0 || fields_.empty();
}

void WideStringList::Clear() {
    copy_.Clear();
    fields_.clear();
    textLength_ = 0;
}

}  // namespace scrutor
