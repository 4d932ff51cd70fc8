// CMailDlg: the e-mail page of the configurator window, a container with its
// own tab row over three sub-pages: "Mail Server" (CMailPageDlg1), "Email
// Trigger" (CMailPageDlg2) and "Email and Trigger Configuration"
// (CMailPageDlg3). It relays loading and validating to them in that order and
// shows the sub-page whose check failed.
#pragma once

#include <QWidget>
#include <array>

#include "ui/ConfigPage.h"

namespace qx {

class CConfigTabCtrl;
class CMailPageDlg1;
class CMailPageDlg2;
class CMailPageDlg3;
struct ConfiguratorContext;

class CMailDlg : public QWidget, public ConfigPage {
  Q_OBJECT
 public:
  static constexpr int kSubPageCount = 3;

  // REQUIRES: context outlives the page. Builds the sub-pages, each loading
  // itself from the record, and shows the first.
  explicit CMailDlg(ConfiguratorContext& context, QWidget* parent = nullptr);

  void LoadFromRecord() override;
  // Stops at the first sub-page that rejects a field and shows it.
  bool ValidateAndStore() override;

  CConfigTabCtrl* Tabs() const { return tabs_; }
  CMailPageDlg1* ServerPage() const { return server_; }
  CMailPageDlg2* TriggerPage() const { return triggers_; }
  CMailPageDlg3* RecipientPage() const { return recipients_; }

 private:
  ConfiguratorContext& context_;
  CConfigTabCtrl* tabs_ = nullptr;
  CMailPageDlg1* server_ = nullptr;
  CMailPageDlg2* triggers_ = nullptr;
  CMailPageDlg3* recipients_ = nullptr;
  std::array<ConfigPage*, kSubPageCount> pages_{};
};

}  // namespace qx
