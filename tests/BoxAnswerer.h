#pragma once
// Answers the modal message boxes a test provokes: every box that opens is
// recorded (title, text, icon, buttons) and closed with the chosen button, so
// that no test ever waits on one.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QVector>

struct TSeenBox {
  QString Title;
  QString Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QStringList Buttons;  // button captions, in order
};

class TBoxAnswerer : public QObject {
public:
  // answer: the standard button to click (QMessageBox::Yes, No or Ok).
  explicit TBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok)
      : FAnswer(answer)
  {
    FTimer.setInterval(5);
    connect(&FTimer, &QTimer::timeout, this, [this] { Poll(); });
    FTimer.start();
  }

  void SetAnswer(QMessageBox::StandardButton answer) { FAnswer = answer; }
  const QVector<TSeenBox>& Seen() const { return FSeen; }
  int Count() const { return FSeen.size(); }
  const TSeenBox& Last() const { return FSeen.last(); }
  void Clear() { FSeen.clear(); }

private:
  void Poll()
  {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || box->property("answered").toBool())
      return;
    box->setProperty("answered", true);
    TSeenBox seen;
    seen.Title = box->windowTitle();
    seen.Text = box->text();
    seen.Icon = box->icon();
    QAbstractButton* chosen = nullptr;
    for (QAbstractButton* button : box->buttons()) {
      seen.Buttons << button->text();
      if (box->standardButton(button) == FAnswer)
        chosen = button;
    }
    FSeen.append(seen);
    if (!chosen && !box->buttons().isEmpty())
      chosen = box->buttons().first();
    if (chosen)
      chosen->click();
    else
      box->reject();
  }

  QTimer FTimer;
  QMessageBox::StandardButton FAnswer;
  QVector<TSeenBox> FSeen;
};
