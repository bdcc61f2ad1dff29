#include "BoardView.h"

#include "devices/DeviceTypes.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

using namespace Qt::StringLiterals;

namespace {

const QColor BoardColour(0, 110, 140);
const QColor LedOn(255, 210, 40);
const QColor LedOff(90, 80, 50);

bool pin13(const SimSnapshot &s)
{
    const auto it = s.pins.find(13);
    return it != s.pins.end() && it->second.mode == 1 && it->second.level == 1;
}

QString wheelText(int signedSpeed)
{
    if (signedSpeed == 0)
        return u"σταματημένος"_s;
    return (signedSpeed > 0 ? u"μπροστά "_s : u"πίσω "_s) + QString::number(std::abs(signedSpeed));
}

} // namespace

BoardView::BoardView(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"SimBoardView"_s);
    setAccessibleName(u"Προσομοιωμένη πλακέτα"_s);
    // Small enough that the page never widens the window beyond what it was given.
    setMinimumSize(240, 200);
}

void BoardView::setBoard(const QString &boardName, bool mega)
{
    fBoardName = boardName;
    fMega = mega;
    fSnap = {};
    fWheelTurn.clear();
    update();
}

QString BoardView::describe(const SimSnapshot &s)
{
    QStringList parts{pin13(s) ? u"LED 13 αναμμένο"_s : u"LED 13 σβηστό"_s};
    for (const SimSnapshot::Device &d : s.devices) {
        switch (d.typeId) {
        case DeviceTypes::Laser: parts << d.name + (d.lit ? u" αναμμένο"_s : u" σβηστό"_s); break;
        case DeviceTypes::Sound:
            parts << d.name + (d.hz > 0 ? u" %1 Hz"_s.arg(qRound(d.hz)) : u" σιωπή"_s);
            break;
        case DeviceTypes::Servo:
            parts << d.name + (d.degrees ? u" %1°"_s.arg(qRound(*d.degrees)) : u" χωρίς παλμούς"_s);
            break;
        case DeviceTypes::DCMOTOR:
            parts << d.name + (d.motor == 0 ? u" σταματημένος"_s : d.motor > 0 ? u" μπροστά"_s : u" πίσω"_s);
            break;
        case DeviceTypes::ROBOT:
            parts << d.name + u" αριστερός "_s + wheelText(d.wheels.first) + u", δεξιός "_s + wheelText(d.wheels.second);
            break;
        default: break;
        }
    }
    if (s.hasDisplay)
        parts << u"οθόνη «%1» «%2»"_s.arg(s.rows[0].trimmed(), s.rows[1].trimmed());
    return parts.join(u"; "_s);
}

void BoardView::show(const SimSnapshot &snapshot)
{
    // Wheels turn by their speed over the time since the last picture.
    const double dt = std::max(0.0, snapshot.programMs - fLastMs) / 1000.0;
    for (const SimSnapshot::Device &d : snapshot.devices) {
        fWheelTurn[d.position * 2] += dt * (d.typeId == DeviceTypes::DCMOTOR ? d.motor * 255 : d.wheels.first) * 2.0;
        fWheelTurn[d.position * 2 + 1] += dt * d.wheels.second * 2.0;
    }
    fLastMs = snapshot.programMs;
    fSnap = snapshot;
    setAccessibleDescription(describe(fSnap));
    update();
}

void BoardView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(245, 245, 240));
    const QRect boardRect(10, 10, width() - 20, 150);
    drawBoard(p, boardRect);
    // The devices below the board, in rows of three.
    const int cols = 3, w = (width() - 20) / cols, h = 120;
    int k = 0;
    for (const SimSnapshot::Device &d : fSnap.devices) {
        if (d.typeId == DeviceTypes::BMP || d.typeId == DeviceTypes::Switch || d.typeId == DeviceTypes::ANIN
            || d.typeId == DeviceTypes::Temp || d.typeId == DeviceTypes::UltraSonic)
            continue;  // inputs: their sliders stand for them
        const QRect r(10 + (k % cols) * w, boardRect.bottom() + 10 + (k / cols) * (h + 8), w - 8, h);
        drawDevice(p, r, d);
        ++k;
    }
}

void BoardView::drawBoard(QPainter &p, const QRect &r)
{
    p.setPen(QPen(BoardColour.darker(140), 2));
    p.setBrush(BoardColour);
    p.drawRoundedRect(r, 10, 10);
    p.setPen(Qt::white);
    p.setFont(QFont(u"DejaVu Sans"_s, 14, QFont::Bold));
    p.drawText(r.adjusted(16, 10, -16, -10), Qt::AlignRight | Qt::AlignBottom, fBoardName);
    // The header of digital pins along the top edge, lit where an output is high.
    const int pins = fMega ? 54 : 14;
    const double step = double(r.width() - 40) / pins;
    p.setFont(QFont(u"DejaVu Sans"_s, 6));
    for (int i = 0; i < pins; ++i) {
        const auto it = fSnap.pins.find(i);
        const bool high = it != fSnap.pins.end() && it->second.mode == 1 && it->second.level == 1;
        const QRectF pad(r.left() + 20 + i * step, r.top() + 8, step * 0.7, 10);
        p.setPen(Qt::NoPen);
        p.setBrush(high ? QColor(255, 80, 60) : QColor(30, 30, 30));
        p.drawRect(pad);
        if (!fMega || i % 2 == 0) {
            p.setPen(Qt::white);
            p.drawText(QRectF(pad.left() - 4, pad.bottom() + 1, pad.width() + 8, 10), Qt::AlignCenter,
                       QString::number(i));
        }
    }
    // Pin 13's LED, marked L as on the board.
    const QPointF led(r.left() + 60, r.top() + 70);
    const bool on = pin13(fSnap);
    if (on) {
        QRadialGradient glow(led, 26);
        glow.setColorAt(0, QColor(255, 230, 80, 200));
        glow.setColorAt(1, QColor(255, 230, 80, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(led, 26, 26);
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(on ? LedOn : LedOff);
    p.drawRect(QRectF(led.x() - 8, led.y() - 5, 16, 10));
    p.setPen(Qt::white);
    p.setFont(QFont(u"DejaVu Sans"_s, 10, QFont::Bold));
    p.drawText(QPointF(led.x() + 14, led.y() + 5), u"L (13)"_s);
    p.setFont(QFont(u"DejaVu Sans"_s, 10));
    p.drawText(QPointF(r.left() + 20, r.bottom() - 14), u"%1 s"_s.arg(fSnap.programMs / 1000.0, 0, 'f', 1));
}

void BoardView::drawDevice(QPainter &p, const QRect &r, const SimSnapshot::Device &d)
{
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 6, 6);
    p.setPen(Qt::black);
    p.setFont(QFont(u"DejaVu Sans"_s, 9));
    p.drawText(r.adjusted(6, 4, -6, 0), Qt::AlignLeft | Qt::AlignTop, d.name);
    const QPointF c = QRectF(r).center() + QPointF(0, 8);
    switch (d.typeId) {
    case DeviceTypes::Laser: {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(d.lit ? QColor(255, 40, 30) : QColor(90, 30, 30));
        p.drawEllipse(c, 18, 18);
        if (d.lit) {
            p.setBrush(QColor(255, 255, 255, 160));
            p.setPen(Qt::NoPen);
            p.drawEllipse(c + QPointF(-6, -6), 5, 5);
        }
        break;
    }
    case DeviceTypes::Sound: {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(40, 40, 40));
        p.drawEllipse(c + QPointF(-30, 0), 16, 16);
        p.setFont(QFont(u"DejaVu Sans"_s, 12, QFont::Bold));
        p.drawText(QRectF(c.x() - 8, c.y() - 12, r.width() / 2.0, 24), Qt::AlignLeft | Qt::AlignVCenter,
                   d.hz > 0 ? u"♪ %1 Hz"_s.arg(qRound(d.hz)) : u"σιωπή"_s);
        break;
    }
    case DeviceTypes::Servo: {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(30, 60, 160));
        p.drawRect(QRectF(c.x() - 24, c.y() - 10, 48, 30));
        if (d.degrees) {
            // 0 fully right, 180 fully left.
            const double a = qDegreesToRadians(*d.degrees);
            p.setPen(QPen(QColor(240, 240, 240), 6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c, c + QPointF(std::cos(a) * 40, -std::sin(a) * 40));
            p.setPen(Qt::black);
            p.drawText(QRectF(r.left(), r.bottom() - 18, r.width(), 16), Qt::AlignCenter,
                       u"%1°"_s.arg(qRound(*d.degrees)));
        }
        break;
    }
    case DeviceTypes::DCMOTOR:
    case DeviceTypes::ROBOT: {
        const bool robot = d.typeId == DeviceTypes::ROBOT;
        const int sides = robot ? 2 : 1;
        for (int s = 0; s < sides; ++s) {
            const QPointF w = robot ? c + QPointF(s == 0 ? -40 : 40, -4) : c + QPointF(0, -4);
            const double turn = fWheelTurn[d.position * 2 + s];
            p.setPen(QPen(Qt::black, 2));
            p.setBrush(QColor(60, 60, 60));
            p.drawEllipse(w, 22, 22);
            p.setPen(QPen(QColor(230, 200, 60), 3));
            for (int k = 0; k < 3; ++k) {
                const double a = turn + k * 2 * M_PI / 3;
                p.drawLine(w, w + QPointF(std::cos(a) * 20, std::sin(a) * 20));
            }
        }
        p.setPen(Qt::black);
        const QString text = robot ? wheelText(d.wheels.first) + u" | "_s + wheelText(d.wheels.second)
                                   : (d.motor == 0 ? u"σταματημένος"_s : d.motor > 0 ? u"μπροστά"_s : u"πίσω"_s);
        p.drawText(QRectF(r.left(), r.bottom() - 18, r.width(), 16), Qt::AlignCenter, text);
        break;
    }
    case DeviceTypes::LCD_Serial: {
        const QRectF screen(r.left() + 8, c.y() - 24, r.width() - 16, 48);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(60, 140, 60));
        p.drawRect(screen);
        p.setPen(QColor(220, 255, 220));
        QFont mono(u"DejaVu Sans Mono"_s, 10);
        mono.setStyleHint(QFont::Monospace);
        p.setFont(mono);
        p.drawText(screen.adjusted(4, 2, -4, -24), Qt::AlignLeft | Qt::AlignVCenter, fSnap.rows[0]);
        p.drawText(screen.adjusted(4, 24, -4, -2), Qt::AlignLeft | Qt::AlignVCenter, fSnap.rows[1]);
        break;
    }
    default: break;
    }
}
