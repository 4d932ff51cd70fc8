#include "ui/QtUiServices.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace qx {
namespace {

constexpr const char* kBoxTitle = "KM31QX-2C";
constexpr int kPumpMilliseconds = 10;

std::string_view Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string_view(value) : std::string_view();
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

// A local X display (":N", ":N.S", "unix:N") is probed through its socket,
// so that a stale DISPLAY does not make Qt abort the host; a remote one is
// trusted.
bool XDisplayReachable(std::string_view display) {
  if (display.starts_with("unix:")) display.remove_prefix(4);
  if (!display.starts_with(':')) return true;
  display.remove_prefix(1);
  std::string number(display.substr(0, display.find('.')));
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return false;
  std::string path = "/tmp/.X11-unix/X" + number;
  return ConnectsUnix(path, false) || ConnectsUnix(path, true);
}

}  // namespace

bool WindowsAvailable() {
  if (Env("QX_HEADLESS") == "1") return false;
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
  if (QCoreApplication::instance()) return false;  // a console Qt process: no widgets
  std::string_view platform = Env("QT_QPA_PLATFORM");
  if (platform.starts_with("offscreen") || platform.starts_with("minimal")) return false;
  if (!Env("WAYLAND_DISPLAY").empty()) return true;
  std::string_view display = Env("DISPLAY");
  return !display.empty() && XDisplayReachable(display);
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
