#include "app/ProgramIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace kyr {

namespace {

// The picture in the 64 x 64 units of the desktop icon.
void drawTerminal(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 8, 0, 56);
    body.setColorAt(0, QColor(0x5b, 0x64, 0x70));
    body.setColorAt(1, QColor(0x32, 0x38, 0x40));
    p.setPen(QPen(QColor(0x1e, 0x22, 0x27), 1.5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(3, 8, 58, 48), 6, 6);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x2a, 0x12));
    p.drawRoundedRect(QRectF(8, 13, 48, 22), 2, 2);
    QLinearGradient lcd(0, 15, 0, 33);
    lcd.setColorAt(0, QColor(0xc9, 0xe6, 0x8a));
    lcd.setColorAt(1, QColor(0x9f, 0xc3, 0x5a));
    p.setBrush(lcd);
    p.drawRoundedRect(QRectF(10, 15, 44, 18), 1, 1);

    // First row: "KYR" and a bar graph; second row: a value.
    const QColor ink(0x24, 0x33, 0x0f);
    p.setPen(ink);
    QFont font;
    font.setPixelSize(7);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(11.5, 16, 18, 7.5), Qt::AlignLeft | Qt::AlignVCenter, "KYR");
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (const double x : {31.0, 34.6, 38.2}) p.drawRect(QRectF(x, 17, 3, 6));
    p.drawRect(QRectF(41.8, 17, 1.5, 6));
    for (const double x : {12.0, 15.4, 21.0, 46.0, 49.4}) p.drawRect(QRectF(x, 26, 2.2, 5));
    p.drawRect(QRectF(18.8, 30, 1, 1));

    // Two rows of keys, the last two red and green.
    p.setPen(QPen(QColor(0x1e, 0x22, 0x27), 0.8));
    const QColor key(0xd8, 0xdd, 0xe3);
    int n = 0;
    for (const double y : {40.0, 47.5}) {
        for (const double x : {9.0, 20.5, 34.5, 46.0}) {
            ++n;
            p.setBrush(n == 7 ? QColor(0xe2, 0x57, 0x4c) : n == 8 ? QColor(0x5c, 0xb8, 0x5c) : key);
            p.drawRoundedRect(QRectF(x, y, 9, 5), 1, 1);
        }
    }
}

QPixmap pixmapOfSize(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.scale(size / 64.0, size / 64.0);
    drawTerminal(p);
    return pixmap;
}

}  // namespace

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(pixmapOfSize(size));
    return icon;
}

}  // namespace kyr
