#pragma once

// The facts of files on this machine that the analysis asks for.
#include "virustotal/vt_sources.h"

namespace scrutor {

class Win32FileFacts final : public FileFacts {
public:
    [[nodiscard]] bool Exists(const WideString& path) const override;
    [[nodiscard]] bool Size(const WideString& path, std::uint64_t& bytes) const override;
    [[nodiscard]] bool Md5(const WideString& path, WideString& hex) const override;
    [[nodiscard]] bool CreationTime(const WideString& path, WideString& text) const override;
};

}  // namespace scrutor
