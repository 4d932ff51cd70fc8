// Fuzzes what the show-dialog call and the data-exchange page read from a
// host project: the project file, the parameter file, the hardware file and
// the module description file, each arbitrary. The first input byte picks
// the position and the language; the rest holds the four files, separated
// by lines "%%" (missing ones do not exist). Whatever they hold, the session
// must end with the record's invariants kept, and every item must load into
// the editor's fields with selections inside their lists.
//
// The files live in memory (platform/MemoryFiles.h) under the data folder
// "/memory"; what the session writes (a new parameter file, a new module
// section) stays in the store until the next input clears it. The module
// description is read only by the page's limits, so it joins the store in
// the module folder the session names once the session is open.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/ModuleConfigApp.h"
#include "dataexch/ItemEditor.h"
#include "dataexch/ItemLimits.h"
#include "fuzz/FuzzSupport.h"
#include "platform/MemoryFiles.h"

namespace {

using qx::fuzz::Check;

constexpr char kDataRoot[] = "/memory";
const std::string kBase = std::string(kDataRoot) + "/project/line1";

class QuietUi : public qx::UiServices {
 public:
  qx::MessageAnswer ShowMessage(const std::string&, qx::MessageButtons,
                                qx::MessageIcon = qx::MessageIcon::kDefault) override {
    return qx::MessageAnswer::kOk;
  }
  std::optional<std::string> ChooseOpenFile(const std::string&) override { return std::nullopt; }
  std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  void PumpOneMessage() override {}
};

constexpr const char* kPositions[] = {"10", "13", "111", "SLOT12", "SLOT110", "1", "00", "1x9"};
constexpr uint32_t kLanguages[] = {0x0409, 0x0404, 0x0804, 0x0000};

// Takes the next file off the input; null once the input has no more files
// (the file is then missing).
std::string_view NextFile(std::string_view& rest) {
  const std::size_t end = rest.find("\n%%\n");
  const std::string_view file = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 4);
  return file;
}

void PutFile(qx::MemoryFiles& files, const std::string& path, std::string_view bytes) {
  if (bytes.data() != nullptr) files.Put(path, bytes);
}

bool Within(int selected, std::size_t count) {
  return selected == -1 || (selected >= 0 && static_cast<std::size_t>(selected) < count);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QX_COMMON_APPDATA", kDataRoot, 1);  // no text tables: the built-in texts
  setenv("QX_HEADLESS", "1", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static qx::MemoryFiles files;
  files.Clear();
  const std::string& base = kBase;
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  PutFile(files, base + ".ini", NextFile(rest));
  PutFile(files, base + ".qx1", NextFile(rest));
  PutFile(files, qx::HardwareFilePath(base), NextFile(rest));
  const std::string_view description = NextFile(rest);

  QuietUi ui;
  qx::CModuleConfigApp app;
  app.SetUiServices(&ui);
  app.InitInstance();
  const bool open = app.PrepareDialogSession(base, kPositions[data[0] & 7], kLanguages[(data[0] >> 3) & 3], 0x110);
  qx::fuzz::CheckInvariants(app.Record());
  if (!open) return 0;

  const std::string& moduleDirectory = app.ModuleDirectory();
  Check(moduleDirectory.starts_with(kDataRoot));
  PutFile(files, qx::ModuleDescriptionPath(moduleDirectory), description);
  const qx::SessionFields& s = app.Session();
  const qx::ItemLimits limits = qx::LoadItemLimits({base, moduleDirectory, s.Rack, s.Slot, {}, {}});
  const qx::AreaBases bases = qx::LoadAreaBases(base, s.Rack, s.Slot);
  static const qx::CDeviceAddrTable table;
  for (int item = 1; item <= app.Record().ItemCount(); ++item) {
    const auto fields = qx::LoadItemFields(table, app.Record(), item, limits, bases);
    Check(fields.has_value());
    Check(Within(fields->DeviceType, table.DeviceTypeCount()));
    Check(Within(fields->Read.Kind, fields->Read.KindNames.size()));
    Check(Within(fields->Write.Kind, fields->Write.KindNames.size()));
  }
  return 0;
}
