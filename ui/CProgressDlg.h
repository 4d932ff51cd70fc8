// CProgressDlg: the progress window of a transfer run from the configurator
// window: a small top-most window with one status line and a bar, the
// percentage done in its caption ("Progress [25%]"), no close box and no way
// to cancel. Create returns only once the window is on the screen and
// drawn, so it is seen from the transfer's first request on. It makes itself modal by disabling its owner, and enables that
// same owner again when it is destroyed.
//
// Every operation but Create and GoModal does nothing before the window
// exists, so a transfer may drive it freely.
#pragma once

#include <QPointer>
#include <QString>
#include <memory>

#include "comm/ProgressWindow.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace qx {

class CProgressDlg : public ProgressWindow {
 public:
  static constexpr int kTextLines = 4;
  static constexpr int kTextWidth = 350;
  static constexpr int kMaxStatusBytes = 511;

  // owner: the window to centre over and to disable; null takes the active
  // window, if any.
  explicit CProgressDlg(QWidget* owner = nullptr);
  ~CProgressDlg() override;
  CProgressDlg(const CProgressDlg&) = delete;
  CProgressDlg& operator=(const CProgressDlg&) = delete;

  bool Create(const std::string& caption, bool smooth) override;
  void GoModal(const std::string& title, bool smooth) override;
  void SetRange(int lower, int upper, int step) override;
  void StepIt() override;
  int SetPos(int position) override;
  void SetStatus(const std::string& text) override;

  // For tests and the window layer's own use.
  QWidget* Window() const { return window_.get(); }
  QString Caption() const;
  QString Status() const;
  int Position() const { return position_; }
  bool IsModal() const { return modal_; }
  QWidget* DisabledOwner() const { return reenable_; }

 private:
  void Layout();
  // Returns once the display shows the window (or after a bounded wait).
  void WaitUntilExposed();
  void ShowIfHidden();
  void EndModal();

  QPointer<QWidget> owner_;
  std::unique_ptr<QWidget> window_;
  QLabel* status_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QString title_;
  int lower_ = 0;
  int upper_ = 100;
  int step_ = 1;
  int position_ = 0;
  int percent_ = 0;
  bool modal_ = false;
  QPointer<QWidget> reenable_;
};

// Makes CProgressDlg windows owned by one window.
class CProgressDlgFactory : public ProgressFactory {
 public:
  explicit CProgressDlgFactory(QWidget* owner) : owner_(owner) {}
  std::unique_ptr<ProgressWindow> Make() override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace qx
