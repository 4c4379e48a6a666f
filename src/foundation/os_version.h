#pragma once

// The Windows version as one number: major + minor / 10 (5.1, 6.0, 6.1, 6.2, 6.3, 10.0).

namespace scrutor {

// The questions VerifyVersionInfoW answers, behind a seam for tests.
class VersionProbe {
public:
    virtual ~VersionProbe() = default;
    [[nodiscard]] virtual bool MajorAtLeast(unsigned major) const = 0;
    [[nodiscard]] virtual bool MajorEquals(unsigned major) const = 0;
    [[nodiscard]] virtual bool MinorEquals(unsigned minor) const = 0;
};

// From the version the system reported (0.0 when the call failed), asking the probe only when
// the report may be capped by the program's manifest. 0.0 when the system is older than 5.
[[nodiscard]] double ResolveOsVersion(unsigned reportedMajor, unsigned reportedMinor,
                                      const VersionProbe& probe);

// The running system's version (Windows builds).
[[nodiscard]] double OsVersion();

}  // namespace scrutor
