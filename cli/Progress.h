// Progress: a one-line progress bar on standard error, drawn only when
// standard error is a terminal (scripts and logs get nothing). It serves
// backup (modules done) and, as the transfers' ProgressWindow, compare
// (the upload's four stages).
#pragma once

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "comm/ProgressWindow.h"

namespace qx::cli {

// "label [#########...........]  12/30" fitted into width columns.
std::string ProgressLine(const std::string& label, int done, int total, int width = 60);

class ProgressBar {
 public:
  // Draws nothing when out is not a terminal (or is null).
  ProgressBar(std::FILE* out, std::string label, int total);
  ~ProgressBar();  // ends the line
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;
  void Set(int done);  // thread-safe
  bool Visible() const { return out_ != nullptr; }

 private:
  std::FILE* out_;
  std::string label_;
  int total_;
  std::mutex mutex_;
};

// Progress windows of one upload that draw a ProgressBar.
class TerminalProgressFactory : public ProgressFactory {
 public:
  TerminalProgressFactory(std::FILE* out, std::string label) : out_(out), label_(std::move(label)) {}
  std::unique_ptr<ProgressWindow> Make() override;

 private:
  std::FILE* out_;
  std::string label_;
};

}  // namespace qx::cli
