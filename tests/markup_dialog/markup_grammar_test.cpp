#include "markup_dialog/markup_grammar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The fuzz target checks the bounds (at most 32 buttons, every label ended);
// these tables what each piece reads as.
TEST(MarkupGrammar, TagsButtonsListItemsAndBrowseLabels) {
    // clang-format off
    const struct { std::string markup, tags; } rows[] = {  // every tag as "letter n:m 'label'"
        {"", ""}, {"no tag at all", ""}, {"<E10><C15>I agree <F2><=>", "E 10:0 '' C 15:0 'I agree ' F 2:0 '' = 0:0 '' "}, {"ignored<S>x", "S 0:0 'x' "},
        {"<C15 agree>label", "C 15:0 'label' "}, {"<E-3:40>", "E -3:40 '' "}, {"<E:7><E->", "E 0:7 '' E 0:0 '' "},  // no digits, a lone '-': 0
        {"<S>a<<b", "S 0:0 'a<b' "}, {"<<x<S>y", "S 0:0 'y' "}, {"<S><<<<", "S 0:0 '<<' "}, {"<Slabel", "S 0:0 '' "},  // "<<" is one '<'
        {"<S>x<", "S 0:0 'x' \\0 0:0 '' "}, {"<>a>b", "> 0:0 'b' "}, {"<c0>x<Q>y", "c 0:0 'x' Q 0:0 'y' "},  // the layout drops unknown letters
        {"<V99999999999999999999:88888888888888>", "V 2147483647:2147483647 '' "}, {"<V-99999999999999999999>", "V -2147483648:0 '' "},
        {"<S>" + std::string(1000, 'x') + "<<<C1>next", "S 0:0 '" + std::string(255, 'x') + "' C 1:0 'next' "}};
    // clang-format on
    for (const auto& row : rows) {
        std::string tags;
        markup::MarkupTag tag;
        for (const char* cursor = row.markup.c_str(); markup::NextMarkupTag(&cursor, &tag);)
            tags += (tag.letter != 0 ? std::string(1, tag.letter) : "\\0") + " " + std::to_string(tag.n) + ":" +
                    std::to_string(tag.m) + " '" + tag.label + "' ";
        EXPECT_EQ(tags, row.tags) << row.markup.substr(0, 40);
    }
    // clang-format off
    const struct { const char* buttons; const char* expected; } buttonRows[] = {  // labels, default, cancel; one button is both
        {nullptr, "+[&OK] 0 0"}, {"+&OK|-&Cancel", "+[&OK]-[&Cancel] 0 1"}, {"", "[] 0 0"}, {"a|b", "[a][b] -1 -1"}, {"+a||-c", "+[a][]-[c] 0 2"},
        {"+a|+b|-c|-d", "+[a]+[b]-[c]-[d] 1 3"}, {"+-x|y", "+[-x][y] 0 -1"}};  // the last mark wins
    const struct { const char* text; size_t size; const char* items; } itemRows[] = {  // a final bar adds no empty item
        {nullptr, 256, ""}, {"", 256, ""}, {"!Error|?Warn|ok", 256, "!Error/?Warn/ok/"}, {"a||b", 256, "a//b/"}, {"a|b|", 256, "a/b/"},
        {"|", 256, "/"}, {"abcdef|gh", 4, "abc/gh/"}};
    const struct { std::string label, title, filter; } labelRows[] = {  // the filter up to its final empty string
        {"Select the installation folder|Folder|*._||", "Select the installation folder", std::string("Folder\0*._\0\0", 12)},
        {"Pick", "Pick", std::string("All files (*.*)\0*.*\0\0", 21)}, {"T|", "T", std::string("\0\0", 2)},
        {"T|Text|*.txt", "T", std::string("Text\0*.txt\0\0", 12)}, {"t|" + std::string(300, 'x'), "t", std::string(257, 'x') + std::string("\0\0", 2)}};
    // clang-format on
    for (const auto& row : buttonRows) {
        markup::ButtonList list;
        markup::ParseButtons(row.buttons, &list);
        std::string shown;
        for (int i = 0; i < list.count; ++i)
            shown +=
                (list.entries[i].mark ? std::string(1, list.entries[i].mark) : "") + "[" + list.entries[i].label + "]";
        shown += " " + std::to_string(list.defaultIndex) + " " + std::to_string(list.cancelIndex);
        EXPECT_EQ(shown, row.expected);
    }
    for (const auto& row : itemRows) {
        std::vector<char> item(row.size);
        std::string items;
        for (const char* cursor = row.text; markup::NextListItem(&cursor, item.data(), row.size);)
            items += std::string(item.data()) + "/";
        EXPECT_EQ(items, row.items) << (row.text != nullptr ? row.text : "null");
    }
    for (const auto& row : labelRows) {
        markup::BrowseLabel parts;
        markup::SplitBrowseLabel(row.label.c_str(), &parts);
        EXPECT_EQ(parts.title + ("|" + std::string(parts.filter, row.filter.size())), row.title + "|" + row.filter);
    }
}

}  // namespace
