#include "app/session.h"

#include "app/application.h"
#include "lookup/http_fetch.h"
#include "lookup/lookup_service.h"
#include "support/message_box.h"

namespace {
void emptyList(WtListView& list) {
    for (int rows = list.rowCount(); rows > 0; --rows) list.deleteRow(0);
}
}  // namespace

void initialiseSession() {
    app->initButton->setDisabled(true);
    app->refreshButton->setDisabled(true);
    app->spectateButton->setCaption("观战");
    app->spectateButton->setDisabled(true);
    emptyList(*app->teamList1);
    emptyList(*app->teamList2);

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
