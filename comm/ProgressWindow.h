// ProgressWindow: what the transfers ask of the progress window shown during
// an upload or download of the window session. The Qt layer implements it
// (CProgressDlg); without a window the transfers get no factory and show
// nothing.
//
// Order used by a transfer: Create(caption, false), GoModal("Progress",
// false), SetRange(0, 4, 1), per stage SetStatus and StepIt, SetPos(4), and
// destruction, which ends modality and closes the window.
#pragma once

#include <memory>
#include <string>

namespace qx {

class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  virtual bool Create(const std::string& caption, bool smooth) = 0;
  virtual void GoModal(const std::string& title, bool smooth) = 0;
  virtual void SetRange(int lower, int upper, int step) = 0;
  virtual void StepIt() = 0;
  virtual int SetPos(int position) = 0;  // returns the previous position
  virtual void SetStatus(const std::string& text) = 0;
};

class ProgressFactory {
 public:
  virtual ~ProgressFactory() = default;
  virtual std::unique_ptr<ProgressWindow> Make() = 0;
};

}  // namespace qx
