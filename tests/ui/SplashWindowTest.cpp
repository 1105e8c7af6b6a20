#include "app/SplashWindow.h"

#include <QPointer>
#include <QTest>

using lumivar::SplashWindow;

class SplashWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The picture stays until the frame has been shown, then goes and frees itself.
    void StaysUntilClosableThenFreesItself()
    {
        QPointer<SplashWindow> splash = new SplashWindow;
        splash->show();
        QCOMPARE(splash->size(), QSize(400, 300));
        QVERIFY(!splash->close());
        QVERIFY(splash->isVisible());

        // The 2.5 s request is refused too while the frame is not up.
        QTest::qWait(2700);
        QVERIFY(splash);
        QVERIFY(splash->isVisible());

        splash->SetClosable(true);
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 2000); // the 250 ms retry closes and deletes it
    }
};

QTEST_MAIN(SplashWindowTest)
#include "SplashWindowTest.moc"
