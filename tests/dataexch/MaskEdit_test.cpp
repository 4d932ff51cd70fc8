// The masked number field: typing, keys, clear and paste on each mask
// length and character set.
#include "dataexch/MaskEdit.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qx {
namespace {

// Each character of `keys` is one key press as the window delivers it (key
// down, then the character): '^' + letter is Control + letter, '~' is Delete,
// '<' is Backspace.
void Press(MaskEditModel& m, Clipboard& clip, std::string_view keys) {
  for (std::size_t i = 0; i < keys.size(); ++i) {
    char c = keys[i];
    const bool control = c == '^';
    if (control) c = keys[++i], m.OnKeyDown(EditKey::kControl, clip);
    const char upper = char(std::toupper(static_cast<unsigned char>(c)));
    EditKey key = upper == 'C'   ? EditKey::kC
                  : upper == 'V' ? EditKey::kV
                  : upper == 'X' ? EditKey::kX
                                 : EditKey::kOther;
    if (c == '~') key = EditKey::kDelete;
    if (m.OnKeyDown(key, clip) == KeyOutcome::kStandard && key == EditKey::kDelete) m.StandardDelete();
    if (c != '~') m.OnChar(control ? char(upper - 'A' + 1) : c == '<' ? MaskEditModel::kBackspace : c);
    if (control) m.OnKeyUp(EditKey::kControl);
  }
}

// clip null: no text on the clipboard.
// clang-format off
struct Case { const char* mask; CharSet chars; const char* text; std::size_t start, end; const char *keys, *clip, *expected;
              std::size_t expStart, expEnd; };
// clang-format on

TEST(MaskEdit, KeySequences) {
  const CharSet kH = CharSet::kHex, kD = CharSet::kDecimal, kO = CharSet::kOctal;
  // clang-format off
  const Case cases[] = {
      {"####", kH, "", 0, 0, "1aFg23", nullptr, "1AF2", 4, 4},
      {"###", kO, "", 0, 0, "8917", nullptr, "17", 2, 2},
      {"####", kD, "1234", 1, 3, "5", nullptr, "1504", 2, 2},
      {"####", kD, "1234", 2, 4, "5", nullptr, "125", 3, 3},
      {"####", kD, "1234", 4, 4, "<<", nullptr, "12", 2, 2},
      {"####", kD, "1234", 0, 0, "<", nullptr, "1234", 0, 0},
      // The key-down already removed the selection; the character then
      // removes the one before the caret.
      {"####", kD, "1234", 2, 4, "<", nullptr, "1", 1, 1},
      {"####", kH, "1234", 1, 3, "c", nullptr, "1C34", 2, 2},  // C does not clear first
      {"####", kD, "1234", 1, 3, "^x", "kept", "1004", 1, 3},
      {"####", kD, "1234", 2, 4, "^x", "kept", "12", 2, 2},
      {"####", kD, "1234", 1, 3, "~", nullptr, "14", 1, 1},
      {"####", kD, "1234", 1, 1, "~", nullptr, "134", 1, 1},
      {"##:##", kD, "", 0, 0, "1234", nullptr, "12:34", 5, 5},
      {"##:##", kD, "", 0, 0, "12:3#", nullptr, "12:3", 4, 4},
      {"##", kD, "", 0, 0, "123", nullptr, "12", 2, 2},
      {"######", kD, "", 0, 0, "400001", nullptr, "400001", 6, 6},
      {"####", kD, "", 0, 0, "^v", "12x4", "1204", 0, 3},
      {"####", kD, "1234", 1, 3, "^v", "9a", "1904", 1, 3},
      {"####", kD, "1234", 1, 3, "^v", "9", "1934", 1, 3},
      {"####", kD, "12", 2, 2, "^v", "5678", "1256", 2, 3},
      {"####", kD, "12", 0, 0, "^v", "5678", "56", 0, 1},
      {"##:##", kD, "", 0, 0, "^v", "1234", "12:4", 0, 4},
      {"####", kD, "1234", 0, 0, "^v", "5", "1234", 0, 0},
      {"####", kD, "", 0, 0, "^v", nullptr, "", 0, 0},
      {"####", kD, "", 0, 0, "v", "99", "", 0, 0},  // V without Control is typed, and refused
  };
  // clang-format on
  for (const Case& c : cases) {
    MaskEditModel m;
    ASSERT_TRUE(m.SetMask(c.mask).Ok);
    m.SetChars(c.chars);
    m.SetText(c.text);
    m.SetSelection(c.start, c.end);
    MemoryClipboard clip;
    if (c.clip) clip.SetText(c.clip);
    Press(m, clip, c.keys);
    EXPECT_EQ(std::tuple(m.Text(), m.SelectionStart(), m.SelectionEnd()),
              std::tuple(c.expected, c.expStart, c.expEnd))
        << c.mask << " " << c.text << " " << c.keys;
    if (c.clip) {
      EXPECT_EQ(clip.Text(), c.clip);  // neither cut nor paste writes it
    }
  }
}

TEST(MaskEdit, EveryLengthAndCharacterSet) {
  const std::pair<CharSet, const char*> sets[] = {
      {CharSet::kHex, "9aF8b7c"}, {CharSet::kDecimal, "9381726"}, {CharSet::kOctal, "7061524"}};
  for (int n = 2; n <= 6; ++n) {
    for (auto [chars, keys] : sets) {
      MaskEditModel m;
      ASSERT_TRUE(m.SetMaskLength(n).Ok);
      m.SetChars(chars);
      MemoryClipboard clip;
      Press(m, clip, std::string(keys).substr(0, size_t(n)) + "9");  // one too many
      std::string typed = std::string(keys).substr(0, size_t(n));
      for (char& ch : typed) ch = char(std::toupper(ch));
      EXPECT_EQ(m.Text(), typed) << n;
      m.SetText("");
      clip.SetText("1z345678");
      Press(m, clip, "^v");
      EXPECT_EQ(m.Text(), ("10345678" + std::string()).substr(0, size_t(n))) << n;
    }
  }
}

TEST(MaskEdit, SetMaskAndKeysWithoutText) {
  MaskEditModel m;
  EXPECT_EQ(std::tuple(m.Mask(), m.Chars()), std::tuple("##:##:##:##:##:##", "0123456789ABCDEF"));
  m.SetText("12");
  for (const MaskResult& r : {m.SetMaskLength(1), m.SetMask(std::string(255, '#'))}) {
    EXPECT_EQ(std::tuple(r.Ok, r.Message), std::tuple(false, "Mask length range in [2-254]"));
  }
  EXPECT_EQ(std::tuple(m.SetMask("ab").Ok, m.SetMask("ab").Message, m.Mask(), m.Text()),
            std::tuple(false, "", "##:##:##:##:##:##", "12"));
  EXPECT_TRUE(m.SetMask(std::string(254, '#')).Ok);
  EXPECT_EQ(m.Text(), "");

  MemoryClipboard clip;
  EXPECT_EQ(m.OnKeyDown(EditKey::kShift, clip), KeyOutcome::kSwallowed);
  EXPECT_EQ(m.OnKeyDown(EditKey::kInsert, clip), KeyOutcome::kSwallowed);
  EXPECT_EQ(m.OnKeyDown(EditKey::kControl, clip), KeyOutcome::kStandard);
  EXPECT_TRUE(m.ControlDown());
  m.SetText("ABCD");
  m.SetSelection(3, 1);
  EXPECT_EQ(m.OnKeyDown(EditKey::kC, clip), KeyOutcome::kSwallowed);
  EXPECT_EQ(clip.Text(), "BC");
  m.OnKeyUp(EditKey::kControl);
  EXPECT_FALSE(m.ControlDown());
}

}  // namespace
}  // namespace qx
