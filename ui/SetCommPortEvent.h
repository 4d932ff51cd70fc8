// SetCommPortEvent: the host's "set port" message to the configurator
// window (event type QEvent::User + 201). Its wParam is the local port of the
// host's communication manager that the window's later transfers use.
//
// The event type is the message: the window takes every event of this type
// to be a SetCommPortEvent, so this header-only class is the layout every
// sender uses. A sender outside the plug-in posts one to the top-level widget
// named "configuratorDialog"; inside, PostSetCommPort (ui/WindowLayer.h) does.
#pragma once

#include <QEvent>
#include <cstdint>

namespace qx {

class SetCommPortEvent : public QEvent {
 public:
  static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 201);

  explicit SetCommPortEvent(uintptr_t wParam) : QEvent(kType), wParam_(wParam) {}
  uintptr_t WParam() const { return wParam_; }

 private:
  uintptr_t wParam_;
};

}  // namespace qx
