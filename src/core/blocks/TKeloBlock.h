#pragma once

#include "blocks/BlockArea.h"
#include "blocks/ChoiceList.h"
#include "util/KeloColor.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSet>
#include <QString>
#include <algorithm>
#include <vector>

class Workspace;

// One command block: a record (command, parameters, code template, links) and the
// geometry of the control that shows it. Placed blocks form a vertical chain through
// fLinkTo with FLinkFrom as back link; containers keep their body behind fLinkTo and
// continue the chain through their end block (see TKeloContainerBlock).
class TKeloBlock {
public:
    static constexpr int InitialWidth = 150;
    static constexpr int InitialHeight = 44;
    static constexpr int StartCommandId = 1;
    static constexpr int EndBlockCommandId = 99;
    static constexpr int ElseHeaderCommandId = 100;
    static constexpr int FirstDeviceValueId = 75;  // value blocks above 74 carry a device

    // Creates a prototype owned by the workspace (named "Prot_keloBlock__N").
    // Use Workspace::create / createFloat rather than calling this directly.
    explicit TKeloBlock(Workspace *owner);
    virtual ~TKeloBlock();
    TKeloBlock(const TKeloBlock &) = delete;
    TKeloBlock &operator=(const TKeloBlock &) = delete;

    virtual QString className() const { return QStringLiteral("TKeloBlock"); }
    // The block a program starts with. A variable's value block carries the variable's
    // id as its command, so the first variable's blocks have the start's number too.
    bool isStartBlock() const;

    // ---- identity ----
    Workspace *owner() const { return fOwner; }
    QString Name() const { return fName; }
    // Gives the block a component name; false when the owner already has it.
    bool SetName(const QString &name);
    int Id = 0;
    int Tag = 0;
    // Unique for the life of the program (addresses of destroyed blocks are reused):
    // views use it to tell a new block from a destroyed one at the same address.
    quint64 serial() const { return fSerial; }

    // ---- geometry ----
    int Left() const { return fLeft; }
    int Top() const { return fTop; }
    int Width() const { return fWidth; }
    int Height() const { return fHeight; }
    // The width without the room a number field takes while it is being edited (its
    // spinner): what the project keeps, so that entering and leaving a field is no
    // change of the program.
    int restingWidth() const;
    QRect BoundsRect() const { return QRect(fLeft, fTop, fWidth, fHeight); }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, fTop, fWidth, fHeight); }
    void SetTop(int v) { SetBounds(fLeft, v, fWidth, fHeight); }
    void SetWidth(int v) { SetBounds(fLeft, fTop, v, fHeight); }
    void SetHeight(int v) { SetBounds(fLeft, fTop, fWidth, v); }
    int marginLeft = 3, marginTop = 3, marginRight = 3, marginBottom = 3;

    bool Visible() const { return fVisible; }
    void SetVisible(bool v) { fVisible = v; }
    bool Enabled() const { return fEnabled; }
    void SetEnabled(bool v) { fEnabled = v; }

    // ---- parent ----
    BlockArea *parentArea() const { return fParentArea; }
    TKeloBlock *parentBlock() const { return fParentBlock; }
    bool hasParent() const { return fParentArea || fParentBlock; }
    void SetParent(BlockArea *area);
    void SetParent(TKeloBlock *host);
    // Takes the parent the other block has (a companion following its container).
    void SetSameParentAs(const TKeloBlock *other);
    // Moves the block to the end of its parent's child order (drawn on top).
    void BringToFront();
    // Value blocks currently children of this block (in its slots, or left there by
    // a refused slot assignment).
    const std::vector<TKeloBlock *> &childBlocks() const { return fChildBlocks; }

    // ---- stored properties ----
    TColor Color() const { return fColor; }
    void SetColor(TColor c);
    TColor BorderColor = KeloColor::Red;
    TColor CommandColor = KeloColor::Black;
    bool Param1Attaching = false;
    bool Param2Attaching = false;
    bool CtrlAttachUp = false;
    bool CtrlAttachDn = false;

    QString CommandText() const { return fCommandText; }
    void SetCommandText(const QString &t);
    bool NewlyCreated() const { return fNewlyCreated; }
    virtual void SetNewlyCreated(bool v);
    int CommndID = -1;

    virtual int GetParam1() const { return fParam1; }
    virtual void SetParam1(int v);
    virtual int GetParam2() const { return fParam2; }
    virtual void SetParam2(int v);
    int rawParam1() const { return fParam1; }
    int rawParam2() const { return fParam2; }
    // Stores without side effects (what an editor change does).
    void storeParam1(int v) { fParam1 = v; }
    void storeParam2(int v) { fParam2 = v; }

    QString ParamStr() const { return fParamStr; }
    void SetParamStr(const QString &s);
    // The pupil typed into the text editor.
    void ParamStrEditChange(const QString &text);
    QString ParamD() const { return fParamD; }
    void SetParamD(const QString &s);
    int PDevice() const { return fPDevice; }
    void SetPDevice(int v);

    bool topNose = true;
    bool botNose = true;
    int TotalParams() const { return fTotalParams; }
    virtual void SetTotalParams(int v) { fTotalParams = v; }

    QString param1question, param1prompt, param2question, param2prompt;
    QString MyHint() const { return fMyHint; }
    void SetMyHint(const QString &t);
    // The tooltip as composed from MyHint, ParamStr and parameter 1.
    QString Hint() const { return fHint; }
    void SetHint(const QString &h) { fHint = h; }
    void RefreshHint() { SetMyHint(fMyHint); }

    bool prototype() const { return fPrototype; }
    virtual void Setprototype(bool v);
    int DeviceOnlyCommandID() const { return fDeviceOnlyCommandID; }
    void SetDeviceOnlyCommandID(int v);
    QString ArduCmd;
    QString ArduCheck;
    TColor enblColor = KeloColor::None;

    // ---- links ----
    TKeloBlock *firstBlock() const { return fLinkTo; }
    virtual TKeloBlock *GetLinkTo() const { return fLinkTo; }
    virtual void SetLinkTo(TKeloBlock *b) { fLinkTo = b; }
    TKeloBlock *LinkFrom() const { return FLinkFrom; }
    void SetLinkFrom(TKeloBlock *b) { FLinkFrom = b; }
    QString LinkToName() const;
    void SetLinkToName(const QString &name);
    QString LinkFromName() const;
    void SetLinkFromName(const QString &name);

    TKeloBlock *VarParam1() const { return FVarParam1; }
    TKeloBlock *VarParam2() const { return FVarParam2; }
    void SetVarParam1(TKeloBlock *v);
    void SetVarParam2(TKeloBlock *v);
    QString VarParam1Name() const;
    void SetVarParam1Name(const QString &name);
    QString VarParam2Name() const;
    void SetVarParam2Name(const QString &name);

    // ---- loading ----
    // True while the block is read from a file (no owner, setters only store).
    bool reading() const { return fReading; }
    void beginReading() { fReading = fWasRead = true; }
    void endReading() { fReading = false; }
    // Waiting for a value block named by VarParam1Name/VarParam2Name.
    bool loading = false;
    bool beingLoaded() const { return fReading || loading; }
    // Sizes and places stay as stored: the block is loaded, or the whole program is.
    bool restoringLayout() const;
    // The program file has been read and re-linked: fill the lists the block shows.
    virtual void finishLoading();
    // After-load step; runs once the block was read and again once placed.
    virtual void Loaded() {}
    // The block's place among the blocks of the program file being read, -1 when no
    // file is being read.
    int fileIndex() const { return fFileIndex; }
    void setFileIndex(int index) { fFileIndex = index; }
    // Gives the block its owner after reading (names it if it has no name).
    void adoptOwner(Workspace *owner);

    // ---- chain ----
    void Attach(TKeloBlock *other, bool above);
    void Detach(TKeloBlock *other);
    virtual void FollowLinkFrom(TKeloBlock *origin);
    virtual void ChainChanged();
    // Last block of the chain that starts here; containers answer by caller.
    TKeloBlock *getLastKeloBlock(TKeloBlock *caller);
    virtual int Getblocksize() const { return 1; }
    // Chain count from db (this block when null), following GetLinkTo.
    int getKeloBlockListSize(const TKeloBlock *db = nullptr) const;
    // The most steps a walk over the links may take: the number of blocks.
    qsizetype walkLimit() const;
    // Coordinates and sizes stay within this many pixels either way, whatever a file
    // held, so that sums of a few of them never overflow.
    static constexpr int MaxCoordinate = 1 << 29;
    static int clampedCoordinate(qint64 v) { return int(std::clamp<qint64>(v, -MaxCoordinate, MaxCoordinate)); }
    int TopNoseX() const { return fLeft + nospadUp; }
    int BotNoseX() const { return fLeft + nospadDn; }

    // ---- copies ----
    virtual TKeloBlock *createNewBlock() const;
    // Copies a prototype into this fresh block (the target side of Assign).
    virtual void assignFrom(const TKeloBlock &source);

    // ---- devices ----
    virtual QString getDeviceName() const;
    int getDeviceParam(int k) const;
    bool HasDeviceParam() const;
    ChoiceList ctrlD;
    void FillComboBox();
    void SyncDeviceCombo();
    void DeviceComboChange(int index);
    // The device set of type t changed (a device of that type was added, removed
    // or edited).
    virtual void onDeviceRefresh(int typeId);

    // ---- variables ----
    virtual void onVarsChanged() {}

    // ---- code ----
    virtual QString GetArduinoCommand(int idnt);

    // ---- layout ----
    static constexpr int lnw = 2;
    static constexpr int nosw = 14;
    static constexpr int nosh = 6;
    int nospadUp = 20;
    int nospadDn = 20;
    QPoint ActivePointUp, ActivePointDn;
    QList<QPoint> borderUp, borderDn, a;
    void BuildOutline();
    virtual QString GetDisplayText() const;
    // The command as the pupil reads it on the block, for messages about it: the
    // parameters' values, the text and the device name in place of the placeholders.
    QString captionText() const;
    virtual void UpdateWidth();
    virtual void SetNewWidth(int nw);
    // Lays out the command text and the editors (what painting does), and sets the
    // resulting width.
    void layoutCommandText();
    void layoutPieces();
    const QList<TextPiece> &textPieces() const { return fPieces; }
    QPoint textOrigin() const;

    SlotEditor ctrl1, ctrl2, ctrlS;
    virtual QString GetParam1Text() const { return QString::number(GetParam1()); }
    virtual QString GetParam2Text() const { return QString::number(GetParam2()); }
    virtual QRect GetParam1Rect() const;
    virtual QRect GetParam2Rect() const;
    virtual bool Param1Visible() const;
    virtual bool Param2Visible() const;
    int editorWidth(const QString &text) const;

    // Painting: a disabled block takes the grey fill and remembers its own.
    void applyDisabledLook();

protected:
    virtual int PlaceParam1(int x, int y);
    virtual int PlaceParam2(int x, int y);
    int PlaceParamStr(int x, int y);
    int PlaceDeviceCombo(int x, int y);
    void drawText(int x, int y, const QString &text, TColor color);
    int measure(const QString &text) const;
    void setVarParam(int slot, TKeloBlock *v);
    void lookUpVarParam(int slot, const QString &name);
    // Hooks for subclasses around parent changes.
    virtual void parentChanged();
    // Sets the bounds as SetBounds does, without the successor following; whether the
    // block moved.
    bool placeAt(int left, int top, int width, int height);
    // The successors follow this block, which moved.
    void successorsFollow();
    // Where this block goes under p.
    QPoint placeUnder(const TKeloBlock *p) const;
    // True for blocks whose SetBounds and FollowLinkFrom are TKeloBlock's own.
    virtual bool followsPlainly() const { return true; }
    // One step of getLastKeloBlock: the answer (done) or the block to go on from.
    virtual TKeloBlock *lastStep(TKeloBlock *caller, bool *done);
    // One step of the chain count: adds what this block counts for itself and gives
    // the body whose chain counts too, if any.
    virtual const TKeloBlock *countedBody(int *count) const;
    void SetUniqueName(const QString &basePrefix);
    void log(const QString &line) const;
    // Destroys the blocks this block owns through its links (chain below, companions).
    virtual void collectOwned(std::vector<TKeloBlock *> &out) const;
    // Forgets every link to a block that is about to be destroyed.
    virtual void clearReferencesTo(const QSet<TKeloBlock *> &doomed);
    friend class Workspace;

    Workspace *fOwner = nullptr;
    QString fName;
    quint64 fSerial = 0;
    int fLeft = 0, fTop = 0, fWidth = InitialWidth, fHeight = InitialHeight;
    bool fVisible = true;
    bool fEnabled = true;
    BlockArea *fParentArea = nullptr;
    TKeloBlock *fParentBlock = nullptr;
    std::list<TKeloBlock *>::iterator fChildPos;
    std::list<TKeloBlock *>::iterator fComponentIt;
    bool fInComponents = false;
    std::vector<TKeloBlock *> fChildBlocks;

    TColor fColor = KeloColor::Red;
    // What a block whose file gave no command text shows (a damaged or hand-made file).
    QString fCommandText = QStringLiteral("Άγνωστη εντολή");
    bool fNewlyCreated = true;
    int fParam1 = 0, fParam2 = 0;
    QString fParamStr, fParamD;
    int fPDevice = -1;
    int fTotalParams = 0;
    QString fMyHint, fHint;
    bool fPrototype = true;
    int fDeviceOnlyCommandID = -1;
    bool fReading = false;
    bool fWasRead = false;

    TKeloBlock *fLinkTo = nullptr;
    TKeloBlock *FLinkFrom = nullptr;
    TKeloBlock *FVarParam1 = nullptr;
    TKeloBlock *FVarParam2 = nullptr;
    QString fArduinoCommand;
    bool fExpanding = false;  // GetArduinoCommand is running
    int fFileIndex = -1;

    QList<TextPiece> fPieces;
    bool fLayingOut = false;

private:
    void detachFromParent();
    void applyHostSizeRule(TKeloBlock *newHost);
};
