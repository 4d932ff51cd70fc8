// The window layer as the plug-in's entry code sees it: headless answers,
// translations, and the field helpers every page relies on.
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/UiTestSupport.h"
#include "ui/CConfiguratorDlg.h"
#include "ui/FieldHelpers.h"
#include "ui/NtpTimeZones.h"
#include "ui/WindowLayer.h"

namespace qx::test {
namespace {

const std::string kLanguageFolder =
    std::string(QX_BUILD_DIR) + "/data/Orvane Industrial Automation/SYSBUILD/Data/QXCONFIG/KM31QX-2C/";

TEST_F(SessionTest, HeadlessModeShowsNoWindowAndAnswersWithoutBlocking) {
  QByteArray before = qgetenv("QX_HEADLESS");
  qputenv("QX_HEADLESS", "1");
  EXPECT_FALSE(CanShowWindows());
  EXPECT_EQ(ShowConfiguratorWindow(context), WindowResult::kNotShown);
  auto services = MakeUiServices();
  EXPECT_EQ(services->ShowMessage("overwrite?", MessageButtons::kOkCancel), MessageAnswer::kCancel);
  qputenv("QX_HEADLESS", before);
}

// Every time zone is translated but keeps its "(GMT...)" prefix, which its
// offset is read from.
TEST_F(SessionTest, TranslationsGiveTheWindowItsLanguage) {
  struct Case {
    const char* file;
    const char* upload;
    const char* title;
  } cases[] = {{"KM31QX-2C_CHT.qm", "上傳", "QX 組態設定工具"},
               {"KM31QX-2C_CHS.qm", "上传", "QX 配置工具"},
               {"missing.qm", "上传", "QX 配置工具"},  // a file that cannot be loaded changes nothing
               {"", "Upload", "QX Configurator"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    InstallTranslation(*c.file ? kLanguageFolder + c.file : "");
    CConfiguratorDlg window(context);
    EXPECT_EQ(window.findChild<QPushButton*>("uploadButton")->text(), QString::fromUtf8(c.upload));
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8(c.title));
    for (int i = 0; i < kTimeZoneCount; ++i) {
      QString english = QString::fromLatin1(TimeZoneText(i));
      QString shown = QCoreApplication::translate("qx::CNTPDlg", TimeZoneText(i));
      EXPECT_EQ(shown != english, std::string(c.upload) != "Upload") << i;
      EXPECT_EQ(shown.section(u')', 0, 0), english.section(u')', 0, 0)) << i;
    }
  }
}

TEST(FieldHelpers, DecimalReadingFollowsAtoi) {
  const std::pair<const char*, int> cases[] = {
      {"", 0},    {"12", 12},   {"  7x", 7}, {"-3", -3},
      {"abc", 0}, {"0012", 12}, {"+5", 5},   {"99999999999", 2147483647}};
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingDecimal(text), value) << text;
}

TEST(FieldHelpers, ByteLimitsNeverCutACharacter) {
  QString chinese = QString::fromUtf8("社群字串");  // 3 bytes a character
  EXPECT_EQ(Utf8Prefix(chinese, 7), "社群");
  EXPECT_EQ(Utf8Prefix(chinese, 12), "社群字串");

  QLineEdit edit;
  LimitEdit(&edit, 4, true);
  QTest::keyClicks(&edit, "12a345");
  EXPECT_EQ(edit.text(), "1234");
  edit.setText("123456");  // the program may show a longer value
  EXPECT_EQ(edit.text(), "123456");
}

}  // namespace
}  // namespace qx::test
