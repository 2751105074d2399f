#include "markup_dialog/markup_grammar.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

// The fuzz target checks the bounds (at most 32 buttons, every label ended);
// these tables what each piece reads as.

// Every tag of a markup as "letter n:m 'label' ".
std::string Tags(const std::string& text) {
    std::string tags;
    markup::MarkupTag tag;
    for (const char* cursor = text.c_str(); markup::NextMarkupTag(&cursor, &tag);) {
        tags += (tag.letter != 0 ? std::string(1, tag.letter) : "\\0") + " " + std::to_string(tag.n) + ":" +
                std::to_string(tag.m) + " '" + tag.label + "' ";
    }
    return tags;
}

TEST(MarkupGrammar, Tags) {
    const std::string long1000(1000, 'x'), cut255(255, 'x');
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"empty", "", ""},
        {"the licence's", "<E10><C15>I agree <F2><=>", "E 10:0 '' C 15:0 'I agree ' F 2:0 '' = 0:0 '' "},
        {"text before the first tag", "ignored<S>x", "S 0:0 'x' "},
        {"words after the number", "<C15 agree>label", "C 15:0 'label' "},
        {"two numbers", "<E-3:40>", "E -3:40 '' "},
        {"no digits, a lone '-'", "<E:7><E->", "E 0:7 '' E 0:0 '' "},
        {"\"<<\" is one '<'", "<S>a<<b", "S 0:0 'a<b' "},
        {"\"<<\" before any tag", "<<x<S>y", "S 0:0 'y' "},
        {"a '<' at the end", "<S>x<", "S 0:0 'x' \\0 0:0 '' "},
        {"an empty tag", "<>a>b", "> 0:0 'b' "},
        {"letters the layout drops", "<c0>x<Q>y", "c 0:0 'x' Q 0:0 'y' "},
        {"numbers too large", "<V99999999999999999999:88888888888888>", "V 2147483647:2147483647 '' "},
        {"a number too small", "<V-99999999999999999999>", "V -2147483648:0 '' "},
        {"a label too long", "<S>" + long1000 + "<<<C1>next", "S 0:0 '" + cut255 + "' C 1:0 'next' "},
    };
    for (const auto& [name, markup, tags] : rows)
        EXPECT_EQ(Tags(markup), tags) << name;
}

// Each button as its mark and [label], then the default and cancel indexes.
TEST(MarkupGrammar, Buttons) {
    const std::tuple<const char*, const char*, const char*, int, int> rows[] = {
        {"none given", nullptr, "+[&OK]", 0, 0},
        {"OK and Cancel", "+&OK|-&Cancel", "+[&OK]-[&Cancel]", 0, 1},
        {"empty", "", "[]", 0, 0},
        {"no marks", "a|b", "[a][b]", -1, -1},
        {"an empty one between", "+a||-c", "+[a][]-[c]", 0, 2},
        {"the last mark wins", "+a|+b|-c|-d", "+[a]+[b]-[c]-[d]", 1, 3},
        {"a mark in the label", "+-x|y", "+[-x][y]", 0, -1},
    };
    for (const auto& [name, buttons, expected, defaultIndex, cancelIndex] : rows) {
        markup::ButtonList list;
        markup::ParseButtons(buttons, &list);
        std::string labels;
        for (int i = 0; i < list.count; ++i) {
            char mark = list.entries[i].mark;
            labels += (mark != 0 ? std::string(1, mark) : "") + "[" + list.entries[i].label + "]";
        }
        EXPECT_EQ(labels, expected) << name;
        EXPECT_EQ(list.defaultIndex, defaultIndex) << name;
        EXPECT_EQ(list.cancelIndex, cancelIndex) << name;
    }
}

}  // namespace
