// Throughput of the text core on a 25 MB generated scan log, each beside a
// baseline measured in the same run. Figures are MB of log text per second.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/json_reader.h"
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

void BM_SplitCrLf_WideStringList(benchmark::State& state) {
    scrutor::WideStringList lines;
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

void BM_ReplaceRegex_HideMicrosoftSigned(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        WideString text = Log().text;
        state.ResumeTiming();
        benchmark::DoNotOptimize(text.ReplaceRegex(kMicrosoftSigned, u"", 8 /* caseless */));
    }
    SetLogThroughput(state);
}

// The same filter through grep -P over the UTF-8 log: grep works per line, so
// the trailing line-break group is left out; -v keeps what the filter keeps. The
// output goes to a real file: grep stops at the first line when it sees /dev/null.
void BM_ReplaceRegex_Baseline_grepP(benchmark::State& state) {
    const std::string command = "LC_ALL=C grep -P -i -v '.* \\| Signed :  Microsoft Corp.*' '" +
                                Log().utf8Path + "' > '" + Log().utf8Path + ".kept'";
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int rc = std::system(command.c_str());
        const auto stop = std::chrono::steady_clock::now();
        if (rc == -1) state.SkipWithError("grep could not be started");
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
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

}  // namespace

BENCHMARK(BM_Find_WideString)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find_WideStringNoCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find_Baseline_u16string_view)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitCrLf_WideStringList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitCrLf_Baseline_u16string_view)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll_WideString)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll_Baseline_u16string)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceRegex_HideMicrosoftSigned)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceRegex_Baseline_grepP)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_FindMember_64KiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindMember_Baseline_u16string_view)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
