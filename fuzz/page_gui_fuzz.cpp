// Fuzzes the Data Exchange page and the Item Edit dialog, offscreen, with
// whatever a module image may hold after an upload or a file: an item count
// above 64, device types and kinds outside the catalogue, addresses and
// offsets at the ends of their fields, an enable condition outside the list.
// The first input byte picks the rack slot and the project (none, a hardware
// file with ordinary areas, one with extreme values); the rest is the image.
// Each run loads the page, reads every cell and tooltip, opens the editor on
// some items and presses OK, and checks that the list shows exactly the
// items in use.
#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "comm/XferKit.h"
#include "config/ModuleConfig.h"
#include "dataexch/ItemLimits.h"
#include "fuzz/FuzzSupport.h"
#include "platform/ProfileFile.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"
#include "ui/CDataExchDlg.h"
#include "ui/CItemEditDlg.h"
#include "ui/CXListCtrl.h"
#include "ui/ConfiguratorContext.h"

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
  std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&) override { return std::nullopt; }
  void PumpOneMessage() override {}
};

std::string Project(int variant) {
  return variant == 0 ? std::string() : WorkDir() + "/project" + std::to_string(variant);
}

void WriteHardware(int variant, const char* text) {
  std::string sections;
  for (int slot = 1; slot <= 8; ++slot) sections += "[1" + std::to_string(slot) + "]\n" + text;
  std::ofstream(qx::HardwareFilePath(Project(variant)), std::ios::binary) << sections;
}

struct Session {
  qx::ModuleConfig record;
  qx::SessionFields session;
  qx::CProfileFile parameterFile;
  qx::CProfileFile textFile;
  qx::CTextTable texts{textFile};
  qx::CXferKit link;
  QuietUi ui;
  qx::ConfiguratorContext context{record, session, parameterFile, texts, link, ui, "", "", "", {}, {}, nullptr};
};

}  // namespace

// The font library keeps caches it never frees; they are not ours to leak.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("QX_HEADLESS", "1", 1);
  static int argc = 1;
  static char name[] = "page_gui_fuzz";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the process
  WriteHardware(1, "Param53=0x1000,H\nParam54=0x200,H\nParam55=0x1200,H\nParam56=0x200,H\n");
  WriteHardware(2, "Param53=0xFFFFFFFF\nParam54=0\nParam55=FFFFFFFFF\nParam56=0x10000\n");
  // Fonts, styles and icons are loaded once here, not inside a run.
  Session warm;
  qx::CDataExchDlg page(warm.context);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  Session s;
  std::copy(data + 1, data + std::min(size, qx::ModuleConfig::kSize + 1), s.record.Bytes());
  s.session.Rack = 1;
  s.session.Slot = data[0] & 7;
  s.context.projectBasePath = Project((data[0] >> 3) % 3);
  s.context.moduleDirectory = WorkDir() + "/";
  if (data[0] & 0x20) {
    s.context.readLenMax = 100;
    s.context.writeLenMax = 0;
  }
  const uint16_t count = s.record.ItemCount();
  const int inUse = std::min<int>(count, qx::layout::kMaxItems);

  qx::CDataExchDlg page(s.context);
  qx::CXListCtrl* list = page.List();
  Check(list->rowCount() == 2 * inUse);
  for (int row = 0; row < list->rowCount(); ++row) {
    for (int col = 0; col < qx::CDataExchDlg::kColumns; ++col) {
      Check(list->item(row, col) != nullptr);
      (void)list->item(row, col)->toolTip();
    }
  }
  // The editor on the first, a middle and the last item; OK validates and
  // stores what passes.
  for (int k : {0, inUse / 2, inUse - 1}) {
    if (k < 0) continue;
    qx::CItemEditDlg dialog(s.context, k, page.Bases());
    dialog.OnOK();
  }
  page.RefillList();
  page.ValidateAndStore();
  Check(s.record.ItemCount() == count);
  Check(list->rowCount() == 2 * inUse);
  return 0;
}
