#include "ui/CProgressDlg.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "ui/FieldHelpers.h"

namespace qx {
namespace {

constexpr const char* kContext = "qx::CProgressDlg";
// The transfers pass the caption prefix in English; it is shown translated.
[[maybe_unused]] constexpr const char* kProgressTitle = QT_TRANSLATE_NOOP("qx::CProgressDlg", "Progress");
constexpr int kMargin = 10;
// The window waits at most this long for the display to show it; a display
// that never does (a minimised session, say) only delays the transfer.
constexpr int kExposeLimitMs = 2000;
constexpr int kExposePollMs = 5;

QString Translated(const std::string& text) {
  return QCoreApplication::translate(kContext, text.c_str());
}

}  // namespace

CProgressDlg::CProgressDlg(QWidget* owner)
    : owner_(owner                               ? owner
             : QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                 : QApplication::activeWindow()),
      title_(QCoreApplication::translate(kContext, "Progress")) {}

CProgressDlg::~CProgressDlg() {
  EndModal();
  window_.reset();
}

bool CProgressDlg::Create(const std::string& caption, bool smooth) {
  if (window_) return true;
  // Parentless, so that disabling the owner leaves this window enabled; kept
  // above the owner by the transient-parent hint and the top-most flag.
  window_ = std::make_unique<QWidget>(
      nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  window_->setObjectName(QStringLiteral("progressWindow"));
  window_->setAttribute(Qt::WA_ShowWithoutActivating);
  window_->setCursor(Qt::BusyCursor);
  window_->setWindowTitle(QString::fromUtf8(caption));
  status_ = new QLabel(window_.get());
  status_->setObjectName(QStringLiteral("progressStatusLabel"));
  status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  status_->setWordWrap(false);
  status_->setTextFormat(Qt::PlainText);
  bar_ = new QProgressBar(window_.get());
  bar_->setObjectName(QStringLiteral("progressBar"));
  bar_->setTextVisible(false);
  bar_->setRange(lower_, upper_);
  bar_->setValue(lower_);
  (void)smooth;  // the bar's look is the style's
  cancel_ = new QPushButton(QCoreApplication::translate("qx::CProgressDlg", " Cancel "), window_.get());
  cancel_->hide();
  Layout();
  if (owner_) {
    window_->winId();
    if (QWidget* top = owner_->window(); top->windowHandle()) {
      window_->windowHandle()->setTransientParent(top->windowHandle());
    }
    QRect frame = window_->frameGeometry();
    frame.moveCenter(owner_->window()->frameGeometry().center());
    window_->move(frame.topLeft());
  }
  window_->show();
  WaitUntilExposed();
  window_->repaint();
  return true;
}

// A new top-level window is mapped by the display server some time after
// show(); until then painting shows nothing. The transfer that follows
// blocks in its socket calls and lets the window paint only between chunks,
// so the window waits for its first exposure here, handling no user input
// meanwhile (the user cannot press anything in the owner yet).
void CProgressDlg::WaitUntilExposed() {
  QWindow* handle = window_->windowHandle();
  if (handle == nullptr || handle->isExposed()) return;
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, handle] {
    if (handle->isExposed()) loop.quit();
  });
  poll.start(kExposePollMs);
  QTimer::singleShot(kExposeLimitMs, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void CProgressDlg::Layout() {
  QFontMetrics fm(window_->font());
  int textHeight = kTextLines * fm.boundingRect(QStringLiteral("M")).height();
  textHeight = std::max(textHeight, kTextLines * fm.height());
  status_->setGeometry(kMargin, kMargin, kTextWidth, textHeight);
  int edgeX = window_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
  int edgeY = edgeX;
  QString caption = cancel_->text() + QStringLiteral("  ");
  int buttonWidth = fm.horizontalAdvance(caption) + 4 * edgeX;
  int buttonHeight = fm.height() + 3 * edgeY;
  int buttonTop = kMargin + textHeight + kMargin;
  int buttonLeft = kMargin + kTextWidth - buttonWidth;
  cancel_->setGeometry(buttonLeft, buttonTop, buttonWidth, buttonHeight);
  bar_->setGeometry(kMargin, buttonTop + edgeY, buttonLeft - kMargin - kMargin, buttonHeight - 2 * edgeY);
  window_->setFixedSize(kTextWidth + 2 * kMargin, 3 * kMargin + textHeight + buttonHeight);
}

void CProgressDlg::GoModal(const std::string& title, bool smooth) {
  title_ = Translated(title);
  if (!window_ && !Create(title, smooth)) return;
  if (modal_) return;
  // The topmost enabled ancestor of the owner is disabled, which disables the
  // owner and everything in it.
  QWidget* target = owner_ ? owner_.data() : window_.get();
  if (owner_ && owner_->isEnabled()) {
    while (QWidget* up = target->parentWidget()) {
      if (!up->isEnabled()) break;
      target = up;
    }
  } else {
    target = window_.get();
  }
  target->setEnabled(false);
  window_->setEnabled(true);
  reenable_ = target;
  modal_ = true;
}

void CProgressDlg::EndModal() {
  if (!modal_) return;
  modal_ = false;
  if (reenable_) reenable_->setEnabled(true);
}

void CProgressDlg::SetRange(int lower, int upper, int step) {
  if (!window_) return;
  bar_->setRange(lower, std::max(lower, upper));
  lower_ = lower;
  upper_ = upper;
  step_ = step;
}

void CProgressDlg::ShowIfHidden() {
  if (!window_->isVisible()) window_->show();
}

int CProgressDlg::SetPos(int position) {
  if (!window_) return position_;
  ShowIfHidden();
  int percent = 0;
  if (upper_ > lower_) {
    percent = static_cast<int>(static_cast<double>(position - lower_) * 100.0 / (upper_ - lower_) + 0.5);
  }
  if (percent != percent_) {
    percent_ = percent;
    window_->setWindowTitle(QStringLiteral("%1 [%2%]").arg(title_).arg(percent));
  }
  int previous = position_;
  position_ = position;
  bar_->setValue(std::clamp(position, bar_->minimum(), bar_->maximum()));
  bar_->repaint();
  return previous;
}

void CProgressDlg::StepIt() {
  if (!window_) return;
  ShowIfHidden();
  SetPos(position_ + step_);
}

void CProgressDlg::SetStatus(const std::string& text) {
  if (!window_) return;
  std::string line = Utf8Prefix(QString::fromUtf8(text), kMaxStatusBytes);
  status_->setText(QString::fromUtf8(line));
  status_->repaint();
}

QString CProgressDlg::Caption() const {
  return window_ ? window_->windowTitle() : QString();
}

QString CProgressDlg::Status() const {
  return status_ ? status_->text() : QString();
}

std::unique_ptr<ProgressWindow> CProgressDlgFactory::Make() {
  return std::make_unique<CProgressDlg>(owner_);
}

}  // namespace qx
