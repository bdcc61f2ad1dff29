#include "shell/PortBalloon.h"

#include <QGuiApplication>
#include <algorithm>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int TailHeight = 12;
constexpr int TailWidth = 16;
// The tail's left edge, measured from the balloon's left edge.
constexpr int TailLeft = 18;

} // namespace

// A tool window kept above the main one rather than a tool tip: X11 lets clicks
// through a tool window, while a tool tip window of Qt's keeps catching them.
PortBalloon::PortBalloon(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowTransparentForInput
                          | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint)
{
    setObjectName(u"PortBalloon"_s);
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 225));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    fTitle = new QLabel(this);
    QFont bold = fTitle->font();
    bold.setBold(true);
    fTitle->setFont(bold);
    fBody = new QLabel(this);
    fBody->setTextFormat(Qt::PlainText);
    fTitle->setTextFormat(Qt::PlainText);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8 + TailHeight);
    layout->setSpacing(4);
    layout->addWidget(fTitle);
    layout->addWidget(fBody);

    fHideTimer.setSingleShot(true);
    fHideTimer.setInterval(HideAfterMs);
    connect(&fHideTimer, &QTimer::timeout, this, &QWidget::hide);
}

void PortBalloon::showAt(const QWidget *anchor, const QString &title, const QString &text)
{
    fTitleText = title;
    fText = text;
    fTitle->setText(title);
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    fBody->setText(shown);
    adjustSize();

    if (anchor) {
        const QPoint tip = anchor->mapToGlobal(QPoint(anchor->width() / 2, 0));
        QPoint at(tip.x() - TailLeft - TailWidth / 2, tip.y() - height());
        if (const QScreen *screen = anchor->screen()) {
            const QRect area = screen->availableGeometry();
            at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width() + 1)));
            at.setY(std::max(at.y(), area.top()));
        }
        move(at);
    }
    show();
    raise();
    fHideTimer.start();
}

QPolygon PortBalloon::outline() const
{
    const int bottom = height() - TailHeight - 1;
    const int right = width() - 1;
    return QPolygon({QPoint(0, 0), QPoint(right, 0), QPoint(right, bottom),
                     QPoint(TailLeft + TailWidth, bottom), QPoint(TailLeft + TailWidth / 2, height() - 1),
                     QPoint(TailLeft, bottom), QPoint(0, bottom)});
}

void PortBalloon::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Shaped without a compositor: the window is cut to the body and its tail.
    const int bottom = height() - TailHeight;
    const QPolygon tail({QPoint(TailLeft, bottom - 1), QPoint(TailLeft + TailWidth + 1, bottom - 1),
                         QPoint(TailLeft + TailWidth / 2, height())});
    setMask(QRegion(0, 0, width(), bottom) + QRegion(tail));
}

void PortBalloon::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(QColor(100, 100, 100), 1));
    painter.drawPolygon(outline());
}
