// Feeds arbitrary UTF-16 text to the JSON reader and walks everything it finds; the text's
// first piece also goes through the partner batch's escaping and must read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/json_reader.h"
#include "fuzz_input.h"
#include "virustotal/request_batch.h"

namespace {

void Walk(scrutor::JsonDocument& document, const scrutor::JsonValue* parent, int depth) {
    if (depth > 8) return;
    scrutor::WideString text;
    scrutor::JsonValue member;
    for (int i = 0; i < 64 && document.NextMember(member, parent); ++i) {
        (void)document.MemberName(member, text);
        (void)document.ValueText(member, text);
        if (member.type == scrutor::kJsonObject || member.type == scrutor::kJsonArray) {
            const scrutor::JsonValue child = member;
            Walk(document, &child, depth + 1);
        }
    }
    scrutor::JsonValue element;
    if (document.FirstElement(element, parent)) {
        for (int i = 0; i < 64; ++i) {
            (void)document.ValueText(element, text);
            if (!document.NextElement(element, parent)) break;
        }
    }
    (void)document.FindMember(u"positives", member, parent);
    (void)document.MemberText(parent, u"scans", text);
}

void CheckEscapingRoundTrip(const char16_t* path) {
    scrutor::RequestBatch batch;
    scrutor::AppendFile(batch, {u"h", path, {}});
    const scrutor::WideString array(u"[", batch.text.CStr(), u"]");
    scrutor::JsonDocument document;
    document.Open(array.CStr());
    scrutor::JsonValue root, object;
    scrutor::WideString read;
    const bool found = document.Root(root) && document.FirstElement(object, &root) &&
                       document.MemberText(&object, u"image_path", read) == scrutor::kJsonString;
    scrutor::fuzz::Check(path[0] == 0 || (found && read == path));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<char16_t> units(size / 2 + 1, 0);
    std::memcpy(units.data(), data, size / 2 * 2);
    for (char16_t& unit : units) {
        if (unit == 0) unit = u' ';
    }
    units.back() = 0;
    scrutor::JsonDocument document;
    document.Open(units.data());
    scrutor::JsonValue root;
    if (document.Root(root)) Walk(document, &root, 0);
    Walk(document, nullptr, 0);
    CheckEscapingRoundTrip(scrutor::fuzz::Pieces(data, size).Next());
    return 0;
}
