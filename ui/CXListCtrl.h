// CXListCtrl: a report list over QTableWidget with what the pages need of a
// list: check-box cells and a header check box, per-cell text and background
// colours, per-cell images from an image list, and cells edited in place.
//
// Check states are those of the pages: 1 unchecked, 2 checked (and -1 read
// back from a cell without a check box). A click on a cell's box toggles it
// and then emits checkboxClicked(row, column); a click on a header box sets
// every box of its column to the header's new state and emits
// checkboxClicked(-1, column). A header box follows the rows: it is checked
// exactly when every box of its column is.
#pragma once

#include <QColor>
#include <QHeaderView>
#include <QIcon>
#include <QList>
#include <QStyledItemDelegate>
#include <QTableWidget>
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

 private:
  std::vector<int> states_;
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
  bool SetItemText(int row, int col, const QString& text);
  bool SetItemText(int row, int col, const QString& text, const QColor& textColor, const QColor& background);
  QString GetItemText(int row, int col) const;

  void SetImageList(const QList<QIcon>& images) { images_ = images; }
  bool SetItemImage(int row, int col, int image);

  bool SetCheckbox(int row, int col, int state);
  int GetCheckbox(int row, int col) const;
  // 0 removes the header box, 1 unchecked, 2 checked.
  void SetHeaderCheckedState(int col, int state);
  int GetHeaderCheckedState(int col) const;

  // Lets the user edit the cell in place; editEnded follows each edit.
  bool SetEdit(int row, int col);

  bool DeleteAllItems();
  int GetItemCount() const { return rowCount(); }

  // The check-box area of a cell, in viewport coordinates.
  QRect CheckboxRect(int row, int col) const;

 signals:
  void checkboxClicked(int row, int column);
  void editEnded(int row, int column);
  // A double click anywhere in the list: the cell hit, or -1, -1 for none.
  void doubleClickedAt(int row, int column);
  // A key pressed while the list has the focus, before the list handles it.
  void keyPressed(int key);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTableWidgetItem* Cell(int row, int col);
  void SyncHeader(int col);
  void OnHeaderToggled(int col);
  void OnItemChanged(QTableWidgetItem* item);

  CXHeaderView* header_;
  QList<QIcon> images_;
  std::vector<Qt::Alignment> alignments_;
  int updating_ = 0;  // > 0 while the program itself changes cells
};

// Draws check boxes and images of cells without text centred in the cell.
class CXListDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  static constexpr int kCheckRole = Qt::UserRole + 1;
  static QRect CheckRect(const QRect& cell, bool hasText, const QWidget* widget);
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace qx
