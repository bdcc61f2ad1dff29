#include "shell/DeviceWindowFrame.h"

#include "devices/TDefDevForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

DeviceWindowFrame::DeviceWindowFrame(TDefDevForm *form, QWidget *parent)
    : QFrame(parent), fForm(form)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);

    auto *bar = new QWidget(this);
    bar->setObjectName(u"titleBar"_s);
    bar->setAutoFillBackground(true);
    QPalette barPalette = bar->palette();
    barPalette.setColor(QPalette::Window, barPalette.color(QPalette::Highlight));
    barPalette.setColor(QPalette::WindowText, barPalette.color(QPalette::HighlightedText));
    bar->setPalette(barPalette);

    fTitle = new QLabel(bar);
    QFont bold = fTitle->font();
    bold.setBold(true);
    fTitle->setFont(bold);
    fClose = new QToolButton(bar);
    fClose->setObjectName(u"closeBox"_s);
    fClose->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    fClose->setAutoRaise(true);

    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(6, 1, 1, 1);
    barLayout->addWidget(fTitle, 1);
    barLayout->addWidget(fClose);

    fForm->setParent(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(fForm, 1);
    fForm->show();

    // Closing the window is what removes its device.
    connect(fClose, &QToolButton::clicked, fForm, &QWidget::close);
}

QString DeviceWindowFrame::caption() const
{
    return fTitle->text();
}

void DeviceWindowFrame::setCaption(const QString &name)
{
    fTitle->setText(name);
    fForm->setWindowTitle(name);
}
