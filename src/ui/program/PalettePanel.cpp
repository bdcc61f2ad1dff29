#include "program/PalettePanel.h"

#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

PalettePanel::PalettePanel(const QString &caption, const QColor &color, int height, const QString &headerStyle,
                           QWidget *parent)
    : QWidget(parent)
{
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    fHeader = new QToolButton(this);
    fHeader->setText(caption);
    fHeader->setCheckable(true);
    fHeader->setChecked(true);
    fHeader->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    fHeader->setArrowType(Qt::DownArrow);
    fHeader->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    fHeader->setFixedHeight(22);
    fHeader->setStyleSheet(u"QToolButton { font: bold 10pt 'Tahoma'; text-align: left; padding: 2px; border: none; "_s
                           + headerStyle + u" }"_s);
    fBody = new QWidget(this);
    fBody->setAutoFillBackground(true);
    QPalette pal = fBody->palette();
    pal.setColor(QPalette::Window, color);
    fBody->setPalette(pal);
    if (height > 0)
        fBody->setFixedHeight(height);
    else
        fBody->setMinimumHeight(400);
    lay->addWidget(fHeader);
    lay->addWidget(fBody, height > 0 ? 0 : 1);
    connect(fHeader, &QToolButton::toggled, this, &PalettePanel::setExpanded);
}

bool PalettePanel::expanded() const
{
    return fBody->isVisible();
}

void PalettePanel::setExpanded(bool on)
{
    fHeader->setArrowType(on ? Qt::DownArrow : Qt::RightArrow);
    fBody->setVisible(on);
}
