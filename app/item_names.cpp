#include "app/item_names.h"

#include <cstring>

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (LowerAscii(*a) != LowerAscii(*b))
            return false;
    }
    return *a == *b;
}

}  // namespace

const char* FileNamePart(const char* path) {
    const char* slash = strrchr(path, '\\');
    return slash != nullptr ? slash + 1 : path;
}

void MakeItemLabel(const char* path, char* label, size_t size) {
    const char* name = FileNamePart(path);
    const char* dot = strrchr(name, '.');
    size_t length = dot != nullptr ? static_cast<size_t>(dot - name) : strlen(name);
    if (length > size - 1)
        length = size - 1;
    memcpy(label, name, length);
    label[length] = '\0';
}

bool IsProgramPath(const char* path) {
    // The last dot of the whole path: one only in a directory name leaves a
    // tail with a backslash in it, which matches no extension.
    const char* dot = strrchr(path, '.');
    if (dot == nullptr)
        return false;
    static const char* const kProgramExtensions[] = {".bat", ".com", ".exe", ".pif"};
    for (const char* extension : kProgramExtensions) {
        if (EqualNoCase(dot, extension))
            return true;
    }
    return false;
}
