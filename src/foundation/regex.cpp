#include "foundation/regex.h"

#include <pcre2.h>

#include <limits>
#include <memory>
#include <utility>

namespace scrutor {
namespace {

// Matched with PCRE2_CASELESS against whole paths; "ws" and "wsf" stand twice and
// "chminx" is one alternative: the list is kept exactly as the program has always used it.
constexpr const char16_t* kExecutablePattern =
    uR"re(\.(exe|com|pif|paf|bat|cmd|bin|dll|ocx|cpl|sys|gadget|msi|msp|mst|reg|ax|node|ps1|psc1|chminx|ins|inf|job|ws|wsf|js|jse|icl|isu|msc|rgs|scr|sct|scf|shb|shs|u3p|vb|vbs|vbe|vbscript|ws|wsf|wsh|application|hta|jar|ps1xml|msh2|mshxml|msh2xml|appx|appxbundle)$)re";

struct MatchDataDeleter {
    void operator()(pcre2_match_data_16* data) const { pcre2_match_data_free_16(data); }
};
using MatchData = std::unique_ptr<pcre2_match_data_16, MatchDataDeleter>;

MatchData CreateMatchData(const pcre2_code_16* code) {
    return MatchData(pcre2_match_data_create_from_pattern_16(code, nullptr));
}

// char16_t and PCRE2's 16-bit code unit have the same size and representation.
PCRE2_SPTR16 AsSubject(const char16_t* text) {
    return reinterpret_cast<PCRE2_SPTR16>(text);
}

// Holds the string's original buffer while a substitution writes into a new one. Unless
// committed, the string gets its old text back on every way out.
class SubjectGuard {
public:
    explicit SubjectGuard(WideString& text) : text_(text), subject_(text.Detach()) {}
    SubjectGuard(const SubjectGuard&) = delete;
    SubjectGuard& operator=(const SubjectGuard&) = delete;
    ~SubjectGuard() {
        if (subject_ == nullptr) return;
        text_.Clear();
        text_.Attach(subject_);
    }

    [[nodiscard]] const char16_t* Get() const { return subject_; }
    void Commit() { WideString::FreeBuffer(std::exchange(subject_, nullptr)); }

private:
    WideString& text_;
    char16_t* subject_;
};

// The first attempt is always made (it is proportional to the text we already hold);
// retries stop at the cap, since a runaway replacement must not exhaust memory.
bool OutputSize(std::size_t factor, std::size_t subjectLength, std::size_t maxOutputUnits,
                std::size_t& size) {
    constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
    if (subjectLength > (kMax - 2) / factor) return false;
    size = factor * subjectLength + 2;
    return factor == 2 || size <= maxOutputUnits;
}

}  // namespace

RegexCode::RegexCode(RegexCode&& other) noexcept : code_(std::exchange(other.code_, nullptr)) {}

RegexCode& RegexCode::operator=(RegexCode&& other) noexcept {
    if (this != &other) {
        Reset();
        code_ = std::exchange(other.code_, nullptr);
    }
    return *this;
}

RegexCode::~RegexCode() {
    Reset();
}

void RegexCode::Reset() {
    // pcre2_code_free accepts null, but the exchange keeps a double free impossible.
    pcre2_code_free_16(std::exchange(code_, nullptr));
}

RegexCode CompileRegex(const char16_t* pattern, std::uint32_t options) {
    if (pattern == nullptr) return RegexCode();
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    return RegexCode(pcre2_compile_16(AsSubject(pattern), PCRE2_ZERO_TERMINATED, options,
                                      &errorCode, &errorOffset, nullptr));
}

// Without the overflow-length option PCRE2 only says that the output did not fit, so the
// buffer doubles until the whole result does.
int SubstituteAll(WideString& text, const pcre2_code_16* code, const char16_t* replacement,
                  std::size_t maxOutputUnits) {
    if (code == nullptr || text.IsEmpty()) return 0;
    const MatchData matchData = CreateMatchData(code);
    if (!matchData) return 0;
    const std::size_t subjectLength = text.Length();
    SubjectGuard subject(text);
    int count = 0;
    std::size_t size = 0;
    for (std::size_t factor = 2; OutputSize(factor, subjectLength, maxOutputUnits, size);
         factor *= 2) {
        char16_t* output = text.GetBuffer(size);
        PCRE2_SIZE outputLength = size;
        const int rc = pcre2_substitute_16(
            code, AsSubject(subject.Get()), PCRE2_ZERO_TERMINATED, 0, PCRE2_SUBSTITUTE_GLOBAL,
            matchData.get(), nullptr, AsSubject(replacement != nullptr ? replacement : u""),
            PCRE2_ZERO_TERMINATED, reinterpret_cast<PCRE2_UCHAR16*>(output), &outputLength);
        if (rc == PCRE2_ERROR_NOMEMORY) continue;
        count = rc > 0 ? rc : 0;
        break;
    }
    if (count > 0) subject.Commit();
    return count;
}

bool WideString::Matches(const char16_t* pattern) const {
    // PCRE2 would let '^$' match the empty text; callers rely on it matching nothing.
    if (IsEmpty()) return pattern == nullptr || pattern[0] == u'\0';
    const RegexCode code = CompileRegex(pattern, PCRE2_CASELESS);
    return MatchCompiled(code.Get());
}

bool WideString::MatchCompiled(const pcre2_real_code_16* code) const {
    if (code == nullptr) return false;
    const MatchData matchData = CreateMatchData(code);
    if (!matchData) return false;
    const int rc =
        pcre2_match_16(code, AsSubject(CStr()), Length(), 0, 0, matchData.get(), nullptr);
    return rc > 0;
}

int WideString::ReplaceRegex(const char16_t* pattern, const char16_t* replacement,
                             std::uint32_t options) {
    if (IsEmpty()) return 0;
    const RegexCode code = CompileRegex(pattern, options);
    return SubstituteAll(*this, code.Get(), replacement);
}

bool ExecutableNameTest::Initialise() {
    Release();
    code_ = CompileRegex(kExecutablePattern, PCRE2_CASELESS);
    return static_cast<bool>(code_);
}

void ExecutableNameTest::Release() {
    code_.Reset();
}

bool ExecutableNameTest::Test(const WideString& path) const {
    return path.MatchCompiled(code_.Get());
}

}  // namespace scrutor
