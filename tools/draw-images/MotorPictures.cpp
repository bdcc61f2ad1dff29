// The DC motor on its H-bridge and the robot car.
#include "Canvas.h"
#include "Pictures.h"

#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace {

const QColor Silk(245, 245, 245);
const QColor GearYellow(245, 200, 40);

// A yellow gear motor seen from above, shaft pointing up.
void gearMotor(Canvas &c, const QRectF &r)
{
    QPainter &p = c.p();
    p.setPen(QPen(QColor(170, 130, 0), 1.5));
    p.setBrush(GearYellow);
    p.drawRoundedRect(QRectF(r.left(), r.top(), r.width(), r.height() * 0.6), 5, 5);
    QLinearGradient can(r.left(), 0, r.right(), 0);
    can.setColorAt(0, QColor(150, 150, 160));
    can.setColorAt(0.5, QColor(235, 235, 240));
    can.setColorAt(1, QColor(150, 150, 160));
    p.setPen(QPen(QColor(110, 110, 120), 1.5));
    p.setBrush(can);
    p.drawRoundedRect(QRectF(r.left() + r.width() * 0.15, r.top() + r.height() * 0.6,
                             r.width() * 0.7, r.height() * 0.4),
                      4, 4);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(r.center().x(), r.top() + r.height() * 0.25), 7, 7);
}

void screwTerminal(Canvas &c, const QRectF &r, int ways)
{
    QPainter &p = c.p();
    p.setPen(QPen(QColor(20, 60, 140), 1.5));
    p.setBrush(QColor(40, 110, 220));
    p.drawRect(r);
    const bool vertical = r.height() > r.width();
    const qreal step = (vertical ? r.height() : r.width()) / ways;
    p.setBrush(QColor(200, 200, 205));
    for (int i = 0; i < ways; ++i) {
        const QPointF centre = vertical ? QPointF(r.center().x(), r.top() + step * (i + 0.5))
                                        : QPointF(r.left() + step * (i + 0.5), r.center().y());
        p.drawEllipse(centre, 6, 6);
        p.drawLine(centre + QPointF(-4, 0), centre + QPointF(4, 0));
    }
}

void dcMotor(Canvas &c)
{
    c.title(u"Κινητήρας DC με H-Bridge"_s, u"IN1, IN2 στο Arduino, ο κινητήρας στο Motor-A"_s);
    QPainter &p = c.p();
    gearMotor(c, QRectF(20, 72, 70, 120));
    // The H-bridge board: motor terminals left, heat sink, inputs and power below.
    c.board(QRectF(150, 58, 230, 150), QColor(180, 30, 35));
    screwTerminal(c, QRectF(156, 78, 24, 50), 2);
    c.text(QRectF(182, 76, 40, 18), u"A+"_s, 12, Silk, true);
    c.text(QRectF(182, 110, 40, 18), u"A−"_s, 12, Silk, true);
    c.text(QRectF(150, 130, 70, 16), u"Motor-A"_s, 10, Silk, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 25, 25));
    for (int i = 0; i < 7; ++i)
        p.drawRect(QRectF(232 + i * 12, 68, 7, 52));
    screwTerminal(c, QRectF(164, 164, 66, 22), 3);
    c.text(QRectF(158, 148, 78, 16), u"VIN GND 5V"_s, 9, Silk, true);
    const qreal xs[4] = {268, 290, 312, 334};
    const QString ins[4] = {u"IN1"_s, u"IN2"_s, u"IN3"_s, u"IN4"_s};
    for (int i = 0; i < 4; ++i) {
        c.verticalText(QPointF(xs[i], 168), ins[i], 10, Silk, true);
        c.pin(QPointF(xs[i], 208), QPointF(xs[i], 226));
    }
    c.text(QRectF(300, 128, 80, 16), u"H-Bridge"_s, 11, Silk, true);
    // Motor to terminals.
    p.setBrush(Qt::NoBrush);
    QPainterPath red(QPointF(55, 72));
    red.cubicTo(QPointF(55, 50), QPointF(130, 60), QPointF(160, 90));
    QPainterPath black(QPointF(65, 72));
    black.cubicTo(QPointF(70, 58), QPointF(120, 120), QPointF(160, 115));
    p.setPen(QPen(Wire::Supply, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(red);
    p.setPen(QPen(Wire::Ground, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(black);
    // Power from a battery; the ground is shared with the Arduino.
    const QPointF vin(175, 186), gnd(197, 186);
    p.setPen(QPen(Wire::Supply, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{vin, vin + QPointF(0, 24), QPointF(52, 222), QPointF(52, TagTop)});
    p.setPen(QPen(Wire::Ground, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{gnd, gnd + QPointF(0, 28), QPointF(150, 226), QPointF(150, TagTop)});
    c.tag(QPointF(52, TagTop), QPointF(52, TagTop), u"VIN"_s, u"μπαταρία +"_s, Wire::Supply, 92);
    c.tag(QPointF(150, TagTop), QPointF(150, TagTop), u"GND"_s, u"GND (κοινή)"_s, Wire::Ground,
          92);
    c.tag(QPointF(268, 226), QPointF(250, TagTop), u"IN1"_s, u"Pin"_s, Wire::Signal, 92);
    c.tag(QPointF(290, 226), QPointF(348, TagTop), u"IN2"_s, u"Άλλο Pin"_s, Wire::Signal2, 92);
}

void label(Canvas &c, const QRectF &box, const QString &text, const QColor &edge)
{
    c.note(box, text, 11, edge);
}

void robot(Canvas &c)
{
    c.title(u"Σύστημα Robot"_s, u"2 κινητήρες, Photo Interrupter, γυροσκόπιο (προαιρετικό)"_s);
    QPainter &p = c.p();
    // Chassis seen from above, front at the top.
    p.setPen(QPen(QColor(90, 140, 180), 2));
    p.setBrush(QColor(200, 225, 245));
    p.drawRoundedRect(QRectF(85, 56, 230, 236), 24, 24);
    // Front caster.
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(QColor(170, 170, 175));
    p.drawEllipse(QPointF(200, 76), 12, 12);
    // Wheels and motors at the back.
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(35, 35, 35));
    p.drawRoundedRect(QRectF(52, 178, 30, 86), 8, 8);
    p.drawRoundedRect(QRectF(318, 178, 30, 86), 8, 8);
    p.save();
    p.translate(88, 246);
    p.rotate(-90);
    gearMotor(c, QRectF(0, 0, 50, 74));
    p.restore();
    p.save();
    p.translate(312, 196);
    p.rotate(90);
    gearMotor(c, QRectF(0, 0, 50, 74));
    p.restore();
    // The encoder disc on the left axle and the photo interrupter around it.
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(170, 221), 6, 22);
    p.setBrush(QColor(20, 20, 20));
    p.drawRect(QRectF(160, 188, 22, 14));
    p.drawRect(QRectF(160, 240, 22, 14));
    // H-bridge and gyroscope boards.
    c.board(QRectF(160, 98, 80, 54), QColor(180, 30, 35), false);
    c.text(QRectF(160, 100, 80, 50), u"H-Bridge\nL293"_s, 12, Silk, true);
    c.board(QRectF(214, 200, 54, 40), QColor(25, 55, 150), false);
    c.text(QRectF(214, 202, 54, 36), u"MPU\n6050"_s, 10, Silk, true);
    // What goes where.
    label(c, QRectF(4, 84, 118, 56), u"IN1, IN2, IN3, IN4\nEn1,2 (ταχύτητα)"_s, Wire::Signal);
    c.arrow(QPointF(122, 112), QPointF(158, 120), Wire::Signal, 2);
    label(c, QRectF(4, 268, 140, 30), u"Photo Interrupter: Pin"_s, Wire::Signal2);
    c.arrow(QPointF(120, 268), QPointF(165, 252), Wire::Signal2, 2);
    label(c, QRectF(262, 268, 134, 30), u"Γυροσκόπιο: SDA/SCL"_s, Wire::Bus);
    c.arrow(QPointF(270, 268), QPointF(250, 242), Wire::Bus, 2);
    label(c, QRectF(288, 84, 108, 56), u"Κινητήρες:\nA+ A−, B+ B−"_s, QColor(170, 130, 0));
    c.arrow(QPointF(330, 140), QPointF(318, 196), QColor(170, 130, 0), 2);
}

} // namespace

QList<Picture> motorPictures()
{
    return {
        {u"pnlDcMotor.png"_s, 400, 300, dcMotor},
        {u"pnlRobot.png"_s, 400, 300, robot},
    };
}
