// Without the window layer no configurator window opens, so nothing is ever
// delivered.
#include "host/WindowPort.h"

namespace qxhost {

bool CanDeliverSetPort() {
  return false;
}

void BeginSetPortDelivery(uintptr_t) {}

bool EndSetPortDelivery() {
  return false;
}

}  // namespace qxhost
