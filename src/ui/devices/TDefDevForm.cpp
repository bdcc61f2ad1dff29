#include "devices/TDefDevForm.h"

#include "devices/ActiveDevices.h"
#include "devices/BoardModel.h"
#include "devices/DeviceFormTexts.h"
#include "devices/DeviceTypes.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Every spin box of the window designs has this range; pins offer those of the
// biggest board.
constexpr int DesignMaximum = 255;

QSpinBox *newSpinBox(QWidget *parent, int value)
{
    auto *se = new QSpinBox(parent);
    se->setRange(0, DesignMaximum);
    se->setValue(value);
    return se;
}

} // namespace

TDefDevForm::TDefDevForm(int typeId, ActiveDevices &devices, int position,
                         const QString &imagesDir, QWidget *parent)
    : QWidget(parent)
    , m_devices(devices)
    , m_typeId(typeId)
    , m_position(position)
    , m_imagesDir(imagesDir)
{
    setWindowTitle(DeviceTypes::at(typeId).FormCaption);

    m_picture = new QLabel(this);
    m_picture->setObjectName(u"imgDevice"_s);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setMinimumSize(200, 150);

    m_caption = new QLabel(DeviceFormTexts::captionLabel(typeId), this);
    m_caption->setObjectName(u"lblCaption"_s);
    m_caption->setAlignment(Qt::AlignCenter);
    QFont captionFont = m_caption->font();
    captionFont.setBold(true);
    m_caption->setFont(captionFont);

    m_help = new QPlainTextEdit(this);
    m_help->setObjectName(u"memoHelp"_s);
    m_help->setReadOnly(true);
    // Long lines wrap at the text area's width, as a read-only text does: a pupil
    // never scrolls sideways to read how to wire the device.
    m_help->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_help->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont helpFont(u"Tahoma"_s);
    helpFont.setPixelSize(16);
    helpFont.setBold(true);
    m_help->setFont(helpFont);
    m_help->setPlainText(DeviceFormTexts::wiringHelp(typeId).join(u'\n'));

    m_settings = new QGroupBox(DeviceFormTexts::settingsCaption(typeId), this);
    m_settings->setObjectName(u"gbSettings"_s);
    m_settingsLayout = new QFormLayout(m_settings);
    for (const DeviceFormField &field : DeviceFormTexts::pinFields(typeId))
        addPinField(field);
    // The LCD and the barometer sit on the I2C bus: nothing to set.
    m_settings->setVisible(DeviceTypes::at(typeId).DeviceParamCount > 0);

    auto *left = new QVBoxLayout;
    left->addWidget(m_picture);
    left->addWidget(m_caption);
    left->addWidget(m_help, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(m_settings);
    right->addStretch(1);
    auto *main = new QHBoxLayout(this);
    main->addLayout(left, 2);
    main->addLayout(right, 1);

    showPicture({DeviceFormTexts::tilePictureName(typeId)});
}

TActiveDevice TDefDevForm::ActDev() const
{
    return m_devices.device(m_position);
}

int TDefDevForm::storedParam(int pno) const
{
    if (pno < 1 || pno > 7)
        return 0;
    return m_devices.device(m_position).ActDevParams[std::size_t(pno)];
}

QSpinBox *&TDefDevForm::paramSlot(int index1to7)
{
    QSpinBox **members[] = {&Param1SE, &Param2SE, &Param3SE, &Param4SE,
                          &Param5SE, &Param6SE, &Param7SE};
    return *members[index1to7 - 1];
}

QSpinBox *TDefDevForm::ParamSE(int index1to7) const
{
    if (index1to7 < 1 || index1to7 > 7)
        return nullptr;
    return const_cast<TDefDevForm *>(this)->paramSlot(index1to7);
}

QLabel *TDefDevForm::FieldLabel(int index1to7) const
{
    return (index1to7 >= 1 && index1to7 <= 7) ? m_fieldLabels[index1to7] : nullptr;
}

void TDefDevForm::registerParam(int pno, QSpinBox *se)
{
    paramSlot(pno) = se;
    se->setObjectName(u"Param%1SE"_s.arg(pno));
}

void TDefDevForm::addPinField(const DeviceFormField &field)
{
    QSpinBox *se = newSpinBox(m_settings, 0);
    se->setToolTip(field.hint);
    m_pinHints[field.param] = field.hint;
    registerParam(field.param, se);
    auto *label = new QLabel(field.label, m_settings);
    label->setBuddy(se);
    m_fieldLabels[field.param] = label;
    const int pno = field.param;
    if (DeviceFormTexts::isPin(m_typeId, pno)) {
        se->setMaximum(BoardModel::HighestPinOfAnyBoard);
        // A pin the board lacks stays as the pupil chose it, marked beside it.
        auto *missing = new QLabel(m_settings);
        missing->setObjectName(u"Param%1Missing"_s.arg(pno));
        missing->setStyleSheet(u"color: #b00000; font-weight: bold;"_s);
        missing->hide();
        m_missingPin[pno] = missing;
        m_settingsLayout->addRow(label, se);
        // Under the field: beside it, it would squeeze the device's picture.
        m_settingsLayout->addRow(missing);
    } else {
        m_settingsLayout->addRow(label, se);
    }
    connect(se, &QSpinBox::valueChanged, this, [this, pno, se](int value) {
        showPinOnBoard(pno);
        // Loading the record into the spin box needs no write back.
        if (value != storedParam(pno))
            SetParam(pno, se);
    });
}

void TDefDevForm::showPinOnBoard(int pno)
{
    QLabel *missing = m_missingPin[pno];
    QSpinBox *se = ParamSE(pno);
    if (!missing || !se)
        return;
    const bool lacking = se->value() > m_devices.MaxPin();
    const QString text = DeviceFormTexts::pinNotOnBoard(m_devices.BoardName());
    missing->setText(text);
    missing->setVisible(lacking);
    // A screen reader says it with the spin box, and a pointer resting there shows it.
    se->setAccessibleDescription(lacking ? text : QString());
    se->setToolTip(lacking ? text : m_pinHints[pno]);
}

QLabel *TDefDevForm::MissingPinLabel(int index1to7) const
{
    return (index1to7 >= 1 && index1to7 <= 7) ? m_missingPin[index1to7] : nullptr;
}

QSpinBox *TDefDevForm::addHiddenParam(int pno, int designValue)
{
    QSpinBox *se = newSpinBox(this, designValue);
    se->hide();
    registerParam(pno, se);
    return se;
}

void TDefDevForm::SetParam(int pno, QSpinBox *se)
{
    if (se)
        m_devices.SetParam(m_position, pno, se->value());
}

void TDefDevForm::SetSEfromParam(int pno, QSpinBox *se)
{
    if (!se)
        return;
    se->setReadOnly(false);
    se->setValue(storedParam(pno));
    // A value beyond the range was cut to the range; when the spin box already showed
    // that limit no change handler ran to store it.
    if (se->value() != storedParam(pno))
        SetParam(pno, se);
}

void TDefDevForm::ShowPinsOnBoard()
{
    for (int pno = 1; pno <= 7; ++pno)
        showPinOnBoard(pno);
}

void TDefDevForm::RefreshBlockControls()
{
    m_devices.refreshBlocks(m_position);
}

void TDefDevForm::KillDevice()
{
    if (m_position < 0)
        return;
    const int former = m_position;
    // Detached first: listeners told about the removal see a window that no longer
    // speaks for any record.
    m_position = -1;
    m_devices.KillDevice(former);
    emit deviceKilled(former);
}

void TDefDevForm::loadParams()
{
    for (int pno = 1; pno <= 7; ++pno)
        SetSEfromParam(pno, ParamSE(pno));
    ShowPinsOnBoard();
    paramsLoaded();
}

void TDefDevForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The record may have changed while the page was hidden (a load, a removal that
    // moved the device).
    loadParams();
    RefreshBlockControls();
}

void TDefDevForm::closeEvent(QCloseEvent *event)
{
    KillDevice();
    QWidget::closeEvent(event);
}

bool TDefDevForm::showPicture(const QStringList &fileNames)
{
    const QDir dir(m_imagesDir);
    for (const QString &name : fileNames) {
        if (name.isEmpty())
            continue;
        const QString path = dir.filePath(name);
        QPixmap pixmap;
        if (QFileInfo::exists(path) && pixmap.load(path)) {
            m_picture->setPixmap(pixmap);
            m_pictureFile = path;
            return true;
        }
    }
    return false;
}

void TDefDevForm::clearPicture()
{
    m_picture->clear();
    m_pictureFile.clear();
}
