// Widget shells of the drawing base and the room sketch: forwarding of painting and
// mouse events, and the rubber band drawn over the picture.

#include "graphics/MedidasWidget.h"
#include "graphics/MundoGraficoWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include <memory>

namespace lumivar {

namespace {

// A drawing that fills its viewport in grey so forwarding can be seen.
class GreyPicture : public TMundoGrafico {
public:
    void Paint() override
    {
        ++Paints;
        DrawCanvas()->fillRect(0, 0, ClientWidth(), ClientHeight(), Qt::lightGray);
    }
    int Paints = 0;
};

int BluePixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += QColor(image.pixel(x, y)) == QColor(0, 0, 255);
    return n;
}

} // namespace

class GraficWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void rubberBandFollowsTheLeftButtonAndStaysAfterRelease();
    void rubberBandIsClampedToTheControl();
    void rubberBandIgnoresOtherButtonsAndDisabledZoom();
    void sketchWidgetPaintsTheSketchAndTakesNoInput();

private:
    static std::unique_ptr<MundoGraficoWidget> MakeWidget(GreyPicture** picture)
    {
        auto graphic = std::make_unique<GreyPicture>();
        *picture = graphic.get();
        auto widget = std::make_unique<MundoGraficoWidget>(std::move(graphic));
        widget->resize(200, 150);
        return widget;
    }
};

void GraficWidgetsTest::rubberBandFollowsTheLeftButtonAndStaysAfterRelease()
{
    GreyPicture* picture = nullptr;
    auto widget = MakeWidget(&picture);
    QTest::mousePress(widget.get(), Qt::LeftButton, {}, QPoint(20, 30));
    QVERIFY(picture->Dragging);
    QCOMPARE(picture->DragStart, QPoint(20, 30));
    QVERIFY(!picture->HasZoomRect());
    QTest::mouseMove(widget.get(), QPoint(120, 90));
    QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, QPoint(120, 90));
    QVERIFY(!picture->Dragging);
    QCOMPARE(picture->ZoomRect, (DeviceRect{20, 30, 120, 90}));

    // Drawn over the picture: dotted blue edges, nothing inside.
    const QImage shot = widget->grab().toImage();
    QVERIFY(picture->Paints > 0);
    QCOMPARE(QColor(shot.pixel(60, 60)), QColor(Qt::lightGray));
    int onTop = 0;
    for (int x = 20; x < 120; ++x)
        onTop += QColor(shot.pixel(x, 30)) == QColor(0, 0, 255);
    QVERIFY(onTop > 20 && onTop < 80);
    QVERIFY(BluePixels(shot.copy(21, 31, 98, 58)) == 0);

    // A new drag takes the old rectangle away.
    QTest::mousePress(widget.get(), Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(BluePixels(widget->grab().toImage()), 0);
    QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, QPoint(50, 50));

    picture->HideRubberBand();
    QVERIFY(!picture->RubberBandShown());
}

void GraficWidgetsTest::rubberBandIsClampedToTheControl()
{
    GreyPicture* picture = nullptr;
    auto widget = MakeWidget(&picture);
    QTest::mousePress(widget.get(), Qt::LeftButton, {}, QPoint(100, 100));
    // A drag leaving the control, as delivered while the button holds the mouse.
    QMouseEvent move(QEvent::MouseMove, QPointF(500, -40), widget->mapToGlobal(QPointF(500, -40)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget.get(), &move);
    QCOMPARE(picture->ZoomRect, (DeviceRect{100, 100, 200, 0}));
    QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, QPoint(500, -40));
    QVERIFY(BluePixels(widget->grab().toImage()) > 0);
}

void GraficWidgetsTest::rubberBandIgnoresOtherButtonsAndDisabledZoom()
{
    GreyPicture* picture = nullptr;
    auto widget = MakeWidget(&picture);
    QTest::mousePress(widget.get(), Qt::RightButton, {}, QPoint(10, 10));
    QTest::mouseMove(widget.get(), QPoint(90, 90));
    QVERIFY(!picture->Dragging);
    QTest::mouseRelease(widget.get(), Qt::RightButton, {}, QPoint(90, 90));

    picture->ZoomEnabled = false;
    QTest::mousePress(widget.get(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(widget.get(), QPoint(90, 90));
    QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, QPoint(90, 90));
    QVERIFY(!picture->HasZoomRect());
    QCOMPARE(BluePixels(widget->grab().toImage()), 0);
}

void GraficWidgetsTest::sketchWidgetPaintsTheSketchAndTakesNoInput()
{
    MedidasWidget sketch;
    sketch.resize(200, 180);
    sketch.SetDimensions(12.5f, 8, 3, 0.8f);
    QCOMPARE(sketch.Sketch().Height, 3.0f);
    QVERIFY(sketch.testAttribute(Qt::WA_TransparentForMouseEvents));
    const QImage shot = sketch.grab().toImage();
    QCOMPARE(QColor(shot.pixel(120, 1)), QColor(Qt::black));
    QVERIFY(BluePixels(shot) > 50);
}

} // namespace lumivar

QTEST_MAIN(lumivar::GraficWidgetsTest)
#include "GraficWidgetsTest.moc"
