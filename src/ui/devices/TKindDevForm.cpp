#include "devices/TKindDevForm.h"

#include "devices/DeviceFormTexts.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>

using namespace Qt::StringLiterals;

TKindDevForm::TKindDevForm(int typeId, ActiveDevices &devices, int position,
                           const QString &imagesDir, QWidget *parent)
    : TDefDevForm(typeId, devices, position, imagesDir, parent)
{
    auto *caption = new QLabel(DeviceFormTexts::kindListCaption(typeId), SettingsBox());
    m_list = new QListWidget(SettingsBox());
    m_list->setObjectName(u"lstKind"_s);
    m_list->addItems(DeviceFormTexts::kindNames(typeId));
    caption->setBuddy(m_list);
    SettingsLayout()->addRow(caption);
    SettingsLayout()->addRow(m_list);

    addHiddenParam(2, 0);
    connect(Param2SE, &QSpinBox::valueChanged, this, &TKindDevForm::kindChanged);
    // Programmatic selections are made with the list's signals blocked, so this is the
    // user's choice (by mouse or keyboard).
    connect(m_list, &QListWidget::currentRowChanged, this, &TKindDevForm::kindChosen);
    selectKind(0);
}

void TKindDevForm::kindChosen(int row)
{
    if (row < 0)
        return;
    Param2SE->setValue(row);
    SetParam(2, Param2SE);
}

void TKindDevForm::kindChanged(int value)
{
    // Also when the list already shows the kind: the picture is loaded again.
    selectKind(value);
}

void TKindDevForm::selectKind(int kind)
{
    {
        const QSignalBlocker blocker(m_list);
        // A stored kind the list does not have leaves no entry selected.
        if (kind >= 0 && kind < m_list->count())
            m_list->setCurrentRow(kind);
        else
            m_list->setCurrentRow(-1);
    }
    if (!showPicture(DeviceFormTexts::kindPictureNames(GetDeviceTypeId(), kind)))
        clearPicture();
}

void TKindDevForm::paramsLoaded()
{
    selectKind(Param2SE->value());
}
