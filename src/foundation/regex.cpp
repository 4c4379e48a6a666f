#include "foundation/regex.h"

#include <pcre2.h>

#include <algorithm>
#include <cstring>
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

bool HasJit(const pcre2_code_16* code) {
    std::size_t size = 0;
    return pcre2_pattern_info_16(code, PCRE2_INFO_JITSIZE, &size) == 0 && size != 0;
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

bool RegexCode::CompileJit() {
    return code_ != nullptr && pcre2_jit_compile_16(code_, PCRE2_JIT_COMPLETE) == 0;
}

namespace {

// Without the overflow-length option PCRE2 only says that the output did not fit, so the
// buffer doubles until the whole result does. Answers PCRE2's last code.
int SubstituteGrowing(WideString& text, const pcre2_code_16* code, const char16_t* subject,
                      std::size_t subjectLength, const char16_t* replacement,
                      std::uint32_t options, pcre2_match_data_16* matchData,
                      std::size_t maxOutputUnits) {
    int rc = PCRE2_ERROR_NOMEMORY;
    std::size_t size = 0;
    for (std::size_t factor = 2;
         rc == PCRE2_ERROR_NOMEMORY && OutputSize(factor, subjectLength, maxOutputUnits, size);
         factor *= 2) {
        char16_t* output = text.GetBuffer(size);
        PCRE2_SIZE outputLength = size;
        rc = pcre2_substitute_16(
            code, AsSubject(subject), subjectLength, 0, PCRE2_SUBSTITUTE_GLOBAL | options,
            matchData, nullptr, AsSubject(replacement), PCRE2_ZERO_TERMINATED,
            reinterpret_cast<PCRE2_UCHAR16*>(output), &outputLength);
    }
    return rc;
}

}  // namespace

int SubstituteAll(WideString& text, const pcre2_code_16* code, const char16_t* replacement,
                  std::size_t maxOutputUnits) {
    if (code == nullptr || text.IsEmpty()) return 0;
    const MatchData matchData = CreateMatchData(code);
    if (!matchData) return 0;
    const std::size_t subjectLength = text.Length();
    if (replacement == nullptr) replacement = u"";
    SubjectGuard subject(text);
    int rc = SubstituteGrowing(text, code, subject.Get(), subjectLength, replacement, 0,
                               matchData.get(), maxOutputUnits);
    // Whatever the JIT failed on, the interpreter's answer is the one that counts.
    if (rc < 0 && HasJit(code)) {
        rc = SubstituteGrowing(text, code, subject.Get(), subjectLength, replacement,
                               PCRE2_NO_JIT, matchData.get(), maxOutputUnits);
    }
    const int count = rc > 0 ? rc : 0;
    if (count > 0) subject.Commit();
    return count;
}

void RegexMatcher::DataDeleter::operator()(pcre2_match_data_16* data) const {
    pcre2_match_data_free_16(data);
}

RegexMatcher::RegexMatcher(const pcre2_code_16* code) : code_(code) {
    if (code == nullptr) return;
    data_.reset(pcre2_match_data_create_from_pattern_16(code, nullptr));
    jit_ = HasJit(code);
}

bool RegexMatcher::Find(const char16_t* subject, std::size_t length, std::size_t start,
                        std::size_t& matchStart, std::size_t& matchEnd) {
    if (!data_) return false;
    int rc = pcre2_match_16(code_, AsSubject(subject), length, start, 0, data_.get(), nullptr);
    if (rc < 0 && rc != PCRE2_ERROR_NOMATCH && jit_) {
        rc = pcre2_match_16(code_, AsSubject(subject), length, start, PCRE2_NO_JIT, data_.get(),
                            nullptr);
    }
    if (rc <= 0) return false;
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer_16(data_.get());
    matchStart = ovector[0];
    matchEnd = ovector[1];
    return true;
}

LiteralFinder::LiteralFinder(std::u16string_view literal, bool caseless)
    : literal_(literal), caseless_(caseless) {
    for (char16_t& unit : literal_) unit = Key(unit);
    // A unit's skip is keyed by its low byte; units sharing a byte share the smallest skip,
    // which only costs speed.
    skip_.fill(std::max<std::size_t>(literal_.size(), 1));
    for (std::size_t i = 0; i + 1 < literal_.size(); ++i) {
        skip_[literal_[i] & 0xFF] = literal_.size() - 1 - i;
    }
}

char16_t LiteralFinder::Key(char16_t unit) const {
    return caseless_ ? FoldAscii(unit) : unit;
}

std::size_t LiteralFinder::Find(std::u16string_view text, std::size_t from) const {
    const std::size_t size = literal_.size();
    if (size == 0) return from <= text.size() ? from : std::u16string_view::npos;
    const std::size_t last = size - 1;
    for (std::size_t at = from; at + size <= text.size();) {
        const char16_t unit = Key(text[at + last]);
        if (unit == literal_[last]) {
            std::size_t i = 0;
            while (i < last && Key(text[at + i]) == literal_[i]) ++i;
            if (i == last) return at;
        }
        at += skip_[unit & 0xFF];
    }
    return std::u16string_view::npos;
}

namespace {

// Copies the kept runs of a text into a new buffer; made on the first deletion only.
class KeptText {
public:
    explicit KeptText(std::u16string_view text) : text_(text) {}
    KeptText(const KeptText&) = delete;
    KeptText& operator=(const KeptText&) = delete;
    ~KeptText() { WideString::FreeBuffer(buffer_); }

    void Delete(std::size_t from, std::size_t to) {
        if (buffer_ == nullptr) buffer_ = WideString::AllocateBuffer(text_.size());
        CopyUpTo(from);
        kept_ = to;
    }
    // Hands the finished text over; the string's old buffer is freed.
    void MoveInto(WideString& text) {
        CopyUpTo(text_.size());
        buffer_[written_] = u'\0';
        text.Clear();
        text.Attach(std::exchange(buffer_, nullptr));
    }

private:
    void CopyUpTo(std::size_t to) {
        std::memcpy(buffer_ + written_, text_.data() + kept_, (to - kept_) * sizeof(char16_t));
        written_ += to - kept_;
    }

    std::u16string_view text_;
    char16_t* buffer_ = nullptr;
    std::size_t kept_ = 0;     // text_ up to here is copied or deleted
    std::size_t written_ = 0;  // units in buffer_
};

}  // namespace

int DeleteMatchesInLines(WideString& text, const pcre2_code_16* code,
                         std::u16string_view literal, bool caseless) {
    if (literal.empty()) return SubstituteAll(text, code, u"");
    WideString kept;
    const int count = DeleteMatchesInLines(text.View(), code, literal, caseless, kept);
    if (count > 0) text = std::move(kept);
    return count;
}

// Lines without the literal hold no match, and a match never leaves its line, so PCRE2 sees
// each candidate line from the end of the last match on, and nothing beyond the line.
int DeleteMatchesInLines(std::u16string_view whole, const pcre2_code_16* code,
                         std::u16string_view literal, bool caseless, WideString& result) {
    RegexMatcher matcher(code);
    if (!matcher || whole.empty() || literal.empty()) return 0;
    const LiteralFinder finder(literal, caseless);
    KeptText kept(whole);
    int count = 0;
    std::size_t lastEnd = 0, lineStart = 0, lineEnd = 0;
    for (std::size_t from = 0, hit; (hit = finder.Find(whole, from)) != whole.npos;) {
        if (hit >= lineEnd) {  // a later hit in the same line keeps the line's bounds
            const std::size_t lineBreak = whole.find(u'\n', hit);
            lineEnd = lineBreak == whole.npos ? whole.size() : lineBreak + 1;
            lineStart = whole.find_last_of(u'\n', hit) + 1;  // npos + 1 = 0
        }
        std::size_t start = 0, end = 0;
        if (!matcher.Find(whole.data(), lineEnd, std::max(lineStart, lastEnd), start, end)) {
            from = lineEnd;
        } else if (end == start) {  // cannot hold the literal: not a pattern for this path
            from = start + 1;
        } else {
            kept.Delete(start, end);
            ++count;
            from = lastEnd = end;
        }
    }
    if (count > 0) kept.MoveInto(result);
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
    RegexCode code = CompileRegex(pattern, options);
    if (Length() >= kJitMinSubjectUnits) (void)code.CompileJit();
    return SubstituteAll(*this, code.Get(), replacement);
}

bool ExecutableNameTest::Initialise() {
    Release();
    code_ = CompileRegex(kExecutablePattern, PCRE2_CASELESS);
    if (code_) matcher_ = std::make_unique<RegexMatcher>(code_.Get());
    return static_cast<bool>(code_);
}

void ExecutableNameTest::Release() {
    matcher_.reset();
    code_.Reset();
}

bool ExecutableNameTest::Test(const WideString& path) {
    std::size_t start = 0, end = 0;
    return matcher_ && matcher_->Find(path.CStr(), path.Length(), 0, start, end);
}

}  // namespace scrutor
