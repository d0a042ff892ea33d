// The main window: saving the game to a ".sav" file and loading one back.

#include <QFileDialog>
#include <QTimer>

#include "main/MainForm.h"
#include "platform/Dialogs.h"
#include "platform/Edit.h"

namespace {

const QString SavedGames = QStringLiteral("Сохранённые игры (*.sav)");
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

}  // namespace

void TMainForm::CreateFileDialogs()
{
  OpenDialog1 = new QFileDialog(this);
  OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
  OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setNameFilter(SavedGames);
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);

  SaveDialog1 = new QFileDialog(this);
  SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
  SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
  SaveDialog1->setFileMode(QFileDialog::AnyFile);
  SaveDialog1->setNameFilter(SavedGames);
  SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
}

void TMainForm::N7Click(QObject*)
{
  if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
    return;
  QString name = SaveDialog1->selectedFiles().first();
  if (ExtensionOf(name) != SaveExtension) {
    name += SaveExtension;
    // Offered the next time the dialog opens.
    SaveDialog1->selectFile(name);
  }
  Game->SaveToFile(name);
}

void TMainForm::N8Click(QObject*)
{
  if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty())
    return;
  Timer->stop();
  Game->LoadFromFile(OpenDialog1->selectedFiles().first());
}

void TMainForm::ResizeGame(QObject*)
{
  Resizing = true;
  if (Game->LoadedSize() == 8 && Game->Size() < 8) {
    CenterBoard(8);
    Edit1->setText(QStringLiteral("8"));
  } else {
    UpDown1->SetPosition(Game->LoadedSize());
  }
  Resizing = false;
}

void TMainForm::WrongFileType(QObject*)
{
  MessageDlg(QStringLiteral("Неверный файл.\r\nЭто не сохранённая игра \"Вилтрон\"."), mtError,
             {mbOK}, this);
}
