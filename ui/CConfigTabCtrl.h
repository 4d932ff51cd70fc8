// CConfigTabCtrl: a tab row over a framed area that hosts up to 16 pages,
// used by the configurator window and by the e-mail page. Pages are owned by
// their window; the control reparents them and shows the current one. The
// shown page changes by a left mouse press on a tab, by SetActivePage, and
// from the keyboard as in the platform's tabbed dialogs: Ctrl+Tab or
// Ctrl+PgDn shows the next page, Ctrl+Shift+Tab or Ctrl+PgUp the previous
// one (both wrap around), and the focus goes to the first control of the
// page shown. The keys work wherever the focus is in the window, also in a
// list that takes Tab for itself; inside a tab control nested in a page (the
// e-mail page's) the inner control answers them. The tab row itself takes
// no focus and ignores the wheel, so the selected tab and the shown page
// never disagree.
#pragma once

#include <QString>
#include <QTabBar>
#include <QWidget>
#include <array>

namespace qx {

// A page as a window lists it: the UIStr key of its tab's title (the text
// table's word, else the built-in English one) and its dialog template number.
struct TabPageRow {
  const char* key;
  int templateId;
};

class ConfigTabBar : public QTabBar {
  Q_OBJECT
 public:
  explicit ConfigTabBar(QWidget* parent);

 signals:
  // After the bar's own handling of a left button press.
  void leftPressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};

class CConfigTabCtrl : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMaxPages = 16;

  explicit CConfigTabCtrl(QWidget* parent = nullptr);

  // Registers a page; false (page ignored) when 16 are registered already
  // or the page is null.
  bool AddPage(const QString& title, QWidget* page, int templateId);
  // Makes every registered page a child of this control with its tab, shows
  // page 0 and hides the others.
  void CreatePages();
  // Places every page inside the frame under the tabs; page 0 shown, the
  // others hidden.
  void LayoutPages();
  // The previous index; the current one when index already is current; -1
  // (nothing changed) when index is not a registered page.
  int SetActivePage(int index);

  int GetActivePage() const { return current_; }
  int GetPageCount() const { return count_; }
  QWidget* GetPage(int index) const;
  int GetTemplateId(int index) const;
  ConfigTabBar* TabBar() const { return bar_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  // Watches the key presses of the application for the page keys.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  struct PageSlot {
    QString title;
    QWidget* page = nullptr;
    int templateId = 0;
  };

  QRect PageRect() const;
  void PlacePages();
  void OnTabPressed();
  // Whether a key press received by widget is this control's to answer.
  bool AnswersKeysOf(QWidget* widget) const;
  // Shows the page step pages on (wrapping) and focuses its first control.
  void StepPage(int step);

  ConfigTabBar* bar_;
  std::array<PageSlot, kMaxPages> slots_{};
  int count_ = 0;
  int current_ = 0;
};

}  // namespace qx
