// WindowPort: the host's "set port" message (WM_USER + 201) to the
// configurator window that a show call opens. The show call blocks in the
// modal window, so the message has to be delivered from inside that call:
// qxhost arms the delivery before the call and ends it after the call
// returns, and while it is armed the window receives the message once, as
// soon as it is open.
#pragma once

#include <cstdint>

namespace qxhost {

// False when this qxhost was built without the window layer: no message can
// reach a window then.
bool CanDeliverSetPort();

// Arms the delivery of port to the configurator window that opens next.
// REQUIRES: called on the thread that then makes the show call, with no
// delivery armed.
void BeginSetPortDelivery(uintptr_t port);

// Disarms the delivery; true when the message was posted to a window.
// REQUIRES: called on the thread that called BeginSetPortDelivery, after
// the show call returned.
bool EndSetPortDelivery();

}  // namespace qxhost
