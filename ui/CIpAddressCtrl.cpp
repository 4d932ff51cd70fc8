#include "ui/CIpAddressCtrl.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace qx {

CIpAddressCtrl::CIpAddressCtrl(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(0);
  int digitWidth = fontMetrics().horizontalAdvance(QStringLiteral("000")) + 6;
  for (int i = 0; i < 4; ++i) {
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
    field->setMaxLength(3);
    field->setAlignment(Qt::AlignCenter);
    field->setValidator(new QIntValidator(0, 255, field));
    field->setMinimumWidth(digitWidth);
    field->installEventFilter(this);
    connect(field, &QLineEdit::textEdited, this, [this, i] { OnEdited(i); });
    layout->addWidget(field, 1);
    fields_[i] = field;
  }
  setFocusProxy(fields_[0]);
}

void CIpAddressCtrl::SetAddress(uint32_t address) {
  for (int i = 0; i < 4; ++i) fields_[i]->setText(QString::number((address >> (24 - 8 * i)) & 0xFF));
}

uint32_t CIpAddressCtrl::GetAddress() const {
  uint32_t address = 0;
  for (int i = 0; i < 4; ++i) {
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

void CIpAddressCtrl::OnEdited(int i) {
  if (fields_[i]->text().size() == 3 && fields_[i]->cursorPosition() == 3 && i < 3) {
    fields_[i + 1]->setFocus();
    fields_[i + 1]->selectAll();
  }
}

bool CIpAddressCtrl::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  for (int i = 0; i < 4; ++i) {
    if (watched != fields_[i]) continue;
    QLineEdit* field = fields_[i];
    bool dot = key->text() == QStringLiteral(".");
    if (dot && i < 3 && !field->text().isEmpty()) {
      fields_[i + 1]->setFocus();
      fields_[i + 1]->selectAll();
      return true;
    }
    if (dot) return true;
    if (key->key() == Qt::Key_Backspace && field->text().isEmpty() && i > 0) {
      fields_[i - 1]->setFocus();
      fields_[i - 1]->end(false);
      return true;
    }
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace qx
