#include "app/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kyr {

namespace {

constexpr int Size = 24;
const QColor Ink(40, 40, 48);
const QColor Paper(250, 250, 246);
const QColor Accent(30, 110, 200);
const QColor Warn(200, 50, 40);
const QColor Ok(30, 150, 70);

void page(QPainter& p, const QRectF& r) {
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(Paper);
    p.drawRect(r);
}

void screen(QPainter& p) {
    p.setPen(QPen(Ink, 1.4));
    p.setBrush(QColor(200, 225, 205));
    p.drawRoundedRect(QRectF(2.5, 5.5, 19, 12), 1.5, 1.5);
    p.setPen(QPen(QColor(60, 100, 70), 1.2));
    p.drawLine(QPointF(5, 9.5), QPointF(15, 9.5));
    p.drawLine(QPointF(5, 13.5), QPointF(12, 13.5));
}

void terminal(QPainter& p) {
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(QColor(210, 210, 215));
    p.drawRoundedRect(QRectF(1.5, 13.5, 21, 9), 1.5, 1.5);
    p.setBrush(QColor(200, 225, 205));
    p.drawRect(QRectF(4.5, 15.5, 15, 4));
}

void arrow(QPainter& p, bool up) {
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    QPainterPath path;
    if (up) {
        path.moveTo(12, 1);
        path.lineTo(18, 7);
        path.lineTo(14.5, 7);
        path.lineTo(14.5, 12);
        path.lineTo(9.5, 12);
        path.lineTo(9.5, 7);
        path.lineTo(6, 7);
    } else {
        path.moveTo(12, 12);
        path.lineTo(18, 6);
        path.lineTo(14.5, 6);
        path.lineTo(14.5, 1);
        path.lineTo(9.5, 1);
        path.lineTo(9.5, 6);
        path.lineTo(6, 6);
    }
    path.closeSubpath();
    p.drawPath(path);
}

void badge(QPainter& p, bool plus) {
    p.setPen(Qt::NoPen);
    p.setBrush(plus ? Ok : Warn);
    p.drawEllipse(QRectF(13, 13, 10.5, 10.5));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(15.5, 18.25), QPointF(21, 18.25));
    if (plus) p.drawLine(QPointF(18.25, 15.5), QPointF(18.25, 21));
}

void label(QPainter& p, const QString& text, const QColor& color, int pixelSize = 9) {
    QFont f("DejaVu Sans");
    f.setPixelSize(pixelSize);
    f.setBold(true);
    p.setFont(f);
    p.setPen(color);
    p.drawText(QRectF(0, 0, Size, Size), Qt::AlignCenter, text);
}

void field(QPainter& p, const QString& text) {
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(QColor(255, 244, 200));
    p.drawRoundedRect(QRectF(1.5, 5.5, 21, 13), 2, 2);
    label(p, text, Ink, text.size() > 3 ? 7 : 8);
}

void draw(QPainter& p, Cmd cmd) {
    switch (cmd) {
    case Cmd::FileOpen: {
        p.setPen(QPen(QColor(150, 110, 20), 1.2));
        p.setBrush(QColor(240, 200, 90));
        QPainterPath folder;
        folder.moveTo(2, 6);
        folder.lineTo(9, 6);
        folder.lineTo(11, 8);
        folder.lineTo(21, 8);
        folder.lineTo(21, 19);
        folder.lineTo(2, 19);
        folder.closeSubpath();
        p.drawPath(folder);
        break;
    }
    case Cmd::FileSave:
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(Accent);
        p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 1.5, 1.5);
        p.setBrush(Paper);
        p.drawRect(QRectF(7.5, 3.5, 9, 6));
        p.drawRect(QRectF(6.5, 13.5, 11, 7));
        break;
    case Cmd::Cut:
        p.setPen(QPen(Ink, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(3, 14, 6, 6));
        p.drawEllipse(QRectF(15, 14, 6, 6));
        p.drawLine(QPointF(8, 15), QPointF(17, 3));
        p.drawLine(QPointF(16, 15), QPointF(7, 3));
        break;
    case Cmd::Copy:
        page(p, QRectF(3.5, 3.5, 11, 13));
        page(p, QRectF(9.5, 7.5, 11, 13));
        break;
    case Cmd::Paste:
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(QColor(190, 150, 90));
        p.drawRoundedRect(QRectF(3.5, 4.5, 15, 17), 1.5, 1.5);
        p.setBrush(QColor(160, 160, 170));
        p.drawRect(QRectF(7.5, 2.5, 7, 4));
        page(p, QRectF(10.5, 9.5, 11, 12));
        break;
    case Cmd::FileExit:
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(QColor(170, 120, 80));
        p.drawRect(QRectF(4.5, 2.5, 11, 19));
        p.setPen(QPen(Warn, 2.2));
        p.drawLine(QPointF(11, 12), QPointF(21, 12));
        p.drawLine(QPointF(17, 8), QPointF(21, 12));
        p.drawLine(QPointF(17, 16), QPointF(21, 12));
        break;
    case Cmd::InsertScreen:
    case Cmd::DeleteScreen:
        screen(p);
        badge(p, cmd == Cmd::InsertScreen);
        break;
    case Cmd::InsertExd:
    case Cmd::DeleteExd:
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(QColor(225, 230, 245));
        p.drawRect(QRectF(1.5, 3.5, 17, 15));
        for (int y = 7; y < 18; y += 4) p.drawLine(QPointF(1.5, y + 0.5), QPointF(18.5, y + 0.5));
        badge(p, cmd == Cmd::InsertExd);
        break;
    case Cmd::InsertMNUM: field(p, "123"); break;
    case Cmd::InsertMSTR: field(p, "Abc"); break;
    case Cmd::InsertSSTR: field(p, "A/B"); break;
    case Cmd::InsertBUTT:
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(QColor(255, 244, 200));
        p.drawRoundedRect(QRectF(1.5, 5.5, 21, 13), 2, 2);
        p.setBrush(Warn);
        p.drawEllipse(QRectF(8, 8, 8, 8));
        break;
    case Cmd::InsertBAR:
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(QColor(255, 244, 200));
        p.drawRoundedRect(QRectF(1.5, 5.5, 21, 13), 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(Ok);
        p.drawRect(QRectF(4, 9, 11, 6));
        break;
    case Cmd::KyrUpload:
        terminal(p);
        arrow(p, false);
        break;
    case Cmd::KyrDownload:
        terminal(p);
        arrow(p, true);
        break;
    case Cmd::FileHex:
        page(p, QRectF(3.5, 1.5, 17, 21));
        label(p, "HEX", Accent, 8);
        break;
    case Cmd::KyrVerify:
        terminal(p);
        p.setPen(QPen(Ok, 2.6));
        p.drawLine(QPointF(6, 6), QPointF(10, 10));
        p.drawLine(QPointF(10, 10), QPointF(18, 2));
        break;
    case Cmd::FilePrint:
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(Paper);
        p.drawRect(QRectF(6.5, 2.5, 11, 8));
        p.setBrush(QColor(170, 170, 180));
        p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 1.5, 1.5);
        p.setBrush(Paper);
        p.drawRect(QRectF(6.5, 15.5, 11, 6));
        break;
    default: break;
    }
}

}  // namespace

QIcon toolIcon(Cmd cmd) {
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, cmd);
    }
    return QIcon(pixmap);
}

}  // namespace kyr
