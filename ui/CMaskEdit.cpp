#include "ui/CMaskEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

#include "platform/UiServices.h"

namespace qx {
namespace {

// The system clipboard for the model: its plain text, if any.
class QtClipboard : public Clipboard {
 public:
  std::optional<std::string> Text() const override {
    const QClipboard* clip = QGuiApplication::clipboard();
    if (!clip) return std::nullopt;
    const QString text = clip->text();
    if (text.isEmpty()) return std::nullopt;
    return text.toStdString();
  }
  void SetText(std::string_view text) override {
    if (QClipboard* clip = QGuiApplication::clipboard()) {
      clip->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
  }
};

EditKey KeyOf(int key) {
  switch (key) {
    case Qt::Key_Shift:
      return EditKey::kShift;
    case Qt::Key_Control:
      return EditKey::kControl;
    case Qt::Key_Insert:
      return EditKey::kInsert;
    case Qt::Key_Delete:
      return EditKey::kDelete;
    case Qt::Key_C:
      return EditKey::kC;
    case Qt::Key_V:
      return EditKey::kV;
    case Qt::Key_X:
      return EditKey::kX;
    default:
      return EditKey::kOther;
  }
}

// Keys the dialog acts on before the field would see them.
bool DialogKey(int key) {
  return key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return || key == Qt::Key_Enter ||
         key == Qt::Key_Escape;
}

// The one character a key press types, or 0 (a mask holds only ASCII).
char TypedChar(const QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
  if (event->key() == Qt::Key_Backspace) return MaskEditModel::kBackspace;
  const QString text = event->text();
  if (text.size() != 1 || text[0].unicode() < 0x20 || text[0].unicode() > 0x7E) return 0;
  return static_cast<char>(text[0].unicode());
}

}  // namespace

CMaskEdit::CMaskEdit(QWidget* parent) : QLineEdit(parent), clipboard_(std::make_unique<QtClipboard>()) {
  setDragEnabled(false);
  setAcceptDrops(false);
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

CMaskEdit::~CMaskEdit() = default;

bool CMaskEdit::Report(const MaskResult& result) {
  if (!result.ok && !result.message.empty() && ui_) ui_->ShowMessage(result.message, MessageButtons::kOk);
  if (result.ok) setText(QString());
  return result.ok;
}

bool CMaskEdit::SetMask(const QString& mask) {
  return Report(model_.SetMask(mask.toStdString()));
}

bool CMaskEdit::SetMaskLength(int n) {
  return Report(model_.SetMaskLength(n));
}

void CMaskEdit::SetHexChars() {
  model_.SetHexChars();
}

void CMaskEdit::SetDecimalChars() {
  model_.SetDecimalChars();
}

void CMaskEdit::SetOctalChars() {
  model_.SetOctalChars();
}

void CMaskEdit::SetChars(CharSet set) {
  model_.SetChars(set);
}

QString CMaskEdit::Mask() const {
  return QString::fromStdString(model_.Mask());
}

void CMaskEdit::Pull() {
  model_.SetText(text().toStdString());
  const int start = hasSelectedText() ? selectionStart() : cursorPosition();
  const int end = hasSelectedText() ? selectionEnd() : cursorPosition();
  model_.SetSelection(static_cast<std::size_t>(start), static_cast<std::size_t>(end));
}

void CMaskEdit::Push() {
  const QString shown = QString::fromStdString(model_.Text());
  if (shown != text()) {
    setText(shown);
    emit textEdited(shown);
  }
  const int start = static_cast<int>(model_.SelectionStart());
  const int end = static_cast<int>(model_.SelectionEnd());
  if (start == end) {
    setCursorPosition(start);
  } else {
    setSelection(start, end - start);
  }
}

// The model follows the Control key itself; a press that arrives with the
// modifier alone (as tools and remote desktops deliver it) is caught up here.
void CMaskEdit::SyncControl(Qt::KeyboardModifiers modifiers) {
  const bool down = modifiers & Qt::ControlModifier;
  if (down && !model_.ControlDown()) model_.OnKeyDown(EditKey::kControl, *clipboard_);
  if (!down && model_.ControlDown()) model_.OnKeyUp(EditKey::kControl);
}

void CMaskEdit::keyPressEvent(QKeyEvent* event) {
  if (DialogKey(event->key())) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  Pull();
  const EditKey key = KeyOf(event->key());
  if (key != EditKey::kControl) SyncControl(event->modifiers());
  const KeyOutcome outcome = model_.OnKeyDown(key, *clipboard_);
  event->accept();
  if (outcome == KeyOutcome::kSwallowed) {
    Push();
    return;
  }
  if (key == EditKey::kDelete) {
    model_.StandardDelete();
    Push();
    return;
  }
  if (key == EditKey::kX && model_.ControlDown()) {  // the clear above was the cut
    Push();
    return;
  }
  if (const char c = TypedChar(event)) {
    model_.OnChar(c);
    Push();
    return;
  }
  // Caret keys, selection keys, Ctrl+A and the like: the field's own handling
  // on what the model left.
  Push();
  if ((event->modifiers() & Qt::ControlModifier) && (event->key() == Qt::Key_Z || event->key() == Qt::Key_Y)) {
    return;  // undo would bring back text the mask never allowed
  }
  QLineEdit::keyPressEvent(event);
}

void CMaskEdit::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Control) model_.OnKeyUp(EditKey::kControl);
  QLineEdit::keyReleaseEvent(event);
}

void CMaskEdit::inputMethodEvent(QInputMethodEvent* event) {
  event->ignore();  // characters come only as keys
}

void CMaskEdit::Cut() {
  Pull();
  model_.Clear();
  Push();
}

void CMaskEdit::Paste() {
  Pull();
  model_.Paste(*clipboard_);
  Push();
}

void CMaskEdit::Delete() {
  Pull();
  model_.Clear();
  model_.StandardDelete();
  Push();
}

// The standard menu, with its Cut, Paste and Delete going through the mask
// and its Undo and Redo left out.
void CMaskEdit::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu(createStandardContextMenu());
  for (QAction* action : menu->actions()) {
    const QString name = action->objectName();
    if (name == QLatin1String("edit-undo") || name == QLatin1String("edit-redo")) {
      action->setVisible(false);
    } else if (name == QLatin1String("edit-cut") || name == QLatin1String("edit-paste") ||
               name == QLatin1String("edit-delete")) {
      action->disconnect();
      if (name == QLatin1String("edit-cut")) connect(action, &QAction::triggered, this, &CMaskEdit::Cut);
      if (name == QLatin1String("edit-paste")) connect(action, &QAction::triggered, this, &CMaskEdit::Paste);
      if (name == QLatin1String("edit-delete")) connect(action, &QAction::triggered, this, &CMaskEdit::Delete);
    }
  }
  menu->exec(event->globalPos());
}

}  // namespace qx
