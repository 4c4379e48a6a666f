#pragma once

// The facts of files on this machine that the analysis asks for.
#include "virustotal/vt_sources.h"

namespace scrutor {

// Every fact is read through NativeSystemPath, so a 32-bit build on 64-bit Windows sees the
// System32 file the log names, not its SysWOW64 namesake.
class Win32FileFacts final : public FileFacts {
public:
    Win32FileFacts();
    [[nodiscard]] bool Exists(const WideString& path) const override;
    [[nodiscard]] bool Size(const WideString& path, std::uint64_t& bytes) const override;
    [[nodiscard]] bool Md5(const WideString& path, WideString& hex) const override;
    [[nodiscard]] bool CreationTime(const WideString& path, WideString& text) const override;

private:
    [[nodiscard]] WideString Native(const WideString& path) const;

    WideString windowsDirectory_;
    bool wow64_ = false;
};

}  // namespace scrutor
