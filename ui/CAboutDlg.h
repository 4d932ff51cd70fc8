// CAboutDlg: the About box of the configurator window: the module model, the
// plug-in version, the maker's notice and the maker's web address as a link.
#pragma once

#include <QDialog>

namespace qx {

class CHyperlinkStatic;
class UiServices;

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr const char* kDefaultUrl = "https://www.orvane.example/";

  // ui reports a link that cannot be opened (a message box when null).
  explicit CAboutDlg(QWidget* parent = nullptr, UiServices* ui = nullptr,
                     const QString& url = QString::fromLatin1(kDefaultUrl));

  CHyperlinkStatic* Link() const { return link_; }

 private:
  CHyperlinkStatic* link_;
};

}  // namespace qx
