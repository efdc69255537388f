// Test entry for toolkit tests that need real windows: the toolkit's process state is
// set up as the program's start-up does.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "toolkit/toolkit_state.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    instanceHandle = GetModuleHandleA(nullptr);
    nextControlId = kFirstControlIdBase;
    controlByHandle = new HandleMap;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    int result = RUN_ALL_TESTS();
    delete controlByHandle;
    controlByHandle = nullptr;
    return result;
}
