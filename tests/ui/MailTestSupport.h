// Shared by the e-mail page tests: typing and clicking as a person does.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

#include "tests/ui/UiTestSupport.h"
#include "ui/CXListCtrl.h"

namespace qx::test {

class MailSessionTest : public SessionTest {
 protected:
  // Replaces the edit's text by typing: select all, then the keys.
  static void Type(QLineEdit* edit, const QString& text) {
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
  static void Click(QAbstractButton* button) {
    const bool box = button->inherits("QCheckBox") || button->inherits("QRadioButton");
    QTest::mouseClick(button, Qt::LeftButton, {},
                      box ? QPoint(6, button->height() / 2) : button->rect().center());
  }

  // A click in the middle of a list cell (a double click when asked).
  static void ClickCell(CXListCtrl* list, int row, int column, bool twice = false) {
    QPoint at = list->visualItemRect(list->item(row, column)).center();
    if (twice) {
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    } else {
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    }
  }

  // Runs act on the next modal dialog once it is up (from inside its exec).
  static void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal) act(modal);
    });
  }
};

// A page or dialog of the e-mail tab over the session, shown for each test.
template <typename Page>
class ShownPageTest : public MailSessionTest {
 protected:
  void SetUp() override { ShowActive(page); }
  template <typename T = QLineEdit>
  T* Find(const char* name) {
    return Child<T>(&page, name);
  }
  Page page{context};
};

}  // namespace qx::test
