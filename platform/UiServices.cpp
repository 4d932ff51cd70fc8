#include "platform/UiServices.h"

#include <cstdio>

#include "platform/FailureLog.h"

namespace qx {

void UiServices::LogFailure(const std::string& line) { AppendFailureLog(line); }

void HeadlessUi::LogFailure(const std::string& line) {
  std::string text = line;
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  std::fprintf(stderr, "KM31QX-2C: trace: %s\n", text.c_str());
  std::fflush(stderr);
}

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
