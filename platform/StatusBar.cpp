#include "platform/StatusBar.h"

#include <QLabel>

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent)
{
  setSizeGripEnabled(false);
  setAutoFillBackground(true);
}

void TStatusBar::AddPanel(int width, const QString& text, Qt::Alignment alignment)
{
  auto* label = new QLabel(text, this);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setAlignment(alignment | Qt::AlignVCenter);
  label->setIndent(2);
  label->setTextFormat(Qt::PlainText);
  label->show();
  FPanels.append({label, width});
  Arrange();
}

QString TStatusBar::PanelText(int index) const
{
  return FPanels.at(index).Label->text();
}

void TStatusBar::SetPanelText(int index, const QString& text)
{
  FPanels.at(index).Label->setText(text);
}

void TStatusBar::resizeEvent(QResizeEvent* event)
{
  QStatusBar::resizeEvent(event);
  Arrange();
}

void TStatusBar::Arrange()
{
  // Panels stand 2 px below the bar's top edge with 2 px between them.
  const int top = 2;
  const int height = qMax(0, this->height() - top);
  int left = 0;
  for (int i = 0; i < FPanels.size(); ++i) {
    const bool last = i == FPanels.size() - 1;
    const int width = last ? qMax(0, this->width() - left) : FPanels[i].Width - 2;
    FPanels[i].Label->setGeometry(left, top, width, height);
    left += FPanels[i].Width;
  }
}
