// CAttachmentDlg: the "Attachment" dialog of a mail trigger: the PLC device
// block whose values the mail carries, as a device, a start number and a
// length. The caller sets the three, runs the dialog and on the OK result
// reads them back; OK is refused (with "Msg25", "Msg26" or "Msg27") while
// the block breaks a limit of its device.
#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLineEdit;

namespace qx {

struct ConfiguratorContext;

class CAttachmentDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kDeviceD = 3;

  // REQUIRES: context outlives the dialog.
  explicit CAttachmentDlg(ConfiguratorContext& context, QWidget* parent = nullptr);

  // Before the dialog runs. A device index outside the list shows no device.
  void SetDeviceIndex(int index);
  void SetNumberText(const QString& text);
  void SetLengthText(const QString& text);

  // After the OK result; -1 when no device is chosen.
  int DeviceIndex() const;
  QString NumberText() const;
  QString LengthText() const;

  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  ConfiguratorContext& context_;
  QComboBox* device_ = nullptr;
  QLineEdit* number_ = nullptr;
  QLineEdit* length_ = nullptr;
  bool initialised_ = false;
};

}  // namespace qx
