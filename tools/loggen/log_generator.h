#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace scrutor::tools {

// Writes a ZEP-like scan log as UTF-8 with CR LF line ends: tags, " | " fields,
// drive paths, signer fields, hashes, services, uninstall entries and URLs.
// The same seed gives the same text.
[[nodiscard]] std::string GenerateScanLog(std::size_t targetBytes, std::uint32_t seed = 1);

}  // namespace scrutor::tools
