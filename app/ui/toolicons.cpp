#include "app/ui/toolicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace {

// Everything is drawn on a 48-unit grid and scaled to the requested size.
void drawDocument(QPainter& p) {
    QPainterPath page;
    page.moveTo(9, 4);
    page.lineTo(29, 4);
    page.lineTo(38, 13);
    page.lineTo(38, 44);
    page.lineTo(9, 44);
    page.closeSubpath();
    p.setPen(QPen(QColor(70, 80, 100), 1.5));
    p.setBrush(QColor(250, 250, 252));
    p.drawPath(page);
    // A strip of film on the page.
    p.setBrush(QColor(60, 70, 90));
    p.drawRect(QRectF(14, 16, 19, 16));
    p.setBrush(QColor(120, 180, 230));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(17, 19, 13, 10));
}

void drawFolder(QPainter& p) {
    QPainterPath folder;
    folder.moveTo(4, 12);
    folder.lineTo(17, 12);
    folder.lineTo(21, 16);
    folder.lineTo(42, 16);
    folder.lineTo(42, 40);
    folder.lineTo(4, 40);
    folder.closeSubpath();
    p.setPen(QPen(QColor(150, 110, 20), 1.5));
    p.setBrush(QColor(245, 200, 80));
    p.drawPath(folder);
    p.setBrush(QColor(252, 222, 120));
    p.drawRect(QRectF(4, 21, 38, 19));
}

void drawPlusBadge(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 150, 60));
    p.drawEllipse(QPointF(37, 37), 9, 9);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(32, 37), QPointF(42, 37));
    p.drawLine(QPointF(37, 32), QPointF(37, 42));
}

void drawArrow(QPainter& p, bool up) {
    QPolygonF arrow;
    arrow << QPointF(24, 6) << QPointF(42, 24) << QPointF(31, 24) << QPointF(31, 42) << QPointF(17, 42)
          << QPointF(17, 24) << QPointF(6, 24);
    if (!up) {
        for (QPointF& pt : arrow)
            pt.setY(48 - pt.y());
    }
    p.setPen(QPen(QColor(20, 70, 140), 1.5));
    p.setBrush(QColor(60, 130, 210));
    p.drawPolygon(arrow);
}

void drawCross(QPainter& p, QPointF centre, double half, double width) {
    p.setPen(QPen(QColor(200, 40, 40), width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
    p.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
}

void drawList(QPainter& p) {
    p.setPen(QPen(QColor(70, 80, 100), 1.5));
    p.setBrush(QColor(250, 250, 252));
    p.drawRect(QRectF(6, 6, 30, 36));
    p.setPen(QPen(QColor(120, 130, 150), 3));
    for (int y = 14; y <= 34; y += 7)
        p.drawLine(QPointF(11, y), QPointF(31, y));
}

void drawGear(QPainter& p) {
    const QPointF c(24, 24);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a = i * M_PI / teeth;
        const double r = (i % 2 == 0) ? 20 : 15;
        const double a1 = a - M_PI / teeth / 2, a2 = a + M_PI / teeth / 2;
        const QPointF p1 = c + QPointF(r * qCos(a1), r * qSin(a1));
        const QPointF p2 = c + QPointF(r * qCos(a2), r * qSin(a2));
        if (i == 0)
            gear.moveTo(p1);
        else
            gear.lineTo(p1);
        gear.lineTo(p2);
    }
    gear.closeSubpath();
    gear.addEllipse(c, 6, 6);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(QPen(QColor(60, 60, 70), 1.5));
    p.setBrush(QColor(150, 155, 165));
    p.drawPath(gear);
}

void drawRoundSign(QPainter& p, const QColor& colour, const QString& text) {
    p.setPen(QPen(colour.darker(140), 1.5));
    p.setBrush(colour);
    p.drawEllipse(QPointF(24, 24), 19, 19);
    QFont f = p.font();
    f.setPixelSize(28);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 4, 40, 40), Qt::AlignCenter, text);
}

void drawPicture(QPainter& p, ToolPicture picture) {
    switch (picture) {
    case ToolPicture::AddFile:
        drawDocument(p);
        drawPlusBadge(p);
        break;
    case ToolPicture::AddDir:
        drawFolder(p);
        drawPlusBadge(p);
        break;
    case ToolPicture::Up:
        drawArrow(p, true);
        break;
    case ToolPicture::Down:
        drawArrow(p, false);
        break;
    case ToolPicture::Remove:
        drawDocument(p);
        drawCross(p, QPointF(36, 36), 7, 5);
        break;
    case ToolPicture::Clear:
        drawList(p);
        drawCross(p, QPointF(34, 34), 9, 6);
        break;
    case ToolPicture::Start:
    case ToolPicture::Play: {
        QPolygonF tri;
        tri << QPointF(12, 6) << QPointF(42, 24) << QPointF(12, 42);
        p.setPen(QPen(QColor(20, 110, 40), 1.5));
        p.setBrush(QColor(50, 170, 70));
        p.drawPolygon(tri);
        break;
    }
    case ToolPicture::Stop:
        p.setPen(QPen(QColor(140, 20, 20), 1.5));
        p.setBrush(QColor(210, 50, 50));
        p.drawRoundedRect(QRectF(9, 9, 30, 30), 3, 3);
        break;
    case ToolPicture::Pause:
        p.setPen(QPen(QColor(30, 50, 110), 1.5));
        p.setBrush(QColor(70, 110, 200));
        p.drawRect(QRectF(10, 8, 10, 32));
        p.drawRect(QRectF(28, 8, 10, 32));
        break;
    case ToolPicture::Setting:
        drawGear(p);
        break;
    case ToolPicture::About:
        drawRoundSign(p, QColor(50, 110, 200), QStringLiteral("i"));
        break;
    case ToolPicture::Help:
        drawRoundSign(p, QColor(40, 150, 120), QStringLiteral("?"));
        break;
    }
}

} // namespace

QIcon ToolIcon(ToolPicture picture, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    drawPicture(p, picture);
    p.end();
    return QIcon(pixmap);
}
