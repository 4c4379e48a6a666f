#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/wide_string.h"

struct pcre2_real_code_16;
struct pcre2_real_match_data_16;

namespace scrutor {

// Owns one compiled PCRE2 (16-bit) pattern; move-only; null when compiling failed.
class RegexCode {
public:
    RegexCode() = default;
    explicit RegexCode(pcre2_real_code_16* code) : code_(code) {}
    RegexCode(RegexCode&& other) noexcept;
    RegexCode& operator=(RegexCode&& other) noexcept;
    RegexCode(const RegexCode&) = delete;
    RegexCode& operator=(const RegexCode&) = delete;
    ~RegexCode();

    [[nodiscard]] pcre2_real_code_16* Get() const { return code_; }
    [[nodiscard]] explicit operator bool() const { return code_ != nullptr; }
    void Reset();
    // Adds the JIT's machine code; false (the interpreter stays in use) when it cannot.
    bool CompileJit();

private:
    pcre2_real_code_16* code_ = nullptr;
};

// Below this many code units of subject a JIT compilation costs more than it saves.
inline constexpr std::size_t kJitMinSubjectUnits = 64 * 1024;

// Compiles a NUL-terminated pattern with the given PCRE2 compile options.
[[nodiscard]] RegexCode CompileRegex(const char16_t* pattern, std::uint32_t options);

// Upper bound, in code units, of the output buffer a substitution may grow to; a 32-bit
// process cannot count on finding a larger block in its address space.
inline constexpr std::size_t kMaxRegexOutputUnits =
    sizeof(void*) == 4 ? std::size_t{32} * 1024 * 1024 : std::size_t{128} * 1024 * 1024;

// Replaces every match of a compiled pattern in text; answers the number of replacements,
// 0 (text unchanged) on no match, on any error, or when the output would outgrow
// maxOutputUnits.
int SubstituteAll(WideString& text, const pcre2_real_code_16* code, const char16_t* replacement,
                  std::size_t maxOutputUnits = kMaxRegexOutputUnits);

// Runs one compiled pattern over many subjects with one match data. When the pattern was
// JIT-compiled, any JIT error (stack limit, memory, match limit) is answered by running the
// interpreter on the same subject, so the JIT never changes a result.
class RegexMatcher {
public:
    explicit RegexMatcher(const pcre2_real_code_16* code);  // code must outlive the matcher
    [[nodiscard]] explicit operator bool() const { return data_ != nullptr; }
    // First match in subject[0, length) starting at or after `start`; its bounds are
    // written to matchStart and matchEnd.
    [[nodiscard]] bool Find(const char16_t* subject, std::size_t length, std::size_t start,
                            std::size_t& matchStart, std::size_t& matchEnd);

private:
    struct DataDeleter {
        void operator()(pcre2_real_match_data_16* data) const;
    };
    const pcre2_real_code_16* code_;
    std::unique_ptr<pcre2_real_match_data_16, DataDeleter> data_;
    bool jit_ = false;
};

// Searches a literal text, folding only A-Z when caseless (as PCRE2's caseless mode does
// without UTF), by Horspool's skips.
class LiteralFinder {
public:
    LiteralFinder(std::u16string_view literal, bool caseless);
    // Index of the first occurrence at or after `from`; npos when none.
    [[nodiscard]] std::size_t Find(std::u16string_view text, std::size_t from) const;

private:
    [[nodiscard]] char16_t Key(char16_t unit) const;

    std::u16string literal_;
    bool caseless_;
    std::array<std::size_t, 256> skip_{};
};

// For a pattern whose every match lies within one line (never crosses a line feed) and
// contains `literal`: deletes every match, as SubstituteAll with an empty replacement
// would, but runs PCRE2 only on the lines that hold the literal. Answers the number of
// deletions; 0 leaves the text unchanged.
int DeleteMatchesInLines(WideString& text, const pcre2_real_code_16* code,
                         std::u16string_view literal, bool caseless);
// The same on a text the caller keeps: `kept` gets the result when the answer is above 0.
int DeleteMatchesInLines(std::u16string_view text, const pcre2_real_code_16* code,
                         std::u16string_view literal, bool caseless, WideString& kept);

// Keeps the executable-extension pattern compiled for repeated tests of file paths.
class ExecutableNameTest {
public:
    [[nodiscard]] bool Initialise();
    void Release();
    [[nodiscard]] bool Test(const WideString& path);

private:
    RegexCode code_;
    std::unique_ptr<RegexMatcher> matcher_;
};

}  // namespace scrutor
