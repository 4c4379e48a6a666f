#include "inspector/identification_texts.h"

namespace scrutor {
namespace {

// Automation definitions split fields at ";", so a literal one is written twice.
WideString DoubleSemicolons(const WideString& text) {
    WideString doubled = text;
    doubled.Replace(u";", u";;");
    return doubled;
}

// A control text goes into one line of a script.
WideString EscapeLineBreaks(const WideString& text) {
    WideString escaped = text;
    escaped.Replace(u"\r", u"\\r");
    escaped.Replace(u"\n", u"\\n");
    return escaped;
}

WideString Decimal(std::int32_t value) {
    WideString text;
    text.FromInt32(value);
    return text;
}

}  // namespace

WideString PairText(std::int32_t a, std::int32_t b) {
    WideString text;
    text.Assign(Decimal(a), u", ", Decimal(b));
    return text;
}

WindowProperties MakeWindowProperties(const WideString& className, const WideString& title,
                                      int clientWidth, int clientHeight) {
    WindowProperties p;
    p.className = DoubleSemicolons(className);
    p.title = DoubleSemicolons(title);
    p.classMode.Assign(u"[CLASS:", className, u"]");
    p.advancedMode.Assign(u"[CLASS:", className, u";TITLE:", p.title, u"]");
    p.clientArea = PairText(clientWidth, clientHeight);
    return p;
}

ControlProperties MakeControlProperties(const WideString& className, const WideString& text,
                                        std::int32_t instance, std::int32_t id) {
    ControlProperties p;
    p.text = EscapeLineBreaks(text);
    const WideString number = Decimal(instance);
    p.classNN.Assign(className, number);
    p.advancedMode.Assign(u"[CLASS:", className, u"; INSTANCE:", number, u"]");
    p.id = Decimal(id);
    return p;
}

}  // namespace scrutor
