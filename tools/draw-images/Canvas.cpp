#include "Canvas.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QtMath>

using namespace Qt::StringLiterals;

Canvas::Canvas(int width, int height)
    : m_image(width, height, QImage::Format_ARGB32_Premultiplied)
{
    m_image.fill(Qt::white);
    m_painter.begin(&m_image);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
}

Canvas::~Canvas()
{
    if (m_painter.isActive())
        m_painter.end();
}

QFont Canvas::font(qreal pixelSize, bool bold)
{
    QFont f(u"DejaVu Sans"_s);
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void Canvas::title(const QString &text, const QString &subtitle)
{
    this->text(QRectF(0, 6, width(), 26), text, 19, QColor(20, 40, 90), true);
    if (!subtitle.isEmpty())
        this->text(QRectF(0, 31, width(), 18), subtitle, 13, QColor(70, 70, 70));
}

void Canvas::text(const QRectF &box, const QString &text, qreal pixelSize,
                  const QColor &colour, bool bold, int flags)
{
    m_painter.save();
    m_painter.setFont(font(pixelSize, bold));
    m_painter.setPen(colour);
    m_painter.drawText(box, flags, text);
    m_painter.restore();
}

void Canvas::textAt(QPointF centre, const QString &text, qreal pixelSize,
                    const QColor &colour, bool bold)
{
    const QFontMetricsF fm(font(pixelSize, bold));
    const qreal w = fm.horizontalAdvance(text) + 4;
    const qreal h = fm.height() * (text.count(u'\n') + 1);
    this->text(QRectF(centre.x() - w / 2, centre.y() - h / 2, w, h), text, pixelSize,
               colour, bold);
}

void Canvas::verticalText(QPointF centre, const QString &text, qreal pixelSize,
                          const QColor &colour, bool bold)
{
    m_painter.save();
    m_painter.translate(centre);
    m_painter.rotate(-90);
    textAt(QPointF(0, 0), text, pixelSize, colour, bold);
    m_painter.restore();
}

void Canvas::board(const QRectF &r, const QColor &colour, bool holes)
{
    m_painter.save();
    m_painter.setPen(QPen(colour.darker(140), 2));
    m_painter.setBrush(colour);
    m_painter.drawRoundedRect(r, 7, 7);
    if (holes && r.width() > 60 && r.height() > 40) {
        m_painter.setPen(QPen(QColor(200, 170, 60), 2));
        m_painter.setBrush(Qt::white);
        const qreal d = 9;
        for (QPointF c : {r.topLeft() + QPointF(d, d), r.topRight() + QPointF(-d, d)})
            m_painter.drawEllipse(c, 4, 4);
    }
    m_painter.restore();
}

void Canvas::pin(QPointF base, QPointF tip)
{
    m_painter.save();
    // The black plastic collar, then the gold pin.
    const QPointF dir = (tip - base) / std::max(1.0, QLineF(base, tip).length());
    const QPointF side(-dir.y(), dir.x());
    QPolygonF collar;
    const QPointF c0 = base, c1 = base + dir * 7;
    collar << c0 + side * 5 << c1 + side * 5 << c1 - side * 5 << c0 - side * 5;
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(QColor(30, 30, 30));
    m_painter.drawPolygon(collar);
    m_painter.setPen(QPen(QColor(200, 160, 40), 3.2, Qt::SolidLine, Qt::FlatCap));
    m_painter.drawLine(c1, tip);
    m_painter.restore();
}

void Canvas::tag(QPointF tip, QPointF boxTop, const QString &pinName, const QString &connectTo,
                 const QColor &wire, qreal boxWidth)
{
    m_painter.save();
    m_painter.setPen(QPen(wire, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_painter.setBrush(Qt::NoBrush);
    // A caller that drew its own wire ends it at the box.
    if (tip != boxTop) {
        QPolygonF path;
        path << tip << tip + QPointF(0, 6) << boxTop - QPointF(0, 8) << boxTop;
        m_painter.drawPolyline(path);
    }
    const QRectF box(boxTop.x() - boxWidth / 2, boxTop.y(), boxWidth, 40);
    m_painter.setPen(QPen(wire, 2));
    m_painter.setBrush(QColor::fromHsv(wire.hsvHue() < 0 ? 0 : wire.hsvHue(),
                                       wire.hsvSaturation() / 6, 252));
    m_painter.drawRoundedRect(box, 6, 6);
    m_painter.restore();
    text(QRectF(box.left(), box.top() + 2, box.width(), 18), pinName, 13, Qt::black, true);
    text(QRectF(box.left(), box.top() + 19, box.width(), 18), connectTo, 12,
         QColor(60, 60, 60));
}

void Canvas::arrow(QPointF from, QPointF to, const QColor &colour, qreal width)
{
    m_painter.save();
    m_painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    m_painter.drawLine(from, to);
    const qreal angle = qAtan2(to.y() - from.y(), to.x() - from.x());
    const qreal head = 5 + width * 2;
    QPolygonF tipShape;
    tipShape << to << to - QPointF(qCos(angle - 0.45) * head, qSin(angle - 0.45) * head)
             << to - QPointF(qCos(angle + 0.45) * head, qSin(angle + 0.45) * head);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(colour);
    m_painter.drawPolygon(tipShape);
    m_painter.restore();
}

void Canvas::note(const QRectF &box, const QString &text, qreal pixelSize, const QColor &edge)
{
    m_painter.save();
    m_painter.setPen(QPen(edge, 1.5));
    m_painter.setBrush(QColor(255, 253, 235));
    m_painter.drawRoundedRect(box, 5, 5);
    m_painter.restore();
    this->text(box.adjusted(4, 2, -4, -2), text, pixelSize, QColor(40, 40, 40), false,
               Qt::AlignCenter | Qt::TextWordWrap);
}

bool Canvas::save(const QString &path, int quality)
{
    if (m_painter.isActive())
        m_painter.end();
    // Without an alpha channel the files are smaller and show the same on any page.
    return m_image.convertToFormat(QImage::Format_RGB32).save(path, nullptr, quality);
}
