#include "ui/CMailDlg.h"

#include <QVBoxLayout>

#include "platform/TextTable.h"
#include "ui/CConfigTabCtrl.h"
#include "ui/CMailPageDlg1.h"
#include "ui/CMailPageDlg2.h"
#include "ui/CMailPageDlg3.h"
#include "ui/ConfiguratorContext.h"
#include "ui/DialogUnits.h"
#include "ui/MailWidgets.h"

namespace qx {
namespace {

constexpr TabPageRow kSubPages[CMailDlg::kSubPageCount] = {
    {"TAB_MailP1", 108},
    {"TAB_MailP2", 109},
    {"TAB_MailP3", 110},
};

}  // namespace

CMailDlg::CMailDlg(ConfiguratorContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("mailPage"));
  tabs_ = new CConfigTabCtrl(this);
  tabs_->setObjectName(QStringLiteral("mailTabCtrl"));
  server_ = new CMailPageDlg1(context_, tabs_);
  triggers_ = new CMailPageDlg2(context_, tabs_);
  recipients_ = new CMailPageDlg3(context_, tabs_);
  pages_ = {server_, triggers_, recipients_};
  const std::array<QWidget*, kSubPageCount> widgets = {server_, triggers_, recipients_};
  for (int i = 0; i < kSubPageCount; ++i) {
    tabs_->AddPage(QString::fromUtf8(context_.texts.UiWord(kSubPages[i].key)), widgets[i],
                   kSubPages[i].templateId);
  }
  tabs_->CreatePages();
  tabs_->setMinimumSize(DluSize(this, 420, 195).expandedTo(tabs_->minimumSizeHint()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tabs_);
}

void CMailDlg::LoadFromRecord() {
  for (ConfigPage* page : pages_) page->LoadFromRecord();
}

bool CMailDlg::ValidateAndStore() {
  for (int i = 0; i < kSubPageCount; ++i) {
    if (!pages_[i]->ValidateAndStore()) {
      tabs_->SetActivePage(i);
      return false;
    }
  }
  return true;
}

}  // namespace qx
