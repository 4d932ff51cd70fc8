// UiServices: everything the plug-in asks of a user interface below the
// window layer: message boxes, file choosers and the one-message pump
// between transfer chunks. The Qt layer implements it with real dialogs;
// HeadlessUi answers without blocking; tests use a scripted double.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qx {

enum class MessageButtons { kOk, kOkCancel };
enum class MessageAnswer { kOk, kCancel };
// The icon of a message box. kDefault follows the application framework's
// own message-box helper: an exclamation mark on an OK or OK/Cancel box (a
// Yes/No box would get the question mark). A box that asks whether to
// overwrite names kQuestion.
enum class MessageIcon { kDefault, kQuestion, kExclamation };

class UiServices {
 public:
  virtual ~UiServices() = default;

  // Shows text in a message box and returns the button pressed.
  virtual MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                                    MessageIcon icon = MessageIcon::kDefault) = 0;

  // A file to open or to save, or nothing when the user cancels. The filter
  // is "Description (*.ext)"; defaultExtension has no dot.
  virtual std::optional<std::string> ChooseOpenFile(const std::string& filter) = 0;
  virtual std::optional<std::string> ChooseSaveFile(const std::string& filter,
                                                    const std::string& defaultExtension) = 0;

  // Handles at most one pending window event; nothing without a GUI.
  virtual void PumpOneMessage() = 0;

  // Records why a transfer failed (platform/FailureLog.h): by default in the
  // user's log file; headless on standard error.
  virtual void LogFailure(const std::string& line);

  // The translation file of the session's language (empty: English), so
  // that boxes and choosers shown before the window opens, and by the
  // exported transfers, speak it too. Services without a toolkit ignore it.
  virtual void SetTranslation(const std::string& /*translationFile*/) {}
};

// Never blocks: a message box becomes one line "KM31QX-2C: <text>" on
// standard error and is answered with its default button (OK; Cancel for an
// OK/Cancel question, so nothing is overwritten). File choosers return
// nothing; the pump does nothing; the failure trace goes to standard error.
class HeadlessUi : public UiServices {
 public:
  MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                            MessageIcon icon = MessageIcon::kDefault) override;
  std::optional<std::string> ChooseOpenFile(const std::string& filter) override;
  std::optional<std::string> ChooseSaveFile(const std::string& filter,
                                            const std::string& defaultExtension) override;
  void PumpOneMessage() override {}
  // "KM31QX-2C: trace: <line>" on standard error.
  void LogFailure(const std::string& line) override;
};

}  // namespace qx
