// The plug-in creates the process's QApplication inside the first show call
// that can open a window, and keeps it; qxhost links the same Qt, so it sees
// that application. A startup function, run by Qt on the main thread while
// the application is being constructed, queues the first look for the window;
// when the application exists already, arming queues it directly. The look
// runs inside the window's own event loop, on the thread that owns it, so no
// second thread is needed and nothing is shared across threads.
#include "host/WindowPort.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "ui/SetCommPortEvent.h"

namespace qxhost {
namespace {

// Until the window is open the look is repeated at this interval; a show
// call that opens no window (a refused position, a message first) ends the
// repetition when it returns, because disarming changes the generation.
constexpr int kRetryMilliseconds = 20;
constexpr char kWindowName[] = "configuratorDialog";

struct Delivery {
  bool armed = false;
  bool posted = false;
  uintptr_t port = 0;
  unsigned generation = 0;  // tells a look queued for an earlier call to stop
};

Delivery& State() {
  static Delivery delivery;
  return delivery;
}

QWidget* OpenConfiguratorWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == QLatin1String(kWindowName) && widget->isVisible()) return widget;
  }
  return nullptr;
}

void LookForWindow(unsigned generation) {
  Delivery& d = State();
  if (!d.armed || d.posted || d.generation != generation) return;
  if (QWidget* window = OpenConfiguratorWindow()) {
    QCoreApplication::postEvent(window, new qx::SetCommPortEvent(d.port));
    d.posted = true;
    std::printf("set port %ju posted to the configurator window\n", static_cast<uintmax_t>(d.port));
    std::fflush(stdout);
    return;
  }
  QTimer::singleShot(kRetryMilliseconds, QCoreApplication::instance(),
                     [generation] { LookForWindow(generation); });
}

// Only a widget application can have the window.
void QueueFirstLook() {
  QCoreApplication* app = QCoreApplication::instance();
  if (qobject_cast<QApplication*>(app) == nullptr) return;
  const unsigned generation = State().generation;
  QMetaObject::invokeMethod(
      app, [generation] { LookForWindow(generation); }, Qt::QueuedConnection);
}

void OnApplicationCreated() {
  if (State().armed) QueueFirstLook();
}
Q_COREAPP_STARTUP_FUNCTION(OnApplicationCreated)

}  // namespace

bool CanDeliverSetPort() {
  return true;
}

void BeginSetPortDelivery(uintptr_t port) {
  Delivery& d = State();
  d.armed = true;
  d.posted = false;
  d.port = port;
  ++d.generation;
  if (QCoreApplication::instance() != nullptr) QueueFirstLook();
}

bool EndSetPortDelivery() {
  Delivery& d = State();
  d.armed = false;
  ++d.generation;
  return d.posted;
}

}  // namespace qxhost
