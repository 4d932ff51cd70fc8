// CMaskEdit: the item editor's masked number field, a QLineEdit driven by
// MaskEditModel (dataexch/MaskEdit.h). Every key and character goes through
// the model: typing overwrites at the caret, only the permitted characters
// (and a mask character typed where the mask holds it) go in, Ctrl+C copies,
// Ctrl+V pastes by the mask's rules, Ctrl+X and Delete blank or remove the
// selection without touching the clipboard. The context menu's Cut, Paste
// and Delete take the same roads. Text set by the program (setText) is not
// checked against the mask. Tab, Enter and Escape are left to the dialog.
#pragma once

#include <QLineEdit>
#include <memory>

#include "dataexch/MaskEdit.h"

namespace qx {

class UiServices;

class CMaskEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit CMaskEdit(QWidget* parent = nullptr);
  ~CMaskEdit() override;

  // The model's SetMask; a refused length is told through ui when one was
  // given ("Mask length range in [2-254]"). On success the text is emptied.
  bool SetMask(const QString& mask);
  bool SetMaskLength(int n);
  void SetHexChars();
  void SetDecimalChars();
  void SetOctalChars();
  void SetChars(CharSet set);
  void SetUiServices(UiServices* ui) { ui_ = ui; }

  QString Mask() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  // Takes the text and selection the control shows into the model, and the
  // model's result back into the control.
  void Pull();
  void Push();
  bool Report(const MaskResult& result);
  void SyncControl(Qt::KeyboardModifiers modifiers);
  void Cut();
  void Paste();
  void Delete();

  MaskEditModel model_;
  std::unique_ptr<Clipboard> clipboard_;
  UiServices* ui_ = nullptr;
};

}  // namespace qx
