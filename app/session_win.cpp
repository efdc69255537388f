#include "app/session.h"

#include "app/application.h"
#include "lookup/http_fetch.h"
#include "lookup/lookup_service.h"
#include "spectate/game_detail.h"
#include "support/message_box.h"

void initialiseSession() {
    app->initButton->setDisabled(true);
    app->refreshButton->setDisabled(true);
    clearGameDetail();

    // The window does not answer until the page has arrived or the fetch has failed.
    Text page = fetchPage(profilePageAddress());
    *app->session = readSessionTokens(page);

    app->refreshButton->setDisabled(false);
    app->initButton->setDisabled(false);
    if (!sessionReady(*app->session)) {
        app->refreshButton->setDisabled(true);
        showMessage(kConnectFailedMessage, MB_OK, kMessageTitle);
    }
}
