#include "program/BlockWidget.h"

#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloVarBlock.h"
#include "blocks/TKeloCombo.h"
#include "blocks/TKeloEdit.h"
#include "program/ProgramView.h"
#include "shell/FontTextMeasurer.h"
#include "util/QtColor.h"
#include "project/Project.h"
#include "util/KeloColor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

using namespace Qt::StringLiterals;


static QFont blockFont(int points = 10)
{
    return FontTextMeasurer::fontFor(points == 8 ? BlockFont::DeviceList : BlockFont::Command);
}

BlockWidget::BlockWidget(TKeloBlock *block, ProgramView *view, QWidget *parent)
    : QWidget(parent), fBlock(block), fSerial(block->serial()), fView(view)
{
    setFont(blockFont());
    setAttribute(Qt::WA_OpaquePaintEvent);
    createEditors();
}

static QString editorStyle(TColor fill, TColor text)
{
    const TColor bg = LighterColor(fill, 30);
    return u"background: %1; color: %2; border: none;"_s.arg(toQColor(bg).name(), toQColor(text).name());
}

void BlockWidget::connectDrag(TKeloEdit *e)
{
    // Pressing on an editor and moving drags the block.
    connect(e, &TKeloEdit::dragStarted, this, [this](QPoint pos) {
        if (fBlock) {
            fView->pressed(this, mapToGlobal(pos));
            grabMouse();
        }
    });
    connect(e, &TKeloEdit::dragMoved, this, [this](QPoint pos) { fView->moved(mapToGlobal(pos)); });
    connect(e, &TKeloEdit::dragReleased, this, [this](QPoint pos) {
        releaseMouse();
        fView->released(mapToGlobal(pos));
    });
}

// Editors are made when the block first shows them: most blocks show one or none,
// and a palette's copies show none at all.
TKeloEdit *BlockWidget::numberEdit(int slot)
{
    auto *e = new TKeloEdit(this);
    e->SetMin(-32767);
    e->SetMax(32768);
    e->SetAutoSize(true);
    e->hide();
    connectDrag(e);
    // The field sizes itself to the text being typed and shows its spinner while
    // edited: the block lays itself out around it again.
    e->installEventFilter(this);
    connect(e, &TKeloEdit::changed, this, [this, e, slot] {
        // A lone minus sign is the start of a negative number: the parameter keeps
        // its value until the text is a whole number again.
        if (!fBlock || !e->valueIsWhole() || fSyncing)
            return;
        if (slot == 1)
            fBlock->storeParam1(e->Value());
        else
            fBlock->storeParam2(e->Value());
        emit fView->changed(u"edit %1 %2"_s.arg(fBlock->Name()).arg(slot));
    });
    return e;
}

TKeloEdit *BlockWidget::textEdit()
{
    auto *e = new TKeloEdit(this);
    e->SetNumbersOnly(false);
    e->hide();
    connectDrag(e);
    connect(e, &TKeloEdit::changed, this, [this, e] {
        if (fBlock && !fSyncing) {
            fBlock->ParamStrEditChange(e->Text());
            fView->edited();
        }
    });
    return e;
}

QComboBox *BlockWidget::deviceList()
{
    auto *box = new QComboBox(this);
    box->setFont(blockFont(8));
    box->hide();
    connect(box, &QComboBox::activated, this, [this](int i) {
        if (fBlock) {
            fBlock->DeviceComboChange(i);
            fView->edited();
        }
    });
    return box;
}

TKeloCombo *BlockWidget::compareList()
{
    auto *box = new TKeloCombo(this);
    box->hide();
    connectDrag(box);
    connect(box, &TKeloCombo::clicked, this, [this, box] {
        if (auto *c = dynamic_cast<TKeloControlBlock *>(fBlock)) {
            c->CompareListChange(box->Itemindex());
            fView->edited();
        }
    });
    return box;
}

QComboBox *BlockWidget::variableList()
{
    auto *box = new QComboBox(this);
    box->setFont(blockFont());
    box->setStyleSheet(u"background: #084B8A; color: white;"_s);
    box->hide();
    connect(box, &QComboBox::activated, this, [this](int i) {
        if (auto *c = dynamic_cast<TKeloCommandVarBlock *>(fBlock)) {
            c->VarComboChange(i);
            fView->edited();
        }
    });
    return box;
}

void BlockWidget::createEditors()
{
    setProperty("keloColor", int(fBlock->Color()));
    if (dynamic_cast<TKeloControlElseBlock *>(fBlock)) {
        fElse = new QCheckBox(this);
        fElse->setToolTip(u"Ενεργοποίηση \"Αλλιώς\""_s);
        fElse->hide();
        connect(fElse, &QCheckBox::clicked, this, [this](bool on) {
            if (auto *c = dynamic_cast<TKeloControlElseBlock *>(fBlock)) {
                c->ElsebutClick(on, fView->prompt());
                fView->edited();
            }
        });
    }
    if (auto *v = dynamic_cast<TKeloVarBlock *>(fBlock); v && v->hasDeleteBox()) {
        fDelete = new QCheckBox(this);
        fDelete->setToolTip(u"Επέλεξε για διαγραφή"_s);
        connect(fDelete, &QCheckBox::toggled, this, [this](bool on) {
            if (auto *vb = dynamic_cast<TKeloVarBlock *>(fBlock))
                vb->SetToDelete(on);
        });
    }
}

// Style sheets are costly to apply; most syncs leave them as they are.
static void setStyleOnce(QWidget *w, const QString &style)
{
    if (w->styleSheet() != style)
        w->setStyleSheet(style);
}

static void fillCombo(QComboBox *box, const ChoiceList &list)
{
    QStringList current;
    for (int i = 0; i < box->count(); ++i)
        current << box->itemText(i);
    if (current != list.items) {
        box->clear();
        box->addItems(list.items);
    }
    if (box->currentIndex() != list.itemIndex)
        box->setCurrentIndex(list.itemIndex);
}

void BlockWidget::placeEditors()
{
    const TColor fill = fBlock->Color();
    // Editors are placed whether or not the page is on screen (a project opened
    // while another page shows): what counts is whether the model shows them.
    auto placeEdit = [&](TKeloEdit *&e, const SlotEditor &model, auto make) {
        const bool shown = model.visible && !fBlock->prototype();
        if (!e && !shown)
            return;
        if (!e)
            e = make();
        e->setVisible(shown);
        if (e->isHidden())
            return;
        e->SetFontColor(toQColor(fBlock->CommandColor));
        if (!e->EditMode() && e->Text() != model.text)
            e->SetText(model.text);
        // After the text: a field fits itself to a new text, the layout has the say.
        if (e->geometry() != model.rect)
            e->setGeometry(model.rect);
    };
    if (property("keloColor").toInt() != int(fill))
        setProperty("keloColor", int(fill));
    fSyncing = true;
    placeEdit(fEdit1, fBlock->ctrl1, [this] { return numberEdit(1); });
    placeEdit(fEdit2, fBlock->ctrl2, [this] { return numberEdit(2); });
    placeEdit(fEditS, fBlock->ctrlS, [this] { return textEdit(); });
    if (!fDevices && fBlock->HasDeviceParam() && fBlock->ctrlD.visible && !fBlock->prototype())
        fDevices = deviceList();
    if (fDevices) {
        fDevices->setVisible(fBlock->ctrlD.visible && !fBlock->prototype());
        if (!fDevices->isHidden()) {
            fillCombo(fDevices, fBlock->ctrlD);
            fDevices->setGeometry(fBlock->ctrlD.rect.adjusted(0, 0, 0, 4));
            setStyleOnce(fDevices, editorStyle(fill, KeloColor::Yellow));
        }
    }
    auto *control = dynamic_cast<TKeloControlBlock *>(fBlock);
    if (control && !fCompare && control->compareList.visible && !fBlock->prototype())
        fCompare = compareList();
    if (auto *c = control; c && fCompare) {
        fCompare->setVisible(c->compareList.visible && !fBlock->prototype());
        if (!fCompare->isHidden()) {
            if (fCompare->Items() != c->compareList.items)
                fCompare->SetItems(c->compareList.items);
            if (c->compareList.itemIndex >= 0 && fCompare->Itemindex() != c->compareList.itemIndex)
                fCompare->SetItemindex(c->compareList.itemIndex);
            fCompare->setGeometry(c->compareList.rect);
            fCompare->SetFontColor(toQColor(c->compareColor()));
        }
    }
    auto *command = dynamic_cast<TKeloCommandVarBlock *>(fBlock);
    if (command && !fVars && command->varCombo.visible && !fBlock->prototype())
        fVars = variableList();
    if (auto *c = command; c && fVars) {
        fVars->setVisible(c->varCombo.visible && !fBlock->prototype());
        if (!fVars->isHidden()) {
            fillCombo(fVars, c->varCombo);
            fVars->setGeometry(c->varCombo.rect);
        }
    }
    if (auto *c = dynamic_cast<TKeloControlElseBlock *>(fBlock); c && fElse) {
        fElse->setVisible(c->Elsebut.visible);
        fElse->setGeometry(c->Elsebut.rect);
        fElse->setChecked(c->Elsebutchecked());
    }
    if (fDelete) {
        auto *v = dynamic_cast<TKeloVarBlock *>(fBlock);
        fDelete->setVisible(v && v->hasDeleteBox());
        fDelete->setGeometry(8, fBlock->Height() / 2 - 10, 16, 20);
    }
    fSyncing = false;
}

void BlockWidget::syncGeometry()
{
    if (!fBlock)
        return;
    const QPoint offset = fBlock->parentArea() ? fView->areaOffset(fBlock->parentArea()) : QPoint();
    const QRect r = fBlock->BoundsRect().translated(offset);
    if (geometry() != r)
        setGeometry(r);
}

void BlockWidget::syncFromModel()
{
    if (!fBlock)
        return;
    fBlock->layoutCommandText();
    const QPoint offset = fBlock->parentArea() ? fView->areaOffset(fBlock->parentArea()) : QPoint();
    const QRect r = fBlock->BoundsRect().translated(offset);
    if (geometry() != r)
        setGeometry(r);
    if (fMaskSize != r.size()) {
        fMaskSize = r.size();
        setMask(QRegion(QPolygon(QList<QPoint>(fBlock->a.begin(), fBlock->a.end())), Qt::WindingFill));
    }
    if (isEnabled() != fBlock->Enabled())
        setEnabled(fBlock->Enabled());
    if (toolTip() != fBlock->Hint())
        setToolTip(fBlock->Hint());
    if (isVisible() != fBlock->Visible())
        setVisible(fBlock->Visible());
    placeEditors();
    update();
}

void BlockWidget::paintEvent(QPaintEvent *)
{
    if (!fBlock)
        return;
    fBlock->applyDisabledLook();
    const TColor fill = fBlock->Color();
    QPainter p(this);
    p.fillRect(rect(), toQColor(fill));
    p.setFont(blockFont());
    const QFontMetrics fm(p.font());
    for (const TextPiece &piece : fBlock->textPieces()) {
        p.setPen(toQColor(piece.color));
        p.drawText(QRect(piece.x, piece.y, fm.horizontalAdvance(piece.text) + 2, fm.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, piece.text);
    }
    auto polyline = [&p](const QList<QPoint> &pts, int from) {
        if (pts.size() > from)
            p.drawPolyline(pts.constData() + from, int(pts.size()) - from);
    };
    if (!fBlock->parentBlock()) {
        p.setPen(QPen(toQColor(DarkerColor(fill, 40)), 3 * TKeloBlock::lnw));
        polyline(fBlock->borderDn, 0);
        p.setPen(QPen(toQColor(LighterColor(fill, 40)), 3 * TKeloBlock::lnw));
        polyline(fBlock->borderUp, 0);
    }
    p.setPen(QPen(Qt::white, 3 * TKeloBlock::lnw));
    p.setBrush(Qt::NoBrush);
    if (fBlock->CtrlAttachUp)
        polyline(fBlock->borderUp, 1);
    if (fBlock->CtrlAttachDn)
        polyline(fBlock->borderDn, 1);
    if (fBlock->Param1Attaching)
        p.drawRect(fBlock->ctrl1.rect);
    if (fBlock->Param2Attaching)
        p.drawRect(fBlock->ctrl2.rect);
    if (fView->highlighted() == fBlock) {
        // The block a message is about: a thick orange outline.
        p.setPen(QPen(QColor(0xFF, 0x8C, 0x00), 3 * TKeloBlock::lnw));
        p.drawPolygon(QPolygon(QList<QPoint>(fBlock->a.begin(), fBlock->a.end())));
    }
}

bool BlockWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && fBlock && !fSyncing && (watched == fEdit1 || watched == fEdit2)) {
        auto *e = static_cast<TKeloEdit *>(watched);
        SlotEditor &model = e == fEdit1 ? fBlock->ctrl1 : fBlock->ctrl2;
        const int editing = e->EditMode() ? e->width() : 0;
        if (model.editingWidth != editing || (!e->EditMode() && e->width() != model.rect.width())) {
            model.editingWidth = editing;
            syncFromModel();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BlockWidget::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && fBlock)
        fView->pressed(this, e->globalPosition().toPoint());
}

void BlockWidget::mouseMoveEvent(QMouseEvent *e)
{
    fView->moved(e->globalPosition().toPoint());
}

void BlockWidget::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        fView->released(e->globalPosition().toPoint());
}

void BlockWidget::enterEvent(QEnterEvent *e)
{
    QWidget::enterEvent(e);
    fView->pointerEntered(this);
}

void BlockWidget::leaveEvent(QEvent *e)
{
    QWidget::leaveEvent(e);
    fView->pointerLeft(this);
}
