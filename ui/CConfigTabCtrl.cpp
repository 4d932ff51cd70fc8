#include "ui/CConfigTabCtrl.h"

#include <QApplication>
#include <QKeyEvent>
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
  // The application sees a key press before the focused control does, so a
  // list or an edit that takes Ctrl+Tab for itself cannot hide the pages.
  QApplication::instance()->installEventFilter(this);
}

bool CConfigTabCtrl::AnswersKeysOf(QWidget* widget) const {
  if (widget == nullptr || widget->window() != window() || !isVisible()) return false;
  // The nearest tab control around the widget answers; a widget outside every
  // tab control (the window's buttons) belongs to the outermost one.
  for (QWidget* w = widget; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
    if (auto* tabs = qobject_cast<CConfigTabCtrl*>(w)) return tabs == this;
  }
  for (QWidget* w = parentWidget(); w != nullptr && !w->isWindow(); w = w->parentWidget()) {
    if (qobject_cast<CConfigTabCtrl*>(w)) return false;
  }
  return true;
}

bool CConfigTabCtrl::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || count_ < 2 || !watched->isWidgetType()) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  int step = 0;
  if (mods == Qt::ControlModifier && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_PageDown)) step = 1;
  if (mods == (Qt::ControlModifier | Qt::ShiftModifier) &&
      (key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Tab)) {
    step = -1;
  }
  if (mods == Qt::ControlModifier && key->key() == Qt::Key_PageUp) step = -1;
  if (step == 0 || !AnswersKeysOf(static_cast<QWidget*>(watched))) return false;
  StepPage(step);
  return true;
}

void CConfigTabCtrl::StepPage(int step) {
  const int next = (current_ + step + count_) % count_;
  QWidget* page = slots_[next].page;
  QWidget* focus = QApplication::focusWidget();
  const bool focusLeaves = focus != nullptr && isAncestorOf(focus);
  // The focus moves before the old page hides: a control that loses the
  // focus by hiding passes it on by itself (a list would move its cursor).
  page->show();
  QWidget* first = nullptr;
  QWidget* w = page;
  do {
    const bool inPage = w == page || (page->isAncestorOf(w) && w->isVisibleTo(page));
    if (inPage && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) first = w;
    w = w->nextInFocusChain();
  } while (first == nullptr && w != page);
  if (first != nullptr) {
    first->setFocus(Qt::TabFocusReason);
  } else if (focusLeaves) {
    window()->setFocus(Qt::TabFocusReason);  // a page without controls: the keys still reach the window
  }
  SetActivePage(next);
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
