#include "framework/scroll_math.h"

int BackwardScroll(int amount, int position) {
    if (amount <= 0 || position <= 0) {
        return 0;
    }
    return amount >= position ? position : amount;
}

int ForwardScroll(int amount, int content, int client, int position) {
    if (amount <= 0 || content <= 0) {
        return 0;
    }
    // 64 bits: content and client come from the caller and may be extreme.
    long long remaining = static_cast<long long>(content) - client - position;
    if (remaining <= 0) {
        return 0;
    }
    return amount < remaining ? amount : static_cast<int>(remaining);
}

int ClampScrollPosition(int position, int content, int client, bool* changed) {
    int size = content != 0 ? content : client;
    if (size != 0 && static_cast<long long>(position) + client > size) {
        position = size - client;
        *changed = true;
    }
    if (position < 0) {
        position = 0;
        *changed = true;
    }
    return position;
}

int PageAmount(int pageStep, int client) {
    if (pageStep > 0) {
        return pageStep;
    }
    long long amount = static_cast<long long>(client) + pageStep;  // pageStep <= 0
    return amount >= 1 ? static_cast<int>(amount) : 1;
}
