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

constexpr int kShadowRole = CXListDelegate::kCheckRole;
constexpr int kMargin = 3;

const QStyle* StyleOf(const QWidget* widget) {
  return widget ? widget->style() : QApplication::style();
}

QSize IndicatorSize(const QWidget* widget) {
  const QStyle* style = StyleOf(widget);
  return {style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget),
          style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget)};
}

// 1 or 2 of a Qt::CheckStateRole value; 0 for a cell without a box.
int PageState(const QVariant& value) {
  if (!value.isValid()) return 0;
  return value.toInt() == Qt::Checked ? CXListCtrl::kChecked : CXListCtrl::kUnchecked;
}

QVariant QtState(int state) {
  if (state != CXListCtrl::kChecked && state != CXListCtrl::kUnchecked) return {};
  return static_cast<int>(state == CXListCtrl::kChecked ? Qt::Checked : Qt::Unchecked);
}

bool Checkable(const QModelIndex& index) {
  return (index.flags() & Qt::ItemIsUserCheckable) && index.data(Qt::CheckStateRole).isValid();
}

// A cell that asks its list for a tooltip it does not hold itself.
class CXListItem : public QTableWidgetItem {
 public:
  using QTableWidgetItem::QTableWidgetItem;
  QVariant data(int role) const override {
    if (role == Qt::ToolTipRole) {
      QVariant own = QTableWidgetItem::data(role);
      if (own.isValid()) return own;
      const auto* list = dynamic_cast<const CXListCtrl*>(tableWidget());
      if (!list) return own;
      const QString provided = list->ProvidedToolTip(row(), column());
      return provided.isEmpty() ? QVariant() : QVariant(provided);
    }
    return QTableWidgetItem::data(role);
  }
  QTableWidgetItem* clone() const override { return new CXListItem(*this); }
};

}  // namespace

// ---- Delegate ---------------------------------------------------------------

QRect CXListDelegate::CheckRect(const QRect& cell, bool hasText, const QWidget* widget) {
  QSize size = IndicatorSize(widget);
  int y = cell.top() + (cell.height() - size.height()) / 2;
  int x = hasText ? cell.left() + kMargin : cell.left() + (cell.width() - size.width()) / 2;
  return QRect(QPoint(x, y), size);
}

QRect CXListDelegate::CheckRectOf(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  if (!Checkable(index)) return {};
  QStyleOptionViewItem opt(option);
  initStyleOption(&opt, index);
  if (opt.text.isEmpty()) return CheckRect(opt.rect, false, opt.widget);
  return StyleOf(opt.widget)->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, opt.widget);
}

void CXListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
  QStyleOptionViewItem opt(option);
  initStyleOption(&opt, index);
  const bool centred = opt.text.isEmpty() && (Checkable(index) || !opt.icon.isNull());
  if (!centred) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  const QWidget* widget = opt.widget;
  const QStyle* style = StyleOf(widget);
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
  if (Checkable(index)) {
    QStyleOptionViewItem box(opt);
    box.rect = CheckRect(opt.rect, false, widget);
    box.state = (opt.state & (QStyle::State_Enabled | QStyle::State_Active)) |
                (opt.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);
  } else {
    QRect icon(QPoint(0, 0), opt.decorationSize);
    icon.moveCenter(opt.rect.center());
    opt.icon.paint(painter, icon, Qt::AlignCenter,
                   opt.state & QStyle::State_Enabled ? QIcon::Normal : QIcon::Disabled);
  }
  if (opt.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(opt);
    focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &opt, widget);
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
  }
}

// Qt's own handling places the box at the left of the cell; a centred box
// takes its clicks here, with the same rules (the press and a double click on
// the box are swallowed, the release toggles it).
bool CXListDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) {
  const bool mouse = event->type() == QEvent::MouseButtonPress ||
                     event->type() == QEvent::MouseButtonRelease ||
                     event->type() == QEvent::MouseButtonDblClick;
  if (!mouse || !Checkable(index) || !index.data(Qt::DisplayRole).toString().isEmpty() ||
      !(index.flags() & Qt::ItemIsEnabled)) {
    return QStyledItemDelegate::editorEvent(event, model, option, index);
  }
  const auto* click = static_cast<QMouseEvent*>(event);
  if (click->button() != Qt::LeftButton ||
      !CheckRect(option.rect, false, option.widget).contains(click->position().toPoint())) {
    return false;
  }
  if (event->type() != QEvent::MouseButtonRelease) return true;
  const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
  return model->setData(index, static_cast<int>(checked ? Qt::Unchecked : Qt::Checked), Qt::CheckStateRole);
}

// ---- Header -----------------------------------------------------------------

CXHeaderView::CXHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setSectionsClickable(false);
  setHighlightSections(false);
}

void CXHeaderView::SetCheckState(int section, int state) {
  if (!model() || section < 0 || section >= count() || CheckState(section) == state) return;
  model()->setHeaderData(section, orientation(), QtState(state), Qt::CheckStateRole);
  updateSection(section);
}

int CXHeaderView::CheckState(int section) const {
  if (!model() || section < 0 || section >= count()) return 0;
  return PageState(model()->headerData(section, orientation(), Qt::CheckStateRole));
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
  // Tab leaves the list for the next control; the arrows move inside it.
  setTabKeyNavigation(false);
  header_->setMinimumSectionSize(16);
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
    cell = new CXListItem;
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    cell->setTextAlignment(alignments_[col] | Qt::AlignVCenter);
    ++updating_;
    setItem(row, col, cell);
    --updating_;
  }
  return cell;
}

int CXListCtrl::InsertItem(int row, const QString& text, const QColor& textColor, const QColor& background) {
  row = std::clamp(row, 0, rowCount());
  ++updating_;
  insertRow(row);
  // Each cell is complete before the table owns it: one insertion per cell.
  const QBrush foreground(textColor);
  const QBrush back(background);
  for (int col = 0; col < columnCount(); ++col) {
    auto* cell = new CXListItem(col == 0 ? text : QString());
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    cell->setTextAlignment(alignments_[col] | Qt::AlignVCenter);
    cell->setForeground(foreground);
    cell->setBackground(back);
    setItem(row, col, cell);
  }
  --updating_;
  return row;
}

bool CXListCtrl::SetRow(int row, const std::vector<CellSpec>& cells, const QColor& textColor,
                        const QColor& background) {
  if (row < 0 || row >= rowCount()) return false;
  const QBrush foreground(textColor);
  const QBrush back(background);
  ++updating_;
  const int count = std::min(columnCount(), static_cast<int>(cells.size()));
  for (int col = 0; col < count; ++col) {
    const CellSpec& wanted = cells[static_cast<std::size_t>(col)];
    auto* cell = new CXListItem(wanted.text);
    const QVariant check = QtState(wanted.check);
    cell->setFlags(check.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable
                                   : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    cell->setTextAlignment(alignments_[col] | Qt::AlignVCenter);
    cell->setForeground(foreground);
    cell->setBackground(back);
    if (check.isValid()) {
      cell->setData(Qt::CheckStateRole, check);
      cell->setData(kShadowRole, wanted.check);
    }
    if (wanted.image >= 0 && wanted.image < images_.size()) cell->setIcon(images_[wanted.image]);
    if (!wanted.toolTip.isEmpty()) cell->setToolTip(wanted.toolTip);
    setItem(row, col, cell);
  }
  --updating_;
  return true;
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

bool CXListCtrl::SetItemToolTip(int row, int col, const QString& text) {
  QTableWidgetItem* cell = Cell(row, col);
  if (!cell) return false;
  ++updating_;
  cell->setToolTip(text);
  --updating_;
  return true;
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
  const QVariant value = QtState(state);
  ++updating_;
  cell->setFlags(value.isValid() ? cell->flags() | Qt::ItemIsUserCheckable
                                 : cell->flags() & ~Qt::ItemIsUserCheckable);
  cell->setData(Qt::CheckStateRole, value);
  cell->setData(kShadowRole, PageState(value));
  --updating_;
  SyncHeader(col);
  return true;
}

int CXListCtrl::GetCheckbox(int row, int col) const {
  const QTableWidgetItem* cell = item(row, col);
  const int state = cell ? PageState(cell->data(Qt::CheckStateRole)) : 0;
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
  const QVariant state = QtState(header_->CheckState(col));
  ++updating_;
  for (int row = 0; row < rowCount(); ++row) {
    QTableWidgetItem* cell = item(row, col);
    if (GetCheckbox(row, col) == kNoCheckbox) continue;
    cell->setData(Qt::CheckStateRole, state);
    cell->setData(kShadowRole, PageState(state));
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
  if (!cell) return {};
  const QModelIndex index = indexFromItem(cell);
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(index);
  const auto* delegate = dynamic_cast<const CXListDelegate*>(itemDelegateForIndex(index));
  return delegate ? delegate->CheckRectOf(option, index) : QRect();
}

void CXListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const QModelIndex index = indexAt(pos);
  const bool onBox = index.isValid() && CheckboxRect(index.row(), index.column()).contains(pos);
  QTableWidget::mouseDoubleClickEvent(event);
  if (onBox) return;
  if (index.isValid()) {
    emit doubleClickedAt(index.row(), index.column());
  } else {
    emit doubleClickedAt(-1, -1);
  }
}

QTableWidgetItem* CXListCtrl::SpaceTarget() const {
  QTableWidgetItem* current = currentItem();
  if (!current) return nullptr;
  if (GetCheckbox(current->row(), current->column()) != kNoCheckbox) return current;
  for (int col = 0; col < columnCount(); ++col) {
    if (GetCheckbox(current->row(), col) != kNoCheckbox) return item(current->row(), col);
  }
  return nullptr;
}

void CXListCtrl::keyPressEvent(QKeyEvent* event) {
  emit keyPressed(event->key());
  const bool space = event->key() == Qt::Key_Space || event->key() == Qt::Key_Select;
  if (space && event->modifiers() == Qt::NoModifier) {
    if (QTableWidgetItem* cell = SpaceTarget(); cell && (cell->flags() & Qt::ItemIsEnabled)) {
      const bool checked = GetCheckbox(cell->row(), cell->column()) == kChecked;
      cell->setCheckState(checked ? Qt::Unchecked : Qt::Checked);  // reported by OnItemChanged
      event->accept();
      return;
    }
  }
  if (space && event->modifiers() == Qt::ControlModifier) {
    for (int col = 0; col < columnCount(); ++col) {
      const int state = header_->CheckState(col);
      if (state == 0) continue;
      header_->SetCheckState(col, state == kChecked ? kUnchecked : kChecked);
      OnHeaderToggled(col);
      event->accept();
      return;
    }
  }
  QTableWidget::keyPressEvent(event);
}

void CXListCtrl::OnItemChanged(QTableWidgetItem* cell) {
  if (updating_ > 0) return;
  const int now = PageState(cell->data(Qt::CheckStateRole));
  if (now != cell->data(kShadowRole).toInt()) {
    ++updating_;
    cell->setData(kShadowRole, now);
    --updating_;
    SyncHeader(cell->column());
    emit checkboxClicked(cell->row(), cell->column());
    return;
  }
  if (cell->flags() & Qt::ItemIsEditable) emit editEnded(cell->row(), cell->column());
}

}  // namespace qx
