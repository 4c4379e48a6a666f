// File bytes of any length, with or without a byte-order mark, through the decoding of a
// text file; what the Unicode encodings decode must encode and decode to itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/text_encoding.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scrutor;
    if (size < 2) return 0;
    const std::uint32_t mode = data[0] | (data[1] & 1u) << 8;
    std::size_t mark = 0;
    const std::uint32_t detected = DetectByteOrderMark(data + 2, size - 2, mode, mark);
    fuzz::Check(mark <= size - 2 && (mark != 0 || detected == mode));
    const std::string bytes(reinterpret_cast<const char*>(data) + 2 + mark, size - 2 - mark);
    const TextEncoding encoding = EncodingForReading(detected);
    WideString text;
    DecodeText(bytes, encoding, text);
    (void)ByteOrderMarkFor(mode);
    (void)EncodingForWriting(mode);
    std::string encoded;
    if (EncodeUnicodeText(text.CStr(), text.Length(), encoding, encoded)) {
        WideString again;
        DecodeText(encoded, encoding, again);
        fuzz::Check(again == text);
    }
    return 0;
}
