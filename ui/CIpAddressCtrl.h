// CIpAddressCtrl: an IPv4 address entry of four octet fields in one framed
// box, so that it looks and behaves like the platform's standard address
// control:
// - a third digit, or a "." in a field that holds digits, moves on to the
//   next field with its text selected; a "." typed right after such an
//   automatic move does not move again (so "192.168.1.10" can be typed as
//   it is written);
// - a digit typed after a field's lone "0" replaces it; a value above 255
//   becomes 255;
// - Backspace at the start of a field goes back to the end of the previous
//   one, Left and Right cross from field to field;
// - pasting a dotted address ("192.168.1.10") fills all four fields, a
//   shorter dotted text the fields from the current one on;
// - the whole control is one Tab stop: Tab enters it at its first field and
//   leaves it from any field, Shift+Tab too.
// A blank field reads as 0, so a blank control reads as address 0.
#pragma once

#include <QFrame>
#include <array>
#include <cstdint>

class QLineEdit;

namespace qx {

class CIpAddressCtrl : public QFrame {
  Q_OBJECT
 public:
  static constexpr int kFields = 4;

  explicit CIpAddressCtrl(QWidget* parent = nullptr);

  // address a.b.c.d is the value a<<24 | b<<16 | c<<8 | d.
  void SetAddress(uint32_t address);
  uint32_t GetAddress() const;
  void ClearAddress();
  bool IsBlank() const;

  QLineEdit* Field(int i) const { return fields_[i]; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int IndexOf(const QObject* field) const;
  // Handles a key press in field i; true when the key was used up here.
  bool OnKey(int i, QKeyEvent* key);
  void OnEdited(int i);
  // Spreads a dotted text over the fields from field first on.
  void Spread(int first, const QString& dotted);
  enum class Landing { kSelectAll, kStart, kEnd };
  void MoveTo(int i, Landing landing);

  std::array<QLineEdit*, kFields> fields_{};
  bool advanced_ = false;  // the last key moved on to the next field by itself
};

}  // namespace qx
