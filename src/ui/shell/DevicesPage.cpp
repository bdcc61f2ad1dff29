#include "shell/DevicesPage.h"

#include "util/PictureLabel.h"

#include "catalogue/Catalogue.h"
#include "devices/ActiveDevices.h"
#include "devices/DeviceFormFactory.h"
#include "devices/DevicePages.h"
#include "devices/DeviceTypes.h"
#include "devices/TDefDevForm.h"
#include "shell/DeviceTile.h"
#include "shell/DeviceWindowFrame.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int TilesColumnWidth = 303;

} // namespace

DevicesPage::DevicesPage(ActiveDevices &devices, UserPrompt *prompt, const QString &imagesDir,
                         QWidget *parent)
    : QWidget(parent), fDevices(devices), fPrompt(prompt), fImagesDir(imagesDir)
{
    fNotebook = new QTabWidget(this);
    fNotebook->setObjectName(u"DevicesNotebook"_s);
    fNotebook->addTab(createBoardPage(), DevicePages::boardPageCaption(fDevices));

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(createTiles());
    layout->addWidget(fNotebook, 1);

    showBoard();
    syncDevices();
    fDevices.addListener(this);
}

DevicesPage::~DevicesPage()
{
    fDevices.removeListener(this);
}

QWidget *DevicesPage::createTiles()
{
    auto *column = new QWidget;
    auto *tilesLayout = new QVBoxLayout(column);
    // The tiles and the scroll bar fit the column without a horizontal scroll.
    tilesLayout->setContentsMargins(4, 4, 4, 4);
    for (const DeviceTileSpec &row : deviceTiles()) {
        auto *tile = new DeviceTile(row, fImagesDir, column);
        tilesLayout->addWidget(tile);
        fTiles.append(tile);
        // One handler for every "ADD" button; the tile it sits on says the type.
        QPushButton *button = tile->addButton();
        connect(button, &QPushButton::clicked, this, [this, button] { AddDevice(button); });
    }
    tilesLayout->addStretch(1);

    fTilesArea = new QScrollArea(this);
    fTilesArea->setObjectName(u"DeviceTiles"_s);
    fTilesArea->setFixedWidth(TilesColumnWidth);
    fTilesArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fTilesArea->setWidgetResizable(true);
    fTilesArea->setWidget(column);
    return fTilesArea;
}

QWidget *DevicesPage::createBoardPage()
{
    auto *page = new QWidget;
    page->setObjectName(u"BoardPage"_s);
    fBoards = new QButtonGroup(this);
    auto *box = new QGroupBox(u"Επίλεξε Μοντέλο"_s, page);
    box->setObjectName(u"RadioGroup1"_s);
    auto *boxLayout = new QVBoxLayout(box);
    const QStringList names = boardNames();
    for (int i = 0; i < names.size(); ++i) {
        auto *button = new QRadioButton(names[i], box);
        fBoards->addButton(button, i);
        boxLayout->addWidget(button);
    }
    boxLayout->addStretch();
    connect(fBoards, &QButtonGroup::idClicked, this, [this](int id) {
        // Clicking the board already chosen is no change of the project.
        if (id != fDevices.BoardTypeId())
            fDevices.setBoardTypeId(id);
    });

    fPinout = new PictureLabel;
    fPinout->setObjectName(u"imgPinout"_s);
    fPinout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *pinoutArea = new QScrollArea(page);
    pinoutArea->setWidget(fPinout);
    pinoutArea->setWidgetResizable(true);

    auto *column = new QVBoxLayout;
    column->addWidget(box);
    column->addStretch();
    fBoardColumn = column;
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(column);
    layout->addWidget(pinoutArea, 1);
    return page;
}

void DevicesPage::addBelowBoardChoice(QWidget *widget)
{
    fBoardColumn->addWidget(widget);
}

QStringList DevicesPage::boardNames()
{
    return {u"Arduino UNO"_s, u"Arduino NANO"_s, u"Arduino MEGA"_s};
}

DeviceTile *DevicesPage::FindDeviceTile(int typeId) const
{
    for (DeviceTile *tile : fTiles)
        if (tile->property("tag").toInt() == typeId)
            return tile;
    return nullptr;
}

QAbstractButton *DevicesPage::getPanelAddButton(const QWidget *pnl) const
{
    if (!pnl)
        return nullptr;
    const QString name = getPanelAddButtonName(pnl->objectName());
    for (QAbstractButton *button : findChildren<QAbstractButton *>())
        if (button->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return button;
    return nullptr;
}

QLabel *DevicesPage::getPanelCountLabel(const QWidget *pnl) const
{
    if (!pnl)
        return nullptr;
    const QString name = getPanelCountLabelName(pnl->objectName());
    for (QLabel *label : findChildren<QLabel *>())
        if (label->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return label;
    return nullptr;
}

DeviceWindowFrame *DevicesPage::deviceFrame(int position) const
{
    return (position >= 0 && position < fPages.size()) ? fPages[position].frame : nullptr;
}

TDefDevForm *DevicesPage::deviceWindow(int position) const
{
    DeviceWindowFrame *frame = deviceFrame(position);
    return frame ? frame->form() : nullptr;
}

int DevicesPage::AddDevice(QAbstractButton *button)
{
    const QWidget *tile = button ? button->parentWidget() : nullptr;
    if (!tile)
        return -1;
    bool isType = false;
    const int typeId = tile->property("tag").toInt(&isType);
    // The list tells this page, which then shows the new device's page.
    return isType ? fDevices.AddDevice(typeId, fPrompt) : -1;
}

void DevicesPage::ClearDevices()
{
    fDevices.ClearDevices();
}

void DevicesPage::addDevices()
{
    syncTiles();
}

void DevicesPage::BoardModelChanged()
{
    showBoard();
}

void DevicesPage::devicesChanged()
{
    syncDevices();
}

void DevicesPage::boardModelChanged()
{
    showBoard();
    emit deviceListChanged();
}

void DevicesPage::syncDevices()
{
    // A window created here may store a corrected parameter and so tell the list
    // again; the page then catches up once it is done.
    if (fSyncing) {
        fSyncAgain = true;
        return;
    }
    fSyncing = true;
    do {
        fSyncAgain = false;
        syncPages();
    } while (fSyncAgain);
    syncTiles();
    fSyncing = false;
    emit deviceListChanged();
}

void DevicesPage::syncPages()
{
    QList<DevicePages::Shown> shown;
    for (const DevicePage &page : fPages)
        shown.append({page.name, page.typeId});
    const QList<int> plan = DevicePages::match(shown, fDevices);

    // Windows learn their new positions, and windows without a device are detached,
    // before any page changes: a page that comes to the front loads its window from
    // the record it names.
    QList<DevicePage> next(plan.size());
    QList<bool> kept(fPages.size(), false);
    for (int k = 0; k < plan.size(); ++k) {
        if (plan[k] < 0)
            continue;
        next[k] = fPages[plan[k]];
        kept[plan[k]] = true;
        next[k].frame->form()->setActiveDeviceId(k);
    }
    bool removed = false;
    for (int i = 0; i < fPages.size(); ++i) {
        if (kept[i])
            continue;
        DeviceWindowFrame *frame = fPages[i].frame;
        frame->form()->setActiveDeviceId(-1);
        // The window may be the one whose close box is being handled: it goes later.
        fNotebook->removeTab(fNotebook->indexOf(frame));
        frame->hide();
        frame->deleteLater();
        removed = true;
    }

    int added = -1;
    for (int k = 0; k < next.size(); ++k) {
        DevicePage &page = next[k];
        const TActiveDevice &device = fDevices.device(k);
        if (!page.frame) {
            TDefDevForm *form = createDeviceForm(device.DeviceTypeID, fDevices, k, fImagesDir);
            if (!form)
                form = new TDefDevForm(device.DeviceTypeID, fDevices, k, fImagesDir);
            page.frame = new DeviceWindowFrame(form);
            added = k;
        }
        page.name = device.Name;
        page.typeId = device.DeviceTypeID;
        const QString caption = DevicePages::pageCaption(fDevices, k);
        page.frame->setCaption(caption);
        const int pageIndex = DevicePages::pageOfDevice(k);
        const int at = fNotebook->indexOf(page.frame);
        if (at < 0)
            fNotebook->insertTab(pageIndex, page.frame, caption);
        else if (at != pageIndex)
            fNotebook->tabBar()->moveTab(at, pageIndex);
        fNotebook->setTabText(pageIndex, caption);
    }
    fPages = next;

    // A new device's page comes to the front; after a removal the last page does.
    if (added >= 0)
        fNotebook->setCurrentIndex(DevicePages::pageOfDevice(added));
    else if (removed)
        fNotebook->setCurrentIndex(fNotebook->count() - 1);
}

void DevicesPage::syncTiles()
{
    for (DeviceTile *tile : fTiles)
        tile->showCount(fDevices.typeCount(tile->typeId()), fDevices.canAdd(tile->typeId()));
}

void DevicesPage::showBoard()
{
    {
        const QSignalBlocker blocker(fBoards);
        if (QAbstractButton *button = fBoards->button(fDevices.BoardTypeId())) {
            button->setChecked(true);
        } else {
            // No board: an exclusive group cannot uncheck its last button otherwise.
            fBoards->setExclusive(false);
            for (QAbstractButton *b : fBoards->buttons())
                b->setChecked(false);
            fBoards->setExclusive(true);
        }
    }

    const QString name = fDevices.pinoutPictureName();
    const QString file = name.isEmpty() ? QString() : QDir(fImagesDir).filePath(name);
    if (!file.isEmpty() && QFileInfo::exists(file)) {
        if (file != fPinoutFile)
            fPinout->setPictureFile(file);
        fPinoutFile = file;
    } else {
        fPinout->clearPicture();
        fPinoutFile.clear();
    }

    fNotebook->setTabText(DevicePages::BoardPage, DevicePages::boardPageCaption(fDevices));
    showPinsOnBoard();
}

void DevicesPage::showPinsOnBoard()
{
    for (const DevicePage &page : fPages)
        page.frame->form()->ShowPinsOnBoard();
}
