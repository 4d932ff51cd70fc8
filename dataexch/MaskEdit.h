// The editing model of CMaskEdit, the item editor's masked number field, as
// plain logic over a text, a selection, a mask and a set of permitted
// characters. The window layer forwards key and character events to it and
// shows Text() and the selection; the model decides every change.
//
// The mask holds '#' where the user enters a permitted character and a
// literal elsewhere, which the field writes itself. Typing overwrites the
// character at the caret. Text set by code is not checked against the mask.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "dataexch/DeviceAddrData.h"

namespace qx {

// The system clipboard as the field uses it: text in, text out.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // The clipboard's text, or none when it cannot be opened or holds no text.
  virtual std::optional<std::string> Text() const = 0;
  virtual void SetText(std::string_view text) = 0;
};

// A clipboard held in memory (for headless use and tests).
class MemoryClipboard : public Clipboard {
 public:
  std::optional<std::string> Text() const override { return text_; }
  void SetText(std::string_view text) override { text_ = std::string(text); }
  void Reset() { text_.reset(); }

 private:
  std::optional<std::string> text_;
};

// Keys the field treats apart; every other key is kOther.
enum class EditKey { kShift, kControl, kInsert, kDelete, kC, kV, kX, kOther };

// What the window layer does after a key went down: nothing more, or its
// standard handling of the key (caret movement, selection, Delete's own
// deletion; StandardDelete does the latter on the model).
enum class KeyOutcome { kSwallowed, kStandard };

struct MaskResult {
  bool ok = true;
  std::string message;  // for the user; empty when the failure is silent
};

inline constexpr std::string_view kMaskLengthMessage = "Mask length range in [2-254]";

class MaskEditModel {
 public:
  static constexpr std::size_t kMinMask = 2;
  static constexpr std::size_t kMaxMask = 254;
  static constexpr char kBackspace = '\b';

  // Fails with kMaskLengthMessage outside 2..254 characters and silently
  // without a '#'; otherwise the mask is taken and the text emptied.
  MaskResult SetMask(std::string_view mask);
  // A mask of n '#'.
  MaskResult SetMaskLength(int n);
  void SetHexChars() { chars_ = "0123456789ABCDEF"; }
  void SetDecimalChars() { chars_ = "0123456789"; }
  void SetOctalChars() { chars_ = "01234567"; }
  void SetChars(CharSet set);

  // Text set by code: taken as it is; the caret goes to the start.
  void SetText(std::string_view text);
  // The user moved the caret or the selection; positions are clamped to the
  // text and ordered.
  void SetSelection(std::size_t start, std::size_t end);

  // A character typed (kBackspace included). It goes to the start of the
  // selection and overwrites what is there.
  void OnChar(char c);
  // A key went down, before its character arrives. Every key but Shift,
  // Insert, Control and C, V, X first clears the selection (arrows and
  // Backspace included): typing over a selection blanks it, and Backspace
  // over a selection that reaches the end removes it at key down and then
  // the character before it.
  KeyOutcome OnKeyDown(EditKey key, Clipboard& clipboard);
  void OnKeyUp(EditKey key);

  // Cut and clear requests: removes or blanks the selection; the clipboard is
  // not written.
  void Clear();
  void Paste(const Clipboard& clipboard);
  void Copy(Clipboard& clipboard) const;
  // The standard Delete: the selection, else the character after the caret.
  void StandardDelete();

  const std::string& Text() const { return text_; }
  const std::string& Mask() const { return mask_; }
  const std::string& Chars() const { return chars_; }
  std::size_t SelectionStart() const { return selStart_; }
  std::size_t SelectionEnd() const { return selEnd_; }
  bool HasSelection() const { return selStart_ != selEnd_; }
  bool ControlDown() const { return controlDown_; }

 private:
  bool Permitted(char upper) const { return chars_.find(upper) != std::string::npos; }
  bool IsLiteral(std::size_t pos) const { return pos < mask_.size() && mask_[pos] != '#'; }
  // The character pasted at pos for clipboard character c.
  char PastedChar(std::size_t pos, char c) const;
  // Overwrites pos, or appends when pos is the end of the text.
  void Put(std::size_t pos, char c);
  void PlaceCaret(std::size_t pos) { selStart_ = selEnd_ = pos; }

  std::string text_;
  std::string mask_ = "##:##:##:##:##:##";
  std::string chars_ = "0123456789ABCDEF";
  std::size_t selStart_ = 0;
  std::size_t selEnd_ = 0;
  bool controlDown_ = false;
};

}  // namespace qx
