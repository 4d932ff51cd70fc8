#include "ui/CIpAddressCtrl.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QValidator>
#include <algorithm>
#include <utility>

namespace qx {
namespace {

constexpr int kMaxOctet = 255;
constexpr int kOctetDigits = 3;

// A field holds up to three digits. A dotted text (only ever pasted: a typed
// "." never reaches the field) is let through for a moment, so that the
// control can spread it over the fields.
class OctetValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    static const QRegularExpression digits(QStringLiteral("^\\d{0,3}$"));
    static const QRegularExpression dotted(QStringLiteral("^\\d{0,3}(\\.\\d{0,3}){1,3}$"));
    if (digits.match(input).hasMatch()) return Acceptable;
    const QString trimmed = input.trimmed();
    if (!trimmed.contains(u'.') || !dotted.match(trimmed).hasMatch()) return Invalid;
    input = trimmed;
    pos = static_cast<int>(input.size());
    return Intermediate;
  }
};

// The field's text as the control keeps it: no leading zero before another
// digit (the shown "0" gives way to the digit typed after it), at most 255.
QString Normalized(QString text) {
  while (text.size() > 1 && text.front() == u'0') text.remove(0, 1);
  if (text.toInt() > kMaxOctet) text = QString::number(kMaxOctet);
  return text;
}

bool IsPlainKey(const QKeyEvent* key) {
  return (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == Qt::NoModifier;
}

}  // namespace

CIpAddressCtrl::CIpAddressCtrl(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(0);
  int digitWidth = fontMetrics().horizontalAdvance(QStringLiteral("000")) + 6;
  for (int i = 0; i < kFields; ++i) {
    if (i > 0) {
      auto* dot = new QLabel(QStringLiteral("."), this);
      dot->setAlignment(Qt::AlignCenter);
      dot->setBackgroundRole(QPalette::Base);
      dot->setFixedWidth(fontMetrics().horizontalAdvance(u'.') + 4);
      layout->addWidget(dot);
    }
    auto* field = new QLineEdit(this);
    field->setObjectName(QStringLiteral("octet%1").arg(i + 1));
    field->setFrame(false);
    field->setAlignment(Qt::AlignCenter);
    field->setValidator(new OctetValidator(field));
    field->setMinimumWidth(digitWidth);
    // One Tab stop: only the first field is in the Tab chain; the others
    // are reached by typing, by the arrow keys or by the mouse.
    field->setFocusPolicy(i == 0 ? Qt::StrongFocus : Qt::ClickFocus);
    field->installEventFilter(this);
    connect(field, &QLineEdit::textEdited, this, [this, i] { OnEdited(i); });
    layout->addWidget(field, 1);
    fields_[i] = field;
  }
  setFocusProxy(fields_[0]);
}

void CIpAddressCtrl::SetAddress(uint32_t address) {
  for (int i = 0; i < kFields; ++i) fields_[i]->setText(QString::number((address >> (24 - 8 * i)) & 0xFF));
}

uint32_t CIpAddressCtrl::GetAddress() const {
  uint32_t address = 0;
  for (int i = 0; i < kFields; ++i) {
    uint32_t octet = std::min(fields_[i]->text().toUInt(), 255u);  // blank reads as 0
    address = (address << 8) | octet;
  }
  return address;
}

void CIpAddressCtrl::ClearAddress() {
  for (QLineEdit* field : fields_) field->clear();
}

bool CIpAddressCtrl::IsBlank() const {
  for (QLineEdit* field : fields_) {
    if (!field->text().isEmpty()) return false;
  }
  return true;
}

int CIpAddressCtrl::IndexOf(const QObject* field) const {
  for (int i = 0; i < kFields; ++i) {
    if (fields_[i] == field) return i;
  }
  return -1;
}

void CIpAddressCtrl::MoveTo(int i, Landing landing) {
  QLineEdit* field = fields_[i];
  field->setFocus(Qt::OtherFocusReason);
  switch (landing) {
    case Landing::kSelectAll:
      field->selectAll();
      break;
    case Landing::kStart:
      field->setCursorPosition(0);
      break;
    case Landing::kEnd:
      field->end(false);
      break;
  }
}

void CIpAddressCtrl::Spread(int first, const QString& dotted) {
  const QStringList parts = dotted.split(u'.');
  // A whole address fills the control from its first field.
  if (parts.size() == kFields) first = 0;
  int last = first;
  for (int k = 0; k < parts.size() && first + k < kFields; ++k) {
    last = first + k;
    fields_[last]->setText(Normalized(parts[k]));
  }
  MoveTo(last, Landing::kEnd);
}

void CIpAddressCtrl::OnEdited(int i) {
  QLineEdit* field = fields_[i];
  const QString text = field->text();
  if (text.contains(u'.')) {
    Spread(i, text);
    return;
  }
  const QString kept = Normalized(text);
  if (kept != text) {
    const int fromEnd = static_cast<int>(text.size()) - field->cursorPosition();
    field->setText(kept);
    field->setCursorPosition(std::max(0, static_cast<int>(kept.size()) - fromEnd));
  }
  if (kept.size() == kOctetDigits && field->cursorPosition() == kOctetDigits && i < kFields - 1) {
    MoveTo(i + 1, Landing::kSelectAll);
    advanced_ = true;
  }
}

bool CIpAddressCtrl::OnKey(int i, QKeyEvent* key) {
  QLineEdit* field = fields_[i];
  const bool advanced = std::exchange(advanced_, false);
  const bool atStart = field->cursorPosition() == 0 && !field->hasSelectedText();
  const bool atEnd = field->cursorPosition() == field->text().size() && !field->hasSelectedText();
  const bool backtab =
      key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
  if (backtab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && i > 0) {
    // Leaves the control backwards from its first field, the one Tab stop.
    fields_[0]->setFocus(Qt::BacktabFocusReason);
    QKeyEvent again(QEvent::KeyPress, Qt::Key_Backtab, key->modifiers());
    QCoreApplication::sendEvent(fields_[0], &again);
    return true;
  }
  if (!IsPlainKey(key)) return false;
  if (key->text() == QStringLiteral(".")) {
    if (!advanced && i < kFields - 1 && !field->text().isEmpty()) MoveTo(i + 1, Landing::kSelectAll);
    return true;  // a field never holds a typed dot
  }
  switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Left:
      if (!atStart || i == 0) return false;
      MoveTo(i - 1, Landing::kEnd);
      return true;
    case Qt::Key_Right:
      if (!atEnd || i == kFields - 1) return false;
      MoveTo(i + 1, Landing::kStart);
      return true;
    default:
      return false;
  }
}

bool CIpAddressCtrl::eventFilter(QObject* watched, QEvent* event) {
  const int i = IndexOf(watched);
  if (event->type() == QEvent::KeyPress && i >= 0 && OnKey(i, static_cast<QKeyEvent*>(event))) return true;
  return QFrame::eventFilter(watched, event);
}

}  // namespace qx
