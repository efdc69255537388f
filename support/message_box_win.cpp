#include <windows.h>

#include "support/message_box.h"

int showMessage(const Text& text, unsigned buttons, const Text& title) {
    return MessageBoxA(nullptr, text.c_str(), title.c_str(), buttons) - 1;
}
