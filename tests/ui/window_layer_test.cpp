// The window layer as the plug-in's entry code sees it: headless answers,
// message boxes, embedding in a host's application, the progress window of
// a real transfer, translations, and the field helpers every page relies on.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <optional>
#include <thread>

#include "app/ModuleConfigApp.h"
#include "tests/sim/SimHarness.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/CConfigTabCtrl.h"
#include "ui/CConfiguratorDlg.h"
#include "ui/CMailDlg.h"
#include "ui/CMailPageDlg3.h"
#include "ui/CTriggerConfigDlg.h"
#include "ui/FieldHelpers.h"
#include "ui/NtpTimeZones.h"
#include "ui/QtUiServices.h"
#include "ui/WindowLayer.h"

namespace qx::test {
namespace {

const std::string kLanguageFolder =
    std::string(QX_BUILD_DIR) + "/data/Orvane Industrial Automation/SYSBUILD/Data/QXCONFIG/KM31QX-2C/";

// Sets or clears an environment variable until the end of the scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (qEnvironmentVariableIsSet(name)) old_ = qgetenv(name);
    value ? qputenv(name, value) : qunsetenv(name);
  }
  ~ScopedEnv() { old_ ? qputenv(name_, *old_) : qunsetenv(name_); }

 private:
  const char* name_;
  std::optional<QByteArray> old_;
};

// The first box shown while func runs, answered with OK: its icon and the
// text of its OK button.
template <typename Func>
std::pair<QMessageBox::Icon, QString> FirstBox(Func func) {
  std::pair<QMessageBox::Icon, QString> seen{QMessageBox::NoIcon, QString()};
  WhenModal([&seen](QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      seen = {box->icon(), box->button(QMessageBox::Ok)->text()};
      box->button(QMessageBox::Ok)->click();
    }
  });
  func();
  return seen;
}

// Headless: no window, and a question is answered Cancel without blocking. A
// host that has a QApplication of its own gets the window without DISPLAY.
TEST_F(SessionTest, HeadlessShowsNothingButAHostsOwnApplicationGetsTheWindow) {
  {
    ScopedEnv headless("QX_HEADLESS", "1");
    EXPECT_FALSE(CanShowWindows());
    EXPECT_EQ(ShowConfiguratorWindow(context), WindowResult::kNotShown);
    EXPECT_EQ(MakeUiServices()->ShowMessage("overwrite?", MessageButtons::kOkCancel), MessageAnswer::kCancel);
  }
  ScopedEnv headless("QX_HEADLESS", nullptr);
  ScopedEnv display("DISPLAY", nullptr);
  ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
  EXPECT_TRUE(CanShowWindows());
  WhenModal([](QWidget* window) { qobject_cast<QDialog*>(window)->reject(); });
  EXPECT_EQ(ShowConfiguratorWindow(context), WindowResult::kCancel);
}

// A display whose socket takes connections but whose server turns them down
// (another user's X server, a wrong cookie) counts as no display: Qt's X11
// platform would end the host's process on it.
TEST(Displays, AServerThatTurnsUsDownIsNoDisplay) {
  const std::string number = std::to_string(6000 + getpid() % 1000);
  const std::string path = "/tmp/.X11-unix/X" + number;
  ::mkdir("/tmp/.X11-unix", 01777);
  ::unlink(path.c_str());
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 4), 0);
  std::thread refuser([listener] {  // takes each connection and hangs up
    for (int c; (c = ::accept(listener, nullptr, nullptr)) >= 0;) ::close(c);
  });
  EXPECT_FALSE(XDisplayAccepts(":" + number));
  EXPECT_FALSE(XDisplayAccepts(":" + number + ".0"));
  ::shutdown(listener, SHUT_RDWR);
  refuser.join();
  ::close(listener);
  ::unlink(path.c_str());
  EXPECT_FALSE(XDisplayAccepts(":" + number));     // nothing listens any more
  EXPECT_TRUE(XDisplayAccepts("host.example:0"));  // remote displays are trusted
}

// The number of requests the simulator had when the progress window was
// first exposed on the screen; -1 until then.
class ExposureWatch : public QObject {
 public:
  explicit ExposureWatch(const SimHarness& sim) : sim_(sim) { qApp->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWindow*>(watched);
    if (event->type() == QEvent::Expose && window && requestsAtExpose < 0 &&
        window->objectName().startsWith("progressWindow") && window->isExposed()) {
      requestsAtExpose = sim_.requests();
    }
    return false;
  }
  int requestsAtExpose = -1;

 private:
  const SimHarness& sim_;
};

// With every request of an upload held back by the simulator, the progress
// window is on the screen before the first request goes out.
TEST_F(SessionTest, ProgressWindowIsShownBeforeTheFirstRequest) {
  sim::FaultPlan plan;
  for (int request = 1; request <= 8; ++request) plan.Add(request, {sim::FaultKind::kDelay, 40});
  SimHarness sim(std::move(plan));
  session.TargetStation = 1;
  session.Slot = 2;             // slot number 3 of the plant
  context.transfers = nullptr;  // the communication layer's own transfers
  CConfiguratorDlg window(context);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.OnSetCommPort(static_cast<uintptr_t>(sim.port()));
  ExposureWatch watch(sim);
  QTest::mouseClick(window.findChild<QPushButton*>("uploadButton"), Qt::LeftButton);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Uploaded 1-2"});
  EXPECT_GE(sim.requests(), 5);
  EXPECT_EQ(watch.requestsAtExpose, 0);
}

// A language speaks from the first box on, before any window (here the show
// call's "Msg2" for a project without hardware): Qt's own words, then the
// window's translation, the words of the language's text table on the e-mail
// tab. Every time zone is translated but keeps the "(GMT...)" prefix its
// offset is read from. Boxes show the framework's icons, a question only
// where one is asked.
TEST_F(SessionTest, EachLanguageSpeaksFromTheFirstBoxOn) {
  ScopedEnv headless("QX_HEADLESS", nullptr);
  ScopedEnv data("QX_COMMON_APPDATA", QX_BUILD_DIR "/data");
  auto services = MakeUiServices();
  CModuleConfigApp app;
  app.InitInstance();
  app.SetUiServices(services.get());
  struct Case {
    uint32_t language;
    const char* suffix;
    const char *ok, *upload, *subPage, *heading, *password, *triggerTitle;
  } cases[] = {
      {0x0404, "_CHT", "確定", "上傳", "郵件伺服器", "觸發 1", "密碼", "觸發設定"},
      {0x0804, "_CHS", "确定", "上传", "邮件服务器", "触发 1", "密码", "触发设置"},
      {0x0409, "", "OK", "Upload", "Mail Server", "Trigger 1", "Password", "Trigger Configuration"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    auto [icon, ok] =
        FirstBox([&] { EXPECT_FALSE(app.PrepareDialogSession(Path("line1"), "13", c.language, 0x110)); });
    EXPECT_EQ(icon, QMessageBox::Warning);  // the exclamation mark of an OK box
    EXPECT_EQ(ok, QString::fromUtf8(c.ok));
    CConfiguratorDlg window(context);
    EXPECT_EQ(Child<QPushButton>(&window, "uploadButton")->text(), QString::fromUtf8(c.upload));
    for (int i = 0; i < kTimeZoneCount; ++i) {
      QString english = QString::fromLatin1(TimeZoneText(i));
      QString shown = QCoreApplication::translate("qx::CNTPDlg", TimeZoneText(i));
      EXPECT_EQ(shown != english, *c.suffix != 0) << i;
      EXPECT_EQ(shown.section(u')', 0, 0), english.section(u')', 0, 0)) << i;
    }
    textFile.SetPathName((kLanguageFolder + "KM31QX-2CUI" + c.suffix + ".ini").c_str());
    CMailDlg mail(context);
    EXPECT_EQ(mail.Tabs()->TabBar()->tabText(0), QString::fromUtf8(c.subPage));
    EXPECT_EQ(mail.RecipientPage()->List()->horizontalHeaderItem(1)->text(), QString::fromUtf8(c.heading));
    EXPECT_EQ(Child(&mail, "passwordEdit")->accessibleName(), QString::fromUtf8(c.password));
    EXPECT_EQ(CTriggerConfigDlg(context).windowTitle(), QString::fromUtf8(c.triggerTitle));
  }
  auto [icon, ok] = FirstBox(
      [&] { services->ShowMessage("Overwrite?", MessageButtons::kOkCancel, MessageIcon::kQuestion); });
  EXPECT_EQ(icon, QMessageBox::Question);
  InstallTranslation(kLanguageFolder + "KM31QX-2C_CHS.qm");
  InstallTranslation(kLanguageFolder + "missing.qm");  // a file that cannot be loaded changes nothing
  EXPECT_EQ(CConfiguratorDlg(context).windowTitle(), QString::fromUtf8("QX 配置工具"));
  InstallTranslation("");
}

// The reader's own cases are the platform tests' (ReadClampedSigned32).
TEST(FieldHelpers, DecimalReadingUsesTheClampingReader) {
  EXPECT_EQ(LeadingDecimal("  7x"), 7);
  EXPECT_EQ(LeadingDecimal("99999999999"), 2147483647);
}

TEST(FieldHelpers, ByteLimitsNeverCutACharacter) {
  QString chinese = QString::fromUtf8("社群字串");  // 3 bytes a character
  EXPECT_EQ(Utf8Prefix(chinese, 7), "社群");
  EXPECT_EQ(Utf8Prefix(chinese, 12), "社群字串");

  QLineEdit edit;
  LimitEdit(&edit, 4, true);
  QTest::keyClicks(&edit, "12a345");
  EXPECT_EQ(edit.text(), "1234");
  QLineEdit community;
  LimitEdit(&community, 7);
  community.setText(chinese);  // a longer text set by the program is cut too
  EXPECT_EQ(community.text(), QString::fromUtf8("社群"));
}

}  // namespace
}  // namespace qx::test
