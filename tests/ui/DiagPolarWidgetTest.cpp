// Widget shell of the polar diagram: a square diagram inside its borders whatever the
// widget's shape, following resizes.

#include "views/DiagPolarWidget.h"

#include <QTest>

#include <cstdlib>

namespace lumivar {

class DiagPolarWidgetTest : public QObject {
    Q_OBJECT

private slots:
    void DiagramStaysSquareAndCentred_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("wide") << 500 << 300;
        QTest::newRow("tall") << 300 << 500;
    }

    void DiagramStaysSquareAndCentred()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        DiagPolarWidget widget;
        widget.resize(400, 400);
        IntensityTable table{};
        for (auto& row : table)
            row.fill(150);
        widget.SetData(table, 37, 24);
        widget.resize(width, height); // after the data: the mapping follows
        const QImage shot = widget.grab().toImage();

        const TDiagPolar* d = widget.Diagram();
        const DeviceRect vp = d->Viewport();
        QCOMPARE(vp.Right - vp.Left, vp.Bottom - vp.Top);
        QVERIFY(vp.Left >= 20 && vp.Right <= width - 20 && vp.Top >= 17 && vp.Bottom <= height - 20);
        QVERIFY(std::abs((vp.Left + vp.Right) - width) <= 1 ||
                std::abs((vp.Top + vp.Bottom) - (height + 17 - 20)) <= 1);
        QVERIFY(std::abs(d->Mapping().ScaleX + d->Mapping().ScaleY) < 1e-3f);
        // The painted curve crosses the horizontal axis where 150 cd/klm says.
        const int cy = d->YToScreen(0);
        const int x = d->XToScreen(150);
        bool blue = false;
        for (int dx = -2; dx <= 2; ++dx)
            blue = blue || QColor(shot.pixel(x + dx, cy + 1)) == QColor(0, 0, 255) ||
                   QColor(shot.pixel(x + dx, cy - 1)) == QColor(0, 0, 255);
        QVERIFY(blue);
        QCOMPARE(QColor(shot.pixel(1, 1)), QColor(Qt::white));
    }
};

} // namespace lumivar

QTEST_MAIN(lumivar::DiagPolarWidgetTest)
#include "DiagPolarWidgetTest.moc"
