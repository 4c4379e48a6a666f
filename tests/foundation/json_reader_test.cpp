#include "foundation/json_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace scrutor {
namespace {

std::u16string Str(const WideString& text) { return std::u16string(text.View()); }

std::u16string TypeText(int type, const WideString& text) {
    return std::u16string(1, static_cast<char16_t>(u'0' + type)) + u":" + Str(text);
}

// The type and text of a member, as one comparable string: "4:12".
std::u16string Member(JsonDocument& doc, const char16_t* name, const JsonValue* parent = nullptr) {
    WideString text(u"stale");
    const int type = doc.MemberText(parent, name, text);
    return TypeText(type, text);
}

// The names of an object's members, or type:text of an array's elements.
std::vector<std::u16string> Children(const JsonDocument& doc, const JsonValue* parent,
                                     bool members) {
    std::vector<std::u16string> out;
    WideString text;
    JsonValue child;
    while (members ? doc.NextMember(child, parent) : doc.NextElement(child, parent)) {
        EXPECT_EQ(doc.MemberName(child, text), members);
        out.push_back(members ? Str(text) : TypeText(doc.ValueText(child, text), text));
    }
    return out;
}

// Visits every value below the root without recursion; each must lie inside the text and
// read back with its own type. Answers the number visited.
int WalkAll(const JsonDocument& doc, std::size_t length) {
    std::vector<JsonValue> pending(1);
    if (!doc.Root(pending[0])) return 0;
    WideString text;
    int visited = 0;
    while (!pending.empty()) {
        const JsonValue value = pending.back();
        pending.pop_back();
        ++visited;
        EXPECT_TRUE(value.start <= value.end && value.end < length);
        const int type = doc.ValueText(value, text);
        EXPECT_TRUE(type == value.type || (value.type == kJsonString && text.IsEmpty()));
        JsonValue child;
        while (value.type == kJsonObject && doc.NextMember(child, &value)) pending.push_back(child);
        while (value.type == kJsonArray && doc.NextElement(child, &value)) pending.push_back(child);
    }
    return visited;
}

// 21 values: every type, escapes, nesting, both comment kinds, "Null" in a member.
constexpr const char16_t* kReport =
    uR"j({"response_code": 1, "md5": "0123", "scans": {"Eng\u0041": {"detected": true,)j"
    uR"j( "result": "Tro\"jan"}, "B": {"detected": false, "result": null}},)j"
    uR"j( "list": [1, -2.5, "s", [], {}, [true, false]], /* c /* n */ */ "n": Null,)j"
    uR"j( "p": "C:\\x" // tail)j"
    u"\n}";

TEST(JsonReader, MemberLookupAndValueText) {
    struct Case {
        const char16_t* json;
        const char16_t* name;
        const char16_t* expected;  // type:text
    };
    const Case cases[] = {
        {uR"j({"positives": 3, "Positives": 4})j", u"POSITIVES", u"4:3"},
        {u"  HTTP/1.1 200 OK\r\n{\"a\": 1}", u"", u"1:{\"a\": 1}"},
        {uR"j({"a": {"b": 1}})j", u"a", u"1:{\"b\": 1}"},
        {uR"j({"t": true, "n": Null})j", u"n", u"7:Null"},
        {uR"j({"i": -12, "d": +3.50})j", u"d", u"5:+3.50"},
        // No exponent is read: the number stops at "e" and what follows is unreachable.
        {uR"j({"e": 1.5e3, "after": 1})j", u"e", u"5:1.5"},
        {uR"j({"e": 1.5e3, "after": 1})j", u"after", u"0:"},
        {uR"j({"s": "a\nb\b\f\r\t\"\/\q\\"})j", u"s", u"3:a\nb\b\f\r\t\"/q\\"},
        {uR"j({"na\"me": 1})j", u"na\"me", u"4:1"},
        {uR"j({"empty": ""})j", u"empty", u"0:"},  // an empty string cannot be taken out
        // \uXXXX gives one UTF-16 unit, so two escapes make a surrogate pair.
        {uR"j({"u": "\u0041\u00e9 \uD83D\uDE00 \ud83d\ude00"})j", u"u",
         u"3:A\u00E9 \U0001F600 \U0001F600"},
        {uR"j({"u": "\uD800x"})j", u"u", u"3:\xD800x"},
        {uR"j({"u": "\u12 \u12G4 \u"})j", u"u", u"3:u12 u12G4 u"},  // malformed: just the "u"
        {uR"j({"u": "a\u0000b"})j", u"u", u"3:a\uFFFDb"},  // a NUL would cut our string short
        {uR"j({"\u0050ositives": 5})j", u"positives", u"4:5"},
        // Malformed members end the search.
        {uR"j({"a":1 "b":2})j", u"b", u"0:"},
        {uR"j({a:1, "b":2})j", u"b", u"0:"},
        {uR"j({"a":tru, "b":2})j", u"b", u"0:"},
        {u"{\"a\":\"x\ny\", \"b\":2}", u"b", u"0:"},
        {uR"j({"a":{"b":1}, "c":2)j", u"c", u"0:"},
        {uR"j({"a":"}", "b":2})j", u"b", u"4:2"},
        {uR"j({"a":1 /* } */ ,"b":2})j", u"b", u"0:"},  // the bracket count ignores comments
        {uR"j({"a":1 / ,"b":2})j", u"b", u"0:"},
        {u"{\"a\":1 // c\r,\"b\":2}", u"b", u"4:2"},  // a line comment ends at CR too
    };
    for (const Case& c : cases) {
        JsonDocument doc;
        doc.Open(c.json);
        EXPECT_EQ(Member(doc, c.name), c.expected)
            << testing::PrintToString(std::u16string(c.json));
    }
}

TEST(JsonReader, IterationAndForeignValues) {
    JsonDocument doc;
    doc.Open(kReport);
    using Texts = std::vector<std::u16string>;
    EXPECT_EQ(Children(doc, nullptr, true),
              (Texts{u"response_code", u"md5", u"scans", u"list", u"n", u"p"}));
    JsonValue scans, engine, list, none;
    ASSERT_TRUE(doc.FindMember(u"scans", scans));
    ASSERT_TRUE(doc.FindMember(u"enga", engine, &scans));
    ASSERT_TRUE(doc.FindMember(u"list", list));
    EXPECT_EQ(Children(doc, &scans, true), (Texts{u"EngA", u"B"}));
    EXPECT_EQ(Member(doc, u"result", &engine), u"3:Tro\"jan");
    EXPECT_EQ(Member(doc, u"result"), u"0:");  // not a member of the root
    EXPECT_EQ(Children(doc, &list, false),
              (Texts{u"4:1", u"5:-2.5", u"3:s", u"2:[]", u"1:{}", u"2:[true, false]"}));
    EXPECT_FALSE(doc.NextMember(none, &list));
    EXPECT_FALSE(doc.FirstElement(none, &scans));
    JsonValue member;  // a finished iteration does not start over
    while (doc.NextMember(member, &engine)) {
    }
    EXPECT_FALSE(doc.NextMember(member, &engine));

    // "Null" is a member-only spelling; the root array must end the text.
    doc.Open(u" [{\"a\": 1}, null, Null, 2] ");
    EXPECT_EQ(Children(doc, nullptr, false), (Texts{u"1:{\"a\": 1}", u"7:null"}));
    doc.Open(u"[1, 2] x");
    EXPECT_TRUE(Children(doc, nullptr, false).empty());
    doc.Open(u"{ /* nothing */ }");
    EXPECT_TRUE(Children(doc, nullptr, true).empty());

    // Values of another text, or found before the text was opened again, are rejected.
    JsonDocument first, second, unopened;
    first.Open(kReport);
    second.Open(kReport);
    JsonValue found;
    ASSERT_TRUE(first.FindMember(u"scans", scans));
    WideString text(u"stale");
    EXPECT_EQ(second.ValueText(scans, text), kJsonNone);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(second.FindMember(u"B", found, &scans));
    EXPECT_FALSE(unopened.Root(found));
    // Opening again, even the same text, invalidates what was found before.
    first.Open(kReport);
    EXPECT_EQ(first.ValueText(scans, text), kJsonNone);
    ASSERT_TRUE(first.FindMember(u"scans", scans));
    JsonValue forged = scans;
    forged.end = 100000;
    EXPECT_EQ(first.ValueText(forged, text), kJsonNone);
}

TEST(JsonReader, TruncatedAndCorruptTextStaysInBounds) {
    const std::u16string full(kReport);
    JsonDocument doc;
    doc.Open(full.c_str());
    EXPECT_EQ(WalkAll(doc, full.size()), 21);
    for (std::size_t length = 0; length < full.size(); ++length) {
        doc.Open(full.substr(0, length).c_str());
        EXPECT_EQ(WalkAll(doc, length), 0) << length;
        EXPECT_EQ(Member(doc, u"md5"), u"0:") << length;
    }
    // Every character replaced by each structural one, whole and cut after the change.
    for (std::size_t at = 0; at < full.size(); ++at) {
        for (const char16_t c : std::u16string(u"\"\\{}[],:/*\nu0")) {
            std::u16string corrupt = full;
            corrupt[at] = c;
            doc.Open(corrupt.c_str());
            WalkAll(doc, corrupt.size());
            doc.Open(corrupt.substr(0, at + 1).c_str());
            WalkAll(doc, at + 1);
        }
    }
}

TEST(JsonReader, DeepNestingLongRunsAndLargeTextsAreLinear) {
    const auto started = std::chrono::steady_clock::now();
    constexpr std::size_t kDepth = 1000000;
    JsonDocument doc;
    JsonValue value;
    doc.Open(std::u16string(kDepth, u'[').c_str());
    EXPECT_FALSE(doc.Root(value));
    doc.Open((std::u16string(kDepth, u'[') + std::u16string(kDepth, u']')).c_str());
    ASSERT_TRUE(doc.FirstElement(value));
    EXPECT_EQ(value.end, 2 * kDepth - 2);
    EXPECT_FALSE(doc.NextElement(value));

    const std::u16string filler(5000000, u'x');
    for (const char16_t* open : {u"{\"a\": 1, /* ", u"{\"a\": 1, \"", u"{\"a\": 1, // "}) {
        doc.Open((open + filler + u"}").c_str());
        EXPECT_EQ(Member(doc, u"b"), u"0:");
    }
    std::u16string json = u"{\"pad\": \"" + filler + u"\", \"items\": [";
    for (int i = 0; i < 100000; ++i) {
        json += u"{\"name\": \"item\", \"value\": 12345, \"l\": [1, 2]}, ";
    }
    json += u"{}], \"last\": \"end\"}";
    doc.Open(json.c_str());
    EXPECT_EQ(Member(doc, u"last"), u"3:end");
    JsonValue items;
    ASSERT_TRUE(doc.FindMember(u"items", items));
    EXPECT_EQ(Children(doc, &items, false).size(), 100001u);
    // A rescan per step would take hours; linear work takes about a second natively.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(60));
}

}  // namespace
}  // namespace scrutor
