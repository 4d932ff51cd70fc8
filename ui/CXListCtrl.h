// CXListCtrl: a report list over QTableWidget with what the pages need of a
// list: check-box cells and a header check box, per-cell text and background
// colours, per-cell images from an image list, tooltips, and cells edited in
// place.
//
// Check boxes are Qt's own: a cell's box is its Qt::CheckStateRole with the
// Qt::ItemIsUserCheckable flag, so a click on the box or Space toggles it and
// assistive tools read it as a check box. The header box is the header
// item's Qt::CheckStateRole, toggled by a click on it or by Ctrl+Space in the
// list. Check states are those of the pages: 1 unchecked, 2 checked (and -1
// read back from a cell without a check box). A box the user toggles emits
// checkboxClicked(row, column); a header box the user toggles sets every box
// of its column to its new state and emits checkboxClicked(-1, column). A
// header box follows the rows: it is checked exactly when every box of its
// column is. Changes made by the program emit nothing.
#pragma once

#include <QColor>
#include <QHeaderView>
#include <QIcon>
#include <QList>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <functional>
#include <vector>

namespace qx {

class CXHeaderView : public QHeaderView {
  Q_OBJECT
 public:
  explicit CXHeaderView(QWidget* parent);
  void SetCheckState(int section, int state);  // 0 removes the box
  int CheckState(int section) const;

 signals:
  void checkToggled(int section);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  void mousePressEvent(QMouseEvent* event) override;
};

class CXListCtrl : public QTableWidget {
  Q_OBJECT
 public:
  static constexpr int kNoCheckbox = -1;
  static constexpr int kUnchecked = 1;
  static constexpr int kChecked = 2;

  explicit CXListCtrl(QWidget* parent = nullptr);

  // Adds a column at col with its heading, alignment and width in pixels;
  // returns its index.
  int InsertColumn(int col, const QString& heading, Qt::Alignment alignment = Qt::AlignCenter,
                   int width = 100);
  // Inserts a row whose cells all take the colours; column 0 gets the text.
  int InsertItem(int row, const QString& text, const QColor& textColor = Qt::black,
                 const QColor& background = Qt::white);
  // A whole row at once, each cell complete before the list takes it (the
  // quick way to fill a list): text, check box (0 none, 1, 2), image (-1
  // none) and tooltip per cell, one pair of colours for the row. The row must
  // exist (setRowCount); cells beyond the columns are ignored. The header
  // box is not brought up to date here: call SyncHeaderCheckbox once the
  // rows are filled.
  struct CellSpec {
    QString text;
    int check = 0;
    int image = -1;
    QString toolTip;
  };
  bool SetRow(int row, const std::vector<CellSpec>& cells, const QColor& textColor, const QColor& background);
  bool SetItemText(int row, int col, const QString& text);
  bool SetItemText(int row, int col, const QString& text, const QColor& textColor, const QColor& background);
  QString GetItemText(int row, int col) const;
  bool SetItemToolTip(int row, int col, const QString& text);
  // Tooltips asked for when they are shown, for cells without one of their
  // own: a list whose tooltips take work to make need not make them all at
  // every fill. An empty text shows no tooltip.
  using ToolTipProvider = std::function<QString(int row, int col)>;
  void SetToolTipProvider(ToolTipProvider provider) { toolTips_ = std::move(provider); }
  QString ProvidedToolTip(int row, int col) const { return toolTips_ ? toolTips_(row, col) : QString(); }

  void SetImageList(const QList<QIcon>& images) { images_ = images; }
  // image -1 (or any index outside the list) removes the cell's image.
  bool SetItemImage(int row, int col, int image);

  bool SetCheckbox(int row, int col, int state);
  int GetCheckbox(int row, int col) const;
  // Checks the column's header box exactly when every box of the column is
  // checked (done by every call that changes one box).
  void SyncHeaderCheckbox(int col) { SyncHeader(col); }
  // 0 removes the header box, 1 unchecked, 2 checked.
  void SetHeaderCheckedState(int col, int state);
  int GetHeaderCheckedState(int col) const;

  // Lets the user edit the cell in place; editEnded follows each edit.
  bool SetEdit(int row, int col);

  bool DeleteAllItems();
  int GetItemCount() const { return rowCount(); }

  // The check-box area of a cell, in viewport coordinates (empty without one).
  QRect CheckboxRect(int row, int col) const;

 signals:
  void checkboxClicked(int row, int column);
  void editEnded(int row, int column);
  // A double click in the list off the check boxes: the cell hit, or -1, -1
  // for none.
  void doubleClickedAt(int row, int column);
  // A key pressed while the list has the focus, before the list handles it.
  void keyPressed(int key);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTableWidgetItem* Cell(int row, int col);
  void SyncHeader(int col);
  void OnHeaderToggled(int col);
  void OnItemChanged(QTableWidgetItem* item);
  // The box Space toggles: the current cell's, else the first in its row.
  QTableWidgetItem* SpaceTarget() const;

  CXHeaderView* header_;
  ToolTipProvider toolTips_;
  QList<QIcon> images_;
  std::vector<Qt::Alignment> alignments_;
  int updating_ = 0;  // > 0 while the program itself changes cells
};

// Draws check boxes and images of cells without text centred in the cell and
// takes clicks on such a centred box; cells with text are drawn as Qt draws
// them.
class CXListDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  // The state the list last reported for a cell's box (1, 2; 0 for none), so
  // that a change of Qt::CheckStateRole is told apart from other changes.
  static constexpr int kCheckRole = Qt::UserRole + 1;
  static QRect CheckRect(const QRect& cell, bool hasText, const QWidget* widget);
  // The box of a cell as this delegate draws it, or an empty rectangle.
  QRect CheckRectOf(const QStyleOptionViewItem& option, const QModelIndex& index) const;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 protected:
  bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

}  // namespace qx
