// WindowRegistry: the configurator window that is open now, if any, so that
// the host's "set port" message can be delivered to it from code that does
// not know the window (and from any thread).
#pragma once

#include <cstdint>

namespace qx {

class CConfiguratorDlg;

namespace WindowRegistry {

void Register(CConfiguratorDlg* window);
void Unregister(CConfiguratorDlg* window);
// Posts a SetCommPortEvent with wParam to the open window; false when none
// is open.
bool PostSetCommPort(uintptr_t wParam);

}  // namespace WindowRegistry
}  // namespace qx
