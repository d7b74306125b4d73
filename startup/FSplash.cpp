#include "startup/FSplash.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

static void initSplashResource()
{
    Q_INIT_RESOURCE(splash);
}

TfrmSplash::TfrmSplash(QWidget *parent) : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    initSplashResource();
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(439, 248);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 114, 198));
    setPalette(p);
    setAutoFillBackground(true);
    m_picture.load(QStringLiteral(":/startup/splash.png"));
    // The picture is drawn pixel for pixel, whatever the screen's scale.
    m_picture.setDevicePixelRatio(devicePixelRatioF());
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(1000);
    Timer1.setSingleShot(true);
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &TfrmSplash::Timer1Timer);
}

void TfrmSplash::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_shown.start();
    Timer1.start();
    if (m_whileShown)
        QTimer::singleShot(0, this, m_whileShown);
}

void TfrmSplash::Timer1Timer()
{
    accept();
}

void TfrmSplash::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void TfrmSplash::keyPressEvent(QKeyEvent *event)
{
    event->accept(); // asks for no input: Esc does not close it early
}
