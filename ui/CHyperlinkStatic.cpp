#include "ui/CHyperlinkStatic.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QUrl>

#include "platform/UiServices.h"

namespace qx {

CHyperlinkStatic::CHyperlinkStatic(const QString& text, QWidget* parent, UiServices* ui)
    : QLabel(text, parent), ui_(ui), hoverColor_(palette().color(QPalette::Highlight)) {
  setObjectName(QStringLiteral("hyperlinkLabel"));
  setTextFormat(Qt::PlainText);
  if (url_.isEmpty()) url_ = text;
  if (text.isEmpty()) setText(url_);
  SetUnderline(underline_);
  setCursor(Qt::PointingHandCursor);
  setToolTip(url_);
  FitToText();
  UpdateColor();
}

void CHyperlinkStatic::SetURL(const QString& address) {
  url_ = address;
  FitToText();
  setToolTip(url_);
}

void CHyperlinkStatic::SetUnderline(bool underline) {
  underline_ = underline;
  QFont f = font();
  f.setUnderline(underline);
  setFont(f);
  FitToText();
  update();
}

void CHyperlinkStatic::SetVisited(bool visited) {
  visited_ = visited;
  UpdateColor();
}

QColor CHyperlinkStatic::TextColor() const {
  if (over_) return hoverColor_;
  return visited_ ? visitedColor_ : linkColor_;
}

void CHyperlinkStatic::UpdateColor() {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, TextColor());
  setPalette(p);
  update();
}

void CHyperlinkStatic::FitToText() {
  // The label keeps the size of its text, so only the text reacts to the
  // pointer; the layout keeps it where its alignment puts it.
  if (fitToText_) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    updateGeometry();
  }
}

void CHyperlinkStatic::enterEvent(QEnterEvent* event) {
  over_ = true;
  UpdateColor();
  QLabel::enterEvent(event);
}

void CHyperlinkStatic::leaveEvent(QEvent* event) {
  over_ = false;
  UpdateColor();
  QLabel::leaveEvent(event);
}

void CHyperlinkStatic::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) {
    QLabel::mouseReleaseEvent(event);
    return;
  }
  int result = OpenLink(url_);
  if (result > 32) {
    SetVisited(true);
  } else {
    QApplication::beep();
    ReportLinkError(result);
  }
}

bool CHyperlinkStatic::ShellOpen(const QString& address) {
  return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

bool CHyperlinkStatic::StartProcess(const QStringList& command) {
  return !command.isEmpty() && QProcess::startDetached(command.first(), command.mid(1));
}

QStringList CHyperlinkStatic::BrowserCommand(const QString& command, const QString& address) {
  QString line = command;
  qsizetype at = line.indexOf(QStringLiteral("\"%1\""));
  if (at < 0) at = line.indexOf(QStringLiteral("%1"));
  if (at >= 0) line.truncate(at);
  QStringList argv = QProcess::splitCommand(line);
  if (argv.isEmpty()) return {};
  argv << address;
  return argv;
}

int CHyperlinkStatic::OpenLink(const QString& address) {
  if (ShellOpen(address)) return kLaunched;
  QString browser = qEnvironmentVariable("BROWSER");
  QStringList command = BrowserCommand(browser, address);
  if (command.isEmpty()) return kNoAssociation;
  return StartProcess(command) ? kLaunched : kFileNotFound;
}

QString CHyperlinkStatic::LinkErrorText(int code) {
  QString description;
  switch (code) {
    case 0:
      description = tr("The operating system is out\nof memory or resources.");
      break;
    case 2:
      description = tr("The specified file was not found.");
      break;
    case 3:
      description = tr("The specified path was not found.");
      break;
    case 5:
      description = tr("The operating system denied\naccess to the specified file.");
      break;
    case 8:
      description = tr("There was not enough memory to complete the operation.");
      break;
    case 11:
      description = tr("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
      break;
    case 26:
      description = tr("A sharing violation occurred. ");
      break;
    case 27:
      description = tr("The filename association is\nincomplete or invalid.");
      break;
    case 28:
      description = tr("The DDE transaction could not\nbe completed because the request timed out.");
      break;
    case 29:
      description = tr("The DDE transaction failed.");
      break;
    case 30:
      description =
          tr("The DDE transaction could not\nbe completed because other DDE transactions\n"
             "were being processed.");
      break;
    case 31:
      description = tr("There is no application associated\nwith the given filename extension.");
      break;
    case 32:
      description = tr("The specified dynamic-link library was not found.");
      break;
    default:
      description = tr("Unknown Error (%1) occurred.").arg(code);
      break;
  }
  return tr("Unable to open hyperlink:\n\n") + description;
}

void CHyperlinkStatic::ReportLinkError(int code) {
  QString text = LinkErrorText(code);
  if (ui_) {
    ui_->ShowMessage(text.toStdString(), MessageButtons::kOk);
    return;
  }
  QMessageBox::warning(window(), window()->windowTitle(), text);
}

}  // namespace qx
