#include "shell/DeviceTile.h"

#include "catalogue/DeviceTileSpec.h"
#include "devices/DeviceFormTexts.h"
#include "util/PictureLabel.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize PictureSize(160, 120);

} // namespace

DeviceTile::DeviceTile(const DeviceTileSpec &tile, const QString &imagesDir, QWidget *parent)
    : QFrame(parent), fTypeId(tile.typeId)
{
    setObjectName(tile.panel);
    setProperty("tag", tile.typeId);
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setFixedWidth(TileWidth);

    fPicture = new PictureLabel(this);
    fPicture->setObjectName(u"img"_s + tile.panel.mid(3));
    fPicture->setAlignment(Qt::AlignCenter);
    fPicture->setFixedHeight(PictureSize.height());
    fPicture->setPictureFile(QDir(imagesDir).filePath(DeviceFormTexts::tilePictureName(tile.typeId)), PictureSize);

    fCaption = new QLabel(tile.caption, this);
    fCaption->setAlignment(Qt::AlignCenter);
    QFont bold = fCaption->font();
    bold.setBold(true);
    fCaption->setFont(bold);

    fCount = new QLabel(u"0"_s, this);
    fCount->setObjectName(tile.countLabel);
    fCount->setFont(bold);
    QPalette green = fCount->palette();
    green.setColor(QPalette::WindowText, Qt::darkGreen);
    fCount->setPalette(green);

    fAdd = new QPushButton(u"ADD"_s, this);
    fAdd->setObjectName(tile.addButton);
    fAdd->setProperty("tag", 0);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(fCount);
    bottom->addStretch(1);
    bottom->addWidget(fAdd);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(fPicture);
    layout->addWidget(fCaption);
    layout->addLayout(bottom);
}

void DeviceTile::showCount(int count, bool canAdd)
{
    fAdd->setProperty("tag", count);
    fCount->setText(QString::number(count));
    fAdd->setEnabled(canAdd);
}
