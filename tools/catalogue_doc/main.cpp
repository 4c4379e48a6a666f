// Prints the built-in script-command catalogue as a Markdown reference.
//   catalogue_doc                  write the reference to standard output
//   catalogue_doc --out FILE       write it to FILE
//   catalogue_doc --check FILE     exit 1 when FILE differs from the reference
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "catalogue/command_catalogue.h"
#include "tools/catalogue_doc/catalogue_markdown.h"

namespace {

int Usage() {
    std::fputs("usage: catalogue_doc [--out FILE | --check FILE]\n", stderr);
    return 2;
}

int WriteToStdout(const std::string& text) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // keep LF line ends
#endif
    const bool ok = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    return ok && std::fflush(stdout) == 0 ? 0 : 1;
}

int WriteToFile(const std::string& text, const char* path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        std::fprintf(stderr, "catalogue_doc: cannot write %s\n", path);
        return 1;
    }
    return 0;
}

int CheckFile(const std::string& text, const char* path) {
    std::ifstream file(path, std::ios::binary);
    const std::string current((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) {
        std::fprintf(stderr, "catalogue_doc: cannot read %s\n", path);
        return 1;
    }
    if (current != text) {
        std::fprintf(stderr, "catalogue_doc: %s is out of date; regenerate it with --out\n", path);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string text = scrutor::CatalogueMarkdown(scrutor::BuiltInCatalogue());
    if (argc == 1) {
        return WriteToStdout(text);
    }
    if (argc != 3) {
        return Usage();
    }
    const std::string_view option = argv[1];
    if (option == "--out") {
        return WriteToFile(text, argv[2]);
    }
    return option == "--check" ? CheckFile(text, argv[2]) : Usage();
}
