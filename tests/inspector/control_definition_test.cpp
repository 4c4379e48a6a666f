#include "inspector/control_definition.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspector/identification_texts.h"
#include "table_tree.h"

namespace scrutor {
namespace {

// A dialog as a table: rows in z-order, children after their parent's earlier siblings.
const std::vector<Node> kDialog = {
    {2, 1, u"Button", u"Options", 100},  // a group box
    {3, 2, u"Button", u"&Inside", 101},
    {4, 1, u"Static", u"Name", 102},
    {5, 1, u"Pane", u"", 103},
    {6, 5, u"BUTTON", u"Hidden", 104},
    {7, 5, u"Pane", u"", 105},
    {8, 7, u"Button", u"Deep", 106},
    {9, 1, u"Static", u"Path", 107},
    {10, 1, u"Edit", u"one\r\ntwo", 108},
    {11, 1, u"Static", u"Run script", -5},
    {12, 1, u"Button", u"&OK", 1},
    {13, 1, u"Button", u"Save as", 2},
    {14, 1, nullptr, u"OK", 109},
    {15, 1, u"Button", u"a;b", 110},
};

const TableTree kTree(kDialog);
constexpr TreeWindow kTop = 1;

TEST(ControlDefinition, ResolvesToTheNamedDescendant) {
    struct Case {
        const char16_t* definition;
        TreeWindow expected;  // 0: nothing
    };
    const Case cases[] = {
        {u"[CLASS:Static; INSTANCE:3]", 11},
        // Hidden and nested buttons count, whatever the case of their class.
        {u"[CLASS:button; INSTANCE:3]", 6},
        {u"Button3", 6},
        {u"[CLASSNN:Button4]", 8},
        {u"[class:edit]", 10},
        {u"Edit1", 10},
        {u"[CLASS:Button; TEXT:&OK]", 12},
        {u"[CLASS:Button; TEXT:ok]", 12},
        {u"OK", 12},
        {u"\"&Save as'", 13},
        {u"[TEXT:a;;b]", 15},
        {u" \t[ID:-5]\r\n", 11},
        {u"[CLASS:Static; ID:107]", 9},
        {u"108", 10},
        // Leading fields that name no control end the search.
        {u"[INSTANCE:2; CLASS:Button]", 0},
        {u"[; CLASS:Button]", 0},
        {u"[CLASS:Button; INSTANCE:99]", 0},
        {u"[CLASS:Button; TEXT:Deep; INSTANCE:2]", 0},
        {u"Button0", 0},
        {u"999", 0},
        {u"[]", 0},
        {u"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolveControlDefinition(kTree, kTop, c.definition), c.expected)
            << std::string(WideString(c.definition).ToUtf8());
    }
    EXPECT_EQ(ResolveControlDefinition(kTree, 0, u"Button1"), 0u);
}

TEST(ControlDefinition, FieldsFollowTheirLengthRules) {
    const ControlDefinition d =
        ParseControlDefinition(u"[TEXT:x;; y ; CLASS:; INSTANCE:; ID: -7 ;CLASSNN:Edit2; TITLE:t]");
    EXPECT_TRUE(d.advanced);
    EXPECT_FALSE(d.namesNothing);
    EXPECT_EQ(d.className, u"");  // too short to hold a value
    EXPECT_EQ(d.instance, 0);
    EXPECT_EQ(d.text, u"x; y");
    EXPECT_EQ(d.id, -7);
    EXPECT_EQ(d.classNN, u"Edit2");
    const ControlDefinition plain = ParseControlDefinition(u" 'A&B' ");
    EXPECT_FALSE(plain.advanced);
    EXPECT_EQ(plain.classNN, u" 'A&B' ");
    EXPECT_EQ(plain.text, u" 'AB' ");  // quotes go only at the very ends
}

TEST(ControlDefinition, InstanceCountsEveryDepthAndCase) {
    EXPECT_EQ(ClassInstanceNumber(kTree, kTop, 3, u"Button"), 2);
    EXPECT_EQ(ClassInstanceNumber(kTree, kTop, 6, u"button"), 3);
    EXPECT_EQ(ClassInstanceNumber(kTree, kTop, 8, u"Button"), 4);
    EXPECT_EQ(ClassInstanceNumber(kTree, kTop, 12, u"BUTTON"), 5);
    EXPECT_EQ(ClassInstanceNumber(kTree, kTop, 4, u"Button"), 0);  // not of that class
    EXPECT_EQ(ClassInstanceNumber(kTree, kTop, 0, u"Button"), 0);
}

TEST(IdentificationTexts, SemicolonsDoubleAndLineBreaksEscape) {
    const WindowProperties w = MakeWindowProperties(u"a;b", u"x;y", 300, -2);
    EXPECT_EQ(w.className, u"a;;b");
    EXPECT_EQ(w.title, u"x;;y");
    EXPECT_EQ(w.classMode, u"[CLASS:a;b]");
    EXPECT_EQ(w.advancedMode, u"[CLASS:a;b;TITLE:x;;y]");
    EXPECT_EQ(w.clientArea, u"300, -2");
    const ControlProperties c = MakeControlProperties(u"Edit", u"one\r\ntwo\n", 12, -1);
    EXPECT_EQ(c.text, u"one\\r\\ntwo\\n");
    EXPECT_EQ(c.classNN, u"Edit12");
    EXPECT_EQ(c.advancedMode, u"[CLASS:Edit; INSTANCE:12]");
    EXPECT_EQ(c.id, u"-1");
}

}  // namespace
}  // namespace scrutor
