// Shared by the window-layer tests: one QApplication for the whole program
// (offscreen); a session like the one the plug-in opens the configurator
// window on: a default record, rack 1 slot 3, a parameter file and a text
// table of every page's messages in a temporary folder, scripted user answers
// and recorded transfers; typing and clicking as a person does.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "comm/XferKit.h"
#include "config/ModuleConfig.h"
#include "platform/ProfileFile.h"
#include "platform/TextTable.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestSupport.h"
#include "ui/CXListCtrl.h"
#include "ui/ConfiguratorContext.h"

namespace qx::test {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = new QApplication(argc_, argv_);
  }
  void TearDown() override { delete app_; }

 private:
  int argc_ = 1;
  char name_[16] = "qx_ui_tests";
  char* argv_[2] = {name_, nullptr};
  QApplication* app_ = nullptr;
};

inline ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Records what the window asked of the transfers and answers as told.
struct FakeTransfers : ModuleTransfers {
  int connection = 3;  // -1: none can be had
  int result = 1;
  std::vector<std::string> calls;
  int Open(int port) override {
    calls.push_back("open " + std::to_string(port));
    return connection;
  }
  void Close(int c) override { calls.push_back("close " + std::to_string(c)); }
  int Upload(int c, int st, int rack, int slot) override { return Run("upload", {c, st, rack, slot}); }
  int Download(int c, int st, int rack, int slot) override { return Run("download", {c, st, rack, slot}); }
  int Run(std::string what, std::initializer_list<int> args) {
    for (int a : args) what += ' ' + std::to_string(a);
    calls.push_back(what);
    return result;
  }
};

// Shows a window and waits until it is the active one.
inline void ShowActive(QWidget& window) {
  window.show();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The child of that type and object name.
template <typename T = QLineEdit>
T* Child(const QObject* parent, const char* name) {
  return parent->findChild<T*>(QLatin1String(name));
}

// Replaces the edit's text by typing: select all, then the keys.
inline void Type(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Delete);
  // keyClicks knows only ASCII keys; other characters come as a key's text.
  for (QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClicks(edit, QString(c));
    } else {
      QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

// On the box of a check box or radio button (a stretched one's middle may
// be past its text), in the middle of a push button.
inline void Click(QAbstractButton* button) {
  const bool box = button->inherits("QCheckBox") || button->inherits("QRadioButton");
  QTest::mouseClick(button, Qt::LeftButton, {},
                    box ? QPoint(6, button->height() / 2) : button->rect().center());
}

// A click in the middle of a list cell, scrolled into view (a double click when asked).
inline void ClickCell(CXListCtrl* list, int row, int column, bool twice = false) {
  list->scrollToItem(list->item(row, column));
  const QPoint at = list->visualItemRect(list->item(row, column)).center();
  if (twice) {
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  } else {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  }
}

// A click on the check box of a list cell, scrolled into view.
inline void ClickBox(CXListCtrl* list, int row, int col) {
  list->scrollToItem(list->item(row, col));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->CheckboxRect(row, col).center());
}

// Runs act on the next modal dialog once it is up (from inside its exec).
inline void WhenModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    if (QWidget* modal = QApplication::activeModalWidget()) act(modal);
  });
}

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() {
    record.SetDefaults();
    session.Rack = 1;
    session.Slot = 3;
    session.TargetStation = 7;
    WriteFile(Path("texts.ini"),
              "[UIStr]\r\nTAB_DE_Item=Item\r\n[MsgStr]\r\nMsg3=Cycle 1-1440\r\nMsg4=Slave > 255\r\n"
              "Msg5=Cycle 1-60000\r\nMsg6=Timeout 10-60000\r\nMsg7=Limit %d\r\nMsg8=Overwrite?\r\n"
              "Msg9=Checksum error\\nValues loaded\r\nMsg10=Bit 0-15\r\nMsg12=Quantity <= %d\r\n"
              "Msg13=Not a KM31QX-2C file\\nNothing read\r\nMsg14=Remote Address %s\r\nMsg15=No range\r\n"
              "Msg16=Past the end\r\nMsg25=%s above %d\r\nMsg26=Length above %d\r\nMsg27=Past %d\r\n"
              "Msg28=Upload failed %d-%d\r\nMsg29=Download failed %d-%d\r\nMsg30=Uploaded %d-%d\r\n"
              "Msg31=Downloaded %d-%d\r\nMsg32=Interval 1-1440\r\nMsg33=No @\r\nMsg34=Longer than %d\r\n"
              "Msg35=Area max %d\r\nMsg36=Sum max %d\r\nMsg37=Port above %d\r\n");
    textFile.SetPathName(Path("texts.ini").c_str());
    WriteFile(Path("project.qx1"), "[SLOT13]\r\n");
    parameterFile.SetPathName(Path("project.qx1").c_str());
  }

  std::string Path(const std::string& name) const { return dir.Path(name); }

  TempFolder dir;
  ModuleConfig record;
  SessionFields session;
  CProfileFile parameterFile;
  CProfileFile textFile;
  CTextTable texts{textFile};
  CXferKit link;
  ScriptedUi ui;
  FakeTransfers transfers;
  ConfiguratorContext context{record, session, parameterFile, texts, link, ui, "", "", "",
                              {},     {},      &transfers};
};

// A page or dialog over the session, shown for each test.
template <typename Page>
class ShownPageTest : public SessionTest {
 protected:
  void SetUp() override { ShowActive(page); }
  template <typename T = QLineEdit>
  T* Find(const char* name) {
    return Child<T>(&page, name);
  }
  Page page{context};
};

}  // namespace qx::test
