#include "program/ProgramPage.h"

#include "blocks/BlockDragController.h"
#include "blocks/TKeloBlock.h"
#include "blocks/Workspace.h"
#include "catalogue/Catalogue.h"
#include "checks/FindingsPanel.h"
#include "program/PalettePanel.h"
#include "program/ProgramView.h"
#include "project/Project.h"
#include "util/QtColor.h"
#include "variables/VariablePrototypes.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {


// A small drawing of a waste bin for the trash picture.
QPixmap trashPixmap()
{
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(10, 12, 28, 32);
    p.drawRect(6, 7, 36, 5);
    p.drawRect(19, 3, 10, 4);
    for (int x : {17, 24, 31})
        p.drawLine(x, 17, x, 39);
    return pm;
}

// The canvas content: silver, sized to hold every block.
class CanvasContent : public QWidget {
public:
    explicit CanvasContent(QWidget *parent) : QWidget(parent)
    {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
        setPalette(pal);
    }
};

// Each palette tab's group has its own header look: the general group navy, the
// device group a grey gradient, the variables group an orange one.
QString headerStyle(int tab)
{
    switch (tab) {
    case GeneralTab:
        return u"background: #000080; color: #00C0C0;"_s;
    case DevicesTab:
        return u"background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #FFFFFF, stop:1 #87C2C2); color: black;"_s;
    default:
        return u"background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #FFFFFF, stop:1 #FFC68A); color: black;"_s;
    }
}

} // namespace

struct ProgramPage::Impl {
    Project *project = nullptr;
    UserPrompt *prompt = nullptr;
    ProgramView *view = nullptr;
    QTabWidget *palette = nullptr;
    QSplitter *splitter = nullptr;
    QWidget *beside = nullptr;
    QList<QScrollArea *> groups;
    QScrollArea *canvas = nullptr;
    CanvasContent *content = nullptr;
    QLabel *trash = nullptr;
    FindingsPanel *findings = nullptr;
    bool syncingScroll = false;
};

ProgramPage::ProgramPage(Project &project, UserPrompt *prompt, QWidget *parent) : QWidget(parent), d(new Impl)
{
    d->project = &project;
    d->prompt = prompt;
    d->view = new ProgramView(project, prompt, this);
    Workspace &ws = project.workspace();
    d->view->mapArea(&ws.mainWindowArea(), this);

    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    d->splitter = splitter;
    lay->addWidget(splitter);

    d->palette = new QTabWidget(splitter);
    d->palette->setDocumentMode(true);
    // All three captions stay readable: no scroll arrows, no cut words. Compact
    // flat tabs fit them into the palette's 320 pixels; should a font make them
    // wider, the palette widens rather than cutting them.
    QTabBar *tabBar = d->palette->tabBar();
    tabBar->setUsesScrollButtons(false);
    tabBar->setElideMode(Qt::ElideNone);
    tabBar->setExpanding(true);
    tabBar->setStyleSheet(u"QTabBar::tab { padding: 4px 5px; margin: 0px; }"_s);
    const QStringList tabs = paletteTabCaptions();
    QList<QVBoxLayout *> tabLayouts;
    for (const QString &caption : tabs) {
        auto *scroll = new QScrollArea(d->palette);
        scroll->setWidgetResizable(true);
        auto *holder = new QWidget(scroll);
        auto *v = new QVBoxLayout(holder);
        v->setContentsMargins(0, 0, 0, 0);
        v->setSpacing(2);
        scroll->setWidget(holder);
        d->palette->addTab(scroll, caption);
        d->groups.append(scroll);
        scroll->installEventFilter(this);
        tabLayouts.append(v);
    }
    for (const PanelSpec &panelDef : paletteBuildOrder()) {
        BlockArea *area = ws.panel(panelDef.component);
        if (!area)
            continue;
        const int height = panelDef.fillsGroup ? 0 : area->clientHeight;
        auto *panel = new PalettePanel(panelDef.caption, toQColor(panelColor(panelDef)), height, headerStyle(panelDef.tab));
        panel->setObjectName(panelDef.component);
        tabLayouts.value(panelDef.tab)->addWidget(panel, panelDef.fillsGroup ? 1 : 0);
        d->view->mapArea(area, panel->body());
        if (panelDef.component == VariablePrototypes::panelName()) {
            auto *bar = new QToolBar(panel->body());
            bar->move(0, 0);
            bar->addAction(u"Νέα"_s, this, [this] {
                bool ok = false;
                QString name = QInputDialog::getText(this, u"Δώσε όνομα μεταβλητής"_s, u"Όνομα"_s, QLineEdit::Normal,
                                                     u"Μεταβλητή"_s, &ok);
                if (!ok)
                    name = u"Μεταβλητή"_s;
                VariablePrototypes::add(d->project->workspace(), d->project->variables(), name, true);
                sync();
                emit changed();
            });
            bar->addAction(u"Διαγραφή"_s, this, [this] {
                VariablePrototypes::deleteTicked(d->project->workspace(), d->project->variables());
                sync();
                emit changed();
            });
        }
    }
    for (QVBoxLayout *v : tabLayouts)
        v->addStretch(0);
    d->palette->setMinimumWidth(std::max(320, tabBar->sizeHint().width()));

    // The findings of the checks before sending open under the canvas.
    auto *canvasColumn = new QSplitter(Qt::Vertical, splitter);
    d->canvas = new QScrollArea(canvasColumn);
    d->canvas->setAccessibleName(u"Περιοχή προγράμματος"_s);
    d->content = new CanvasContent(d->canvas);
    d->canvas->setWidget(d->content);
    d->view->mapArea(&ws.canvas(), d->content);
    d->trash = new QLabel(d->content);
    d->trash->setPixmap(trashPixmap());
    d->trash->setToolTip(u"Σύρε και άφησε τις εντολές που θες να διαγράψεις"_s);
    d->trash->setGeometry(d->view->drag().trashRect);
    d->trash->lower();
    splitter->setStretchFactor(1, 1);
    d->findings = new FindingsPanel(canvasColumn);
    d->findings->hide();
    canvasColumn->setStretchFactor(0, 1);
    connect(d->findings, &FindingsPanel::findingChosen, this, [this](const Finding &f) {
        if (f.subject == Finding::Subject::Block)
            pointAt(f.name);
        else if (f.subject == Finding::Subject::Variable)
            d->palette->setCurrentIndex(VariablesTab);
    });

    auto onScroll = [this] {
        if (d->syncingScroll)
            return;
        d->project->workspace().scrollCanvasTo(d->canvas->horizontalScrollBar()->value(),
                                               d->canvas->verticalScrollBar()->value());
        updateCanvasGeometry();
        d->view->syncInView();
    };
    connect(d->canvas->horizontalScrollBar(), &QScrollBar::valueChanged, this, onScroll);
    connect(d->canvas->verticalScrollBar(), &QScrollBar::valueChanged, this, onScroll);
    connect(d->view, &ProgramView::changed, this, &ProgramPage::changed);
    connect(d->view, &ProgramView::pointedChanged, this, &ProgramPage::blockPointed);
    connect(d->view, &ProgramView::selectedChanged, this, &ProgramPage::blockSelected);
    connect(d->view, &ProgramView::synced, this, &ProgramPage::updateContentSize);
    connect(d->view, &ProgramView::canvasScrolled, this, [this] {
        // Auto-scroll moved past the content: it grows first, so that the scroll
        // bars can follow the model.
        d->syncingScroll = true;
        updateContentSize();
        const BlockArea &c = d->project->workspace().canvas();
        d->canvas->horizontalScrollBar()->setValue(c.scrollX);
        d->canvas->verticalScrollBar()->setValue(c.scrollY);
        d->syncingScroll = false;
    });
    // The canvas's size and place change with the window, the splitter and the
    // scroll bars coming and going; the drag gestures must always see the real ones.
    d->canvas->installEventFilter(this);
    d->canvas->viewport()->installEventFilter(this);
    sync();
}

bool ProgramPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == d->beside && event->type() == QEvent::Show) {
        // Shown again: canvas and code share what the palette leaves, 3 to 2.
        QList<int> sizes = d->splitter->sizes();
        const int canvasIndex = 1, besideIndex = d->splitter->indexOf(d->beside);
        const int room = sizes.value(canvasIndex) + sizes.value(besideIndex);
        if (room > 0 && sizes.size() > besideIndex) {
            sizes[besideIndex] = room * 2 / 5;
            sizes[canvasIndex] = room - sizes[besideIndex];
            d->splitter->setSizes(sizes);
        }
        return QWidget::eventFilter(watched, event);
    }
    if (d->canvas && (watched == d->canvas || watched == d->canvas->viewport())) {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::Move:
        case QEvent::Show: {
            const BlockArea &c = d->project->workspace().canvas();
            const QSize before(c.clientWidth, c.clientHeight);
            updateCanvasGeometry();
            // A bigger view shows blocks that have no widget yet; no block changed.
            if (QSize(c.clientWidth, c.clientHeight) != before)
                d->view->syncInView();
            break;
        }
        default:
            break;
        }
        return QWidget::eventFilter(watched, event);
    }
    // The pointer entering a palette group gives its parent the keyboard focus, so
    // that the wheel scrolls the palette.
    if (event->type() == QEvent::Enter)
        if (auto *w = qobject_cast<QWidget *>(watched); w && w->parentWidget())
            w->parentWidget()->setFocus();
    return QWidget::eventFilter(watched, event);
}

ProgramPage::~ProgramPage()
{
    delete d;
}

void ProgramPage::sync()
{
    updateCanvasGeometry();
    d->view->sync();
}

void ProgramPage::updateCanvasGeometry()
{
    BlockArea &c = d->project->workspace().canvas();
    QWidget *viewport = d->canvas->viewport();
    c.clientWidth = viewport->width();
    c.clientHeight = viewport->height();
    d->view->drag().canvasRectInWindow = QRect(viewport->mapTo(this, QPoint(0, 0)), viewport->size());
    updateContentSize();
}

void ProgramPage::updateContentSize()
{
    BlockArea &c = d->project->workspace().canvas();
    QSize size = d->project->workspace().canvasContentSize(d->canvas->viewport()->size());
    // While auto-scroll runs ahead of the blocks, the content reaches at least as
    // far as the visible area has been scrolled.
    size = size.expandedTo(QSize(c.scrollX + c.clientWidth, c.scrollY + c.clientHeight));
    if (d->content->size() != size)
        d->content->resize(size);
    c.hRange = size.width();
    c.vRange = size.height();
}

QScrollArea *ProgramPage::canvasArea() const
{
    return d->canvas;
}

QWidget *ProgramPage::paletteGroup(int tab) const
{
    return d->groups.value(tab);
}

void ProgramPage::showFirstPaletteTab()
{
    d->palette->setCurrentIndex(0);
}

FindingsPanel *ProgramPage::findingsPanel() const
{
    return d->findings;
}

void ProgramPage::placeBesideCanvas(QWidget *view)
{
    d->beside = view;
    view->hide();
    d->splitter->addWidget(view);
    d->splitter->setStretchFactor(d->splitter->indexOf(view), 1);
    view->installEventFilter(this);
}

void ProgramPage::pointAtNothing()
{
    d->view->setHighlighted(nullptr);
}

QString ProgramPage::pointAt(const QString &blockName)
{
    Workspace &ws = d->project->workspace();
    TKeloBlock *b = ws.findBlock(blockName);
    if (!b || b->prototype())
        return QString();
    // A value block is shown inside its host: the host is what scrolls into view.
    const TKeloBlock *shown = b;
    while (shown->parentBlock())
        shown = shown->parentBlock();
    if (shown->parentArea() != &ws.canvas())
        return QString();
    d->view->setHighlighted(b);
    const BlockArea &c = ws.canvas();
    const int halfW = shown->Width() / 2, halfH = shown->Height() / 2;
    d->canvas->ensureVisible(c.scrollX + shown->Left() + halfW, c.scrollY + shown->Top() + halfH, halfW + 20,
                             halfH + 20);
    return b->captionText();
}
