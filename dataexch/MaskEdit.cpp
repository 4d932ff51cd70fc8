#include "dataexch/MaskEdit.h"

#include <algorithm>

#include "platform/Text.h"

namespace qx {

MaskResult MaskEditModel::SetMask(std::string_view mask) {
  if (mask.size() < kMinMask || mask.size() > kMaxMask) return {false, std::string(kMaskLengthMessage)};
  if (mask.find('#') == std::string_view::npos) return {false, {}};
  mask_ = std::string(mask);
  SetText({});
  return {};
}

MaskResult MaskEditModel::SetMaskLength(int n) {
  if (n < static_cast<int>(kMinMask) || n > static_cast<int>(kMaxMask)) {
    return {false, std::string(kMaskLengthMessage)};
  }
  return SetMask(std::string(static_cast<std::size_t>(n), '#'));
}

void MaskEditModel::SetChars(CharSet set) {
  switch (set) {
    case CharSet::kHex:
      SetHexChars();
      break;
    case CharSet::kDecimal:
      SetDecimalChars();
      break;
    case CharSet::kOctal:
      SetOctalChars();
      break;
  }
}

void MaskEditModel::SetText(std::string_view text) {
  text_ = std::string(text);
  PlaceCaret(0);
}

void MaskEditModel::SetSelection(std::size_t start, std::size_t end) {
  start = std::min(start, text_.size());
  end = std::min(end, text_.size());
  selStart_ = std::min(start, end);
  selEnd_ = std::max(start, end);
}

void MaskEditModel::Put(std::size_t pos, char c) {
  if (pos < text_.size()) {
    text_[pos] = c;
  } else {
    text_.push_back(c);
  }
}

// The caret of a typed character is the start of the selection: a key other
// than C, V and X has already blanked the selection (OnKeyDown), and the new
// character overwrites its first position.
void MaskEditModel::OnChar(char c) {
  std::size_t pos = selStart_;
  if (c == kBackspace) {
    if (HasSelection()) {
      text_.erase(selStart_, selEnd_ - selStart_);
    } else if (pos > 0) {
      text_.erase(--pos, 1);
    } else {
      return;
    }
    PlaceCaret(pos);
    return;
  }
  c = UpperAscii(c);
  if (!Permitted(c)) {
    // A character outside the set goes in only where the mask holds that
    // very character; '#' itself included, as the mask's marks are shown.
    if (pos >= mask_.size() || mask_[pos] != c) return;
    Put(pos, c);
    PlaceCaret(pos + 1);
    return;
  }
  if (pos >= mask_.size()) return;
  if (IsLiteral(pos)) {
    Put(pos, mask_[pos]);
    ++pos;
  }
  if (pos < mask_.size() && mask_[pos] == '#') {
    Put(pos, c);
    ++pos;
  }
  PlaceCaret(pos);
}

KeyOutcome MaskEditModel::OnKeyDown(EditKey key, Clipboard& clipboard) {
  switch (key) {
    case EditKey::kShift:
    case EditKey::kInsert:
      return KeyOutcome::kSwallowed;
    case EditKey::kControl:
      controlDown_ = true;
      return KeyOutcome::kStandard;
    case EditKey::kC:
      if (!controlDown_) return KeyOutcome::kStandard;
      Copy(clipboard);
      return KeyOutcome::kSwallowed;
    case EditKey::kV:
      if (!controlDown_) return KeyOutcome::kStandard;
      Paste(clipboard);
      return KeyOutcome::kSwallowed;
    case EditKey::kX:
      if (controlDown_) Clear();
      return KeyOutcome::kStandard;
    case EditKey::kDelete:
    case EditKey::kOther:
      Clear();
      return KeyOutcome::kStandard;
  }
  return KeyOutcome::kStandard;
}

void MaskEditModel::OnKeyUp(EditKey key) {
  if (key == EditKey::kControl) controlDown_ = false;
}

void MaskEditModel::Clear() {
  if (!HasSelection()) return;
  const std::size_t start = selStart_;
  const std::size_t end = selEnd_;
  if (end >= text_.size()) {
    text_.erase(start);
  } else {
    for (std::size_t p = start; p < end; ++p) text_[p] = IsLiteral(p) ? mask_[p] : '0';
  }
  SetSelection(start, end);
}

char MaskEditModel::PastedChar(std::size_t pos, char c) const {
  if (IsLiteral(pos)) return mask_[pos];
  c = UpperAscii(c);
  return Permitted(c) ? c : '0';
}

void MaskEditModel::Paste(const Clipboard& clipboard) {
  const std::optional<std::string> clip = clipboard.Text();
  if (!clip) return;
  // Clipboard text ends at its first NUL.
  const std::string_view chars(clip->c_str());
  const std::size_t start = selStart_;
  if (HasSelection()) {
    for (std::size_t p = start; p < selEnd_ && p - start < chars.size(); ++p) {
      text_[p] = PastedChar(p, chars[p - start]);
    }
    return;
  }
  if (mask_.size() <= text_.size()) return;
  const std::size_t free = mask_.size() - text_.size();
  for (std::size_t i = 0; i < free && i < chars.size(); ++i) Put(start + i, PastedChar(start + i, chars[i]));
  // The selection ends one short of the last place the free places reach.
  SetSelection(start, start + free - 1);
}

void MaskEditModel::Copy(Clipboard& clipboard) const {
  if (HasSelection()) clipboard.SetText(std::string_view(text_).substr(selStart_, selEnd_ - selStart_));
}

void MaskEditModel::StandardDelete() {
  if (HasSelection()) {
    text_.erase(selStart_, selEnd_ - selStart_);
  } else if (selStart_ < text_.size()) {
    text_.erase(selStart_, 1);
  }
  PlaceCaret(selStart_);
}

}  // namespace qx
