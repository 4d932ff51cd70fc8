// CIpAddressCtrl: an IPv4 address entry of four octet fields, each taking up
// to three digits from 0 to 255. Typing a dot, or a third digit, moves on to
// the next field; Backspace in an empty field moves back. The fields sit in
// one framed box, so the control looks like a single edit. A blank field reads
// as 0, so a blank control reads as address 0.
#pragma once

#include <QFrame>
#include <array>
#include <cstdint>

class QLineEdit;

namespace qx {

class CIpAddressCtrl : public QFrame {
  Q_OBJECT
 public:
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
  void OnEdited(int i);

  std::array<QLineEdit*, 4> fields_{};
};

}  // namespace qx
