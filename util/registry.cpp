#include "util/registry.h"

static bool IsEmpty(const char* text) {
    return text == nullptr || text[0] == '\0';
}

static bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

int RegReadValue(const char* subKey, HKEY root, DWORD type, const char* name, void* data, DWORD size) {
    char* text = static_cast<char*>(data);
    bool isString = IsStringType(type);
    if (isString && size > 0) {
        text[0] = '\0';
    }
    HKEY key = root;
    if (!IsEmpty(subKey) && RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return 1;
    }
    DWORD storedType = REG_NONE;
    DWORD stored = size;
    LONG status = RegQueryValueExA(key, name, nullptr, &storedType, static_cast<BYTE*>(data), &stored);
    if (key != root) {
        RegCloseKey(key);
    }

    // The type is known even when the value did not fit, so a value of the
    // wrong kind is reported as such whatever its size.
    int result = 0;
    if ((status == ERROR_SUCCESS || status == ERROR_MORE_DATA) && storedType != type) {
        result = 3;
    } else if (status != ERROR_SUCCESS) {
        result = 2;
    } else if (isString) {
        if (stored == 0 || text[stored - 1] != '\0') {
            if (stored >= size) {
                result = 2;  // no room left for the terminator
            } else {
                text[stored] = '\0';
            }
        }
    }
    if (result != 0 && isString && size > 0) {
        text[0] = '\0';
    }
    return result;
}

int RegWriteValue(const char* subKey, HKEY root, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = root;
    if (!IsEmpty(subKey)) {
        char emptyClass[] = "";
        if (RegCreateKeyExA(root, subKey, 0, emptyClass, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS) {
            return 1;
        }
    }
    LONG status = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    if (key != root) {
        RegCloseKey(key);
    }
    return status == ERROR_SUCCESS ? 0 : 2;
}

int RegDeleteEntry(HKEY root, const char* name, const char* subKey) {
    // Without a sub-key and a value name the call would aim at a root key.
    if (IsEmpty(subKey) && IsEmpty(name)) {
        return 1;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, IsEmpty(subKey) ? nullptr : subKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        return 1;
    }
    LONG status = IsEmpty(name) ? RegDeleteKeyA(key, "") : RegDeleteValueA(key, name);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? 0 : 1;
}
