// ScriptedUi: a UiServices double for tests. Messages are recorded; answers
// and chosen files are queued ahead by the test.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/UiServices.h"

namespace qx::test {

class ScriptedUi : public UiServices {
 public:
  std::vector<std::string> messages;
  std::vector<MessageIcon> icons;               // one per message
  std::deque<MessageAnswer> answers;            // default: kOk
  std::deque<std::optional<std::string>> files;  // default: cancelled
  int pumps = 0;

  MessageAnswer ShowMessage(const std::string& text, MessageButtons,
                            MessageIcon icon = MessageIcon::kDefault) override {
    messages.push_back(text);
    icons.push_back(icon);
    if (answers.empty()) return MessageAnswer::kOk;
    MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<std::string> ChooseOpenFile(const std::string&) override { return NextFile(); }
  std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&) override {
    return NextFile();
  }
  void PumpOneMessage() override { ++pumps; }

 private:
  std::optional<std::string> NextFile() {
    if (files.empty()) return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
  }
};

}  // namespace qx::test
