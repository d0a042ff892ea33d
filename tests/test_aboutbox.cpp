// The about window: its layout, border and pictures (decoded with libjpeg),
// the left clicks that close it, the links that ask the desktop to open an
// address, and the main window hidden while it shows.

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "TestApp.h"
#include "main/MainForm.h"
#include "platform/Jpeg.h"
#include "platform/Shell.h"
#include "windows/AboutBox.h"

class TestAboutBox : public QObject {
  Q_OBJECT

private:
  QStringList FOpened;

  static QColor TextColour(const QLabel* label)
  {
    return label->palette().color(QPalette::WindowText);
  }

  // A left press whose release is away from the control: no click. The
  // release comes to the control that had the press, wherever the pointer is.
  static void PressAndReleaseOutside(QWidget* widget)
  {
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(widget->width() + 3, 2));
  }

private slots:
  void init()
  {
    FOpened.clear();
    SetShellOpenHandler([this](const QString& address) {
      FOpened << address;
      return true;
    });
  }
  void cleanup() { SetShellOpenHandler({}); }

  void layout()
  {
    TAboutBox box;
    QVERIFY(box.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(box.GroupBox1->title(), QStringLiteral("О..."));
    QCOMPARE(box.GroupBox1->size(), QSize(225, 233));
    QCOMPARE(box.GroupBox2->title(), QStringLiteral("Программа"));
    QCOMPARE(box.GroupBox2->geometry(), QRect(8, 16, 209, 105));
    QCOMPARE(box.GroupBox3->title(), QStringLiteral("Автор"));
    QCOMPARE(box.GroupBox3->geometry(), QRect(8, 120, 209, 105));
    QCOMPARE(box.Image1->geometry(), QRect(8, 16, 80, 80));
    QCOMPARE(box.Image2->geometry(), QRect(8, 16, 80, 80));
    QCOMPARE(box.Label1->text(), QStringLiteral("Вилтрон"));
    QCOMPARE(box.Label1->geometry(), QRect(92, 24, 94, 13));
    QCOMPARE(box.Label3->geometry(), QRect(92, 56, 76, 13));
    QCOMPARE(box.Label3->toolTip(), QStringLiteral("Дата релиза."));
    QCOMPARE(box.Label6->geometry(), QRect(92, 56, 70, 13));
    QCOMPARE(box.Label9->geometry(), QRect(168, 56, 25, 13));
    QCOMPARE(box.Label8->geometry(), QRect(92, 72, 94, 13));
    for (QLabel* link : {box.Label1, box.Label6, box.Label8}) {
      QVERIFY(link->font().underline());
      QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
      QVERIFY(!link->toolTip().isEmpty());
    }
    for (QLabel* hinted : {box.Label2, box.Label4, box.Label9})
      QVERIFY(!hinted->toolTip().isEmpty());
    // Fixed-width labels show their whole text.
    for (QLabel* label : {box.Label1, box.Label3, box.Label6, box.Label9, box.Label8})
      QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
               qPrintable(label->text()));
  }

  // The window names the newest release of the changelog a user reads, by
  // its version and its date.
  void showsTheNewestRelease_data()
  {
    QFile file(QStringLiteral(":/CHANGELOG.md"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch newest =
        QRegularExpression(QStringLiteral("^## (\\S+) \\((\\d{4}-\\d\\d-\\d\\d)\\)$"),
                           QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(file.readAll()));
    QVERIFY(newest.hasMatch());
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("version") << "Label2" << QStringLiteral("Версия ") + newest.captured(1);
    QTest::newRow("date") << "Label3"
                          << QDate::fromString(newest.captured(2), Qt::ISODate)
                                 .toString(QStringLiteral("dd.MM.yyyy"));
  }

  void showsTheNewestRelease()
  {
    QFETCH(QString, label);
    QFETCH(QString, text);
    TAboutBox box;
    QCOMPARE(box.findChild<QLabel*>(label)->text(), text);
  }

  void picturesAreDecoded()
  {
    TAboutBox box;
    const QImage program = box.Image1->pixmap().toImage();
    const QImage author = box.Image2->pixmap().toImage();
    QCOMPARE(program.size(), QSize(80, 80));
    QCOMPARE(author.size(), QSize(80, 80));
    // The program's picture is the window icon enlarged: its corner square
    // is the icon's light chequer colour, within JPEG's tolerance.
    const QColor corner = program.pixelColor(2, 2);
    const QColor icon = QImage(QStringLiteral(":/icons/viltron")).pixelColor(0, 0);
    QVERIFY2(qAbs(corner.red() - icon.red()) < 24 && qAbs(corner.green() - icon.green()) < 24 &&
                 qAbs(corner.blue() - icon.blue()) < 24,
             qPrintable(corner.name() + QLatin1Char(' ') + icon.name()));
  }

  void damagedPicturesFailCleanly()
  {
    QFile file(QStringLiteral(":/pictures/program"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    QVERIFY(!DecodeJpeg(good).isNull());
    QVERIFY(DecodeJpeg(QByteArray()).isNull());
    QVERIFY(DecodeJpeg(QByteArray("not a picture at all")).isNull());
    // A broken header is refused; a cut-off picture decodes what it has.
    QByteArray header = good;
    header[3] = '\x00';
    header[20] = '\xFF';
    QVERIFY(DecodeJpeg(header.left(40)).isNull());
    const QImage cut = DecodeJpeg(good.left(good.size() / 2));
    QVERIFY(cut.isNull() || cut.size() == QSize(80, 80));
    // The program is still here to check the next one.
    QVERIFY(!DecodeJpeg(good).isNull());
  }

  void aClickAlmostAnywhereCloses_data()
  {
    QTest::addColumn<QString>("target");
    for (const char* name : {"AboutBox", "GroupBox1", "GroupBox2", "GroupBox3", "Image1",
                             "Image2", "Label2", "Label3", "Label4", "Label5", "Label7"})
      QTest::newRow(name) << QString::fromLatin1(name);
  }

  void aClickAlmostAnywhereCloses()
  {
    QFETCH(QString, target);
    TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QWidget* widget = target == QLatin1String("AboutBox") ? &box
                                                          : box.findChild<QWidget*>(target);
    QVERIFY(widget);
    PressAndReleaseOutside(widget);
    QVERIFY(box.isVisible());
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(2, widget->height() - 2));
    QVERIFY(!box.isVisible());
    QVERIFY(FOpened.isEmpty());
  }

  // Only the left button clicks: a right or middle click anywhere neither
  // closes the box nor opens a link.
  void otherButtonsDoNothing_data()
  {
    QTest::addColumn<int>("button");
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
  }

  void otherButtonsDoNothing()
  {
    QFETCH(int, button);
    TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QList<QWidget*> everywhere = box.findChildren<QWidget*>();
    everywhere << &box;
    for (QWidget* widget : everywhere) {
      QTest::mouseClick(widget, Qt::MouseButton(button), {}, QPoint(2, widget->height() - 2));
      QVERIFY2(box.isVisible(), qPrintable(widget->objectName()));
    }
    QVERIFY(FOpened.isEmpty());
    QTest::mouseClick(box.Label8, Qt::LeftButton);
    QCOMPARE(FOpened, QStringList{TAboutBox::MailAddress});
    QTest::mouseClick(box.Label5, Qt::LeftButton);
    QVERIFY(!box.isVisible());
  }

  // The one-pixel border around the client area is no drawn line but the
  // window's own colour, the system window colour.
  void borderHasTheWindowColour()
  {
    TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QImage shot = box.grab().toImage();
    QCOMPARE(shot.size(), QSize(227, 235));
    const QRgb window = QApplication::palette().color(QPalette::Base).rgb();
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x)
        if (x == 0 || y == 0 || x == shot.width() - 1 || y == shot.height() - 1)
          QVERIFY2(shot.pixel(x, y) == window, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
  }

  void theDepartmentLabelDoesNothing()
  {
    TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.Label9, Qt::LeftButton);
    QVERIFY(box.isVisible());
  }

  void linksOpenTheirAddressesAndKeepTheBox()
  {
    TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    PressAndReleaseOutside(box.Label8);
    QVERIFY(FOpened.isEmpty());
    QTest::mouseClick(box.Label1, Qt::LeftButton);
    QTest::mouseClick(box.Label6, Qt::LeftButton);
    QTest::mouseClick(box.Label8, Qt::LeftButton);
    QCOMPARE(FOpened, QStringList({TAboutBox::ProgramPage, TAboutBox::InstitutionPage,
                                   TAboutBox::MailAddress}));
    QVERIFY(TAboutBox::MailAddress.startsWith(QStringLiteral("mailto:")));
    QVERIFY(box.isVisible());

    // A desktop that cannot open the address changes nothing.
    SetShellOpenHandler([](const QString&) { return false; });
    QTest::mouseClick(box.Label1, Qt::LeftButton);
    QVERIFY(box.isVisible());
  }

  void linksTurnSilverUnderThePointer()
  {
    TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QEvent enter(QEvent::Enter);
    QEvent leave(QEvent::Leave);
    for (QLabel* link : {box.Label1, box.Label6, box.Label8}) {
      QApplication::sendEvent(link, &enter);
      QCOMPARE(TextColour(link), QColor(0xC0, 0xC0, 0xC0));
      QApplication::sendEvent(link, &leave);
      QCOMPARE(TextColour(link), QColor(Qt::black));
    }
    // Plain labels keep their colour.
    const QColor plain = TextColour(box.Label2);
    QApplication::sendEvent(box.Label2, &enter);
    QCOMPARE(TextColour(box.Label2), plain);
  }

  void theMainWindowHidesMeanwhile()
  {
    TMainForm main;
    TAboutBox box;
    main.AboutBox = &box;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    bool mainHidden = false;
    QTimer::singleShot(0, &box, [&] {
      mainHidden = !main.isVisible() && box.isVisible();
      QTest::mouseClick(box.Image1, Qt::LeftButton);
    });
    main.About1->trigger();
    QVERIFY(mainHidden);
    QVERIFY(main.isVisible());
    QVERIFY(!box.isVisible());
  }
};

VILTRON_TEST_MAIN(TestAboutBox)
#include "test_aboutbox.moc"
