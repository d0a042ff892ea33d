#pragma once
// A one-line edit box that never takes a key away from the window's menu
// shortcuts (a focused line edit would otherwise swallow Ctrl+C and the like).

#include <QLineEdit>

class TEdit : public QLineEdit {
public:
  using QLineEdit::QLineEdit;

protected:
  bool event(QEvent* event) override;
};
