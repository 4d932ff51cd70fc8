#include "app/exports/WindowGlue.h"

#include "app/ModuleConfigApp.h"

#ifdef QX_WITH_GUI
#include <memory>

#include "app/ConfiguratorWindow.h"
#include "ui/WindowLayer.h"
#endif

namespace qx {

#ifdef QX_WITH_GUI
namespace {

class QtWindowOpener : public ConfiguratorWindowOpener {
 public:
  bool Open(CModuleConfigApp& app) override {
    ConfiguratorContext context = app.WindowContext();
    return ShowConfiguratorWindow(context) != WindowResult::kNotShown;
  }
};

}  // namespace

void InstallWindowLayer(CModuleConfigApp& app) {
  // Both live as long as the library: the application object keeps pointers.
  static std::unique_ptr<UiServices> ui = MakeUiServices();
  static QtWindowOpener opener;
  app.SetUiServices(ui.get());
  app.SetWindowOpener(&opener);
}
#else
void InstallWindowLayer(CModuleConfigApp&) {}
#endif

}  // namespace qx
