// CSNMPDlg: the SNMP page of the configurator window: four communities, each
// a community string and an access type ("GET" read-only, "GET / SET"
// read-write). It rejects nothing.
#pragma once

#include <QWidget>
#include <array>

#include "ui/ConfigPage.h"

class QComboBox;
class QLineEdit;

namespace qx {

struct ConfiguratorContext;

class CSNMPDlg : public QWidget, public ConfigPage {
  Q_OBJECT
 public:
  static constexpr int kRows = 4;
  static constexpr std::size_t kMaxCommunityBytes = 62;  // of the 64-byte field

  // REQUIRES: context outlives the page. Loads the page from the record.
  explicit CSNMPDlg(ConfiguratorContext& context, QWidget* parent = nullptr);

  void LoadFromRecord() override;
  bool ValidateAndStore() override;  // always true

 private:
  ConfiguratorContext& context_;
  std::array<QLineEdit*, kRows> communities_{};
  std::array<QComboBox*, kRows> access_{};
};

}  // namespace qx
