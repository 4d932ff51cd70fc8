// CTriggerConfigDlg: the "Trigger Configuration" dialog of one of the eight
// mail triggers: its name, kind, interval (in units of 10 minutes), optional
// user message and optional attached PLC device block. Unlike a page it
// writes the record itself: OK stores the trigger, and a confirmed Attachment
// dialog or the Delete key on the attachment row change the trigger's block
// at once, whatever the dialog's own result.
#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace qx {

class CXListCtrl;
struct ConfiguratorContext;

class CTriggerConfigDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kMinInterval = 1;
  static constexpr int kMaxInterval = 1440;  // units of 10 minutes
  static constexpr std::size_t kMaxNameBytes = 15;
  static constexpr std::size_t kMaxMessageBytes = 62;
  static constexpr int kAttachmentNone = 0;
  static constexpr int kAttachmentPlcDevice = 1;

  // REQUIRES: context outlives the dialog.
  explicit CTriggerConfigDlg(ConfiguratorContext& context, QWidget* parent = nullptr);

  // The trigger edited, 0-7; set before the dialog is shown. A dialog shown
  // without one says "Trigger sequence error" and loads nothing.
  void SetTriggerIndex(int index) { trigger_ = index; }

  // Stores the trigger; an interval outside 1-1440 is refused ("Msg32",
  // the interval text becomes "1") after the name was stored.
  void accept() override;

  // Opens the Attachment dialog for the block; on its OK result stores it.
  void EditAttachment();
  // Empties the block's start number and length, keeping its device.
  void ClearAttachment();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void Initialise();
  void ApplyUserMessageRule();
  // The attachment list is enabled exactly when "PLC Device" is chosen.
  void ApplyAttachmentRule();
  void RefillAttachmentList();
  bool HasTrigger() const;

  ConfiguratorContext& context_;
  int trigger_ = -1;
  bool initialised_ = false;
  QLineEdit* name_ = nullptr;
  QLineEdit* interval_ = nullptr;
  QCheckBox* userMessage_ = nullptr;
  QLineEdit* message_ = nullptr;
  QButtonGroup* mode_ = nullptr;
  QButtonGroup* attachment_ = nullptr;
  CXListCtrl* attachmentList_ = nullptr;
};

}  // namespace qx
