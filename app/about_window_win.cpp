#include "app/about_window.h"

#include "app/application.h"
#include "app/credits.h"
#include "app/main_window.h"
#include "app/shell.h"
#include "lookup/lookup_service.h"
#include "toolkit/toolkit_state.h"

namespace {
// ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN: long credit lines wrap.
constexpr DWORD kCreditsStyle = 0x1044;
}  // namespace

void showAboutWindow() {
    WtWindowOptions options;
    options.owner = mainWindowHandle;
    options.width = 400;
    options.height = 240;
    options.style = WS_BORDER;
    options.modal = true;
    options.onCreated = [](WtCallback::Arg hwnd) {
        buildAboutWindow(reinterpret_cast<HWND>(hwnd));
    };
    app->aboutWindow->loadWindow(options);
}

void buildAboutWindow(HWND hwnd) {
    WtEdit& credits = *app->aboutText;
    WtEditOptions creditsOptions;
    creditsOptions.style = kCreditsStyle;
    credits.createEdit(hwnd, creditsText(hostOfBase()), 8, 8, 380, 160, creditsOptions);
    credits.setFont(makeFont("宋体", 13));
    credits.setDisabled(true);

    app->aboutOkButton->createButton(hwnd, "好", 10, 180, 88, 26);
    app->aboutOkButton->setOnClick(closeAboutWindow);
    app->aboutUpdateButton->createButton(hwnd, "检查更新", 108, 180, 88, 26);
    app->aboutUpdateButton->setOnClick(openUpdatePage);
}

void closeAboutWindow() {
    app->aboutWindow->close();
}

void openUpdatePage() {
    shellOpen(kUpdatePageAddress, "");
}
