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

constexpr std::size_t kSampleLines = 334;  // every one ends in CR LF

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
        const char* root = std::getenv("SCRUTOR_SOURCE_DIR");
        ASSERT_TRUE(root != nullptr && *root != 0) << "SCRUTOR_SOURCE_DIR names the source tree";
        std::string path = root;
#ifdef _WIN32
        if (path.front() == '/') path = "Z:" + path;  // the host's file system under Wine
#endif
        std::ifstream file(path + "/samples/sample-scan.log", std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
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

// A hidden line leaves exactly its LF: the line count seen by the editor drops by as many
// CR LFs as bare LFs appear. Suspicious entries outlive all six filters together.
TEST_F(SampleLog, FiltersHideTheirLinesAndKeepTheSuspiciousOnes) {
    const std::size_t hidden[] = {77, 183, 27, 167, 11, 22};
    WideString all = log_;
    for (int filter = 1; filter <= 6; ++filter) {
        SCOPED_TRACE(filter);
        WideString text = log_;
        ASSERT_TRUE(ApplyLineFilter(static_cast<LineFilter>(filter), text));
        EXPECT_EQ(kSampleLines - Count(text.View(), u"\r\n"), hidden[filter - 1]);
        EXPECT_EQ(BareLineFeeds(text.View()), hidden[filter - 1]);
        ASSERT_TRUE(ApplyLineFilter(static_cast<LineFilter>(filter), all));
    }
    std::size_t left = 0;  // non-empty lines
    for (std::u16string_view rest = all.View(); !rest.empty();) {
        const std::size_t end = std::min(rest.find(u'\n'), rest.size());
        if (rest.substr(0, end) != u"\r" && end != 0) ++left;
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    EXPECT_EQ(left, 47u);
    for (const char16_t* kept :
         {u"<HKCU\\...\\Run> | qxwtrhvz | ", u"<Tasks> | \\SystemHealthCheck_9F3A | ",
          u"<Chrome> | Startup page | https://search.example.com/",
          u"<IFEO> | taskmgr.exe | Debugger"}) {
        EXPECT_NE(all.Find(kept), 0u) << WideString(kept).ToUtf8();
    }
}

TEST_F(SampleLog, OnlyFileNotFoundLinesRemain) {
    ASSERT_TRUE(KeepFileNotFoundLines(log_));
    EXPECT_EQ(Count(log_.View(), u"\r\n"), 5u);
    EXPECT_EQ(Count(log_.View(), u" | File not found: "), 5u);  // not the 39-character line
}

}  // namespace
}  // namespace scrutor
