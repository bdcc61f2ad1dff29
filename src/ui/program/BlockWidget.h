#pragma once

#include <QWidget>

class TKeloBlock;
class ProgramView;
class TKeloEdit;
class TKeloCombo;
class QComboBox;
class QCheckBox;

// Shows one block: its outline (the window is clipped to it), borders, command text,
// snap and slot highlights, and the editors at the places the core's layout gives.
// Mouse events go to the view's drag controller; editor changes go to the block.
class BlockWidget : public QWidget {
    Q_OBJECT
public:
    BlockWidget(TKeloBlock *block, ProgramView *view, QWidget *parent);

    TKeloBlock *block() const { return fBlock; }
    quint64 serial() const { return fSerial; }
    // Mirrors the model: geometry, outline, editors, tooltip, enabled state.
    void syncFromModel();
    // Only the place and size (what a drag changes for the blocks it carries along).
    void syncGeometry();
    void forget() { fBlock = nullptr; }

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createEditors();
    TKeloEdit *numberEdit(int slot);
    TKeloEdit *textEdit();
    QComboBox *deviceList();
    TKeloCombo *compareList();
    QComboBox *variableList();
    void placeEditors();

    TKeloBlock *fBlock;
    quint64 fSerial;
    ProgramView *fView;
    void connectDrag(TKeloEdit *e);

    TKeloEdit *fEdit1 = nullptr, *fEdit2 = nullptr, *fEditS = nullptr;
    TKeloCombo *fCompare = nullptr;
    QComboBox *fDevices = nullptr, *fVars = nullptr;
    QCheckBox *fElse = nullptr, *fDelete = nullptr;
    QSize fMaskSize;
    bool fSyncing = false;  // editors are being filled from the model, not typed into
};
