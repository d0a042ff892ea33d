#pragma once
// The standard modal message boxes: the kind sets the icon and the English
// title, the buttons read "&Yes", "&No" and "OK".

#include <QString>
#include <initializer_list>

class QDialog;
class QWidget;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };
enum TMsgDlgBtn { mbYes, mbNo, mbOK };
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// Runs the dialog modally, then gives the focus back to the control that had
// it; returns what exec() returned.
int ExecModal(QDialog& dialog);

// Shows the box modally and returns the button chosen (mrCancel when the box
// was closed without one).
TModalResult MessageDlg(const QString& text, TMsgDlgType type,
                        std::initializer_list<TMsgDlgBtn> buttons, QWidget* parent = nullptr);
