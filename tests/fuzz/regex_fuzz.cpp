// A pattern, a subject and a replacement (with $n references) from the input through the
// regex layer; a substitution that answers 0 must leave the subject as it was.
#include <pcre2.h>

#include <cstddef>
#include <cstdint>

#include "foundation/regex.h"
#include "fuzz_input.h"

namespace {

constexpr std::uint32_t kOptions = PCRE2_CASELESS | PCRE2_MULTILINE | PCRE2_DOTALL |
                                   PCRE2_EXTENDED | PCRE2_UNGREEDY | PCRE2_UTF | PCRE2_ANCHORED;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 2048) return 0;  // backtracking cost grows with the subject, not coverage
    using scrutor::WideString;
    scrutor::fuzz::Pieces pieces(data, size);
    const std::uint32_t options = pieces.Number() & kOptions;
    // PCRE2's match limit bounds backtracking; a lower one keeps each run short.
    const WideString limited(u"(*LIMIT_MATCH=200000)", pieces.Next());
    const char16_t* pattern = limited.CStr();
    const WideString subject(pieces.Next());
    const char16_t* replacement = pieces.Next();

    (void)subject.Matches(pattern);
    WideString replaced(subject);
    if (replaced.ReplaceRegex(pattern, replacement, options) == 0)
        scrutor::fuzz::Check(replaced == subject);
    const scrutor::RegexCode code = scrutor::CompileRegex(pattern, options);
    if (code) {
        (void)subject.MatchCompiled(code.Get());
        WideString capped(subject);
        if (scrutor::SubstituteAll(capped, code.Get(), replacement, subject.Length() + 8) == 0)
            scrutor::fuzz::Check(capped == subject);
    }
    scrutor::ExecutableNameTest executables;
    if (executables.Initialise()) (void)executables.Test(subject);
    return 0;
}
