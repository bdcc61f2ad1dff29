#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

class QKeyEvent;
class QLineEdit;
class TKeloUpDown;

// The flat parameter field inside a block: a whole number (NumbersOnly, the
// default) clamped to Min..Max with a spinner, or free text. In display mode it
// draws its text itself so it looks like part of the block; a click (press and
// release without movement) turns it into an editing field (a child QLineEdit
// supplies caret, selection and typing, and the spinner appears for numbers);
// losing the focus ends editing, and a number is then clamped and normalised.
// A press followed by movement never edits: it hands the drag to the parent
// block through dragStarted().
//
// Colour of the parent: read from the parent's dynamic property "keloColor"
// (a QColor, or an int holding a block colour with red in the lowest byte);
// without that property, from the parent's palette, role Window.
class TKeloEdit : public QWidget {
    Q_OBJECT
public:
    explicit TKeloEdit(QWidget *parent = nullptr);
    ~TKeloEdit() override;

    // ---- appearance ----
    // Fill of the text area (default: the palette's Base colour).
    QColor Color() const { return fColor; }
    void SetColor(const QColor &c);
    // Colour of the characters (default: the palette's Text colour).
    QColor FontColor() const { return fFontColor; }
    void SetFontColor(const QColor &c);
    // Alignment of the text while editing (Qt::AlignLeft, AlignRight or
    // AlignHCenter); the display draws from the left edge.
    Qt::Alignment Alignment() const { return fAlignment; }
    void SetAlignment(Qt::Alignment a);

    // ---- content ----
    QString Text() const;
    // Raises changed() when the text differs from the current one.
    void SetText(const QString &t);
    // The text as a whole number, 0 when it is not one.
    int Value() const;
    // With NumbersOnly the number is clamped to Min..Max first (upper bound
    // first, then lower); the text becomes its decimal form.
    void SetValue(int v);
    // False while the text is not a whole number (empty, a lone "-" while a
    // negative number is being typed, "1.5"): a change handler keeps the
    // stored parameter until it is whole again.
    bool valueIsWhole() const;
    bool NumbersOnly() const { return fNumbersOnly; }
    void SetNumbersOnly(bool v) { fNumbersOnly = v; }
    int Min() const { return fMin; }
    void SetMin(int v);
    int Max() const { return fMax; }
    void SetMax(int v);

    // ---- spinner ----
    bool UseUpDn() const { return fUseUpDn; }
    // Ignored unless NumbersOnly. True creates the spinner (range Min..Max,
    // position Value, hidden until edit mode); false destroys it.
    void SetUseUpDn(bool v);
    // The spinner, or null.
    TKeloUpDown *upDown() const { return fUpDn; }

    // ---- size ----
    bool AutoSize() const { return fAutoSize; }
    // Turning it on fits the height, then the width.
    void SetAutoSize(bool v);
    // Width of the text area: inside a block that has a parent, the wider of
    // "0" and the text in the control's font, plus 8; otherwise the current
    // width less a visible spinner.
    int TextAreaWidth() const;
    void FitWidth();
    void FitHeight();
    void PlaceUpDown();
    // To be called by the owner once the control sits in a block, and whenever
    // that block gets a new parent.
    void ParentSet();

    // ---- parent ----
    bool UseParentProps() const { return fUseParentProps; }
    // With a parent: colour := the parent's colour lightened by 30 (whatever
    // the value); when true the font follows the parent's (a font set on the
    // control is dropped); the tooltip is copied from the parent. Re-applied
    // whenever the control gets a new parent or the parent's colour changes
    // (its "keloColor" property or its palette).
    void SetUseParentProps(bool v);
    // The colour a parent widget offers to its fields (see the class comment).
    static QColor ParentColorOf(const QWidget *parent);

    // ---- editing ----
    bool EditMode() const { return fEditMode; }
    // Entering shows the line edit (and, for numbers, the spinner). Leaving a
    // number field collapses the selection to 0 and writes Value back to
    // itself, which clamps it and turns a text that is not a number into the
    // clamped 0.
    void SetEditMode(bool v);
    bool Modified() const;
    void SetModified(bool v);
    // 0 means no limit.
    int MaxLength() const { return fMaxLength; }
    void SetMaxLength(int v);
    int SelStart() const;
    // Puts the caret at v (no selection).
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    QString SelText() const;
    // Replaces the selection.
    void SetSelText(const QString &t);

    // The pointer is over the control (the display is lightened then).
    bool Hovered() const { return fMyfocused; }
    // The editing field, or null for a control without one.
    QLineEdit *lineEdit() const { return fEdit; }

signals:
    // The text changed: by typing, the spinner, SetValue or SetText. Not raised
    // by a field without a line edit (TKeloCombo).
    void changed();
    // The press on the control became a drag: the parent should drag itself as
    // if pressed at posInParent (parent coordinates). It should grab the mouse;
    // until the button is released, pointer moves and the release that still
    // reach this control are passed on as dragMoved() and dragReleased().
    void dragStarted(QPoint posInParent);
    void dragMoved(QPoint posInParent);
    void dragReleased(QPoint posInParent);

protected:
    // editable false: no line edit; the control is a plain painted window.
    TKeloEdit(QWidget *parent, bool editable);

    bool editable() const { return fEdit != nullptr; }
    // Whether a pointer move at pos (own coordinates) starts the drag.
    virtual bool dragBegins(const QPoint &pos) const;
    // A press and release without a drag: enter edit mode and take the focus.
    virtual void clickReleased(const QPoint &pos);

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    // The mouse button went down on the control and a drag may follow.
    bool Onmove = false;

private:
    void textChanged();
    void upDownChanging(int newPosition);
    bool filterKey(QKeyEvent *event);
    bool spinnerShown() const;
    void applyParentProps();
    void watchParent(QWidget *parent);
    void styleLineEdit();

    QLineEdit *fEdit = nullptr;
    TKeloUpDown *fUpDn = nullptr;
    QPointer<QWidget> fWatchedParent;
    QString fText;  // the text of a control without a line edit
    QColor fColor;
    QColor fFontColor;
    Qt::Alignment fAlignment = Qt::AlignLeft;
    int fMin = 0;
    int fMax = 0;
    int fMaxLength = 0;
    bool fNumbersOnly = false;
    bool fUseUpDn = false;
    bool fUpDnChanging = false;
    bool fEditMode = false;
    bool fMyfocused = false;
    bool fUseParentProps = false;
    bool fAutoSize = false;
    bool fModified = false;
    bool fDragHandedOff = false;
};
