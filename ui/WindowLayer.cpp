#include "ui/WindowLayer.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <optional>

#include "ui/CConfiguratorDlg.h"
#include "ui/QtUiServices.h"
#include "ui/WindowRegistry.h"

namespace qx {
namespace {

struct Translation {
  std::string file;
  std::unique_ptr<QTranslator> own;
  std::unique_ptr<QTranslator> qt;  // Qt's own words: OK, Cancel, the file dialog
};

Translation& Current() {
  static Translation current;
  return current;
}

QString QtLocaleOf(const QString& file) {
  if (file.endsWith(QStringLiteral("_CHT.qm"), Qt::CaseInsensitive)) return QStringLiteral("zh_TW");
  if (file.endsWith(QStringLiteral("_CHS.qm"), Qt::CaseInsensitive)) return QStringLiteral("zh_CN");
  return {};
}

void Remove(Translation& t) {
  if (t.own) QCoreApplication::removeTranslator(t.own.get());
  if (t.qt) QCoreApplication::removeTranslator(t.qt.get());
  t.own.reset();
  t.qt.reset();
  t.file.clear();
}

// Chooses at each call, so that the QApplication is created only when a
// first box or chooser is really to be shown.
class DeferredUiServices : public UiServices {
 public:
  MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                            MessageIcon icon = MessageIcon::kDefault) override {
    return Pick().ShowMessage(text, buttons, icon);
  }
  std::optional<std::string> ChooseOpenFile(const std::string& filter) override {
    return Pick().ChooseOpenFile(filter);
  }
  std::optional<std::string> ChooseSaveFile(const std::string& filter,
                                            const std::string& extension) override {
    return Pick().ChooseSaveFile(filter, extension);
  }
  // Pumping never creates the application: without one there is nothing to pump.
  void PumpOneMessage() override { qt_.PumpOneMessage(); }
  // The trace goes where its reader is: the log file when windows can be
  // shown, standard error when headless. Never creates the application.
  void LogFailure(const std::string& line) override {
    if (WindowsAvailable()) {
      UiServices::LogFailure(line);
    } else {
      headless_.LogFailure(line);
    }
  }

  void SetTranslation(const std::string& translationFile) override { translation_ = translationFile; }

 private:
  UiServices& Pick() {
    if (!EnsureApplication()) return headless_;
    // Qt's own words on the buttons (OK, Cancel, the file dialog's) follow
    // the session's language from the first box on.
    if (translation_) InstallTranslation(*translation_);
    return qt_;
  }
  QtUiServices qt_;
  HeadlessUi headless_;
  std::optional<std::string> translation_;  // none until the session chose a language
};

}  // namespace

bool CanShowWindows() {
  return WindowsAvailable();
}

std::unique_ptr<UiServices> MakeUiServices() {
  return std::make_unique<DeferredUiServices>();
}

void InstallTranslation(const std::string& qmFile) {
  Translation& current = Current();
  if (qmFile == current.file && (current.own || qmFile.empty())) return;
  if (qmFile.empty()) {
    Remove(current);
    return;
  }
  if (!QCoreApplication::instance()) return;
  QString file = QString::fromUtf8(qmFile);
  auto own = std::make_unique<QTranslator>();
  if (!own->load(file)) return;
  Remove(current);
  current.own = std::move(own);
  QCoreApplication::installTranslator(current.own.get());
  QString locale = QtLocaleOf(file);
  auto qt = std::make_unique<QTranslator>();
  if (!locale.isEmpty() &&
      qt->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    current.qt = std::move(qt);
    QCoreApplication::installTranslator(current.qt.get());
  }
  current.file = qmFile;
}

WindowResult ShowConfiguratorWindow(ConfiguratorContext& context) {
  if (!EnsureApplication()) return WindowResult::kNotShown;
  InstallTranslation(context.translationFile);
  CConfiguratorDlg window(context);
  return window.exec() == QDialog::Accepted ? WindowResult::kOk : WindowResult::kCancel;
}

bool PostSetCommPort(uintptr_t wParam) {
  return WindowRegistry::PostSetCommPort(wParam);
}

}  // namespace qx
