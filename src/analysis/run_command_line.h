#pragma once

// How a command-line text becomes a program start: which part names the program, how that
// name is found, and the exact text ZEP is started with.

#include <cstddef>

#include "foundation/wide_string.h"

namespace scrutor {

// The file system and search path as the resolution sees them.
class ProgramFinder {
public:
    virtual ~ProgramFinder() = default;
    // An existing file, not a folder.
    [[nodiscard]] virtual bool IsFile(const WideString& path) const = 0;
    // A name without a folder, looked up on the search path, then under "App Paths";
    // `name` becomes the full path on success.
    [[nodiscard]] virtual bool FindOnSearchPath(WideString& name) const = 0;
};

struct ResolvedProgram {
    bool resolved = false;
    WideString path;
    WideString workingDirectory;  // the program's folder
};

// Whether the first `prefixLength` units of the text name a program.
[[nodiscard]] ResolvedProgram ResolveProgram(const WideString& text, std::size_t prefixLength,
                                             const ProgramFinder& finder);

struct ProgramCommand {
    WideString commandLine;
    WideString workingDirectory;  // empty: the starter's own
};

// The command line with its program part resolved and quoted where it holds a space;
// the text unchanged, without a folder, when no part resolves.
[[nodiscard]] ProgramCommand ResolveCommandLine(const WideString& text, const ProgramFinder& finder);

// ZEP's path, " -ReadFile " and the quoted document path; " -Auto" for an unattended run.
[[nodiscard]] WideString ZepCommandLine(const WideString& zepPath, const WideString& documentPath,
                                        bool automatic);

}  // namespace scrutor
