#include "markup_dialog/markup_grammar.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

using markup::MarkupTag;

// A tag as the tests write it: letter, n, m and label.
std::string Show(const MarkupTag& tag) {
    std::string letter = tag.letter != 0 ? std::string(1, tag.letter) : std::string("\\0");
    return letter + " " + std::to_string(tag.n) + ":" + std::to_string(tag.m) + " '" + tag.label + "'";
}

std::vector<std::string> Tags(const char* markup) {
    std::vector<std::string> tags;
    MarkupTag tag;
    const char* cursor = markup;
    while (markup::NextMarkupTag(&cursor, &tag))
        tags.push_back(Show(tag));
    return tags;
}

TEST(MarkupGrammar, ReadsTagsNumbersAndLabels) {
    struct Case {
        const char* markup;
        std::vector<std::string> tags;
    } cases[] = {
        {"", {}},
        {"no tag at all", {}},
        {"<C0>Automatically execute on startup", {"C 0:0 'Automatically execute on startup'"}},
        {"<E10><C15>I agree <F2><=>", {"E 10:0 ''", "C 15:0 'I agree '", "F 2:0 ''", "= 0:0 ''"}},
        {"ignored<S>x", {"S 0:0 'x'"}},
        {"<C15 agree>label", {"C 15:0 'label'"}},      // the rest of a tag is skipped up to '>'
        {"<E-3:40>", {"E -3:40 ''"}},                  // '-' makes n negative; m after ':'
        {"<E:7>", {"E 0:7 ''"}},                       // no digits: 0
        {"<E->", {"E 0:0 ''"}},                        // a lone '-'
        {"<V-4><H300>", {"V -4:0 ''", "H 300:0 ''"}},  //
        {"<S>a<<b", {"S 0:0 'a<b'"}},                  // "<<" in a label is one '<'
        {"<<x<S>y", {"S 0:0 'y'"}},                    // and skipped before a first tag
        {"<S><<<<", {"S 0:0 '<<'"}},                   //
        {"<Slabel", {"S 0:0 ''"}},                     // the tag runs to the end without '>'
        {"<S>x<", {"S 0:0 'x'", "\\0 0:0 ''"}},        // a trailing '<' is a tag of its own
        {"<c0>x<Q>y", {"c 0:0 'x'", "Q 0:0 'y'"}},     // unknown letters are read, the layout drops them
        {"<>a>b", {"> 0:0 'b'"}},                      // '>' as the letter, then skipped to the next '>'
    };
    for (const Case& c : cases)
        EXPECT_EQ(Tags(c.markup), c.tags) << c.markup;
}

TEST(MarkupGrammar, NumbersThatOverflowSaturate) {
    MarkupTag tag;
    const char* cursor = "<V99999999999999999999:88888888888888>";
    ASSERT_TRUE(markup::NextMarkupTag(&cursor, &tag));
    EXPECT_EQ(tag.n, INT_MAX);
    EXPECT_EQ(tag.m, INT_MAX);
    cursor = "<V-99999999999999999999>";
    ASSERT_TRUE(markup::NextMarkupTag(&cursor, &tag));
    EXPECT_EQ(tag.n, INT_MIN);
    cursor = "<V2147483647><V-2147483648>";
    markup::NextMarkupTag(&cursor, &tag);
    EXPECT_EQ(tag.n, INT_MAX);
    markup::NextMarkupTag(&cursor, &tag);
    EXPECT_EQ(tag.n, INT_MIN);
}

TEST(MarkupGrammar, LongLabelsAreShortenedAndTheNextTagStillRead) {
    std::string markup = "<S>" + std::string(1000, 'x') + "<<" + "<C1>next";
    std::vector<std::string> tags = Tags(markup.c_str());
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_EQ(tags[0], "S 0:0 '" + std::string(255, 'x') + "'");
    EXPECT_EQ(tags[1], "C 1:0 'next'");
}

std::string Buttons(const char* text) {
    markup::ButtonList list;
    markup::ParseButtons(text, &list);
    std::string shown;
    for (int i = 0; i < list.count; ++i) {
        const markup::ButtonEntry& e = list.entries[i];
        shown += (e.mark != 0 ? std::string(1, e.mark) : std::string()) + "[" + e.label + "]";
    }
    return shown + " default " + std::to_string(list.defaultIndex) + " cancel " + std::to_string(list.cancelIndex);
}

TEST(ButtonGrammar, MarksLabelsAndIndices) {
    struct Case {
        const char* buttons;
        const char* expected;
    } cases[] = {
        {nullptr, "+[&OK] default 0 cancel 0"},
        {"+&OK|-&Cancel", "+[&OK]-[&Cancel] default 0 cancel 1"},
        {"+&Ok|-&Reinstall", "+[&Ok]-[&Reinstall] default 0 cancel 1"},
        {"", "[] default 0 cancel 0"},  // one button is both
        {"Only", "[Only] default 0 cancel 0"},
        {"a|b", "[a][b] default -1 cancel -1"},  // two buttons, no marks: Escape gives -1
        {"+a||-c", "+[a][]-[c] default 0 cancel 2"},
        {"+a|+b|-c|-d", "+[a]+[b]-[c]-[d] default 1 cancel 3"},  // the last mark wins
        {"+-x|y", "+[-x][y] default 0 cancel -1"},               // only the first character marks
        {"|", "[][] default -1 cancel -1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Buttons(c.buttons), c.expected) << (c.buttons != nullptr ? c.buttons : "null");
}

TEST(ButtonGrammar, EntriesBeyondTheLimitAreDropped) {
    std::string text = "+first";
    for (int i = 0; i < 40; ++i)
        text += "|-b" + std::to_string(i);
    markup::ButtonList list;
    markup::ParseButtons(text.c_str(), &list);
    EXPECT_EQ(list.count, markup::kMaxButtons);
    EXPECT_EQ(list.defaultIndex, 0);
    EXPECT_EQ(list.cancelIndex, markup::kMaxButtons - 1);
    EXPECT_STREQ(list.entries[31].label, "b30");
}

std::vector<std::string> Items(const char* text, size_t size = markup::kLabelSize) {
    std::vector<std::string> items;
    std::vector<char> item(size);
    const char* cursor = text;
    while (markup::NextListItem(&cursor, item.data(), size))
        items.push_back(item.data());
    return items;
}

TEST(ListItems, SplitOnBars) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Items(nullptr), V{});
    EXPECT_EQ(Items(""), V{});
    EXPECT_EQ(Items("one"), V{"one"});
    EXPECT_EQ(Items("!Error|?Warn|ok"), (V{"!Error", "?Warn", "ok"}));
    EXPECT_EQ(Items("a||b"), (V{"a", "", "b"}));
    EXPECT_EQ(Items("a|b|"), (V{"a", "b"}));  // a final bar adds no empty item
    EXPECT_EQ(Items("|"), V{""});
    EXPECT_EQ(Items("abcdef|gh", 4), (V{"abc", "gh"}));
}

TEST(BrowseLabel, SplitsTitleAndFilter) {
    struct Case {
        const char* label;
        const char* title;
        std::string filter;  // with its NULs, up to the empty string that ends it
    } cases[] = {
        {"Select the installation folder|Folder|*._||", "Select the installation folder",
         std::string("Folder\0*._\0\0", 12)},
        {"Pick", "Pick", std::string("All files (*.*)\0*.*\0\0", 21)},
        {"", "", std::string("All files (*.*)\0*.*\0\0", 21)},
        // Without the final bar the list still ends.
        {"T|Text|*.txt", "T", std::string("Text\0*.txt\0\0", 12)},
        {"T|", "T", std::string("\0\0", 2)},
    };
    for (const Case& c : cases) {
        markup::BrowseLabel parts;
        markup::SplitBrowseLabel(c.label, &parts);
        EXPECT_STREQ(parts.title, c.title) << c.label;
        EXPECT_EQ(std::string(parts.filter, c.filter.size()), c.filter) << c.label;
    }
}

TEST(BrowseLabel, AFullLengthFilterStillEndsInAnEmptyString) {
    std::string label = "t|" + std::string(300, 'x');
    markup::BrowseLabel parts;
    markup::SplitBrowseLabel(label.c_str(), &parts);
    size_t first = strlen(parts.filter);
    ASSERT_LT(first + 1, sizeof parts.filter);
    EXPECT_EQ(parts.filter[first + 1], '\0');
}

}  // namespace
