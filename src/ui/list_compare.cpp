#include "ui/list_compare.h"

#include "foundation/wide_string.h"

namespace scrutor::ui {

namespace {

bool StartsWithDigit(const char16_t* text) {
    return text != nullptr && text[0] >= u'0' && text[0] <= u'9';
}

double UnitScale(char16_t letter) {
    constexpr double k = 1024.0;
    switch (letter) {
        case u'K': return k;
        case u'M': return k * k;
        case u'G': return k * k * k;
        case u'T': return k * k * k * k;
        default: return 1.0;
    }
}

}  // namespace

double CellNumber(const char16_t* text) {
    WideString value(text);
    (void)value.Replace(u",", u".");
    double number = value.ToDouble();
    const std::size_t n = value.Length();
    const char16_t* s = value.CStr();
    if (n > 3 && s[n - 3] == u' ' && s[n - 1] == u'B') number *= UnitScale(s[n - 2]);
    return number;
}

int CompareCellTexts(const char16_t* a, const char16_t* b, bool descending) {
    int result = 0;
    if (StartsWithDigit(a) && StartsWithDigit(b)) {
        const double x = CellNumber(a);
        const double y = CellNumber(b);
        result = x < y ? -1 : (x > y ? 1 : 0);
    }
    if (result == 0) {
        const WideString left(a);
        const int c = left.CompareNoCase(b != nullptr ? b : u"");
        result = c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return descending ? -result : result;
}

}  // namespace scrutor::ui
