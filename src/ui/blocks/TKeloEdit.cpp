#include "blocks/TKeloEdit.h"

#include "util/QtColor.h"

#include "blocks/KeloEditRules.h"
#include "blocks/TKeloUpDown.h"
#include "util/KeloColor.h"

#include <QDynamicPropertyChangeEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// QLineEdit keeps a fixed inner margin before the text; moving it left by that
// much makes the edited text start where the displayed text starts.
constexpr int LineEditInset = 2;

QColor lighter(const QColor &c, int percent) { return toQColor(LighterColor(toTColor(c), percent)); }

QChar decimalSeparator()
{
    const QString sep = QLocale().decimalPoint();
    return sep.isEmpty() ? QChar(u'.') : sep.at(0);
}

// Keys that edit or navigate rather than type (Backspace, Delete, Return,
// clipboard shortcuts) carry control characters; the filter leaves them alone.
bool isTypedText(const QString &text)
{
    if (text.isEmpty())
        return false;
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 32 && c.unicode() != 127; });
}

bool hasGrandparent(const QWidget *w)
{
    return w->parentWidget() && w->parentWidget()->parentWidget();
}

} // namespace

TKeloEdit::TKeloEdit(QWidget *parent) : TKeloEdit(parent, true) {}

TKeloEdit::TKeloEdit(QWidget *parent, bool editable) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Focus is only ever given explicitly: the click handling decides who gets it.
    setFocusPolicy(Qt::NoFocus);
    fColor = palette().color(QPalette::Base);
    fFontColor = palette().color(QPalette::Text);
    resize(40, 16);
    if (editable) {
        fEdit = new QLineEdit(this);
        fEdit->setFrame(false);
        fEdit->hide();
        fEdit->installEventFilter(this);
        setFocusProxy(fEdit);
        connect(fEdit, &QLineEdit::textChanged, this, [this] { textChanged(); });
        styleLineEdit();
    }
    watchParent(parent);
    SetUseParentProps(true);
    fNumbersOnly = true;
    SetUseUpDn(true);
    // Written past the spinner on purpose: a fresh spinner keeps the range 0..0
    // until the owner writes Min or Max.
    fMax = 100;
}

TKeloEdit::~TKeloEdit()
{
    // The parent outlives this control; it must stop reporting to it.
    watchParent(nullptr);
}

void TKeloEdit::SetColor(const QColor &c)
{
    fColor = c;
    styleLineEdit();
    update();
}

void TKeloEdit::SetFontColor(const QColor &c)
{
    fFontColor = c;
    styleLineEdit();
    update();
}

void TKeloEdit::SetAlignment(Qt::Alignment a)
{
    fAlignment = a & Qt::AlignHorizontal_Mask;
    styleLineEdit();
}

QString TKeloEdit::Text() const
{
    return fEdit ? fEdit->text() : fText;
}

void TKeloEdit::SetText(const QString &t)
{
    if (fEdit) {
        // The line edit reports the change through textChanged().
        if (fEdit->text() != t)
            fEdit->setText(t);
    } else if (fText != t) {
        fText = t;
        textChanged();
    }
}

int TKeloEdit::Value() const
{
    return KeloEditRules::ValueOf(Text());
}

void TKeloEdit::SetValue(int v)
{
    if (fNumbersOnly)
        v = KeloEditRules::Clamp(v, fMin, fMax);
    SetText(QString::number(v));
}

bool TKeloEdit::valueIsWhole() const
{
    return KeloEditRules::IsWholeNumber(Text());
}

void TKeloEdit::SetMin(int v)
{
    fMin = v;
    if (fUpDn)
        fUpDn->setMin(v);
}

void TKeloEdit::SetMax(int v)
{
    fMax = v;
    if (fUpDn)
        fUpDn->setMax(v);
}

void TKeloEdit::SetUseUpDn(bool v)
{
    if (!fNumbersOnly)
        return;
    fUseUpDn = v;
    if (!v) {
        delete fUpDn;
        fUpDn = nullptr;
        return;
    }
    if (!fUpDn) {
        fUpDn = new TKeloUpDown(this);
        fUpDn->setMin(fMin);
        fUpDn->setMax(fMax);
        fUpDn->setPosition(Value());
        fUpDn->setVisible(fEditMode);
        connect(fUpDn, &TKeloUpDown::changing, this, &TKeloEdit::upDownChanging);
    }
    PlaceUpDown();
}

void TKeloEdit::upDownChanging(int newPosition)
{
    fUpDnChanging = true;
    SetValue(newPosition);
    fUpDnChanging = false;
}

void TKeloEdit::textChanged()
{
    if (fAutoSize) {
        FitHeight();
        FitWidth();
    }
    if (fUpDn && !fUpDnChanging)
        fUpDn->setPosition(Value());
    update();
    if (fEdit)
        emit changed();
}

bool TKeloEdit::spinnerShown() const
{
    return fUpDn && !fUpDn->isHidden();
}

void TKeloEdit::SetAutoSize(bool v)
{
    if (v == fAutoSize)
        return;
    fAutoSize = v;
    if (v) {
        FitHeight();
        FitWidth();
    }
}

int TKeloEdit::TextAreaWidth() const
{
    // Text is measured only once the block sits in a window; before that the
    // fonts are not final.
    if (hasGrandparent(this)) {
        const QFontMetrics fm(font());
        return KeloEditRules::FittedTextWidth(fm.horizontalAdvance(u"0"_s),
                                              fm.horizontalAdvance(Text()));
    }
    // The spinner is taken off so that fitting the width again does not grow it.
    return std::max(0, width() - (spinnerShown() ? fUpDn->width() : 0));
}

void TKeloEdit::FitWidth()
{
    resize(TextAreaWidth() + (spinnerShown() ? fUpDn->width() : 0), height());
    PlaceUpDown();
}

void TKeloEdit::FitHeight()
{
    if (hasGrandparent(this))
        resize(width(), QFontMetrics(font()).height());
}

void TKeloEdit::PlaceUpDown()
{
    // The line edit covers the text area exactly as the spinner sits right of it.
    const int area = TextAreaWidth();
    if (fUpDn)
        fUpDn->setGeometry(area, 0, fUpDn->width(), height());
    if (fEdit)
        fEdit->setGeometry(-LineEditInset, 0, area + LineEditInset, height());
}

void TKeloEdit::ParentSet()
{
    FitHeight();
    FitWidth();
}

void TKeloEdit::SetUseParentProps(bool v)
{
    fUseParentProps = v;
    applyParentProps();
}

QColor TKeloEdit::ParentColorOf(const QWidget *parent)
{
    const QVariant v = parent->property("keloColor");
    if (v.metaType().id() == QMetaType::QColor)
        return v.value<QColor>();
    if (v.isValid()) {
        bool ok = false;
        const int c = v.toInt(&ok);
        if (ok)
            return toQColor(c);
    }
    return parent->palette().color(QPalette::Window);
}

void TKeloEdit::applyParentProps()
{
    QWidget *p = parentWidget();
    if (!p)
        return;
    // Only real changes are applied: a block that refreshes its palette while
    // painting must not start a resize and repaint cycle here.
    const QColor c = lighter(ParentColorOf(p), 30);
    if (c != fColor)
        SetColor(c);
    if (fUseParentProps && testAttribute(Qt::WA_SetFont))
        setFont(QFont());  // an empty font inherits everything from the parent
    if (toolTip() != p->toolTip())
        setToolTip(p->toolTip());
}

void TKeloEdit::watchParent(QWidget *parent)
{
    if (fWatchedParent)
        fWatchedParent->removeEventFilter(this);
    fWatchedParent = parent;
    if (parent)
        parent->installEventFilter(this);
}

void TKeloEdit::styleLineEdit()
{
    if (!fEdit)
        return;
    QPalette pal = fEdit->palette();
    pal.setColor(QPalette::Base, fColor);
    pal.setColor(QPalette::Text, fFontColor);
    fEdit->setPalette(pal);
    fEdit->setAlignment(fAlignment | Qt::AlignVCenter);
}

void TKeloEdit::SetEditMode(bool v)
{
    fEditMode = v;
    if (!v && fNumbersOnly) {
        SetValue(Value());
        // After the write: QLineEdit leaves the caret at the end of a new text.
        SetSelStart(0);
    }
    if (fNumbersOnly && fUpDn)
        fUpDn->setVisible(v);
    if (fEdit) {
        if (v) {
            fEdit->show();
        } else {
            // Hand the focus to the block rather than to whatever widget Qt
            // would pick next.
            if (fEdit->hasFocus() && parentWidget())
                parentWidget()->setFocus(Qt::OtherFocusReason);
            fEdit->hide();
        }
    }
    FitWidth();
    update();
}

bool TKeloEdit::Modified() const
{
    return fEdit ? fEdit->isModified() : fModified;
}

void TKeloEdit::SetModified(bool v)
{
    if (fEdit)
        fEdit->setModified(v);
    else
        fModified = v;
}

void TKeloEdit::SetMaxLength(int v)
{
    fMaxLength = v;
    if (fEdit)
        fEdit->setMaxLength(v > 0 ? v : 32767);
}

int TKeloEdit::SelStart() const
{
    if (!fEdit)
        return 0;
    return fEdit->hasSelectedText() ? fEdit->selectionStart() : fEdit->cursorPosition();
}

void TKeloEdit::SetSelStart(int v)
{
    if (fEdit)
        fEdit->setCursorPosition(v);
}

int TKeloEdit::SelLength() const
{
    return fEdit ? int(fEdit->selectedText().size()) : 0;
}

void TKeloEdit::SetSelLength(int v)
{
    if (fEdit)
        fEdit->setSelection(SelStart(), v);
}

QString TKeloEdit::SelText() const
{
    return fEdit ? fEdit->selectedText() : QString();
}

void TKeloEdit::SetSelText(const QString &t)
{
    if (fEdit)
        fEdit->insert(t);
}

bool TKeloEdit::filterKey(QKeyEvent *event)
{
    if (!fNumbersOnly)
        return false;
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && spinnerShown()) {
        fUpDn->stepBy(event->key() == Qt::Key_Up ? 1 : -1);
        return true;
    }
    const QString typed = event->text();
    if (!isTypedText(typed))
        return false;
    const QChar sep = decimalSeparator();
    for (QChar c : typed)
        if (!KeloEditRules::AcceptsKey(Text(), SelStart(), SelLength(), c, sep))
            return true;
    return false;
}

bool TKeloEdit::dragBegins(const QPoint &) const
{
    return Onmove;
}

void TKeloEdit::clickReleased(const QPoint &pos)
{
    SetEditMode(true);
    Onmove = false;
    if (fEdit) {
        fEdit->setFocus(Qt::MouseFocusReason);
        // A number is replaced, not added to: typing 13 into a field of 2 gives 13.
        if (fNumbersOnly)
            fEdit->selectAll();
        else
            fEdit->setCursorPosition(fEdit->cursorPositionAt(fEdit->mapFrom(this, pos)));
    } else {
        setFocus(Qt::MouseFocusReason);
    }
    update();
}

void TKeloEdit::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect area(0, 0, TextAreaWidth(), height());
    p.fillRect(area, !hasFocus() && fMyfocused ? lighter(fColor, 50) : fColor);
    p.setClipRect(area);
    p.setFont(font());
    const QFontMetrics fm(font());

    int selFrom = 0, selTo = 0;
    if (fEdit && fEdit->hasSelectedText()) {
        selFrom = fEdit->selectionStart();
        selTo = selFrom + int(fEdit->selectedText().size());
    }
    const QColor highlight = palette().color(QPalette::Highlight);
    int x = 0;
    int at = 0;
    for (const QString &piece : KeloEditRules::DrawnPieces(Text())) {
        const int w = fm.horizontalAdvance(piece);
        const QRect r(x, 0, w, height());
        if (at >= selFrom && at < selTo)
            p.fillRect(r, highlight);
        p.setPen(KeloEditRules::IsDrawnRed(piece, fNumbersOnly) ? QColor(Qt::red) : fFontColor);
        p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, piece);
        x += w;
        at += int(piece.size());
    }
}

void TKeloEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    fDragHandedOff = false;
    if (!fEditMode) {
        if (QWidget *p = parentWidget())
            p->setFocus(Qt::MouseFocusReason);
        Onmove = true;
    }
    update();
}

void TKeloEdit::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (fDragHandedOff) {
        emit dragMoved(mapToParent(pos));
        return;
    }
    if (dragBegins(pos)) {
        Onmove = false;
        fDragHandedOff = true;
        emit dragStarted(mapToParent(pos));
    }
}

void TKeloEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    Onmove = false;
    if (fDragHandedOff) {
        fDragHandedOff = false;
        emit dragReleased(mapToParent(pos));
        return;
    }
    clickReleased(pos);
}

void TKeloEdit::enterEvent(QEnterEvent *)
{
    fMyfocused = true;
    update();
}

void TKeloEdit::leaveEvent(QEvent *)
{
    fMyfocused = false;
    update();
}

void TKeloEdit::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    PlaceUpDown();
    if (QWidget *p = parentWidget())
        p->update();
}

void TKeloEdit::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    // A pop-up menu (the choice list's own) borrows the focus without ending editing.
    if (fEditMode && event->reason() != Qt::PopupFocusReason)
        SetEditMode(false);
    update();
}

void TKeloEdit::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && fAutoSize) {
        FitHeight();
        FitWidth();
    }
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange)
        update();
}

bool TKeloEdit::event(QEvent *event)
{
    if (event->type() == QEvent::ParentAboutToChange) {
        watchParent(nullptr);
    } else if (event->type() == QEvent::ParentChange) {
        watchParent(parentWidget());
        applyParentProps();
    }
    return QWidget::event(event);
}

bool TKeloEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (fEdit && watched == fEdit) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return filterKey(static_cast<QKeyEvent *>(event));
        case QEvent::FocusOut:
            if (fEditMode && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
                SetEditMode(false);
            update();
            break;
        case QEvent::FocusIn: {
            // Reached with Tab, a number field offers its whole number to be typed over.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (fNumbersOnly && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
                QTimer::singleShot(0, fEdit, [edit = fEdit] { edit->selectAll(); });
            update();
            break;
        }
        default:
            break;
        }
    } else if (watched == fWatchedParent) {
        switch (event->type()) {
        case QEvent::DynamicPropertyChange:
            if (static_cast<QDynamicPropertyChangeEvent *>(event)->propertyName() == "keloColor")
                applyParentProps();
            break;
        case QEvent::PaletteChange:
            applyParentProps();
            break;
        case QEvent::ToolTipChange:
            setToolTip(fWatchedParent->toolTip());
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
