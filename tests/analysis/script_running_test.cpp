#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "analysis/run_command_line.h"
#include "analysis/script_templates.h"

namespace scrutor {
namespace {

std::u16string Text(const WideString& text) { return std::u16string(text.View()); }

// Files map to themselves; bare names map to where the search path finds them.
class FakeFinder final : public ProgramFinder {
public:
    std::map<std::u16string, std::u16string> known{
        {u"C:\\Program Files\\ZEP\\ZEP_en.exe", u""}, {u"C:\\Program.exe", u""}, {u"C:\\ZEP\\ZEP_en.exe", u""},
        {u"C:\\zep.exe", u""}, {u"C:\\docs\\evil.exe", u""}, {u"notepad.exe", u"C:\\windows\\notepad.exe"}};
    [[nodiscard]] bool IsFile(const WideString& path) const override { return known.contains(Text(path)); }
    [[nodiscard]] bool FindOnSearchPath(WideString& name) const override {
        const auto found = known.find(Text(name));
        const bool onPath = found != known.end() && !found->second.empty();
        if (onPath) name = found->second.c_str();
        return onPath;
    }
};

TEST(ResolveCommandLine, FindsTheProgramPartQuotesItAndStartsInItsFolder) {
    const struct {
        WideString text;
        const char16_t* commandLine;
        const char16_t* folder;
    } cases[] = {
        // The longest prefix wins over "C:\Program.exe"; the document's quotes stay as given,
        // and a program named inside them is never the program part.
        {ZepCommandLine(u"C:\\Program Files\\ZEP\\ZEP_en.exe", u"C:\\my docs\\a b.zep", true),
         u"\"C:\\Program Files\\ZEP\\ZEP_en.exe\" -ReadFile \"C:\\my docs\\a b.zep\" -Auto",
         u"C:\\Program Files\\ZEP"},
        {ZepCommandLine(u"C:\\ZEP\\ZEP_en.exe", u"C:\\docs\\evil.exe", false),
         u"C:\\ZEP\\ZEP_en.exe -ReadFile \"C:\\docs\\evil.exe\"", u"C:\\ZEP"},
        {u"C:\\ZEP\\ZEP_en -Auto", u"C:\\ZEP\\ZEP_en.exe -Auto", u"C:\\ZEP"},
        {u"notepad a b.txt", u"C:\\windows\\notepad.exe a b.txt", u"C:\\windows"},
        {u"C:\\zep.exe", u"C:\\zep.exe", u"C:\\"},  // "C:" alone is the drive's current folder
        {u"C:\\ZEP\\missing.exe -Auto", u"C:\\ZEP\\missing.exe -Auto", u""},  // as given, in ours
    };
    for (const auto& c : cases) {
        const ProgramCommand command = ResolveCommandLine(c.text, FakeFinder());
        EXPECT_EQ(Text(command.commandLine), c.commandLine) << c.text.ToUtf8();
        EXPECT_EQ(Text(command.workingDirectory), c.folder) << c.text.ToUtf8();
    }
}

// CR LF lines with an empty first one, and the spellings ZEP runs, whatever they look like.
TEST(ScriptTemplates, AreZepsOwnText) {
    const std::u16string repair = Text(RepairTemplate()), maintenance = Text(MaintenanceTemplate());
    for (const auto& [text, lines] : {std::pair{repair, 41}, std::pair{maintenance, 21}}) {
        EXPECT_TRUE(text.starts_with(u"\r\n <Comment>\r\n\r\nThis script will perform a full system "));
        EXPECT_TRUE(text.ends_with(u"\r\n <Reboot>\r\n"));
        EXPECT_EQ(std::count(text.begin(), text.end(), u'\r'), lines);
        EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), lines);
    }
    EXPECT_NE(repair.find(u"\r\n <RunSfcScan>\r\n"), std::u16string::npos);
    EXPECT_NE(maintenance.find(u"\r\n <InstallVC++>\r\n <PatchMyPC> -auto\r\n\r\n"), std::u16string::npos);
    EXPECT_EQ(Text(RepairAndMaintenanceTemplate()), repair + u"\r\n" + maintenance);
}

}  // namespace
}  // namespace scrutor
