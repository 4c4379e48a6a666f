// Every log filter as a text transform over arbitrary text. The hiding filters only delete,
// and the editor's lines joined by CR LF give the text back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "analysis/log_filters.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using scrutor::WideString;
    using scrutor::fuzz::Check;
    if (size > 65536) return 0;
    scrutor::fuzz::Pieces pieces(data, size);
    const WideString text(pieces.Next());
    for (int filter = 0; filter <= 7; ++filter) {
        WideString filtered(text);
        if (scrutor::ApplyLineFilter(static_cast<scrutor::LineFilter>(filter), filtered))
            Check(filtered.Length() <= text.Length());
        else
            Check(filtered == text);
    }
    WideString copy(text);
    (void)scrutor::ClearUnnecessaryLines(copy);
    copy = text;
    (void)scrutor::KeepFileNotFoundLines(copy);
    copy = text;
    (void)scrutor::IgnoreFilesInSelection(copy);

    std::u16string joined;
    const char16_t* separator = u"";
    for (const std::u16string_view line : scrutor::EditControlLines(text.View())) {
        joined.append(separator).append(line);
        separator = u"\r\n";
    }
    Check(joined == text.View());
    return 0;
}
