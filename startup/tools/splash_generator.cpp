// Draws the splash picture at build time, so the image always matches the
// program's name and version without a binary file in the repository.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QImage image(439, 248, QImage::Format_RGB32);
    image.fill(QColor(0, 114, 198));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient shade(0, 0, 0, 248);
    shade.setColorAt(0, QColor(255, 255, 255, 28));
    shade.setColorAt(1, QColor(0, 0, 0, 40));
    p.fillRect(image.rect(), shade);

    // A check mark inside a rounded square, the program's sign.
    const QRectF mark(34, 70, 72, 72);
    p.setPen(QPen(Qt::white, 5));
    p.setBrush(QColor(255, 255, 255, 36));
    p.drawRoundedRect(mark, 14, 14);
    QPainterPath check;
    check.moveTo(mark.left() + 16, mark.center().y() + 2);
    check.lineTo(mark.left() + 31, mark.bottom() - 18);
    check.lineTo(mark.right() - 14, mark.top() + 18);
    p.setPen(QPen(Qt::white, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(check);

    p.setPen(Qt::white);
    QFont title(QStringLiteral("Sans Serif"), 30, QFont::Bold);
    p.setFont(title);
    p.drawText(QRectF(126, 66, 300, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Orbilane"));
    QFont subtitle(QStringLiteral("Sans Serif"), 12);
    p.setFont(subtitle);
    p.drawText(QRectF(128, 112, 300, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Gestão de Tarefas"));
    QFont small(QStringLiteral("Sans Serif"), 8);
    p.setFont(small);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QRectF(0, 212, 425, 24), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Versão %1").arg(QString::fromLatin1(argv[2])));
    p.end();
    return image.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
