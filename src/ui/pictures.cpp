#include "ui/pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

namespace money {
namespace {

const QString kTitle = QStringLiteral("禾川家庭财务软件");
const QColor kDeepGreen(0x1f, 0x6f, 0x4a);
const QColor kGold(0xd9, 0xa4, 0x1e);

QFont TitleFont(int pixel_size) {
  QFont font(QStringLiteral("WenQuanYi Micro Hei"));
  font.setPixelSize(pixel_size);
  font.setBold(true);
  return font;
}

// A coin seen from the front: a gold disc with a square hole.
void DrawCoin(QPainter& painter, QPointF centre, qreal radius) {
  QRadialGradient shine(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
  shine.setColorAt(0, QColor(0xff, 0xe9, 0x8a));
  shine.setColorAt(1, kGold.darker(115));
  painter.setPen(QPen(kGold.darker(150), qMax<qreal>(1, radius / 10)));
  painter.setBrush(shine);
  painter.drawEllipse(centre, radius, radius);
  const qreal hole = radius * 0.32;
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(centre.x() - hole, centre.y() - hole, 2 * hole, 2 * hole));
}

// An ear of rice: a bent stalk with grains along its upper end.
void DrawRiceEar(QPainter& painter, QPointF foot, qreal height, qreal lean) {
  const QPointF top(foot.x() + lean, foot.y() - height);
  QPainterPath stalk(foot);
  stalk.quadTo(QPointF(foot.x(), foot.y() - height * 0.7), top);
  painter.setPen(QPen(kDeepGreen, qMax<qreal>(1, height / 60)));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(stalk);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kGold);
  for (int grain = 0; grain < 7; ++grain) {
    const QPointF at = stalk.pointAtPercent(0.55 + grain * 0.065);
    const qreal size = height / 22;
    const qreal side = grain % 2 == 0 ? -1 : 1;
    painter.drawEllipse(QPointF(at.x() + side * size, at.y()), size * 0.7, size * 1.2);
  }
}

QPixmap Canvas(QSize size, const QColor& fill) {
  QPixmap pixmap(size);
  pixmap.fill(fill);
  return pixmap;
}

}  // namespace

QPixmap SplashPicture(QSize size) {
  QPixmap pixmap = Canvas(size, Qt::white);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal w = size.width();
  const qreal h = size.height();
  QLinearGradient field(0, h * 0.55, 0, h);
  field.setColorAt(0, QColor(0xe8, 0xf5, 0xe0));
  field.setColorAt(1, QColor(0xb9, 0xdd, 0xa6));
  painter.fillRect(QRectF(0, h * 0.55, w, h * 0.45), field);
  for (int ear = 0; ear < 9; ++ear) {
    DrawRiceEar(painter, QPointF(w * 0.06 + ear * w * 0.035, h * 0.97), h * (0.30 + (ear % 3) * 0.05), w * 0.03);
  }
  DrawCoin(painter, QPointF(w * 0.80, h * 0.74), h * 0.13);
  DrawCoin(painter, QPointF(w * 0.68, h * 0.80), h * 0.10);
  painter.setPen(kDeepGreen);
  painter.setFont(TitleFont(qMax(12, size.height() / 8)));
  painter.drawText(QRectF(0, h * 0.12, w, h * 0.3), Qt::AlignCenter, kTitle);
  QFont small = TitleFont(qMax(9, size.height() / 18));
  small.setBold(false);
  painter.setFont(small);
  painter.setPen(kGold.darker(140));
  painter.drawText(QRectF(0, h * 0.40, w, h * 0.12), Qt::AlignCenter, QStringLiteral("家庭收支  一目了然"));
  painter.setPen(QPen(kDeepGreen, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
  return pixmap;
}

QPixmap LoginBanner(QSize size) {
  QPixmap pixmap = Canvas(size, Qt::white);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal w = size.width();
  const qreal h = size.height();
  QLinearGradient sky(0, 0, w, h);
  sky.setColorAt(0, kDeepGreen);
  sky.setColorAt(1, QColor(0x5c, 0xa8, 0x6e));
  painter.fillRect(pixmap.rect(), sky);
  for (int ear = 0; ear < 5; ++ear) {
    DrawRiceEar(painter, QPointF(w * 0.80 + ear * w * 0.035, h), h * (0.6 + (ear % 2) * 0.15), -w * 0.02);
  }
  DrawCoin(painter, QPointF(h * 0.5, h * 0.5), h * 0.28);
  painter.setPen(Qt::white);
  painter.setFont(TitleFont(qMax(12, size.height() / 5)));
  painter.drawText(QRectF(h * 0.95, 0, w - h * 0.95, h), Qt::AlignVCenter | Qt::AlignLeft, kTitle);
  return pixmap;
}

QPixmap BackgroundPicture(QSize size) {
  QPixmap pixmap = Canvas(size, Qt::white);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient wash(0, 0, 0, size.height());
  wash.setColorAt(0, QColor(0xf4, 0xf8, 0xf1));
  wash.setColorAt(1, QColor(0xcf, 0xe3, 0xc6));
  painter.fillRect(pixmap.rect(), wash);
  painter.setOpacity(0.35);
  const qreal ear_height = qMin<qreal>(size.height() * 0.45, 260);
  for (int ear = 0; ear < 12; ++ear) {
    DrawRiceEar(painter, QPointF(size.width() - 40 - ear * ear_height / 10, size.height()),
                ear_height * (0.8 + (ear % 4) * 0.07), -ear_height / 12);
  }
  painter.setOpacity(0.18);
  painter.setPen(kDeepGreen);
  painter.setFont(TitleFont(qMax(16, size.height() / 12)));
  painter.drawText(pixmap.rect().adjusted(0, 0, 0, -size.height() / 3), Qt::AlignCenter, kTitle);
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int side : {16, 32, 64}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawCoin(painter, QPointF(side / 2.0, side / 2.0), side * 0.45);
    icon.addPixmap(pixmap);
  }
  return icon;
}

QIcon GlyphIcon(const QString& glyph, const QColor& colour) {
  QIcon icon;
  for (int side : {16, 32}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient tile(0, 0, 0, side);
    tile.setColorAt(0, colour.lighter(130));
    tile.setColorAt(1, colour.darker(110));
    painter.setPen(QPen(colour.darker(150), 1));
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(0.5, 0.5, side - 1, side - 1), side / 5.0, side / 5.0);
    painter.setPen(Qt::white);
    QFont font = TitleFont(side * 11 / 16);
    painter.setFont(font);
    painter.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, glyph);
    icon.addPixmap(pixmap);
  }
  return icon;
}

QIcon NavigatorIcon(const QString& name) {
  QIcon icon;
  for (int side : {16, 32}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 16.0, side / 16.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x20, 0x40, 0x80));
    const std::array<QPointF, 3> left{QPointF(4, 8), QPointF(11, 3), QPointF(11, 13)};
    const std::array<QPointF, 3> right{QPointF(12, 8), QPointF(5, 3), QPointF(5, 13)};
    if (name == QLatin1String("First")) {
      painter.drawRect(QRectF(2, 3, 2, 10));
      painter.drawPolygon(left.data(), 3);
    } else if (name == QLatin1String("Prior")) {
      painter.drawPolygon(left.data(), 3);
    } else if (name == QLatin1String("Next")) {
      painter.drawPolygon(right.data(), 3);
    } else if (name == QLatin1String("Last")) {
      painter.drawPolygon(right.data(), 3);
      painter.drawRect(QRectF(12, 3, 2, 10));
    } else {
      painter.setPen(QPen(QColor(0x20, 0x80, 0x40), 2));
      painter.setBrush(Qt::NoBrush);
      painter.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 290 * 16);
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor(0x20, 0x80, 0x40));
      const std::array<QPointF, 3> head{QPointF(9, 1), QPointF(14, 4), QPointF(9, 7)};
      painter.drawPolygon(head.data(), 3);
    }
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace money
