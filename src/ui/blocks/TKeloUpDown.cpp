#include "blocks/TKeloUpDown.h"

#include <QToolButton>

#include <algorithm>

namespace {
QToolButton *makeArrow(QWidget *parent, Qt::ArrowType arrow)
{
    auto *b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(false);
    return b;
}
} // namespace

TKeloUpDown::TKeloUpDown(QWidget *parent)
    : QWidget(parent), fUp(makeArrow(this, Qt::UpArrow)), fDown(makeArrow(this, Qt::DownArrow))
{
    setFocusPolicy(Qt::NoFocus);
    resize(DefaultWidth, 16);
    connect(fUp, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(fDown, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void TKeloUpDown::stepBy(int delta)
{
    const int lo = std::min(fMin, fMax);
    const int hi = std::max(fMin, fMax);
    const int from = std::clamp(fPosition, lo, hi);
    const int to = int(std::clamp<qint64>(qint64(from) + delta, lo, hi));
    if (to == from)
        return;
    emit changing(to);
    fPosition = to;
}

void TKeloUpDown::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int upper = height() / 2;
    fUp->setGeometry(0, 0, width(), upper);
    fDown->setGeometry(0, upper, width(), height() - upper);
}
