#include "util/LazyPage.h"

#include <QVBoxLayout>

LazyPage::LazyPage(Build build, QWidget *parent) : QWidget(parent), fBuild(std::move(build))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

QWidget *LazyPage::page()
{
    // While it builds, asking for the page gives null rather than building it twice.
    if (!fPage && fBuild) {
        const Build build = std::exchange(fBuild, nullptr);
        fPage = build(this);
        layout()->addWidget(fPage);
        // Shown on the spot, in its place: the layout would otherwise show and place it
        // only once the events queued now have run, after the tab was painted empty.
        if (isVisible()) {
            fPage->show();
            layout()->activate();
        }
    }
    return fPage;
}

void LazyPage::showEvent(QShowEvent *event)
{
    page();
    QWidget::showEvent(event);
}
