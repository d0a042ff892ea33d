#include "platform/Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

int ExecModal(QDialog& dialog)
{
  QPointer<QWidget> focused = QApplication::focusWidget();
  const int result = dialog.exec();
  // The player goes on where they were, also where no window manager hands
  // the focus back to the window.
  if (focused && focused->isVisible()) {
    focused->activateWindow();
    focused->setFocus(Qt::OtherFocusReason);
  }
  return result;
}

TModalResult MessageDlg(const QString& text, TMsgDlgType type,
                        std::initializer_list<TMsgDlgBtn> buttons, QWidget* parent)
{
  QMessageBox box(parent ? parent : QApplication::activeWindow());
  switch (type) {
    case mtWarning:
      box.setWindowTitle(QStringLiteral("Warning"));
      box.setIcon(QMessageBox::Warning);
      break;
    case mtError:
      box.setWindowTitle(QStringLiteral("Error"));
      box.setIcon(QMessageBox::Critical);
      break;
    case mtInformation:
      box.setWindowTitle(QStringLiteral("Information"));
      box.setIcon(QMessageBox::Information);
      break;
    case mtConfirmation:
      box.setWindowTitle(QStringLiteral("Confirm"));
      box.setIcon(QMessageBox::Question);
      break;
  }
  box.setText(text);
  for (TMsgDlgBtn b : buttons) {
    switch (b) {
      case mbYes: box.addButton(QMessageBox::Yes); break;
      case mbNo: box.addButton(QMessageBox::No); break;
      case mbOK: box.addButton(QMessageBox::Ok); break;
    }
  }
  ExecModal(box);
  QAbstractButton* clicked = box.clickedButton();
  switch (clicked ? box.standardButton(clicked) : QMessageBox::NoButton) {
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    case QMessageBox::Ok: return mrOk;
    default: return mrCancel;
  }
}
