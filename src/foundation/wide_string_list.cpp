#include "foundation/wide_string.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace scrutor {

namespace {
constexpr std::size_t kInitialFields = 10;
}

WideStringList::WideStringList(const char16_t* text, const char16_t* separators,
                               bool wholeSeparator) {
    Split(text, separators, wholeSeparator);
}

// Fields are cut in a private copy by writing a NUL over each separator's first unit, so they
// live exactly as long as the list. The copy's buffer is reused by the next split unless
// the new text lies in it (text and separators may be fields of this very list) or the size
// is far off.
void WideStringList::Split(const char16_t* text, const char16_t* separators, bool wholeSeparator) {
    const std::size_t length = TextLength(text);
    const std::u16string separatorText(separators != nullptr ? separators : u"");
    std::unique_ptr<char16_t[]> previous;
    if (!copy_ || length > capacity_ || capacity_ / 2 > length || Holds(text)) {
        previous = std::move(copy_);
        copy_.reset(new char16_t[length + 1]);
        capacity_ = length;
    }
    fields_.clear();
    fields_.reserve(kInitialFields);
    textLength_ = length;
    if (length == 0 || separatorText.empty() || wholeSeparator) {
        if (length != 0) std::memcpy(copy_.get(), text, length * sizeof(char16_t));
        copy_[length] = 0;
        if (length == 0 || separatorText.empty()) {
            AddField(0, length);
        } else {
            SplitWhole(length, separatorText);
        }
    } else {
        CopyAndSplitAnyOf(text, length, separatorText);
    }
}

bool WideStringList::Holds(const char16_t* text) const {
    const auto at = reinterpret_cast<std::uintptr_t>(text);
    const auto begin = reinterpret_cast<std::uintptr_t>(copy_.get());
    return copy_ && at >= begin && at <= begin + capacity_ * sizeof(char16_t);
}

// One pass copies and cuts. Consecutive separators give empty fields; a trailing one gives
// no empty last field.
void WideStringList::CopyAndSplitAnyOf(const char16_t* text, std::size_t length,
                                       std::u16string_view separators) {
    constexpr std::size_t kTableSize = 256;
    bool isSmallSeparator[kTableSize] = {};
    bool hasLargeSeparator = false;
    for (const char16_t unit : separators) {
        if (unit < kTableSize) {
            isSmallSeparator[unit] = true;
        } else {
            hasLargeSeparator = true;
        }
    }
    char16_t* copy = copy_.get();
    std::size_t fieldStart = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const char16_t unit = text[i];
        copy[i] = unit;
        if (unit < kTableSize ? isSmallSeparator[unit]
                              : hasLargeSeparator && separators.find(unit) != separators.npos) {
            AddField(fieldStart, i);
            fieldStart = i + 1;
        }
    }
    copy[length] = 0;
    if (fieldStart < length) AddField(fieldStart, length);
}

// The search only ever looks beyond the NULs already written, so cutting as we go is safe.
void WideStringList::SplitWhole(std::size_t length, std::u16string_view separator) {
    const std::u16string_view whole(copy_.get(), length);
    std::size_t from = 0;
    while (from < length) {
        std::size_t at = whole.find(separator, from);
        if (at == std::u16string_view::npos) at = length;
        AddField(from, at);
        from = at + separator.size();
    }
}

void WideStringList::AddField(std::size_t from, std::size_t to) {
    copy_[to] = 0;
    fields_.push_back(copy_.get() + from);
}

const char16_t* WideStringList::Get(std::size_t index) const {
    if (fields_.empty()) return nullptr;
    return fields_[index < fields_.size() ? index : fields_.size() - 1];
}

bool WideStringList::IsEmpty() const {
    return textLength_ == 0 || fields_.empty();
}

void WideStringList::Clear() {
    copy_.reset();
    capacity_ = 0;
    fields_.clear();
    textLength_ = 0;
}

}  // namespace scrutor
