// The masked number field: typing, keys, clear and paste on each kind of mask.
#include "dataexch/MaskEdit.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace qx {
namespace {

// Each character of `keys` is one key press as the window delivers it (key
// down, then the character): '^' + letter is Control + letter, '~' is Delete,
// '<' is Backspace.
constexpr std::array kLetterKeys{EditKey::kC, EditKey::kV, EditKey::kX, EditKey::kOther};

void Press(MaskEditModel& m, Clipboard& clip, std::string_view keys) {
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const bool control = keys[i] == '^';
    const char c = keys[i += control], upper = char(std::toupper(static_cast<unsigned char>(c)));
    const std::size_t letter = std::min<std::size_t>(std::string_view("CVX").find(upper), 3);
    const EditKey key = c == '~' ? EditKey::kDelete : kLetterKeys[letter];
    if (control) m.OnKeyDown(EditKey::kControl, clip);
    if (m.OnKeyDown(key, clip) == KeyOutcome::kStandard && key == EditKey::kDelete) m.StandardDelete();
    if (c != '~') m.OnChar(control ? char(upper - 'A' + 1) : c == '<' ? MaskEditModel::kBackspace : c);
    if (control) m.OnKeyUp(EditKey::kControl);
  }
}

// A text with its selection marked: "te[xt]", or the caret alone: "te|xt".
std::tuple<std::string, std::size_t, std::size_t> Marked(std::string s) {
  const std::size_t bar = s.find('|'), open = s.find('['), close = s.find(']');
  if (bar != std::string::npos) return {s.erase(bar, 1), bar, bar};
  return {s.erase(close, 1).erase(open, 1), open, close - 1};
}

TEST(MaskEdit, KeySequences) {
  const CharSet kH = CharSet::kHex, kD = CharSet::kDecimal, kO = CharSet::kOctal;
  // mask, characters, text before, keys, clipboard text (null: none), text after
  // clang-format off
  const std::tuple<const char*, CharSet, const char*, const char*, const char*, const char*> cases[] = {
      {"####", kH, "|", "1aFg23", nullptr, "1AF2|"},       {"###", kO, "|", "8917", nullptr, "17|"},
      {"####", kD, "1[23]4", "5", nullptr, "15|04"},       {"####", kD, "12[34]", "5", nullptr, "125|"},
      {"####", kD, "1234|", "<<", nullptr, "12|"},         {"####", kD, "|1234", "<", nullptr, "|1234"},
      // Backspace's key-down already removed the selection, its character removes one more; C clears nothing.
      {"####", kD, "12[34]", "<", nullptr, "1|"},          {"####", kH, "1[23]4", "c", nullptr, "1C|34"},
      {"####", kD, "1[23]4", "^x", "kept", "1[00]4"},      {"####", kD, "12[34]", "^x", "kept", "12|"},
      {"####", kD, "1[23]4", "~", nullptr, "1|4"},         {"####", kD, "1|234", "~", nullptr, "1|34"},
      {"##:##", kD, "|", "1234", nullptr, "12:34|"},       {"##:##", kD, "|", "12:3#", nullptr, "12:3#|"},
      // '#' outside the set goes where the mask holds '#', not on a literal.
      {"##:##", kD, "12|", "#", nullptr, "12|"},         {"##:##", kD, "|", "5#:", nullptr, "5#:|"},
      {"####", kD, "|", "^v", "12x4", "[120]4"},           {"####", kD, "1[23]4", "^v", "9a", "1[90]4"},
      {"####", kD, "1[23]4", "^v", "9", "1[93]4"},         {"####", kD, "12|", "^v", "5678", "12[5]6"},
      {"####", kD, "|12", "^v", "5678", "[5]6"},           {"##:##", kD, "|", "^v", "1234", "[12:4]"},
      {"#####", kH, "|", "^v", "1z3f5678", "[103F]5"},     {"####", kD, "|1234", "^v", "5", "|1234"},
      // V without Control is typed, and refused.
      {"####", kD, "|", "^v", nullptr, "|"},               {"####", kD, "|", "v", "99", "|"}};
  // clang-format on
  for (const auto& [mask, chars, before, keys, clipText, after] : cases) {
    SCOPED_TRACE(testing::Message() << mask << " " << before << " " << keys);
    MaskEditModel m;
    ASSERT_TRUE(m.SetMask(mask).ok);
    m.SetChars(chars);
    const auto [text, start, end] = Marked(before);
    m.SetText(text);
    m.SetSelection(start, end);
    MemoryClipboard clip;
    if (clipText) clip.SetText(clipText);
    Press(m, clip, keys);
    EXPECT_EQ(std::tuple(m.Text(), m.SelectionStart(), m.SelectionEnd()), Marked(after));
    EXPECT_EQ(clip.Text(), clipText ? std::optional<std::string>(clipText) : std::nullopt);  // never written
  }
}

TEST(MaskEdit, SetMaskAndKeysWithoutText) {
  MaskEditModel m;
  m.SetText("12");
  for (const MaskResult& r : {m.SetMaskLength(1), m.SetMask(std::string(255, '#')), m.SetMask("ab")})
    EXPECT_EQ(std::tuple(r.ok, m.Mask(), m.Chars(), m.Text()),
              std::tuple(false, "##:##:##:##:##:##", "0123456789ABCDEF", "12"));
  EXPECT_EQ(m.SetMaskLength(1).message, "Mask length range in [2-254]");
  EXPECT_EQ(m.SetMask("ab").message, "");  // no digit position: refused silently
  EXPECT_TRUE(m.SetMask(std::string(254, '#')).ok && m.Text().empty());
  EXPECT_TRUE(m.SetMaskLength(5).ok && m.Mask() == "#####");
  MemoryClipboard clip;
  EXPECT_EQ((std::tuple{m.OnKeyDown(EditKey::kShift, clip), m.OnKeyDown(EditKey::kInsert, clip),
                        m.OnKeyDown(EditKey::kControl, clip)}),
            std::tuple(KeyOutcome::kSwallowed, KeyOutcome::kSwallowed, KeyOutcome::kStandard));
  m.SetText("ABCD");
  m.SetSelection(3, 1);
  EXPECT_EQ((std::tuple{m.OnKeyDown(EditKey::kC, clip), clip.Text()}),
            std::tuple(KeyOutcome::kSwallowed, std::optional<std::string>("BC")));
  m.OnKeyUp(EditKey::kControl);
  EXPECT_FALSE(m.ControlDown());
}

}  // namespace
}  // namespace qx
