// Draws the application icon at every size the program ships: two sheets of
// paper, the front one carrying a copy arrow. Run once; the PNGs are committed.
//   drawicon OUTDIR

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

static void sheet(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom, qreal s)
{
    const qreal fold = r.width() * 0.28;
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(QPen(QColor(0x1f, 0x3c, 0x73), qMax(1.0, s * 1.5)));
    p.drawPath(path);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(0xc8, 0xd8, 0xf0));
    p.drawPath(corner);
}

static QImage draw(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, size > 16);
    const qreal s = size / 32.0;
    sheet(p, QRectF(2 * s, 1.5 * s, 18 * s, 22 * s), QColor(0xf4, 0xf7, 0xfc), QColor(0xb9, 0xc9, 0xe4), s);
    sheet(p, QRectF(11 * s, 8.5 * s, 18.5 * s, 22 * s), QColor(0xff, 0xff, 0xff), QColor(0xd5, 0xe2, 0xf5), s);
    // The copy arrow: orange, from the back sheet into the front one.
    QPainterPath arrow;
    arrow.moveTo(13 * s, 17 * s);
    arrow.lineTo(20 * s, 17 * s);
    arrow.lineTo(20 * s, 13.5 * s);
    arrow.lineTo(27 * s, 19.5 * s);
    arrow.lineTo(20 * s, 25.5 * s);
    arrow.lineTo(20 * s, 22 * s);
    arrow.lineTo(13 * s, 22 * s);
    arrow.closeSubpath();
    p.setBrush(QColor(0xff, 0x96, 0x00));
    p.setPen(QPen(QColor(0xb0, 0x55, 0x00), qMax(1.0, s)));
    p.drawPath(arrow);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    for (int size : {16, 24, 32, 48, 64, 96, 256})
        draw(size).save(QStringLiteral("%1/quintaro-%2.png").arg(dir).arg(size));
    return 0;
}
