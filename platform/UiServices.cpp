#include "platform/UiServices.h"

#include <cstdio>

namespace qx {

MessageAnswer HeadlessUi::ShowMessage(const std::string& text, MessageButtons buttons, MessageIcon) {
  // One line per message: line breaks inside the text become spaces.
  std::string line = text;
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  std::fprintf(stderr, "KM31QX-2C: %s\n", line.c_str());
  std::fflush(stderr);
  return buttons == MessageButtons::kOkCancel ? MessageAnswer::kCancel : MessageAnswer::kOk;
}

std::optional<std::string> HeadlessUi::ChooseOpenFile(const std::string&) { return std::nullopt; }

std::optional<std::string> HeadlessUi::ChooseSaveFile(const std::string&, const std::string&) {
  return std::nullopt;
}

}  // namespace qx
