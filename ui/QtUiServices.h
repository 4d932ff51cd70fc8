// QtUiServices: the plug-in's user-interface services with Qt dialogs:
// message boxes, file choosers and the one bounded event pump between
// transfer chunks. Also owns the process's QApplication when the host has
// none (EnsureApplication).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/UiServices.h"

class QApplication;
class QWidget;

namespace qx {

class QtUiServices : public UiServices {
 public:
  // Message boxes and file dialogs are centred over the active window.
  QtUiServices() = default;

  // kDefault shows the exclamation mark (see MessageIcon).
  MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                            MessageIcon icon = MessageIcon::kDefault) override;
  std::optional<std::string> ChooseOpenFile(const std::string& filter) override;
  std::optional<std::string> ChooseSaveFile(const std::string& filter,
                                            const std::string& defaultExtension) override;
  // One processEvents call, bounded in time.
  void PumpOneMessage() override;
};

// Whether windows can be shown at all: not with QX_HEADLESS=1; with an
// existing QApplication, yes; otherwise only when a display is reachable
// (DISPLAY names an X server that takes our connection, or WAYLAND_DISPLAY
// is set). The offscreen and minimal platforms show nothing a user could
// answer, so they count as no display.
bool WindowsAvailable();

// Whether the X display named so (":N", ":N.S", "unix:N"; a remote name is
// trusted) answers the X handshake, so that Qt's X11 platform, which ends
// the process when it cannot connect, can start on it.
bool XDisplayAccepts(std::string_view display);

// The process's QApplication while WindowsAvailable(), else null. When there
// is none, one is created (arguments kept in static storage) and kept for the life of the
// library; it is never destroyed, as the host may still run Qt code of its
// own while the library unloads.
QApplication* EnsureApplication();

// The window message boxes and file dialogs belong to: the active modal
// dialog, else the active window (may be null).
QWidget* DialogParent();

}  // namespace qx
