// The main window: saving the game to a ".sav" file and loading one back.

#include <QAbstractItemView>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

#include "main/MainForm.h"
#include "platform/Dialogs.h"

namespace {

const QString SaveExtension = QStringLiteral(".sav");

// The name's extension: from its last dot to the end, unless a folder
// separator (or a drive colon) follows that dot.
QString ExtensionOf(const QString& name)
{
  const int dot = name.lastIndexOf(u'.');
  if (dot < 0)
    return {};
  for (int i = dot + 1; i < name.size(); ++i)
    if (name[i] == u'/' || name[i] == u'\\' || name[i] == u':')
      return {};
  return name.mid(dot);
}

// Runs a file dialog and gives the one file the player accepted. Rows that an
// earlier run left selected in its list are forgotten first: the dialog
// prefers selected rows to the name typed, so they could stand in for it. The
// name in the name box, the one offered, stays.
bool ChooseFile(QFileDialog* dialog, QString& chosen)
{
  if (auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView")))
    if (list->selectionModel())
      list->selectionModel()->clearSelection();
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
    return false;
  chosen = dialog->selectedFiles().first();
  return true;
}

}  // namespace

void TMainForm::CreateFileDialogs()
{
  OpenDialog1 = new QFileDialog(this);
  OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
  OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  const QString savedGames = tr("Сохранённые игры (*.sav)");
  OpenDialog1->setNameFilter(savedGames);
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);

  SaveDialog1 = new QFileDialog(this);
  SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
  SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
  SaveDialog1->setFileMode(QFileDialog::AnyFile);
  SaveDialog1->setNameFilter(savedGames);
  SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
}

void TMainForm::N7Click(QObject*)
{
  QString name;
  if (!ChooseFile(SaveDialog1, name))
    return;
  if (ExtensionOf(name) != SaveExtension) {
    name += SaveExtension;
    // Offered the next time the dialog opens.
    SaveDialog1->selectFile(name);
    // The dialog asked about the name as typed, not about this one.
    if (QFileInfo::exists(name) &&
        MessageDlg(tr("Файл \"%1\" уже существует.\r\nЗаменить его?")
                       .arg(QFileInfo(name).fileName()),
                   mtConfirmation, {mbYes, mbNo}, this) != mrYes)
      return;
  }
  if (!Game->SaveToFile(name))
    MessageDlg(tr("Игра не сохранена.\r\n") + name, mtError, {mbOK}, this);
}

void TMainForm::N8Click(QObject*)
{
  QString name;
  if (!ChooseFile(OpenDialog1, name))
    return;
  const bool replaying = Timer->isActive();
  Timer->stop();
  Game->LoadFromFile(name);
  // A refused load leaves the replay's board as it was, still in gsShow (a
  // loaded game is never in it): the replay goes on.
  if (replaying && Game->State() == gsShow)
    Timer->start();
}

void TMainForm::ResizeGame(QObject*)
{
  Resizing = true;
  if (Game->LoadedSize() == 8 && Game->Size() < 8) {
    CenterBoard(8);
    UpDown1->Settle(8);
  } else {
    UpDown1->SetPosition(Game->LoadedSize());
  }
  Resizing = false;
}

void TMainForm::WrongFileType(QObject*)
{
  MessageDlg(tr("Неверный файл.\r\nЭто не сохранённая игра \"Вилтрон\"."), mtError, {mbOK}, this);
}
