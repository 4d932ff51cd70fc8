// CMailPageDlg1: the "Mail Server" sub-page of the e-mail page. It edits the
// SMTP server address and port, the module's own sender address, the subject
// line, and the optional account identification, whose user name and
// password the record keeps only in Base64. It stores its fields only when
// validated; the one rejected input is a port above 65535.
#pragma once

#include <QWidget>
#include <cstddef>

#include "ui/ConfigPage.h"

class QButtonGroup;
class QLineEdit;
class QRadioButton;

namespace qx {

class CIpAddressCtrl;
struct ConfiguratorContext;

class CMailPageDlg1 : public QWidget, public ConfigPage {
  Q_OBJECT
 public:
  static constexpr int kDefaultPort = 25;
  static constexpr int kMaxPort = 65535;
  static constexpr std::size_t kMaxSenderBytes = 63;
  static constexpr std::size_t kMaxSubjectBytes = 14;
  static constexpr std::size_t kMaxCredentialBytes = 16;

  // REQUIRES: context outlives the page. Loads the page from the record.
  explicit CMailPageDlg1(ConfiguratorContext& context, QWidget* parent = nullptr);

  void LoadFromRecord() override;
  // Rejects a port above 65535 ("Msg37"; the port text becomes "25"); the
  // server address is stored before the check, everything else after it.
  bool ValidateAndStore() override;

 private:
  void BuildControls();
  // The user-name and password edits are enabled unless "No" is chosen.
  void ApplyAccountRule();
  void OnDefaultPortClicked();

  ConfiguratorContext& context_;
  CIpAddressCtrl* server_ = nullptr;
  QLineEdit* port_ = nullptr;
  QRadioButton* defaultPort_ = nullptr;
  QLineEdit* sender_ = nullptr;
  QLineEdit* subject_ = nullptr;
  QButtonGroup* account_ = nullptr;
  QRadioButton* accountNo_ = nullptr;
  QRadioButton* accountYes_ = nullptr;
  QLineEdit* userName_ = nullptr;
  QLineEdit* password_ = nullptr;
};

}  // namespace qx
