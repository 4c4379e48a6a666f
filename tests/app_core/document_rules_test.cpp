#include "app/core/document_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace scrutor {
namespace {

using namespace std::string_literals;

std::u16string Str(const WideString& text) { return std::u16string(text.View()); }

// The titles, and when the save dialog comes, are the program's end-to-end tests'.
TEST(DocumentNames, SplitAndScriptName) {
    // The extension is only what follows the last dot.
    const std::u16string cases[][3] = {
        {u"New script.zep", u"New script", u"zep"}, {u"scan.tar.log", u"scan.tar", u"log"},
        {u"README", u"README", u""},                {u"notes.", u"notes.", u""},
        {u"C:\\dir.x\\file", u"C:\\dir.x\\file", u""},
    };
    for (const auto& [name, base, extension] : cases) {
        const DocumentNameParts parts = SplitDocumentName(name.c_str());
        EXPECT_EQ(Str(parts.baseName), base) << name.size();
        EXPECT_EQ(Str(parts.extension), extension) << name.size();
    }
    EXPECT_EQ(Str(ScriptNameFor(u"scan.log")), u"scan.zep");
    EXPECT_EQ(Str(ScriptNameFor(u"scan.old.log")), u"scan.old.zep");
    EXPECT_EQ(Str(ScriptNameFor(u"scan")), u"scan.zep");
    EXPECT_EQ(Str(ScriptNameFor(u".profile")), u".profile.zep");
}

// Scripts get the open filter, others their own; the name is proposed without extension.
TEST(SaveDialog, FilterAndName) {
    const SaveDialogRequest script = SaveDialogFor(u"New script.ZEP");
    EXPECT_EQ(script.filter, u"ZEP scripts, text files\0*.zep;*.txt;*.log\0All files (*.*)\0*.*\0"s);
    EXPECT_EQ(Str(script.initialName), u"New script");
    EXPECT_EQ(Str(script.defaultExtension), u"ZEP");
    const SaveDialogRequest notes = SaveDialogFor(u"notes.txt");
    EXPECT_EQ(notes.filter, u"Text files (*.txt)\0*.txt\0"s);
    EXPECT_EQ(Str(notes.initialName), u"notes");
    EXPECT_EQ(Str(notes.defaultExtension), u"txt");
}

TEST(TextToSave, ScriptsStartWithTheHeaderOnce) {
    const std::u16string header = u"<ZEPCommandsScript>\r\n";
    const struct {
        const char16_t* name;
        std::u16string text;
        bool header;
    } cases[] = {
        {u"New script.zep", u"<Reboot>", true},
        {u"fix.ZEP", u"<zepcommandsscript>\r\n<Reboot>", false},
        {u"fix.zep", std::u16string(11, u' ') + u"<ZEPCommandsScript>", false},  // ends at 30
        {u"fix.zep", std::u16string(12, u' ') + u"<ZEPCommandsScript>", true},   // ends at 31
        {u"scan.log", u"<Reboot>", false},
        {u"fix.zep", u"", true},
    };
    for (const auto& c : cases) {
        const std::u16string expected = c.header ? header + c.text : c.text;
        EXPECT_EQ(Str(TextToSave(c.name, WideString(c.text))), expected) << c.text.size();
    }
}

}  // namespace
}  // namespace scrutor
