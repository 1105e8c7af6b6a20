#include "app/SplashWindow.h"

#include "app/PreferencePresets.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace lumivar {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(400, 300);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &QWidget::close);
    m_timer->start(2500);
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    if (m_closable) {
        event->accept();
        return;
    }
    // Refused until the frame is up; ask again shortly.
    event->ignore();
    m_timer->start(250);
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    // Our own picture: a lit working plane under a luminaire, with the product name.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(0x1B, 0x2A, 0x4A));
    sky.setColorAt(1, QColor(0x3D, 0x5A, 0x80));
    p.fillRect(rect(), sky);

    QRadialGradient light(QPointF(200, 210), 170);
    light.setColorAt(0, QColor(255, 236, 170, 230));
    light.setColorAt(1, QColor(255, 236, 170, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawPolygon(QPolygonF({QPointF(170, 70), QPointF(230, 70), QPointF(380, 260), QPointF(20, 260)}));
    p.setBrush(QColor(0xE8, 0xE8, 0xE8));
    p.drawRect(QRectF(160, 60, 80, 10));

    p.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(28);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 100, width(), 60), Qt::AlignCenter, QStringLiteral("Lumivar"));
    QFont small = font();
    small.setPointSize(10);
    p.setFont(small);
    p.drawText(QRect(0, 160, width(), 24), Qt::AlignCenter,
               tr("Versão %1").arg(QString::fromStdString(VersionText(false))));
    p.setPen(QColor(0xC8, 0xD4, 0xE4));
    p.drawText(QRect(0, 268, width(), 24), Qt::AlignCenter, tr("Projecto de iluminação de interiores"));
}

} // namespace lumivar
