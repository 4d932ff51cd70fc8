// ConfiguratorWindowOpener: how the show-dialog flow opens the configurator
// window without the application layer knowing the window toolkit. The
// window layer implements it and hands it to the application object, and
// alone decides whether a window can be shown (QX_HEADLESS, the display, a
// QApplication of the host's own). Without an opener, or when it shows
// nothing, the flow prepares every file and stops short of the window.
#pragma once

namespace qx {

class CModuleConfigApp;

class ConfiguratorWindowOpener {
 public:
  virtual ~ConfiguratorWindowOpener() = default;

  // Runs the configurator window modally over the session the application
  // object has just prepared (its record, files, texts and limits; see
  // CModuleConfigApp::WindowContext). Returns false when no window could be
  // shown (no display); the window's own result is not reported.
  virtual bool Open(CModuleConfigApp& app) = 0;
};

}  // namespace qx
