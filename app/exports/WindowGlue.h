// Connects the application object to the window layer when the library is
// built with it: the Qt message boxes and the configurator window. Without
// the window layer the object keeps its headless answers.
#pragma once

namespace qx {

class CModuleConfigApp;

// Called once when the library is loaded.
void InstallWindowLayer(CModuleConfigApp& app);

}  // namespace qx
