#include "inspector/control_definition.h"

#include <string_view>

namespace scrutor {
namespace {

bool StartsWith(std::u16string_view text, std::u16string_view prefix, bool caseSensitive) {
    if (text.size() < prefix.size()) return false;
    const WideString head(text.substr(0, prefix.size()));
    return caseSensitive ? head.View() == prefix : head.EqualsNoCase(WideString(prefix));
}

WideString TrimmedFrom(const WideString& field, std::size_t index) {
    WideString rest(field.View().substr(index));
    rest.Trim();
    return rest;
}

// One "NAME:value" field of a bracketed definition; the first rule that fits wins.
void ReadField(ControlDefinition& d, WideString field, bool& idRead) {
    field.Trim();
    field.Replace(u"\r\n", u";");
    const std::u16string_view view = field.View();
    const std::size_t length = view.size();
    const auto contains = [&](std::u16string_view name) {
        return view.find(name) != std::u16string_view::npos;
    };
    if (length > 6 && StartsWith(view, u"CLASS:", false)) {
        d.className = TrimmedFrom(field, 6);
    } else if (length > 9 && StartsWith(view, u"INSTANCE:", true)) {
        d.instance = TrimmedFrom(field, 9).ToInt();
    } else if (length > 5 && contains(u"TEXT:")) {
        d.text = TrimmedFrom(field, 5);
    } else if (length > 3 && contains(u"ID:")) {
        d.id = TrimmedFrom(field, 3).ToInt();
        idRead = true;
    } else if (length > 8 && contains(u"CLASSNN:")) {
        d.classNN = TrimmedFrom(field, 8);
    }
}

void ParseAdvanced(ControlDefinition& d, const WideString& trimmed) {
    d.advanced = true;
    WideString inner(trimmed.View().substr(1, trimmed.Length() - 2));
    // A doubled ";" is a literal one; park it where no field can hold it.
    inner.Replace(u";;", u"\r\n");
    const WideStringList fields(inner.CStr(), u";", false);
    bool idRead = false;
    for (std::size_t i = 0; i < fields.Count(); ++i) {
        ReadField(d, WideString(fields.Get(i)), idRead);
        if (d.className.IsEmpty() && d.classNN.IsEmpty() && d.text.IsEmpty() && !idRead) {
            d.namesNothing = true;
            return;
        }
    }
}

// Mnemonic markers and surrounding quotes are not part of what a control shows.
void CleanText(WideString& text) {
    if (text.IsEmpty()) return;
    text.Replace(u"&", u"");
    const auto isQuote = [](char16_t c) { return c == u'"' || c == u'\''; };
    if (!text.IsEmpty() && isQuote(text.View().back())) text.RemoveRight(1);
    if (!text.IsEmpty() && isQuote(text.View().front())) text.RemoveLeft(1);
}

bool IsProperPrefix(const WideString& name, const WideString& classNN) {
    return classNN.Length() > name.Length() && StartsWith(classNN.View(), name.View(), false);
}

std::int32_t InstanceAfter(const WideString& name, const WideString& classNN) {
    return WideString(classNN.View().substr(name.Length())).ToInt();
}

bool TextEquals(const WindowTree& tree, TreeWindow w, const WideString& text) {
    WideString shown = tree.CaptionText(w, kWindowTextUnits);
    if (shown.IsEmpty()) return false;
    shown.Replace(u"&", u"");
    return shown.EqualsNoCase(text);
}

bool MatchesAdvanced(const WindowTree& tree, ControlDefinition& d, TreeWindow w) {
    WideString name;
    if (!d.classNN.IsEmpty()) {
        if (!tree.ClassName(w, kResolverClassUnits, name) || !IsProperPrefix(name, d.classNN)) {
            return false;
        }
        if (d.instance == 0) {
            d.instance = InstanceAfter(name, d.classNN);
            if (d.instance < 1) return false;
        }
    }
    if (!d.className.IsEmpty() &&
        (!tree.ClassName(w, kResolverClassUnits, name) || !name.EqualsNoCase(d.className))) {
        return false;
    }
    return d.text.IsEmpty() || TextEquals(tree, w, d.text);
}

bool MatchesPlain(const WindowTree& tree, ControlDefinition& d, TreeWindow w) {
    // A bare number names a control ID, which the caller has already compared.
    if (d.id != 0 && d.classNN.IsEmpty()) return true;
    WideString name;
    if (!d.classNN.IsEmpty() && tree.ClassName(w, kResolverClassUnits, name) &&
        IsProperPrefix(name, d.classNN)) {
        if (d.instance != 0) return true;
        d.instance = InstanceAfter(name, d.classNN);
        return d.instance >= 1;
    }
    return !d.text.IsEmpty() && TextEquals(tree, w, d.text);
}

}  // namespace

ControlDefinition ParseControlDefinition(const char16_t* definition) {
    ControlDefinition d;
    WideString trimmed(definition);
    trimmed.Trim();
    const std::u16string_view view = trimmed.View();
    if (view.size() >= 2 && view.front() == u'[' && view.back() == u']') {
        ParseAdvanced(d, trimmed);
    } else if (trimmed.IsDigits(true)) {
        d.id = trimmed.ToInt();
    } else {
        d.classNN = definition;
        d.text = definition;
    }
    CleanText(d.text);
    return d;
}

TreeWindow ResolveControlDefinition(const WindowTree& tree, TreeWindow parent,
                                    const char16_t* definition) {
    ControlDefinition d = ParseControlDefinition(definition);
    if (parent == 0 || d.namesNothing) return 0;
    tree.ForEachDescendant(parent, [&](TreeWindow w) {
        if (d.id != 0 && tree.ControlId(w) != d.id) return true;
        if (!(d.advanced ? MatchesAdvanced(tree, d, w) : MatchesPlain(tree, d, w))) return true;
        ++d.counter;
        if (d.counter < d.instance) return true;
        d.result = w;
        return false;
    });
    return d.result;
}

std::int32_t ClassInstanceNumber(const WindowTree& tree, TreeWindow top, TreeWindow control,
                                 const char16_t* className) {
    std::int32_t count = 0;
    bool found = false;
    if (top == 0 || control == 0) return 0;
    tree.ForEachDescendant(top, [&](TreeWindow w) {
        WideString name;
        if (!tree.ClassName(w, kWindowTextUnits, name) || !name.EqualsNoCase(className)) {
            return true;
        }
        ++count;
        found = w == control;
        return !found;
    });
    return found ? count : 0;
}

}  // namespace scrutor
