// Times HashFileMd5 on one file: md5_bench <file> [runs]. Prints the digest and each run's
// throughput, then the best, in MiB/s. Given a folder, hashes every file in it once, as the
// VirusTotal analysis does with bare file items, and prints the count and the time.

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/crypto.h"
#include "foundation/file_system.h"
#include "foundation/stopwatch.h"

namespace {

int HashFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 1;
    int files = 0;
    const scrutor::Stopwatch watch;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        const std::wstring path = folder + L"\\" + found.cFileName;
        scrutor::WideString hex;
        if (!scrutor::HashFileMd5(reinterpret_cast<const char16_t*>(path.c_str()), hex)) return 1;
        ++files;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::printf("HashFileMd5: %d files in %.3f s\n", files, watch.ElapsedMs() / 1000.0);
    return 0;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 2) {
        std::fprintf(stderr, "usage: md5_bench <file> [runs]\n");
        return 2;
    }
    const auto* path = reinterpret_cast<const char16_t*>(arguments[1]);
    const DWORD attributes = GetFileAttributesW(arguments[1]);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        const int result = HashFolder(arguments[1]);
        LocalFree(arguments);
        return result;
    }
    const int runs = count > 2 ? _wtoi(arguments[2]) : 3;
    const double mebibytes = static_cast<double>(scrutor::FileSizeByName(path)) / (1024.0 * 1024.0);
    double best = 0;
    for (int run = 1; run <= runs; ++run) {
        scrutor::WideString hex;
        const scrutor::Stopwatch watch;
        if (!scrutor::HashFileMd5(path, hex)) {
            std::fprintf(stderr, "md5_bench: the file could not be hashed\n");
            return 1;
        }
        const double seconds = watch.ElapsedMs() / 1000.0;
        const double rate = mebibytes / seconds;
        best = rate > best ? rate : best;
        std::printf("run %d: %s  %.1f MiB in %.3f s = %.1f MiB/s\n", run, hex.ToUtf8().c_str(),
                    mebibytes, seconds, rate);
    }
    std::printf("HashFileMd5 best: %.1f MiB/s\n", best);
    LocalFree(arguments);
    return 0;
}
