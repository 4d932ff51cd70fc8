#include "ui/CAboutDlg.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/CHyperlinkStatic.h"
#include "ui/DialogUnits.h"

namespace qx {

CAboutDlg::CAboutDlg(QWidget* parent, UiServices* ui, const QString& url) : QDialog(parent) {
  setObjectName(QStringLiteral("aboutDialog"));
  setWindowTitle(tr("About KM-31QX-C1"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

  auto* box = new QFrame(this);
  box->setFrameStyle(QFrame::Box | QFrame::Sunken);

  auto* emblem = new QFrame(box);
  emblem->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* icon = new QLabel(emblem);
  int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(side, side));
  auto* emblemLayout = new QVBoxLayout(emblem);
  emblemLayout->addWidget(icon, 0, Qt::AlignCenter);

  auto* model = new QLabel(tr("KM-31QX-C1"), box);
  QFont bold = model->font();
  bold.setBold(true);
  model->setFont(bold);
  auto* version = new QLabel(tr("Version: 1.00 (Build March 1 2012)"), box);
  auto* notice1 = new QLabel(tr("Copyright (C) 2012 Orvane Industrial Automation Co., Ltd."), box);
  auto* notice2 = new QLabel(tr("All rights reserved."), box);
  auto* internet = new QLabel(tr("Internet:"), box);
  link_ = new CHyperlinkStatic(url, box, ui);
  link_->SetURL(url);
  link_->SetUnderline(false);

  auto* linkRow = new QHBoxLayout;
  linkRow->addWidget(internet);
  linkRow->addWidget(link_);
  linkRow->addStretch(1);
  auto* texts = new QVBoxLayout;
  texts->addWidget(model);
  texts->addWidget(version);
  texts->addSpacing(DluY(this, 4));
  texts->addWidget(notice1);
  texts->addWidget(notice2);
  texts->addSpacing(DluY(this, 4));
  texts->addLayout(linkRow);
  auto* inner = new QHBoxLayout(box);
  inner->addWidget(emblem, 0, Qt::AlignTop);
  inner->addSpacing(DluX(this, 6));
  inner->addLayout(texts, 1);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(DluX(this, 7), DluY(this, 7), DluX(this, 7), DluY(this, 7));
  outer->addWidget(box);
  setMinimumSize(DluSize(this, 219, 90));
}

}  // namespace qx
