#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/wide_string.h"

struct pcre2_real_code_16;

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

private:
    pcre2_real_code_16* code_ = nullptr;
};

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

// Keeps the executable-extension pattern compiled for repeated tests of file paths.
class ExecutableNameTest {
public:
    [[nodiscard]] bool Initialise();
    void Release();
    [[nodiscard]] bool Test(const WideString& path) const;

private:
    RegexCode code_;
};

}  // namespace scrutor
