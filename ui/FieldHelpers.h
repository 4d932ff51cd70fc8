// Small helpers the pages share for their edit fields: byte limits on typed
// text (the record's text fields are byte arrays holding UTF-8), digit-only
// input, the decimal reading of a field, and how a rejected field is shown.
#pragma once

#include <QString>
#include <QValidator>
#include <cstddef>
#include <string>

class QLineEdit;

namespace qx {

// Accepts a text while its UTF-8 form fits in maxBytes bytes (and, with
// digitsOnly, while it holds only the digits 0-9).
class ByteLimitValidator : public QValidator {
 public:
  ByteLimitValidator(std::size_t maxBytes, bool digitsOnly, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  std::size_t maxBytes_;
  bool digitsOnly_;
};

// Limits an edit to maxBytes bytes of UTF-8 (digits only when asked). The
// limit holds for every text the edit shows: a longer text set by the
// program (a record field from a file or an upload) is shown cut to the
// limit, never cutting a character, so that typing can never pass it.
void LimitEdit(QLineEdit* edit, std::size_t maxBytes, bool digitsOnly = false);

// The UTF-8 bytes of text, at most maxBytes of them, never cutting a character.
std::string Utf8Prefix(const QString& text, std::size_t maxBytes);

// Record text (UTF-8 bytes) as shown in a control.
inline QString FromRecordText(const std::string& bytes) {
  return QString::fromUtf8(bytes);
}

// The text read as a decimal integer the way the C library's atoi reads it:
// leading blanks and a sign, then digits up to the first other character;
// no digits give 0. Values beyond the int range are clamped
// (ReadClampedSigned32 of platform/Numbers.h).
int LeadingDecimal(const QString& text);

// A rejected field: its whole text selected, scrolled into view, focused.
void RejectField(QLineEdit* edit);

}  // namespace qx
