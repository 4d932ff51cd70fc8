#include "ui/CConfigTabCtrl.h"

#include <QMouseEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace qx {

ConfigTabBar::ConfigTabBar(QWidget* parent) : QTabBar(parent) {
  setFocusPolicy(Qt::NoFocus);
  setDrawBase(false);
  setExpanding(false);
}

void ConfigTabBar::mousePressEvent(QMouseEvent* event) {
  QTabBar::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit leftPressed();
}

void ConfigTabBar::keyPressEvent(QKeyEvent* event) {
  event->ignore();
}

void ConfigTabBar::wheelEvent(QWheelEvent* event) {
  event->ignore();
}

CConfigTabCtrl::CConfigTabCtrl(QWidget* parent) : QWidget(parent), bar_(new ConfigTabBar(this)) {
  bar_->setObjectName("configTabBar");
  connect(bar_, &ConfigTabBar::leftPressed, this, &CConfigTabCtrl::OnTabPressed);
}

bool CConfigTabCtrl::AddPage(const QString& title, QWidget* page, int templateId) {
  if (count_ >= kMaxPages || page == nullptr) return false;
  slots_[count_++] = PageSlot{title, page, templateId};
  return true;
}

void CConfigTabCtrl::CreatePages() {
  for (int i = 0; i < count_; ++i) {
    slots_[i].page->setParent(this);
    bar_->insertTab(i, slots_[i].title);
  }
  bar_->resize(width(), bar_->sizeHint().height());
  LayoutPages();
}

QRect CConfigTabCtrl::PageRect() const {
  // Inside the frame: from the left edge of the first tab and just below it,
  // two pixels short of the control's right and bottom edges.
  QRect tab = count_ > 0 ? bar_->tabRect(0).translated(bar_->pos()) : QRect(0, 0, 0, bar_->height());
  int x = tab.left();
  int y = tab.bottom() + 1 + 1;
  return QRect(x, y, width() - x - 2, height() - y - 2);
}

void CConfigTabCtrl::PlacePages() {
  QRect r = PageRect();
  for (int i = 0; i < count_; ++i) slots_[i].page->setGeometry(r);
}

void CConfigTabCtrl::LayoutPages() {
  PlacePages();
  for (int i = 0; i < count_; ++i) slots_[i].page->setVisible(i == 0);
}

int CConfigTabCtrl::SetActivePage(int index) {
  if (index < 0 || index >= count_) return -1;
  if (index == current_) return current_;
  int previous = current_;
  slots_[current_].page->hide();
  current_ = index;
  slots_[current_].page->show();
  bar_->setCurrentIndex(index);
  return previous;
}

QWidget* CConfigTabCtrl::GetPage(int index) const {
  return index >= 0 && index < count_ ? slots_[index].page : nullptr;
}

int CConfigTabCtrl::GetTemplateId(int index) const {
  return index >= 0 && index < count_ ? slots_[index].templateId : 0;
}

void CConfigTabCtrl::OnTabPressed() {
  int selected = bar_->currentIndex();
  if (selected < 0 || selected >= count_ || selected == current_) return;
  slots_[current_].page->hide();
  current_ = selected;
  slots_[current_].page->show();
}

QSize CConfigTabCtrl::sizeHint() const {
  QSize pages;
  for (int i = 0; i < count_; ++i) pages = pages.expandedTo(slots_[i].page->sizeHint());
  return QSize(pages.width() + 4, pages.height() + bar_->sizeHint().height() + 4);
}

QSize CConfigTabCtrl::minimumSizeHint() const {
  QSize pages;
  for (int i = 0; i < count_; ++i) pages = pages.expandedTo(slots_[i].page->minimumSizeHint());
  return QSize(pages.width() + 4, pages.height() + bar_->sizeHint().height() + 4);
}

void CConfigTabCtrl::resizeEvent(QResizeEvent*) {
  bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
  PlacePages();
}

void CConfigTabCtrl::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.shape = QTabBar::RoundedNorth;
  frame.tabBarSize = bar_->sizeHint();
  frame.rect = QRect(0, bar_->height() - 1, width(), height() - bar_->height() + 1);
  frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

}  // namespace qx
