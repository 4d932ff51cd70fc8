#include "cli/Progress.h"

#include <unistd.h>

#include <algorithm>

namespace qx::cli {
namespace {

class TerminalProgressWindow : public ProgressWindow {
 public:
  TerminalProgressWindow(std::FILE* out, const std::string& label) : bar_(out, label, 4) {}
  bool Create(const std::string&, bool) override { return true; }
  void GoModal(const std::string&, bool) override {}
  void SetRange(int lower, int upper, int step) override {
    lower_ = lower;
    step_ = step;
    (void)upper;  // the transfers' range is always 0..4, the bar's
  }
  void StepIt() override { SetPos(pos_ + step_); }
  int SetPos(int position) override {
    const int previous = pos_;
    pos_ = position;
    bar_.Set(pos_ - lower_);
    return previous;
  }
  void SetStatus(const std::string&) override {}

 private:
  ProgressBar bar_;
  int lower_ = 0;
  int step_ = 1;
  int pos_ = 0;
};

}  // namespace

std::string ProgressLine(const std::string& label, int done, int total, int width) {
  const std::string count = std::to_string(done) + "/" + std::to_string(total);
  const int barWidth = std::max(10, width - static_cast<int>(label.size() + count.size()) - 4);
  const int filled = total > 0 ? std::clamp(done * barWidth / total, 0, barWidth) : 0;
  return label + " [" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(barWidth - filled), '.') + "] " + count;
}

ProgressBar::ProgressBar(std::FILE* out, std::string label, int total)
    : out_(out && isatty(fileno(out)) ? out : nullptr), label_(std::move(label)), total_(total) {
  Set(0);
}

ProgressBar::~ProgressBar() {
  if (out_) std::fputs("\r\033[K", out_);
}

void ProgressBar::Set(int done) {
  if (!out_) return;
  std::lock_guard<std::mutex> lock(mutex_);
  std::fprintf(out_, "\r%s", ProgressLine(label_, done, total_).c_str());
  std::fflush(out_);
}

std::unique_ptr<ProgressWindow> TerminalProgressFactory::Make() {
  return std::make_unique<TerminalProgressWindow>(out_, label_);
}

}  // namespace qx::cli
