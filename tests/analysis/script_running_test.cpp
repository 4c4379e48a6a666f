#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "analysis/run_command_line.h"
#include "analysis/script_templates.h"

namespace scrutor {
namespace {

std::u16string Text(const WideString& text) { return std::u16string(text.View()); }

class FakeFinder final : public ProgramFinder {
public:
    std::set<std::u16string> files;
    std::map<std::u16string, std::u16string> searchPath;

    [[nodiscard]] bool IsFile(const WideString& path) const override {
        return files.contains(Text(path));
    }
    [[nodiscard]] bool FindOnSearchPath(WideString& name) const override {
        const auto found = searchPath.find(Text(name));
        if (found == searchPath.end()) return false;
        name = found->second.c_str();
        return true;
    }
};

TEST(ResolveCommandLine, FindsTheProgramPartQuotesItAndStartsInItsFolder) {
#ifdef _WIN32
    (void)_putenv("SCRUTOR_TEST_ZEPDIR=C:\\Tools\\ZEP");
#else
    (void)setenv("SCRUTOR_TEST_ZEPDIR", "C:\\Tools\\ZEP", 1);
#endif
    FakeFinder finder;
    finder.files = {u"C:\\Program Files\\ZEP\\ZEP_en.exe", u"C:\\Program.exe", u"C:\\Tools\\ZEP\\ZEP_en.exe",
                    u"C:\\zep.exe", u"C:\\docs\\evil.exe"};
    finder.searchPath = {{u"notepad.exe", u"C:\\windows\\notepad.exe"}};
    const WideString zepWithSpace = ZepCommandLine(u"C:\\Program Files\\ZEP\\ZEP_en.exe", u"C:\\my docs\\a b.zep", true);
    const struct {
        WideString text;
        const char16_t* commandLine;
        const char16_t* folder;
    } cases[] = {
        // The longest prefix wins over "C:\Program.exe"; the quotes of the file stay as given.
        {zepWithSpace, u"\"C:\\Program Files\\ZEP\\ZEP_en.exe\" -ReadFile \"C:\\my docs\\a b.zep\" -Auto",
         u"C:\\Program Files\\ZEP"},
        {ZepCommandLine(u"C:\\Tools\\ZEP\\ZEP_en.exe", u"", false), u"C:\\Tools\\ZEP\\ZEP_en.exe -ReadFile \"\"",
         u"C:\\Tools\\ZEP"},
        // A program in the document's quotes is never the program part.
        {ZepCommandLine(u"C:\\Tools\\ZEP\\ZEP_en.exe", u"C:\\docs\\evil.exe", false),
         u"C:\\Tools\\ZEP\\ZEP_en.exe -ReadFile \"C:\\docs\\evil.exe\"", u"C:\\Tools\\ZEP"},
        {u"\"C:\\Program Files\\ZEP\\ZEP_en.exe\" -x", u"\"C:\\Program Files\\ZEP\\ZEP_en.exe\" -x",
         u"C:\\Program Files\\ZEP"},
        {u"C:\\Tools\\ZEP\\ZEP_en -Auto", u"C:\\Tools\\ZEP\\ZEP_en.exe -Auto", u"C:\\Tools\\ZEP"},
        {u"%SCRUTOR_TEST_ZEPDIR%\\ZEP_en.exe -Auto", u"C:\\Tools\\ZEP\\ZEP_en.exe -Auto", u"C:\\Tools\\ZEP"},
        {u"notepad a b.txt", u"C:\\windows\\notepad.exe a b.txt", u"C:\\windows"},
        {u"C:\\zep.exe", u"C:\\zep.exe", u"C:\\"},
        // Nothing resolves: the text goes as it is, in the starter's folder.
        {u"C:\\Tools\\ZEP\\missing.exe -Auto", u"C:\\Tools\\ZEP\\missing.exe -Auto", u""},
        {u"\"\" \" ", u"\"\" \" ", u""},
        {u"", u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text.ToUtf8());
        const ProgramCommand command = ResolveCommandLine(c.text, finder);
        EXPECT_EQ(Text(command.commandLine), c.commandLine);
        EXPECT_EQ(Text(command.workingDirectory), c.folder);
    }
}

// What the technician inserts must be ZEP's own text: CR LF lines, a leading empty line,
// each command indented by one space, and the lines people like to "correct" left alone.
TEST(ScriptTemplates, AreCrLfLinesWithIndentedCommands) {
    const struct {
        WideString text;
        std::size_t lines;
        const char16_t* description;
        const char16_t* keptAsWritten;
    } cases[] = {
        {RepairTemplate(), 41,
         u"This script will perform a full system repair. Please save all your work before continuing.",
         u"\r\n <RunSfcScan>\r\n <DismWindowsRepair>\r\n"},
        {RepairTemplate(), 41, nullptr, u"\r\n <IEStartPages> | Start Page | Google\r\n"},
        {MaintenanceTemplate(), 21, u"This script will perform a full system maintenance.",
         u"\r\n <InstallVC++>\r\n <PatchMyPC> -auto\r\n\r\n"},
    };
    for (const auto& c : cases) {
        const std::u16string text = Text(c.text);
        SCOPED_TRACE(testing::Message() << c.lines << " lines");
        ASSERT_TRUE(text.starts_with(u"\r\n <Comment>\r\n\r\n"));
        EXPECT_TRUE(text.ends_with(u"\r\n <Reboot>\r\n"));
        EXPECT_NE(text.find(c.keptAsWritten), std::u16string::npos);
        std::size_t lines = 0;
        for (std::size_t start = 0, end; (end = text.find(u"\r\n", start)) != text.npos; start = end + 2) {
            const std::u16string line = text.substr(start, end - start);
            ++lines;
            EXPECT_EQ(line.find_first_of(u"\r\n"), line.npos) << "a bare line break";
            const bool command = line.find(u'<') != line.npos;
            EXPECT_TRUE(!command || line.starts_with(u" <")) << "line " << lines << " not indented";
            EXPECT_TRUE(lines != 4 || c.description == nullptr || line == c.description);
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(text.size(), text.rfind(u"\r\n") + 2) << "text after the last line break";
    }
    // Both template edges are line breaks, so two empty lines part them.
    EXPECT_EQ(Text(RepairAndMaintenanceTemplate()),
              Text(RepairTemplate()) + u"\r\n" + Text(MaintenanceTemplate()));
}

}  // namespace
}  // namespace scrutor
