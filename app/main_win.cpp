// Process entry: the exit routine registered by start-up releases the objects when the
// runtime ends the process after this returns.
#include <windows.h>

#include "app/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    startApplication();
    return 0;
}
