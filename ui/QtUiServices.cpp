#include "ui/QtUiServices.h"

#include <dlfcn.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <cstddef>
#include <cstring>
#include <ctime>
#include <string_view>

#include "platform/Paths.h"

namespace qx {
namespace {

constexpr const char* kBoxTitle = "KM31QX-2C";
constexpr int kPumpMilliseconds = 10;

std::string Env(const char* name) {
  return EnvironmentValue(name).value_or("");
}

bool ConnectsUnix(const std::string& path, bool abstractName) {
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::size_t offset = abstractName ? 1 : 0;  // an abstract name starts with a NUL byte
  if (path.size() + offset >= sizeof(addr.sun_path)) {
    ::close(fd);
    return false;
  }
  std::memcpy(addr.sun_path + offset, path.data(), path.size());
  socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
  bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), length) == 0;
  ::close(fd);
  return ok;
}

// A server that hangs up during the handshake makes libxcb's write raise
// SIGPIPE, which would end the host's process. The signal is held for this
// thread while it lasts, and one raised meanwhile is taken back before the
// thread's mask is restored (unless one was pending before: that is not ours).
class PipeSignalHeld {
 public:
  PipeSignalHeld() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    sigset_t pending;
    sigemptyset(&pending);
    ::sigpending(&pending);
    pendingBefore_ = sigismember(&pending, SIGPIPE) == 1;
    ::pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
  }
  ~PipeSignalHeld() {
    if (!pendingBefore_) {
      const timespec now{};
      while (::sigtimedwait(&pipe_, nullptr, &now) == SIGPIPE) {
      }
    }
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  PipeSignalHeld(const PipeSignalHeld&) = delete;
  PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

 private:
  sigset_t pipe_;
  sigset_t previous_;
  bool pendingBefore_ = false;
};

// Qt's X11 platform ends the process when the server turns the connection
// down (a display of another user, a wrong cookie), so the display is greeted
// with the X protocol's own handshake first, through libxcb as Qt does.
bool XServerGreets(const std::string& display) {
  using Connect = void* (*)(const char*, int*);
  using HasError = int (*)(void*);
  using Disconnect = void (*)(void*);
  // Stays loaded: Qt's X11 platform loads the same library.
  void* xcb = ::dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
  if (xcb == nullptr) return false;  // no X11 platform without it either
  auto connect = reinterpret_cast<Connect>(::dlsym(xcb, "xcb_connect"));
  auto hasError = reinterpret_cast<HasError>(::dlsym(xcb, "xcb_connection_has_error"));
  auto disconnect = reinterpret_cast<Disconnect>(::dlsym(xcb, "xcb_disconnect"));
  if (connect == nullptr || hasError == nullptr || disconnect == nullptr) return false;
  const PipeSignalHeld held;
  void* connection = connect(display.c_str(), nullptr);
  const bool greeted = connection != nullptr && hasError(connection) == 0;
  if (connection != nullptr) disconnect(connection);
  return greeted;
}

}  // namespace

bool XDisplayAccepts(std::string_view display) {
  const std::string name(display);
  std::string_view local = display;
  if (local.starts_with("unix:")) local.remove_prefix(4);
  if (!local.starts_with(':')) return true;  // a remote display is trusted
  local.remove_prefix(1);
  std::string number(local.substr(0, local.find('.')));
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return false;
  // The socket first: a stale DISPLAY fails fast, without a handshake.
  std::string path = "/tmp/.X11-unix/X" + number;
  if (!ConnectsUnix(path, false) && !ConnectsUnix(path, true)) return false;
  return XServerGreets(name);
}

bool WindowsAvailable() {
  if (Env("QX_HEADLESS") == "1") return false;
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
  if (QCoreApplication::instance()) return false;  // a console Qt process: no widgets
  const std::string platform = Env("QT_QPA_PLATFORM");
  if (platform.starts_with("offscreen") || platform.starts_with("minimal")) return false;
  if (!Env("WAYLAND_DISPLAY").empty()) return true;
  const std::string display = Env("DISPLAY");
  return !display.empty() && XDisplayAccepts(display);
}

QApplication* EnsureApplication() {
  if (!WindowsAvailable()) return nullptr;
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return app;
  static int argc = 1;
  static char name[] = "KM31QX-2C";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return app;
}

QWidget* DialogParent() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

MessageAnswer QtUiServices::ShowMessage(const std::string& text, MessageButtons buttons, MessageIcon icon) {
  // Only boxes that ask a question show the question mark; every other box
  // of the plug-in reports a problem or an outcome to be noticed.
  const QMessageBox::Icon shown = icon == MessageIcon::kQuestion ? QMessageBox::Question : QMessageBox::Warning;
  const bool okCancel = buttons == MessageButtons::kOkCancel;
  QMessageBox box(shown, QString::fromLatin1(kBoxTitle), QString::fromUtf8(text),
                  okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, DialogParent());
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok ? MessageAnswer::kOk : MessageAnswer::kCancel;
}

std::optional<std::string> QtUiServices::ChooseOpenFile(const std::string& filter) {
  QFileDialog dialog(DialogParent(), QString(), QString(), QString::fromUtf8(filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

std::optional<std::string> QtUiServices::ChooseSaveFile(const std::string& filter,
                                                        const std::string& defaultExtension) {
  QFileDialog dialog(DialogParent(), QString(), QString(), QString::fromUtf8(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromUtf8(defaultExtension));
  // The caller asks its own overwrite question.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

void QtUiServices::PumpOneMessage() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents, kPumpMilliseconds);
}

}  // namespace qx
