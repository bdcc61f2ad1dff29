#include "shell/DevicesPage.h"

#include "devices/ActiveDevices.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

DevicesPage::DevicesPage(ActiveDevices &devices, QWidget *parent)
    : QWidget(parent), fDevices(devices), fBoards(new QButtonGroup(this))
{
    auto *box = new QGroupBox(u"Επίλεξε Μοντέλο"_s, this);
    auto *boxLayout = new QVBoxLayout(box);
    const QStringList names = boardNames();
    for (int i = 0; i < names.size(); ++i) {
        auto *button = new QRadioButton(names[i], box);
        fBoards->addButton(button, i);
        boxLayout->addWidget(button);
    }
    boxLayout->addStretch();

    auto *column = new QVBoxLayout;
    column->addWidget(box);
    column->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(column);
    layout->addStretch();

    showBoard();
    connect(fBoards, &QButtonGroup::idClicked, this, [this](int id) {
        // Clicking the board already chosen is no change of the project.
        if (id != fDevices.BoardTypeId())
            fDevices.setBoardTypeId(id);
    });
    fDevices.addListener(this);
}

DevicesPage::~DevicesPage()
{
    fDevices.removeListener(this);
}

QStringList DevicesPage::boardNames()
{
    return {u"Arduino UNO"_s, u"Arduino NANO"_s, u"Arduino MEGA"_s};
}

void DevicesPage::boardModelChanged()
{
    showBoard();
}

void DevicesPage::showBoard()
{
    const QSignalBlocker blocker(fBoards);
    QAbstractButton *button = fBoards->button(fDevices.BoardTypeId());
    if (button) {
        button->setChecked(true);
        return;
    }
    // No board: an exclusive group cannot uncheck its last button otherwise.
    fBoards->setExclusive(false);
    for (QAbstractButton *b : fBoards->buttons())
        b->setChecked(false);
    fBoards->setExclusive(true);
}
