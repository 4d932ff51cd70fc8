// CHyperlinkStatic: a text label that behaves as a web link: link colour
// (visited and hover colours too), optional underline, a pointing-hand
// cursor, the address as its tooltip, and a click that opens the address in
// the system's web browser. When the desktop cannot open it, the command in
// $BROWSER is tried: its "%1" placeholder (quoted or not) and everything
// after it are replaced by the address, or the address is appended.
//
// OpenLink returns a launcher code in the convention the error texts use:
// above 32 is success, 31 means nothing is associated with the address,
// 2 means the browser command could not be started.
#pragma once

#include <QColor>
#include <QLabel>
#include <QString>
#include <QStringList>

namespace qx {

class UiServices;

class CHyperlinkStatic : public QLabel {
  Q_OBJECT
 public:
  static constexpr int kLaunched = 33;
  static constexpr int kFileNotFound = 2;
  static constexpr int kNoAssociation = 31;

  // The text is also the address until SetURL gives another; an empty text
  // shows the address. Errors are reported through ui, or a message box
  // when ui is null.
  explicit CHyperlinkStatic(const QString& text, QWidget* parent = nullptr, UiServices* ui = nullptr);

  void SetURL(const QString& address);
  QString GetURL() const { return url_; }
  void SetUnderline(bool underline);
  bool GetUnderline() const { return underline_; }
  void SetVisited(bool visited);
  bool IsVisited() const { return visited_; }

  int OpenLink(const QString& address);
  void ReportLinkError(int code);

  // The colour the text is drawn in now.
  QColor TextColor() const;
  QColor LinkColor() const { return linkColor_; }
  QColor VisitedColor() const { return visitedColor_; }
  QColor HoverColor() const { return hoverColor_; }

  // "Unable to open hyperlink:" and the description of code.
  static QString LinkErrorText(int code);
  // The program and arguments that open address with the browser command.
  static QStringList BrowserCommand(const QString& command, const QString& address);

 protected:
  // The desktop's own opener and the process launcher; tests replace them.
  virtual bool ShellOpen(const QString& address);
  virtual bool StartProcess(const QStringList& command);

  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void FitToText();
  void UpdateColor();

  UiServices* ui_;
  QString url_;
  QColor linkColor_{0, 0, 238};
  QColor visitedColor_{85, 26, 139};
  QColor hoverColor_;
  bool over_ = false;
  bool visited_ = false;
  bool underline_ = true;
  bool fitToText_ = true;
};

}  // namespace qx
