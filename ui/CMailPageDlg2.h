// CMailPageDlg2: the "Email Trigger" sub-page of the e-mail page: the list of
// the eight mail triggers with each one's name, kind and attachment. A double
// click (or Enter) on a row opens the Trigger Configuration dialog, which
// stores the trigger itself; Delete clears the selected trigger in the record
// at once, without a question. The page itself rejects nothing.
#pragma once

#include <QWidget>

#include "ui/ConfigPage.h"

namespace qx {

class CXListCtrl;
struct ConfiguratorContext;

class CMailPageDlg2 : public QWidget, public ConfigPage {
  Q_OBJECT
 public:
  // REQUIRES: context outlives the page. Loads the page from the record.
  explicit CMailPageDlg2(ConfiguratorContext& context, QWidget* parent = nullptr);

  void LoadFromRecord() override;    // refills the list
  bool ValidateAndStore() override;  // always true

  // Runs the Trigger Configuration dialog for trigger 0-7; refills the list
  // when it stored the trigger.
  void EditTrigger(int index);
  // Clears the trigger of the first selected row, if any.
  void DeleteSelectedTrigger();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ConfiguratorContext& context_;
  CXListCtrl* list_ = nullptr;
};

}  // namespace qx
