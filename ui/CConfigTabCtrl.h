// CConfigTabCtrl: a tab row over a framed area that hosts up to 16 pages,
// used by the configurator window and by the e-mail page. Pages are owned by
// their window; the control reparents them and shows the current one. The
// shown page changes only by a left mouse press on a tab or SetActivePage:
// the tab row takes no keyboard focus and ignores the wheel, so the selected
// tab and the shown page never disagree.
#pragma once

#include <QString>
#include <QTabBar>
#include <QWidget>
#include <array>

namespace qx {

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

  ConfigTabBar* bar_;
  std::array<PageSlot, kMaxPages> slots_{};
  int count_ = 0;
  int current_ = 0;
};

}  // namespace qx
