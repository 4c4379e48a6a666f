#include "analysis/run_command_line.h"

#include <string_view>

#include "foundation/path_rules.h"

namespace scrutor {

namespace {

constexpr std::u16string_view kSeparators = u"\\/:";

// The program part as far as the first quoted stretch goes, or the whole text.
std::size_t QuotedPrefix(std::u16string_view text) {
    const std::size_t first = text.find(u'"');
    const std::size_t second = first == text.npos ? text.npos : text.find(u'"', first + 1);
    return second == text.npos ? text.size() : second + 1;
}

// A drive root keeps its backslash: "C:" alone would mean the drive's current folder.
WideString FolderOf(const WideString& path) {
    const std::u16string_view text = path.View();
    const std::size_t slash = text.find_last_of(u"\\/");
    WideString folder(text.substr(0, slash == text.npos ? 0 : slash));
    if (IsVolumeRoot(folder.CStr()) && folder.Find(u"\\\\") != 1) folder.Append(u"\\");
    return folder;
}

}  // namespace

ResolvedProgram ResolveProgram(const WideString& text, std::size_t prefixLength,
                               const ProgramFinder& finder) {
    WideString program(text.View().substr(0, prefixLength));
    (void)program.Replace(u"\"", u"");
    (void)program.ExpandEnvironment();
    const std::u16string_view view = program.View();
    if (view.empty()) return {};
    const std::size_t nameStart = view.find_last_of(kSeparators);
    const bool hasFolder = nameStart != view.npos;
    const bool hasExtension = view.find(u'.', hasFolder ? nameStart : 0) != view.npos;
    if (hasFolder) {
        if (!finder.IsFile(program)) {
            if (hasExtension) return {};
            program.Append(u".exe");
            if (!finder.IsFile(program)) return {};
        }
    } else {
        if (!hasExtension) program.Append(u".exe");
        if (!finder.FindOnSearchPath(program)) return {};
    }
    return {true, program, FolderOf(program)};
}

namespace {

// The command line with this prefix as its program part, when the prefix resolves.
bool TryPrefix(const WideString& text, std::size_t prefix, const ProgramFinder& finder,
               ProgramCommand& command) {
    const ResolvedProgram program = ResolveProgram(text, prefix, finder);
    if (!program.resolved) return false;
    if (program.path.Find(u" ") != 0) {
        command.commandLine.Assign(u"\"", program.path, u"\"");
    } else {
        command.commandLine = program.path;
    }
    command.commandLine.Append(WideString(text.View().substr(prefix)));
    command.workingDirectory = program.workingDirectory;
    return true;
}

}  // namespace

// After the quoted part, prefixes go from the longest down, so "C:\Program.exe" never shadows a program under
// "C:\Program Files".
ProgramCommand ResolveCommandLine(const WideString& text, const ProgramFinder& finder) {
    const std::u16string_view view = text.View();
    const std::size_t quoted = QuotedPrefix(view);
    ProgramCommand command;
    if (TryPrefix(text, quoted, finder, command)) return command;
    for (std::size_t space = view.rfind(u' '); space != view.npos && space > 0;
         space = view.rfind(u' ', space - 1)) {
        if (space != quoted && TryPrefix(text, space, finder, command)) return command;
    }
    return {text, {}};
}

WideString ZepCommandLine(const WideString& zepPath, const WideString& documentPath,
                          bool automatic) {
    WideString line;
    line.Assign(zepPath, u" -ReadFile \"", documentPath, u"\"", automatic ? u" -Auto" : u"");
    return line;
}

}  // namespace scrutor
