#include "foundation/os_version.h"

#include <initializer_list>

namespace scrutor {

namespace {

double Combine(unsigned major, unsigned minor) {
    return static_cast<double>(major) + static_cast<double>(minor) / 10.0;
}

}  // namespace

// The version call reports at most what the manifest declares (6.2 without one), so anything
// above 6.2 is checked against the system itself.
double ResolveOsVersion(unsigned reportedMajor, unsigned reportedMinor, const VersionProbe& probe) {
    const double reported = Combine(reportedMajor, reportedMinor);
    if (reported > 0.0 && reported <= 6.2) return reported;
    if (probe.MajorAtLeast(10)) return 10.0;
    unsigned major = 0;
    if (probe.MajorEquals(6)) {
        major = 6;
    } else if (probe.MajorEquals(5)) {
        major = 5;
    } else {
        return 0.0;
    }
    for (unsigned minor : {3u, 2u, 1u}) {
        if (probe.MinorEquals(minor)) return Combine(major, minor);
    }
    return Combine(major, 0);
}

}  // namespace scrutor
