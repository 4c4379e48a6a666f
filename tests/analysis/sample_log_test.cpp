// The filters over the sample scan log shipped in samples/: a lightly infected PC whose
// lines of each kind were counted when the sample was made.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "analysis/log_filters.h"
#include "foundation/text_encoding.h"

namespace scrutor {
namespace {

constexpr std::size_t kSampleLines = 334;    // every one ends in CR LF
constexpr std::size_t kUntouchedLines = 47;  // non-empty lines that no hiding filter takes

std::string ReadSampleBytes() {
    const char* root = std::getenv("SCRUTOR_SOURCE_DIR");
    if (root == nullptr || *root == 0) return {};
    std::string path = root;
#ifdef _WIN32
    if (path.front() == '/') path = "Z:" + path;  // the host's file system under Wine
#endif
    std::ifstream file(path + "/samples/sample-scan.log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::size_t Count(std::u16string_view text, std::u16string_view needle) {
    std::size_t count = 0;
    for (std::size_t at = text.find(needle); at != std::u16string_view::npos;
         at = text.find(needle, at + needle.size())) {
        ++count;
    }
    return count;
}

std::size_t BareLineFeeds(std::u16string_view text) {
    return Count(text, u"\n") - Count(text, u"\r\n");
}

class SampleLog : public testing::Test {
protected:
    void SetUp() override {
        const std::string bytes = ReadSampleBytes();
        ASSERT_FALSE(bytes.empty()) << "SCRUTOR_SOURCE_DIR must name the source tree";
        std::size_t markLength = 0;
        const std::uint32_t mode = DetectByteOrderMark(
            reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), 0, markLength);
        ASSERT_EQ(mode, kFileUtf16Le);
        DecodeText(bytes.substr(markLength), EncodingForReading(mode), log_);
        ASSERT_EQ(Count(log_.View(), u"\r\n"), kSampleLines);
        ASSERT_EQ(BareLineFeeds(log_.View()), 0u);
    }

    WideString log_;
};

struct FilterCount {
    LineFilter filter;
    std::size_t hidden;
};

TEST_F(SampleLog, EachFilterHidesItsLines) {
    const FilterCount counts[] = {
        {LineFilter::kMicrosoftSigned, 77}, {LineFilter::kAllSigned, 183},
        {LineFilter::kUninstallEntries, 27}, {LineFilter::kFolderContents, 167},
        {LineFilter::kStoppedServices, 11},  {LineFilter::kRecentItems, 22},
    };
    for (const FilterCount& c : counts) {
        WideString text = log_;
        ASSERT_TRUE(ApplyLineFilter(c.filter, text));
        // A hidden line leaves exactly its LF: the line count seen by the editor drops by
        // as many CR LFs as bare LFs appear.
        EXPECT_EQ(kSampleLines - Count(text.View(), u"\r\n"), c.hidden)
            << static_cast<int>(c.filter);
        EXPECT_EQ(BareLineFeeds(text.View()), c.hidden) << static_cast<int>(c.filter);
    }
}

TEST_F(SampleLog, SuspiciousEntriesOutliveAllSixFilters) {
    WideString text = log_;
    for (int filter = 1; filter <= 6; ++filter) {
        ASSERT_TRUE(ApplyLineFilter(static_cast<LineFilter>(filter), text));
    }
    std::size_t left = 0;
    for (std::u16string_view rest = text.View(); !rest.empty();) {
        const std::size_t end = std::min(rest.find(u'\n'), rest.size());
        if (rest.substr(0, end) != u"\r" && end != 0) ++left;
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    EXPECT_EQ(left, kUntouchedLines);
    EXPECT_NE(text.Find(u"<HKCU\\...\\Run> | qxwtrhvz | "), 0u);
    EXPECT_NE(text.Find(u"<Tasks> | \\SystemHealthCheck_9F3A | "), 0u);
    EXPECT_NE(text.Find(u"<Chrome> | Startup page | https://search.example.com/"), 0u);
    EXPECT_NE(text.Find(u"<IFEO> | taskmgr.exe | Debugger"), 0u);
}

TEST_F(SampleLog, OnlyFileNotFoundLinesRemain) {
    WideString text = log_;
    ASSERT_TRUE(KeepFileNotFoundLines(text));
    EXPECT_EQ(Count(text.View(), u"\r\n"), 5u);
    EXPECT_EQ(Count(text.View(), u" | File not found: "), 5u);
    EXPECT_EQ(text.Find(u"C:\\pf1.exe"), 0u);  // the 39-character line
}

}  // namespace
}  // namespace scrutor
