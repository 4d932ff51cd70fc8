#include "ui/WindowRegistry.h"

#include <QCoreApplication>
#include <mutex>

#include "ui/CConfiguratorDlg.h"
#include "ui/SetCommPortEvent.h"

namespace qx::WindowRegistry {
namespace {

// The lock spans the post, and a window unregisters before it is torn down,
// so an event is never posted to a destroyed window.
std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}
CConfiguratorDlg* open_window = nullptr;

}  // namespace

void Register(CConfiguratorDlg* window) {
  std::lock_guard guard(Lock());
  open_window = window;
}

void Unregister(CConfiguratorDlg* window) {
  std::lock_guard guard(Lock());
  if (open_window == window) open_window = nullptr;
}

bool PostSetCommPort(uintptr_t wParam) {
  std::lock_guard guard(Lock());
  if (!open_window) return false;
  QCoreApplication::postEvent(open_window, new SetCommPortEvent(wParam));
  return true;
}

}  // namespace qx::WindowRegistry
