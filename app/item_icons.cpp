#include "app/item_icons.h"

#include <shellapi.h>

#include <initializer_list>

#include "app/item_names.h"

namespace {

// Icon handles are 32 bits in the 32-bit program, which the record's layout
// relies on.
uint32_t IconWord(HICON icon) {
    return static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(icon));
}

}  // namespace

HICON fallbackIcon = nullptr;

void LoadFallbackIcon() {
    fallbackIcon = LoadIconA(nullptr, IDI_EXCLAMATION);
}

HICON GetItemIcon(const char* path, char* label, int size, int flags) {
    SHFILEINFOA info{};
    UINT request = SHGFI_ICON | SHGFI_LINKOVERLAY;
    if (flags & item_icon_flags::kSmall)
        request |= SHGFI_SMALLICON;
    if (flags & item_icon_flags::kHighlighted)
        request |= SHGFI_SELECTED;
    if (SHGetFileInfoA(path, 0, &info, sizeof info, request) == 0)
        info.hIcon = nullptr;
    // The label comes from the file name, never the shell's display name,
    // so the extension goes whatever the shell's settings say.
    if (size > 0)
        MakeItemLabel(path, label, static_cast<size_t>(size));
    return info.hIcon;
}

void LoadItemIcons(ItemRecord* items, int count, bool smallIcons) {
    int flags = smallIcons ? item_icon_flags::kSmall : 0;
    for (int i = 0; i < count; ++i) {
        ItemRecord& item = items[i];
        HICON normal = GetItemIcon(item.path, item.label, kLabelSize, flags);
        HICON highlighted = GetItemIcon(item.path, item.label, kLabelSize, flags | item_icon_flags::kHighlighted);
        item.icon = IconWord(normal != nullptr ? normal : fallbackIcon);
        item.highlightIcon = IconWord(highlighted != nullptr ? highlighted : fallbackIcon);
    }
}

void FreeItemIcons(ItemRecord* items, int count) {
    for (int i = 0; i < count; ++i) {
        for (uint32_t* word : {&items[i].icon, &items[i].highlightIcon}) {
            HICON icon = IconOf(*word);
            if (icon != nullptr && icon != fallbackIcon)
                DestroyIcon(icon);
            *word = 0;
        }
    }
}
