// loggen <output-file> [megabytes] [seed]: writes a ZEP-like scan log (UTF-8, CR LF).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "log_generator.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: loggen <output-file> [megabytes] [seed]\n");
        return 2;
    }
    const double megabytes = argc > 2 ? std::atof(argv[2]) : 25.0;
    const auto seed = static_cast<unsigned>(argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 1);
    if (megabytes <= 0 || megabytes > 4096) {
        std::fprintf(stderr, "loggen: size must be between 0 and 4096 MB\n");
        return 2;
    }
    const std::string log =
        scrutor::tools::GenerateScanLog(static_cast<std::size_t>(megabytes * 1e6), seed);
    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    const bool ok = std::fwrite(log.data(), 1, log.size(), file) == log.size();
    if (std::fclose(file) != 0 || !ok) {
        std::fprintf(stderr, "loggen: writing %s failed\n", argv[1]);
        return 1;
    }
    std::printf("%s: %zu bytes\n", argv[1], log.size());
    return 0;
}
