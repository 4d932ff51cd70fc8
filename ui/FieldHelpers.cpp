#include "ui/FieldHelpers.h"

#include <QLineEdit>

#include "platform/Numbers.h"

namespace qx {

ByteLimitValidator::ByteLimitValidator(std::size_t maxBytes, bool digitsOnly, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes), digitsOnly_(digitsOnly) {}

QValidator::State ByteLimitValidator::validate(QString& input, int&) const {
  if (static_cast<std::size_t>(input.toUtf8().size()) > maxBytes_) return Invalid;
  if (digitsOnly_) {
    for (QChar c : input) {
      if (c < u'0' || c > u'9') return Invalid;
    }
  }
  return Acceptable;
}

void LimitEdit(QLineEdit* edit, std::size_t maxBytes, bool digitsOnly) {
  edit->setValidator(new ByteLimitValidator(maxBytes, digitsOnly, edit));
  // Typed text never passes the validator; text set by the program is cut
  // here. (textChanged comes for both; setText below comes back within the limit.)
  QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, maxBytes](const QString& text) {
    if (static_cast<std::size_t>(text.toUtf8().size()) > maxBytes) {
      edit->setText(QString::fromUtf8(Utf8Prefix(text, maxBytes)));
    }
  });
}

std::string Utf8Prefix(const QString& text, std::size_t maxBytes) {
  QByteArray bytes = text.toUtf8();
  if (static_cast<std::size_t>(bytes.size()) <= maxBytes) return bytes.toStdString();
  std::size_t n = maxBytes;
  // Step back over continuation bytes to the start of the cut character.
  while (n > 0 && (static_cast<unsigned char>(bytes[static_cast<qsizetype>(n)]) & 0xC0) == 0x80) --n;
  return std::string(bytes.constData(), n);
}

int LeadingDecimal(const QString& text) {
  // Characters beyond Latin-1 become '?': neither blanks nor digits.
  return ReadClampedSigned32(text.toLatin1().toStdString());
}

void RejectField(QLineEdit* edit) {
  edit->selectAll();
  edit->setFocus(Qt::OtherFocusReason);
}

}  // namespace qx
