// CConfiguratorDlg: the modal configurator window of one module. Its tabs
// hold the data-exchange, NTP, SNMP and e-mail pages; its buttons act on the
// whole configuration: Upload and Download move the record to and from the
// module, Import File and Export File read and write a stand-alone file,
// Default resets the record, OK validates every page and saves the module's
// section of the project's parameter file, Cancel closes without saving.
// It is a fixed-size modal frame. Enter presses the focused button, else OK
// (ui/DialogButtons.h); Ctrl+Tab and its kin switch pages (CConfigTabCtrl).
//
// The window never edits fields itself: the pages read the record when
// asked and write it back when validated. Message texts come from the
// context's text table; message boxes and file choosers from its UiServices.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>

#include "ui/ConfigPage.h"
#include "ui/ConfiguratorContext.h"

class QPushButton;

namespace qx {

class CConfigTabCtrl;
class CProgressDlgFactory;

class CConfiguratorDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kPageCount = 4;
  static constexpr int kDefaultCommManagerPort = 8895;

  // REQUIRES: context outlives the window. Builds the pages (each loads
  // itself from the record), shows the first tab and sets CommManagerPort
  // to 8895.
  explicit CConfiguratorDlg(ConfiguratorContext& context, QWidget* parent = nullptr);
  ~CConfiguratorDlg() override;

  // Validates the pages in tab order, stopping at the first that rejects a
  // field (its tab is then shown); when all pass, writes the record into the
  // module's section of the parameter file. A failed write is told to the
  // user but does not stop a download: the module still gets what the
  // pages hold.
  bool ValidateAllPages();
  // Reloads every page from the record.
  void RefreshAllPages();

  void OnOK();
  void OnDefault();
  void OnImportFile();
  void OnExportFile();
  void OnUpload();
  void OnDownload();
  void OnAbout();
  void OnSetCommPort(uintptr_t wParam);

  CConfigTabCtrl* Tabs() const { return tabs_; }
  ConfigPage* Page(int index) const { return pages_[index]; }

 protected:
  void customEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void BuildPages();
  void BuildButtons();
  // The pages' stores without the parameter-file write.
  bool StoreAllPages();
  // Writes the record into the module's section of the parameter file; when
  // that fails (read-only file or folder, full disk) tells the user, whose
  // edits are still in the window.
  bool SaveModuleSection();
  void ShowMessage(const std::string& text);
  ModuleTransfers& Transfers();

  ConfiguratorContext& context_;
  CConfigTabCtrl* tabs_ = nullptr;
  std::array<ConfigPage*, kPageCount> pages_{};
  std::unique_ptr<CProgressDlgFactory> progress_;
  std::unique_ptr<ModuleTransfers> commTransfers_;
};

}  // namespace qx
