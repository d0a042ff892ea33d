#include "windows/AboutBox.h"

#include <QDate>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>

#include "platform/Fonts.h"
#include "platform/Screen.h"
#include "platform/Jpeg.h"
#include "platform/Shell.h"
#include "ProjectFacts.h"

const QString TAboutBox::ProgramPage = QStringLiteral("https://example.org/viltron");
const QString TAboutBox::InstitutionPage = QStringLiteral("https://example.org/");
const QString TAboutBox::MailAddress = QStringLiteral("mailto:info@example.org");

namespace {

QGroupBox* AddGroup(QWidget* parent, const QString& name, const QString& title, const QRect& place)
{
  auto* group = new QGroupBox(title, parent);
  group->setObjectName(name);
  group->setGeometry(place);
  // White, like the window.
  group->setAutoFillBackground(true);
  QPalette palette = group->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Base));
  group->setPalette(palette);
  return group;
}

QLabel* AddPicture(QWidget* parent, const QString& name, const QString& resource)
{
  auto* picture = new QLabel(parent);
  picture->setObjectName(name);
  picture->setGeometry(8, 16, 80, 80);
  picture->setPixmap(QPixmap::fromImage(LoadJpegResource(resource)));
  return picture;
}

// The release's date as the window shows it, day first: 09.12.2026.
QString ReleaseDateText()
{
  return QDate::fromString(QLatin1String(ProjectReleaseDate), Qt::ISODate)
      .toString(QStringLiteral("dd.MM.yyyy"));
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
  setObjectName(QStringLiteral("AboutBox"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFont(WindowFont());
  // The client area of 225 x 233 inside a one-pixel border, which is no
  // drawn line but a margin of the window's own colour.
  setFixedSize(227, 235);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Base));
  setPalette(palette);

  GroupBox1 = AddGroup(this, QStringLiteral("GroupBox1"), tr("О..."),
                       QRect(1, 1, 225, 233));
  GroupBox2 = AddGroup(GroupBox1, QStringLiteral("GroupBox2"), tr("Программа"),
                       QRect(8, 16, 209, 105));
  Image1 = AddPicture(GroupBox2, QStringLiteral("Image1"), QStringLiteral(":/pictures/program"));
  Label1 = AddLabel(GroupBox2, QStringLiteral("Label1"), tr("Вилтрон"),
                    tr("Страница программы в Интернете."), QRect(92, 24, 94, 13));
  Label2 = AddLabel(GroupBox2, QStringLiteral("Label2"),
                    tr("Версия %1").arg(QLatin1String(ProjectVersion)),
                    tr("Версия программы."), QRect(92, 40, 0, 0));
  Label3 = AddLabel(GroupBox2, QStringLiteral("Label3"), ReleaseDateText(),
                    tr("Дата релиза."), QRect(92, 56, 76, 13));
  Label4 = AddLabel(GroupBox2, QStringLiteral("Label4"), tr("Бесплатная"),
                    tr("Программа распространяется бесплатно."), QRect(92, 72, 0, 0));

  GroupBox3 = AddGroup(GroupBox1, QStringLiteral("GroupBox3"), tr("Автор"),
                       QRect(8, 120, 209, 105));
  Image2 = AddPicture(GroupBox3, QStringLiteral("Image2"), QStringLiteral(":/pictures/author"));
  Label5 = AddLabel(GroupBox3, QStringLiteral("Label5"), tr("Команда «Вилтрон»"), {},
                    QRect(92, 24, 0, 0));
  Label7 = AddLabel(GroupBox3, QStringLiteral("Label7"), tr("Земля, Интернет"), {},
                    QRect(92, 40, 0, 0));
  Label6 = AddLabel(GroupBox3, QStringLiteral("Label6"), QStringLiteral("Open Source"),
                    tr("Сообщество открытого программного обеспечения."),
                    QRect(92, 56, 70, 13));
  Label9 = AddLabel(GroupBox3, QStringLiteral("Label9"), QStringLiteral("C++"),
                    tr("Отдел разработки на C++."), QRect(168, 56, 25, 13));
  Label8 = AddLabel(GroupBox3, QStringLiteral("Label8"), QStringLiteral("info@example.org"),
                    tr("Пишите идеи и сообщения об ошибках!"), QRect(92, 72, 94, 13));

  for (QLabel* link : {Label1, Label6, Label8})
    MakeLink(link);
  // The title link starts in the window's text colour; the other two black.
  for (QLabel* link : {Label6, Label8}) {
    QPalette black = link->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    link->setPalette(black);
  }

  FClosers = {this,   GroupBox1, GroupBox2, GroupBox3, Image1, Image2,
              Label2, Label3,    Label4,    Label5,    Label7};
  for (QObject* closer : FClosers)
    if (closer != this)
      closer->installEventFilter(this);
  // A click on the department label does nothing at all.
  Label9->installEventFilter(this);
}

QLabel* TAboutBox::AddLabel(QWidget* parent, const QString& name, const QString& text,
                            const QString& hint, const QRect& place)
{
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setToolTip(hint);
  if (place.width() > 0)
    label->setGeometry(place);
  else {
    label->move(place.topLeft());
    label->adjustSize();
  }
  return label;
}

void TAboutBox::MakeLink(QLabel* label)
{
  QFont font = label->font();
  font.setUnderline(true);
  label->setFont(font);
  label->setCursor(Qt::PointingHandCursor);
  label->installEventFilter(this);
  FLinks << label;
}

void TAboutBox::showEvent(QShowEvent* event)
{
  FPressed = nullptr;
  QDialog::showEvent(event);
  CenterOnDesktop(this);
}

void TAboutBox::mousePressEvent(QMouseEvent* event)
{
  QDialog::mousePressEvent(event);
  TrackClick(this, event);
}

void TAboutBox::mouseReleaseEvent(QMouseEvent* event)
{
  QDialog::mouseReleaseEvent(event);
  TrackClick(this, event);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      TrackClick(static_cast<QWidget*>(watched), static_cast<QMouseEvent*>(event));
      // Handled here: the button must not reach the parent and close the box.
      return true;
    case QEvent::Enter:
      if (FLinks.contains(watched))
        MouseEnter(watched);
      break;
    case QEvent::Leave:
      if (FLinks.contains(watched))
        MouseLeave(watched);
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

// A click is the left button pressed and released over the same control. The
// release comes to the control that had the press, wherever the pointer is
// then. The second press of a double click starts no click.
void TAboutBox::TrackClick(QWidget* control, const QMouseEvent* event)
{
  if (event->button() != Qt::LeftButton)
    return;
  if (event->type() == QEvent::MouseButtonPress) {
    FPressed = control;
    return;
  }
  if (event->type() != QEvent::MouseButtonRelease)
    return;
  const bool clicked =
      FPressed == control && control->rect().contains(event->position().toPoint());
  FPressed = nullptr;
  if (clicked)
    Click(control);
}

void TAboutBox::Click(QObject* sender)
{
  if (sender == Label1)
    KnightClick(sender);
  else if (sender == Label6)
    OrvelClick(sender);
  else if (sender == Label8)
    MailClick(sender);
  else if (FClosers.contains(sender))
    ClickBox(sender);
}

void TAboutBox::ClickBox(QObject*)
{
  accept();
}

void TAboutBox::MouseEnter(QObject* sender)
{
  if (auto* label = qobject_cast<QLabel*>(sender)) {
    QPalette silver = label->palette();
    silver.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
    label->setPalette(silver);
  }
}

void TAboutBox::MouseLeave(QObject* sender)
{
  if (auto* label = qobject_cast<QLabel*>(sender)) {
    QPalette black = label->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(black);
  }
}

// A link that cannot be opened is ignored: no message.
void TAboutBox::KnightClick(QObject*)
{
  ShellOpen(ProgramPage);
}

void TAboutBox::OrvelClick(QObject*)
{
  ShellOpen(InstitutionPage);
}

void TAboutBox::MailClick(QObject*)
{
  ShellOpen(MailAddress);
}
