// WindowLayer: what the plug-in's entry code asks of the window layer,
// without Qt in sight: whether windows can be shown, the user-interface
// services to use, the language's translation, the configurator window
// itself and the host's "set port" message to it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/UiServices.h"
#include "ui/ConfiguratorContext.h"

namespace qx {

// False with QX_HEADLESS=1 or when no display can be reached (and the
// process has no QApplication of its own).
bool CanShowWindows();

// Qt message boxes and file dialogs while windows can be shown, else the
// headless answers; decided at each call, and the QApplication is created
// (when the host has none) only when the first box is shown.
std::unique_ptr<UiServices> MakeUiServices();

// Makes qmFile (a "KM31QX-2C_CHT.qm" or "_CHS.qm") the source of the
// windows' texts, with Qt's own texts of the same language; an empty path
// returns to the built-in English. A file that cannot be loaded changes
// nothing. Kept until the next call.
void InstallTranslation(const std::string& qmFile);

enum class WindowResult { kNotShown, kOk, kCancel };

// Installs the context's translation and runs the configurator window
// modally with no parent window. kNotShown (nothing done) when windows
// cannot be shown.
// REQUIRES: everything the context refers to outlives the call.
WindowResult ShowConfiguratorWindow(ConfiguratorContext& context);

// The host's "set port" message: CommManagerPort of the open configurator
// window becomes wParam. Safe from any thread; false when no window is open.
bool PostSetCommPort(uintptr_t wParam);

}  // namespace qx
