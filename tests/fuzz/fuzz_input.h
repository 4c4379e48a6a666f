#pragma once

// The fuzzer's bytes as UTF-16 units, cut into NUL-terminated pieces at each zero unit, so
// one input carries several texts (a pattern and a subject, items and their reports).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/wide_string.h"

namespace scrutor::fuzz {

class Pieces {
public:
    Pieces(const std::uint8_t* data, std::size_t size) : units_(size / 2 + 1, 0) {
        if (size > 1) std::memcpy(units_.data(), data, size / 2 * 2);
    }
    // The next piece; empty once every piece was taken.
    const char16_t* Next() {
        const char16_t* piece = units_.data() + pos_;
        pos_ = std::min(pos_ + TextLength(piece) + 1, units_.size() - 1);
        return piece;
    }
    [[nodiscard]] bool AtEnd() const { return pos_ + 1 >= units_.size(); }
    // The first unit of the next piece: a small number for choosing flags and counts.
    unsigned Number() { return Next()[0]; }

private:
    std::vector<char16_t> units_;
    std::size_t pos_ = 0;
};

// Stops a fuzz run with a sanitizer-visible report when an invariant breaks.
inline void Check(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace scrutor::fuzz
