#include "foundation/wide_string.h"

namespace scrutor {

// Paths here are Windows paths: the backslash is the only separator.

void WideString::StripTrailingBackslashes() {
    std::size_t length = Length();
    while (length > 0 && buffer_[length - 1] == u'\\') --length;
    Truncate(length);
}

void WideString::FileNamePart() {
    const std::size_t slash = Find(u"\\", true, -1);
    if (slash != 0) {
        DropFront(slash);
        return;
    }
    // A bare drive such as "C:" names no file.
    const std::size_t length = Length();
    if (length > 1 && buffer_[length - 1] == u':') Truncate(0);
}

// A backslash among the first two units (the "\\" of a UNC name) is never cut at.
void WideString::ParentDirectory(bool keepBackslash) {
    StripTrailingBackslashes();
    const std::size_t slash = Find(u"\\", true, -1);
    if (slash >= 3) {
        Truncate(keepBackslash ? slash : slash - 1);
    } else if (keepBackslash) {
        AppendParts({u"\\"});
    }
}

const char16_t* WideString::ExtensionPointer() const {
    const std::size_t length = Length();
    if (length == 0) return nullptr;
    const std::size_t dot = Find(u".", true, -1);
    const std::size_t slash = Find(u"\\", true, -1);
    if (dot == 0 || dot < slash || dot == length) return nullptr;
    return buffer_ + (dot - 1);
}

void WideString::ExtensionPart() {
    const char16_t* dot = ExtensionPointer();
    if (dot == nullptr) {
        Truncate(0);
        return;
    }
    DropFront(static_cast<std::size_t>(dot - buffer_) + 1);
}

void WideString::AddLongPathPrefix() {
    if (Length() < 2 || (buffer_[0] == u'\\' && buffer_[1] == u'\\')) return;
    if (buffer_[1] == u':') Prepend(u"\\\\?\\");
}

}  // namespace scrutor
