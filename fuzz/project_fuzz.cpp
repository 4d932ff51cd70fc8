// Fuzzes what the show-dialog call and the data-exchange page read from a
// host project: the project file, the parameter file, the hardware file and
// the module description file, each arbitrary. The first input byte picks
// the position and the language; the rest holds the four files, separated
// by lines "%%" (missing ones do not exist). Whatever they hold, the session
// must end with the record's invariants kept, and every item must load into
// the editor's fields with selections inside their lists.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "app/ModuleConfigApp.h"
#include "dataexch/ItemEditor.h"
#include "dataexch/ItemLimits.h"
#include "fuzz/FuzzSupport.h"

namespace {

using qx::fuzz::Check;
using qx::fuzz::WorkDir;

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

void WriteOrRemove(const std::string& path, std::string_view& rest) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (rest.data() == nullptr) return;
  const std::size_t end = rest.find("\n%%\n");
  std::ofstream(path, std::ios::binary).write(rest.data(), static_cast<std::streamsize>(rest.substr(0, end).size()));
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 4);
}

bool Within(int selected, std::size_t count) {
  return selected == -1 || (selected >= 0 && static_cast<std::size_t>(selected) < count);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QX_COMMON_APPDATA", WorkDir().c_str(), 1);  // no text tables: the built-in texts
  setenv("QX_HEADLESS", "1", 1);
  std::filesystem::create_directories(WorkDir() + "/Module");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string base = WorkDir() + "/line1";
  const std::string moduleDirectory = WorkDir() + "/Module/";
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  WriteOrRemove(base + ".ini", rest);
  WriteOrRemove(base + ".qx1", rest);
  WriteOrRemove(qx::HardwareFilePath(base), rest);
  WriteOrRemove(qx::ModuleDescriptionPath(moduleDirectory), rest);

  QuietUi ui;
  qx::CModuleConfigApp app;
  app.SetUiServices(&ui);
  app.InitInstance();
  const bool open = app.PrepareDialogSession(base, kPositions[data[0] & 7], kLanguages[(data[0] >> 3) & 3], 0x110);
  qx::fuzz::CheckInvariants(app.Record());
  if (!open) return 0;

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
