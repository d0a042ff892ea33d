#pragma once
// A status bar of sunken text panels of fixed widths; the last panel takes the
// rest of the bar. Each panel is a label, so its text is readable by screen
// readers and tests. It is a QStatusBar so that screen readers know it as a
// status bar; the panels are placed by hand, not by QStatusBar's layout.

#include <QStatusBar>
#include <QString>
#include <QVector>

class QLabel;

class TStatusBar : public QStatusBar {
public:
  explicit TStatusBar(QWidget* parent = nullptr);

  void AddPanel(int width, const QString& text = {}, Qt::Alignment alignment = Qt::AlignLeft);
  int PanelCount() const { return FPanels.size(); }
  QString PanelText(int index) const;
  void SetPanelText(int index, const QString& text);
  QLabel* Panel(int index) const { return FPanels.at(index).Label; }

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void Arrange();

  struct TPanel {
    QLabel* Label;
    int Width;
  };
  QVector<TPanel> FPanels;
};
