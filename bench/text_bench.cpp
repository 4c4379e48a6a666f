// Throughput of the text core on a 25 MB generated scan log, each beside a
// baseline measured in the same run. Figures are MB of log text per second.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/log_filters.h"
#include "foundation/json_reader.h"
#include "foundation/regex.h"
#include "foundation/wide_string.h"
#include "json_reply.h"
#include "log_generator.h"

namespace {

using scrutor::WideString;

constexpr std::size_t kLogBytes = 25'000'000;
constexpr char16_t kMicrosoftSigned[] = u".* \\| Signed :  Microsoft Corp.*(\\r\\n){0,2}";
constexpr char16_t kAbsent[] = u"| Signed : Nobody At All |";

struct Corpus {
    std::string utf8;
    WideString text;
    std::string utf8Path;
};

const Corpus& Log() {
    static const Corpus corpus = [] {
        Corpus c;
        c.utf8 = scrutor::tools::GenerateScanLog(kLogBytes);
        c.text.FromUtf8(c.utf8.c_str());
        const char* tmp = std::getenv("TMPDIR");
        c.utf8Path = std::string(tmp ? tmp : "/tmp") + "/scrutor-bench-log.txt";
        if (std::FILE* f = std::fopen(c.utf8Path.c_str(), "wb")) {
            std::fwrite(c.utf8.data(), 1, c.utf8.size(), f);
            std::fclose(f);
        }
        return c;
    }();
    return corpus;
}

void SetLogThroughput(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(Log().utf8.size()));
}

void BM_Find_WideString(benchmark::State& state) {
    const WideString& text = Log().text;
    for (auto _ : state) benchmark::DoNotOptimize(text.Find(kAbsent, true, 1, 1, 0));
    SetLogThroughput(state);
}

void BM_Find_WideStringNoCase(benchmark::State& state) {
    const WideString& text = Log().text;
    for (auto _ : state) benchmark::DoNotOptimize(text.Find(kAbsent, false, 1, 1, 0));
    SetLogThroughput(state);
}

void BM_Find_Baseline_u16string_view(benchmark::State& state) {
    const std::u16string_view text = Log().text.View();
    for (auto _ : state) benchmark::DoNotOptimize(text.find(kAbsent));
    SetLogThroughput(state);
}

std::vector<std::u16string_view> BaselineSplit(std::u16string_view text) {
    std::vector<std::u16string_view> fields;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find_first_of(u"\r\n", from)) != text.npos; from = at + 1)
        fields.push_back(text.substr(from, at - from));
    if (from < text.size()) fields.push_back(text.substr(from));
    return fields;
}

void BM_SplitCrLf_WideStringList(benchmark::State& state) {
    scrutor::WideStringList lines;
    lines.Split(Log().text.CStr(), u"\r\n", false);
    const std::vector<std::u16string_view> expected = BaselineSplit(Log().text.View());
    bool same = lines.Count() == expected.size();
    for (std::size_t i = 0; same && i < expected.size(); ++i) same = lines.Get(i) == expected[i];
    if (!same) state.SkipWithError("the split differs from the baseline's fields");
    for (auto _ : state) {
        lines.Split(Log().text.CStr(), u"\r\n", false);
        benchmark::DoNotOptimize(lines.Count());
    }
    SetLogThroughput(state);
}

void BM_SplitCrLf_Baseline_u16string_view(benchmark::State& state) {
    const std::u16string_view text = Log().text.View();
    std::vector<std::u16string_view> fields;
    for (auto _ : state) {
        fields.clear();
        std::size_t from = 0;
        for (std::size_t at; (at = text.find_first_of(u"\r\n", from)) != text.npos; from = at + 1)
            fields.push_back(text.substr(from, at - from));
        if (from < text.size()) fields.push_back(text.substr(from));
        benchmark::DoNotOptimize(fields.size());
    }
    SetLogThroughput(state);
}

void BM_ReplaceAll_WideString(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        WideString text = Log().text;
        state.ResumeTiming();
        benchmark::DoNotOptimize(text.Replace(u"Signed : ", u"Signature: ", 0, true));
    }
    SetLogThroughput(state);
}

void BM_ReplaceAll_Baseline_u16string(benchmark::State& state) {
    const std::u16string_view find = u"Signed : ", by = u"Signature: ";
    for (auto _ : state) {
        const std::u16string_view text = Log().text.View();
        std::u16string out;
        out.reserve(text.size() + text.size() / 8);
        std::size_t from = 0;
        for (std::size_t at; (at = text.find(find, from)) != text.npos; from = at + find.size()) {
            out.append(text, from, at - from);
            out.append(by);
        }
        out.append(text, from);
        benchmark::DoNotOptimize(out.data());
    }
    SetLogThroughput(state);
}

// The filter as the program runs it, checked first against PCRE2's interpreter doing the
// plain substitution over the whole text.
void BM_ReplaceRegex_HideMicrosoftSigned(benchmark::State& state) {
    WideString expected = Log().text;
    const scrutor::RegexCode interpreted = scrutor::CompileRegex(kMicrosoftSigned, 8 /* caseless */);
    const int deletions = scrutor::SubstituteAll(expected, interpreted.Get(), u"");
    WideString text = Log().text;
    if (!scrutor::ApplyLineFilter(scrutor::LineFilter::kMicrosoftSigned, text) ||
        text.View() != expected.View() || deletions == 0) {
        state.SkipWithError("the filter's text differs from the interpreter's");
    }
    for (auto _ : state) {
        state.PauseTiming();
        text = Log().text;
        state.ResumeTiming();
        benchmark::DoNotOptimize(scrutor::ApplyLineFilter(scrutor::LineFilter::kMicrosoftSigned, text));
    }
    SetLogThroughput(state);
}

double ChildCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The same filter through grep -P over the UTF-8 log: grep works per line, so
// the trailing line-break group is left out; -v keeps what the filter keeps. The
// output goes to a real file: grep stops at the first line when it sees /dev/null.
// Its figure is the shell's and grep's processor time, comparable with the CPU column of
// the others on a machine that other work shares.
void BM_ReplaceRegex_Baseline_grepP(benchmark::State& state) {
    const std::string command = "LC_ALL=C grep -P -i -v '.* \\| Signed :  Microsoft Corp.*' '" +
                                Log().utf8Path + "' > '" + Log().utf8Path + ".kept'";
    for (auto _ : state) {
        const double start = ChildCpuSeconds();
        const int rc = std::system(command.c_str());
        if (rc == -1) state.SkipWithError("grep could not be started");
        state.SetIterationTime(ChildCpuSeconds() - start);
    }
    SetLogThroughput(state);
}

const std::u16string& Reply() {
    static const std::u16string reply = scrutor::bench::MakeReportReply(64 * 1024);
    return reply;
}

void SetReplyThroughput(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(Reply().size() * sizeof(char16_t)));
}

// "total" is the reply's last member, so the lookup walks every engine.
void BM_FindMember_64KiB(benchmark::State& state) {
    scrutor::JsonDocument document;
    document.Open(Reply().c_str());
    scrutor::JsonValue value;
    for (auto _ : state) benchmark::DoNotOptimize(document.FindMember(u"total", value, nullptr));
    SetReplyThroughput(state);
}

void BM_FindMember_Baseline_u16string_view(benchmark::State& state) {
    const std::u16string_view text = Reply();
    for (auto _ : state) benchmark::DoNotOptimize(text.find(u"\"total\""));
    SetReplyThroughput(state);
}

double Min(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

}  // namespace

BENCHMARK(BM_Find_WideString)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Min);
BENCHMARK(BM_Find_WideStringNoCase)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Min);
BENCHMARK(BM_Find_Baseline_u16string_view)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Min);
BENCHMARK(BM_SplitCrLf_WideStringList)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Min);
BENCHMARK(BM_SplitCrLf_Baseline_u16string_view)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Min);
BENCHMARK(BM_ReplaceAll_WideString)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Min);
BENCHMARK(BM_ReplaceAll_Baseline_u16string)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Min);
BENCHMARK(BM_ReplaceRegex_HideMicrosoftSigned)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Min);
BENCHMARK(BM_ReplaceRegex_Baseline_grepP)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Min)->UseManualTime();
BENCHMARK(BM_FindMember_64KiB)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Min);
BENCHMARK(BM_FindMember_Baseline_u16string_view)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Min);

BENCHMARK_MAIN();
