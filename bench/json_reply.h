#pragma once

#include <cstddef>
#include <string>

namespace scrutor::bench {

// A URL-report reply shaped like the service's: a scans table of many engines
// followed by the summary members, padded to about targetBytes.
[[nodiscard]] std::u16string MakeReportReply(std::size_t targetBytes);

}  // namespace scrutor::bench
