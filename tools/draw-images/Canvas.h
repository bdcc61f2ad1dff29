#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

// Wire colours used in every drawing, so that a pupil learns one convention.
namespace Wire {
inline const QColor Ground(35, 35, 35);
inline const QColor Supply(215, 30, 30);
inline const QColor Signal(240, 140, 0);
inline const QColor Signal2(0, 110, 210);
inline const QColor Bus(130, 60, 170);
inline const QColor Unused(150, 150, 150);
} // namespace Wire

// A white picture with the drawing helpers the pictures share: titles, text in boxes,
// circuit boards, header pins and the labelled wire from a pin to where it connects.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    QPainter &p() { return m_painter; }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }

    static QFont font(qreal pixelSize, bool bold = false);

    // A bold title on top, with an optional smaller line below it.
    void title(const QString &text, const QString &subtitle = QString());
    void text(const QRectF &box, const QString &text, qreal pixelSize,
              const QColor &colour = Qt::black, bool bold = false,
              int flags = Qt::AlignCenter);
    void textAt(QPointF centre, const QString &text, qreal pixelSize,
                const QColor &colour = Qt::black, bool bold = false);
    // Text read from bottom to top, as the silkscreen beside header pins.
    void verticalText(QPointF centre, const QString &text, qreal pixelSize,
                      const QColor &colour, bool bold = false);

    // A circuit board with rounded corners and, optionally, mounting holes.
    void board(const QRectF &r, const QColor &colour, bool holes = true);
    // A straight header pin sticking out of a board edge, from base towards tip.
    void pin(QPointF base, QPointF tip);
    // A wire from a pin's tip to a label box whose top edge is centred at boxTop: the
    // pin's name on top, where it connects below.
    void tag(QPointF tip, QPointF boxTop, const QString &pinName, const QString &connectTo,
             const QColor &wire, qreal boxWidth = 88);
    void arrow(QPointF from, QPointF to, const QColor &colour, qreal width = 2);
    // A short note in a rounded box with a coloured edge.
    void note(const QRectF &box, const QString &text, qreal pixelSize, const QColor &edge);

    bool save(const QString &path, int quality = -1);

private:
    QImage m_image;
    QPainter m_painter;
};
