#include "markup_dialog/markup_grammar.h"

#include <climits>
#include <cstring>

namespace markup {

namespace {

// Appends one character while room is left; the rest of an overlong text is
// read but dropped.
void Put(char* text, size_t size, size_t* length, char c) {
    if (*length + 1 < size) {
        text[(*length)++] = c;
        text[*length] = '\0';
    }
}

// Decimal digits, saturated at one past INT_MAX so that a '-' in front can
// still reach INT_MIN.
long long ReadNumber(const char** cursor) {
    const char* p = *cursor;
    long long value = 0;
    while (*p >= '0' && *p <= '9') {
        if (value <= INT_MAX) {
            value = value * 10 + (*p - '0');
        }
        ++p;
    }
    *cursor = p;
    return value > 1LL + INT_MAX ? 1LL + INT_MAX : value;
}

}  // namespace

bool NextMarkupTag(const char** cursor, MarkupTag* tag) {
    const char* p = *cursor;
    while (*p != '\0' && !(p[0] == '<' && p[1] != '<')) {
        p += (p[0] == '<') ? 2 : 1;
    }
    if (*p == '\0') {
        *cursor = p;
        return false;
    }
    ++p;
    tag->letter = *p;
    tag->n = 0;
    tag->m = 0;
    tag->label[0] = '\0';
    if (*p == '\0') {
        *cursor = p;
        return true;
    }
    ++p;
    bool negative = *p == '-';
    if (negative) {
        ++p;
    }
    long long n = ReadNumber(&p);
    tag->n = SaturateToInt(negative ? -n : n);
    if (*p == ':') {
        ++p;
        tag->m = SaturateToInt(ReadNumber(&p));
    }
    while (*p != '\0' && *p != '>') {
        ++p;
    }
    if (*p == '>') {
        ++p;
    }
    size_t length = 0;
    while (*p != '\0' && !(p[0] == '<' && p[1] != '<')) {
        Put(tag->label, sizeof tag->label, &length, *p);
        p += (p[0] == '<') ? 2 : 1;
    }
    *cursor = p;
    return true;
}

void ParseButtons(const char* buttons, ButtonList* out) {
    const char* p = buttons != nullptr ? buttons : "+&OK";
    out->count = 0;
    out->defaultIndex = -1;
    out->cancelIndex = -1;
    for (;;) {
        ButtonEntry& entry = out->entries[out->count];
        entry.mark = (*p == '+' || *p == '-') ? *p++ : '\0';
        entry.label[0] = '\0';
        size_t length = 0;
        while (*p != '\0' && *p != '|') {
            Put(entry.label, sizeof entry.label, &length, *p++);
        }
        if (entry.mark == '+') {
            out->defaultIndex = out->count;
        } else if (entry.mark == '-') {
            out->cancelIndex = out->count;
        }
        ++out->count;
        if (*p == '\0' || out->count == kMaxButtons) {
            break;
        }
        ++p;
    }
    if (out->count == 1) {
        out->defaultIndex = 0;
        out->cancelIndex = 0;
    }
}

bool NextListItem(const char** cursor, char* item, size_t size) {
    const char* p = *cursor;
    if (p == nullptr || *p == '\0') {
        return false;
    }
    size_t length = 0;
    item[0] = '\0';
    while (*p != '\0' && *p != '|') {
        Put(item, size, &length, *p++);
    }
    if (*p == '|') {
        ++p;
    }
    *cursor = p;
    return true;
}

void SplitBrowseLabel(const char* label, BrowseLabel* out) {
    memset(out, 0, sizeof *out);
    size_t length = 0;
    const char* p = label;
    while (*p != '\0' && *p != '|') {
        Put(out->title, sizeof out->title, &length, *p++);
    }
    if (*p == '\0') {
        static const char kAllFiles[] = "All files (*.*)\0*.*\0";
        memcpy(out->filter, kAllFiles, sizeof kAllFiles);
        return;
    }
    // The buffer is zeroed and two bytes larger than any label, so whatever
    // is copied is followed by the empty string that ends the list.
    length = 0;
    for (++p; *p != '\0' && length + 3 < sizeof out->filter; ++p) {
        out->filter[length++] = *p == '|' ? '\0' : *p;
    }
}

}  // namespace markup
