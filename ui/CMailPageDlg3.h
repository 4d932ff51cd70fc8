// CMailPageDlg3: the "Email and Trigger Configuration" sub-page of the e-mail
// page: the eight recipient addresses, edited in place, and a matrix of
// check boxes saying which address each trigger mails to. It keeps its edits
// in the list until validated; an address without "@" ("Msg33") or longer
// than 63 characters ("Msg34") stops the store at its row.
#pragma once

#include <QWidget>
#include <cstddef>

#include "ui/ConfigPage.h"

namespace qx {

class CXListCtrl;
struct ConfiguratorContext;

class CMailPageDlg3 : public QWidget, public ConfigPage {
  Q_OBJECT
 public:
  static constexpr int kAddressColumn = 9;
  static constexpr std::size_t kMaxAddressBytes = 63;

  // REQUIRES: context outlives the page. Loads the page from the record.
  explicit CMailPageDlg3(ConfiguratorContext& context, QWidget* parent = nullptr);

  void LoadFromRecord() override;
  // For each trigger in turn: its recipient mask from its column, then the
  // address of the row with its number. Columns and addresses before a
  // rejected row stay stored; the focus does not move.
  bool ValidateAndStore() override;

  CXListCtrl* List() const { return list_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ConfiguratorContext& context_;
  CXListCtrl* list_ = nullptr;
};

}  // namespace qx
