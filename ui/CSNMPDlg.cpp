#include "ui/CSNMPDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "config/ModuleConfig.h"
#include "ui/AccessibleLabels.h"
#include "ui/ConfiguratorContext.h"
#include "ui/DialogUnits.h"
#include "ui/FieldHelpers.h"

namespace qx {

CSNMPDlg::CSNMPDlg(ConfiguratorContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("snmpPage"));
  auto* group = new QGroupBox(tr("Content"), this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(tr("Community"), group), 0, 0, Qt::AlignCenter);
  grid->addWidget(new QLabel(tr("Community String"), group), 0, 1, Qt::AlignCenter);
  grid->addWidget(new QLabel(tr("Access Type"), group), 0, 2, Qt::AlignCenter);
  for (int r = 0; r < kRows; ++r) {
    grid->addWidget(new QLabel(QStringLiteral("%1.").arg(r + 1), group), r + 1, 0, Qt::AlignCenter);
    auto* edit = new QLineEdit(group);
    edit->setObjectName(QStringLiteral("communityEdit%1").arg(r + 1));
    LimitEdit(edit, kMaxCommunityBytes);
    grid->addWidget(edit, r + 1, 1);
    auto* list = new QComboBox(group);
    list->setObjectName(QStringLiteral("accessComboBox%1").arg(r + 1));
    // Sorted, as the stored value is the list index: "GET" is 0, "GET / SET" 1.
    list->addItems({QStringLiteral("GET"), QStringLiteral("GET / SET")});
    list->setMinimumWidth(DluX(this, 70));
    grid->addWidget(list, r + 1, 2);
    // The row label "1." says nothing alone: each control is named by its
    // column and row, as a screen reader should say it.
    NameControl(edit, tr("Community %1").arg(r + 1));
    NameControl(list, tr("Access Type %1").arg(r + 1));
    communities_[r] = edit;
    access_[r] = list;
  }
  grid->setColumnMinimumWidth(0, DluX(this, 50));
  grid->setColumnStretch(1, 1);
  grid->setVerticalSpacing(DluY(this, 6));

  // Present in the module's block but neither read nor written here.
  auto* enable = new QCheckBox(tr("Enable SNMP"), this);
  enable->setObjectName(QStringLiteral("enableSnmpCheckBox"));
  enable->hide();

  auto* page = new QVBoxLayout(this);
  page->addWidget(group);
  page->addStretch(1);
  LoadFromRecord();
}

void CSNMPDlg::LoadFromRecord() {
  const ModuleConfig& record = context_.record;
  for (int r = 0; r < kRows; ++r) {
    int type = record.AccessType(r + 1);
    access_[r]->setCurrentIndex(type < access_[r]->count() ? type : -1);
    communities_[r]->setText(FromRecordText(record.Community(r + 1)));
  }
}

bool CSNMPDlg::ValidateAndStore() {
  ModuleConfig& record = context_.record;
  for (int r = 0; r < kRows; ++r) {
    record.SetAccessType(r + 1, static_cast<uint16_t>(access_[r]->currentIndex()));
  }
  for (int r = 0; r < kRows; ++r) {
    record.SetCommunity(r + 1, Utf8Prefix(communities_[r]->text(), kMaxCommunityBytes));
  }
  return true;
}

}  // namespace qx
