#include "app/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace artwork {
namespace {
QPixmap iconPixmap(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size);
    g.setColorAt(0, QColor(0x2f, 0x8f, 0xe8));
    g.setColorAt(1, QColor(0x10, 0x4a, 0x9c));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size * 0.18, size * 0.18);
    // A little screen with a stand.
    const double m = size * 0.2;
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRoundedRect(QRectF(m, m, size - 2 * m, size * 0.42), size * 0.05, size * 0.05);
    p.drawRect(QRectF(size * 0.44, m + size * 0.42, size * 0.12, size * 0.12));
    p.drawRoundedRect(QRectF(size * 0.3, m + size * 0.53, size * 0.4, size * 0.07), 2, 2);
    p.setBrush(QColor(0xff, 0xb3, 0x1a));
    p.drawEllipse(QPointF(size * 0.66, m + size * 0.13), size * 0.07, size * 0.07);
    return pm;
}
}  // namespace

QIcon appIcon() {
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64}) icon.addPixmap(iconPixmap(s));
    return icon;
}

QPixmap banner(int width, int height) {
    QPixmap pm(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, width, 0);
    g.setColorAt(0, QColor(0x12, 0x4e, 0xa8));
    g.setColorAt(1, QColor(0x3a, 0xa0, 0xf0));
    p.fillRect(pm.rect(), g);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF(width * (0.55 + 0.1 * i), height * (i % 2 ? 0.2 : 0.9)), height * 0.9,
                      height * 0.9);
    p.drawPixmap(10, (height - 40) / 2, iconPixmap(40));
    QFont f = p.font();
    f.setPixelSize(qMax(12, height * 2 / 5));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(60, 0, width - 70, height), Qt::AlignVCenter | Qt::AlignLeft,
               "Tavrin 网吧桌面 · 配置程序");
    return pm;
}
}  // namespace artwork
