#include "program/ProgramPage.h"

#include <QHBoxLayout>
#include <QScrollArea>

// Placeholder until the block widgets land.
struct ProgramPage::Impl {
    QScrollArea *canvas = nullptr;
};

ProgramPage::ProgramPage(Project &, UserPrompt *, QWidget *parent) : QWidget(parent), d(new Impl)
{
    auto *lay = new QHBoxLayout(this);
    d->canvas = new QScrollArea(this);
    lay->addWidget(d->canvas);
}

ProgramPage::~ProgramPage()
{
    delete d;
}

void ProgramPage::sync() {}

QScrollArea *ProgramPage::canvasArea() const
{
    return d->canvas;
}

QWidget *ProgramPage::paletteGroup(int) const
{
    return nullptr;
}

void ProgramPage::showFirstPaletteTab() {}
