#include "ui/CXListCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionHeader>
#include <algorithm>

namespace qx {
namespace {

constexpr int kCheckRole = CXListDelegate::kCheckRole;
constexpr int kMargin = 3;

QSize IndicatorSize(const QWidget* widget) {
  const QStyle* style = widget ? widget->style() : QApplication::style();
  return {style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget),
          style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget)};
}

void DrawIndicator(QPainter* painter, const QRect& rect, bool checked, QStyle::State base,
                   const QWidget* widget) {
  QStyleOptionViewItem opt;
  opt.rect = rect;
  opt.state = (base & (QStyle::State_Enabled | QStyle::State_Active)) |
              (checked ? QStyle::State_On : QStyle::State_Off);
  const QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &opt, painter, widget);
}

}  // namespace

// ---- Delegate ---------------------------------------------------------------

QRect CXListDelegate::CheckRect(const QRect& cell, bool hasText, const QWidget* widget) {
  QSize size = IndicatorSize(widget);
  int y = cell.top() + (cell.height() - size.height()) / 2;
  int x = hasText ? cell.left() + kMargin : cell.left() + (cell.width() - size.width()) / 2;
  return QRect(QPoint(x, y), size);
}

void CXListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
  int check = index.data(kCheckRole).toInt();
  QStyleOptionViewItem opt(option);
  initStyleOption(&opt, index);
  bool hasText = !opt.text.isEmpty();
  bool centredIcon = !hasText && !opt.icon.isNull();
  if (check == 0 && !centredIcon) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  const QWidget* widget = opt.widget;
  const QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
  if (centredIcon) {
    QRect icon(QPoint(0, 0), opt.decorationSize);
    icon.moveCenter(opt.rect.center());
    opt.icon.paint(painter, icon, Qt::AlignCenter,
                   opt.state & QStyle::State_Enabled ? QIcon::Normal : QIcon::Disabled);
  }
  if (check != 0) {
    QRect box = CheckRect(opt.rect, hasText, widget);
    DrawIndicator(painter, box, check == CXListCtrl::kChecked, opt.state, widget);
    if (hasText) {
      QStyleOptionViewItem text(opt);
      text.rect.setLeft(box.right() + kMargin);
      text.icon = QIcon();
      text.features &= ~QStyleOptionViewItem::HasDecoration;
      style->drawControl(QStyle::CE_ItemViewItem, &text, painter, widget);
    }
  }
}

// ---- Header -----------------------------------------------------------------

CXHeaderView::CXHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setSectionsClickable(false);
  setHighlightSections(false);
}

void CXHeaderView::SetCheckState(int section, int state) {
  if (section < 0) return;
  if (static_cast<std::size_t>(section) >= states_.size()) states_.resize(section + 1, 0);
  if (states_[section] == state) return;
  states_[section] = state;
  updateSection(section);
}

int CXHeaderView::CheckState(int section) const {
  return section >= 0 && static_cast<std::size_t>(section) < states_.size() ? states_[section] : 0;
}

void CXHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  int state = CheckState(logicalIndex);
  if (state == 0) {
    QHeaderView::paintSection(painter, rect, logicalIndex);
    return;
  }
  // The box sits at the left; the heading is centred in the rest.
  QStyleOptionHeader section;
  initStyleOption(&section);
  initStyleOptionForIndex(&section, logicalIndex);
  section.rect = rect;
  style()->drawControl(QStyle::CE_HeaderSection, &section, painter, this);
  QStyleOptionButton box;
  box.rect = CXListDelegate::CheckRect(rect, true, this);
  box.state = (isEnabled() ? QStyle::State_Enabled : QStyle::State_None) |
              (state == CXListCtrl::kChecked ? QStyle::State_On : QStyle::State_Off);
  style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, this);
  QStyleOptionHeader label(section);
  label.rect = rect.adjusted(box.rect.right() - rect.left() + kMargin, 0, 0, 0);
  style()->drawControl(QStyle::CE_HeaderLabel, &label, painter, this);
}

void CXHeaderView::mousePressEvent(QMouseEvent* event) {
  int section = logicalIndexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && CheckState(section) != 0) {
    SetCheckState(
        section, CheckState(section) == CXListCtrl::kChecked ? CXListCtrl::kUnchecked : CXListCtrl::kChecked);
    emit checkToggled(section);
    return;
  }
  QHeaderView::mousePressEvent(event);
}

// ---- List -------------------------------------------------------------------

CXListCtrl::CXListCtrl(QWidget* parent) : QTableWidget(parent), header_(new CXHeaderView(this)) {
  setHorizontalHeader(header_);
  setItemDelegate(new CXListDelegate(this));
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed);
  setShowGrid(true);
  setWordWrap(false);
  setIconSize(QSize(16, 16));
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  connect(header_, &CXHeaderView::checkToggled, this, &CXListCtrl::OnHeaderToggled);
  connect(this, &QTableWidget::itemChanged, this, &CXListCtrl::OnItemChanged);
}

int CXListCtrl::InsertColumn(int col, const QString& heading, Qt::Alignment alignment, int width) {
  col = std::clamp(col, 0, columnCount());
  ++updating_;
  insertColumn(col);
  auto* head = new QTableWidgetItem(heading);
  head->setTextAlignment(alignment | Qt::AlignVCenter);
  setHorizontalHeaderItem(col, head);
  setColumnWidth(col, width);
  alignments_.insert(alignments_.begin() + col, alignment);
  --updating_;
  return col;
}

QTableWidgetItem* CXListCtrl::Cell(int row, int col) {
  if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount()) return nullptr;
  QTableWidgetItem* cell = item(row, col);
  if (!cell) {
    cell = new QTableWidgetItem;
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    cell->setTextAlignment(alignments_[col] | Qt::AlignVCenter);
    setItem(row, col, cell);
  }
  return cell;
}

int CXListCtrl::InsertItem(int row, const QString& text, const QColor& textColor, const QColor& background) {
  row = std::clamp(row, 0, rowCount());
  ++updating_;
  insertRow(row);
  for (int col = 0; col < columnCount(); ++col) {
    QTableWidgetItem* cell = Cell(row, col);
    cell->setForeground(textColor);
    cell->setBackground(background);
  }
  if (columnCount() > 0) Cell(row, 0)->setText(text);
  --updating_;
  return row;
}

bool CXListCtrl::SetItemText(int row, int col, const QString& text) {
  QTableWidgetItem* cell = Cell(row, col);
  if (!cell) return false;
  ++updating_;
  cell->setText(text);
  --updating_;
  return true;
}

bool CXListCtrl::SetItemText(int row, int col, const QString& text, const QColor& textColor,
                             const QColor& background) {
  QTableWidgetItem* cell = Cell(row, col);
  if (!cell) return false;
  ++updating_;
  cell->setText(text);
  cell->setForeground(textColor);
  cell->setBackground(background);
  --updating_;
  return true;
}

QString CXListCtrl::GetItemText(int row, int col) const {
  const QTableWidgetItem* cell = item(row, col);
  return cell ? cell->text() : QString();
}

bool CXListCtrl::SetItemImage(int row, int col, int image) {
  QTableWidgetItem* cell = Cell(row, col);
  if (!cell) return false;
  ++updating_;
  cell->setIcon(image >= 0 && image < images_.size() ? images_[image] : QIcon());
  --updating_;
  return true;
}

bool CXListCtrl::SetCheckbox(int row, int col, int state) {
  QTableWidgetItem* cell = Cell(row, col);
  if (!cell) return false;
  ++updating_;
  cell->setData(kCheckRole, state == kChecked || state == kUnchecked ? state : 0);
  --updating_;
  SyncHeader(col);
  return true;
}

int CXListCtrl::GetCheckbox(int row, int col) const {
  const QTableWidgetItem* cell = item(row, col);
  int state = cell ? cell->data(kCheckRole).toInt() : 0;
  return state == 0 ? kNoCheckbox : state;
}

void CXListCtrl::SetHeaderCheckedState(int col, int state) {
  header_->SetCheckState(col, state);
}

int CXListCtrl::GetHeaderCheckedState(int col) const {
  return header_->CheckState(col);
}

void CXListCtrl::SyncHeader(int col) {
  if (header_->CheckState(col) == 0) return;
  bool all = false;
  for (int row = 0; row < rowCount(); ++row) {
    int state = GetCheckbox(row, col);
    if (state == kNoCheckbox) continue;
    if (state != kChecked) {
      all = false;
      break;
    }
    all = true;
  }
  header_->SetCheckState(col, all ? kChecked : kUnchecked);
}

void CXListCtrl::OnHeaderToggled(int col) {
  int state = header_->CheckState(col);
  ++updating_;
  for (int row = 0; row < rowCount(); ++row) {
    if (GetCheckbox(row, col) != kNoCheckbox) item(row, col)->setData(kCheckRole, state);
  }
  --updating_;
  emit checkboxClicked(-1, col);
}

bool CXListCtrl::SetEdit(int row, int col) {
  QTableWidgetItem* cell = Cell(row, col);
  if (!cell) return false;
  ++updating_;
  cell->setFlags(cell->flags() | Qt::ItemIsEditable);
  --updating_;
  return true;
}

bool CXListCtrl::DeleteAllItems() {
  ++updating_;
  clearSelection();
  setRowCount(0);
  --updating_;
  for (int col = 0; col < columnCount(); ++col) SyncHeader(col);
  return true;
}

QRect CXListCtrl::CheckboxRect(int row, int col) const {
  const QTableWidgetItem* cell = item(row, col);
  if (!cell || cell->data(kCheckRole).toInt() == 0) return {};
  return CXListDelegate::CheckRect(visualItemRect(cell), !cell->text().isEmpty(), this);
}

void CXListCtrl::mousePressEvent(QMouseEvent* event) {
  QPoint pos = event->position().toPoint();
  QModelIndex index = indexAt(pos);
  bool toggled = false;
  if (event->button() == Qt::LeftButton && index.isValid() &&
      CheckboxRect(index.row(), index.column()).contains(pos)) {
    QTableWidgetItem* cell = item(index.row(), index.column());
    ++updating_;
    cell->setData(kCheckRole, cell->data(kCheckRole).toInt() == kChecked ? kUnchecked : kChecked);
    --updating_;
    SyncHeader(index.column());
    toggled = true;
  }
  QTableWidget::mousePressEvent(event);
  if (toggled) emit checkboxClicked(index.row(), index.column());
}

void CXListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  QModelIndex index = indexAt(event->position().toPoint());
  QTableWidget::mouseDoubleClickEvent(event);
  if (index.isValid()) {
    emit doubleClickedAt(index.row(), index.column());
  } else {
    emit doubleClickedAt(-1, -1);
  }
}

void CXListCtrl::keyPressEvent(QKeyEvent* event) {
  emit keyPressed(event->key());
  QTableWidget::keyPressEvent(event);
}

void CXListCtrl::OnItemChanged(QTableWidgetItem* cell) {
  if (updating_ > 0 || !(cell->flags() & Qt::ItemIsEditable)) return;
  emit editEnded(cell->row(), cell->column());
}

}  // namespace qx
