#pragma once

#include "SimSnapshot.h"

#include <QWidget>

class BoardView;
class BuzzerSound;
class Project;
class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;
class SimulationRunner;

// The page "Προσομοίωση": the pupil's program runs on a drawn board, without a board
// or the Arduino IDE. Start, pause and stop, a slow motion, the inputs of the
// project's sensors and switches, and a table of the pins in use.
class SimulationPage : public QWidget {
    Q_OBJECT
public:
    SimulationPage(Project &project, const QString &firmwareFolder, QWidget *parent = nullptr);
    ~SimulationPage() override;

    bool running() const { return fRunning; }
    // Ends a run, if one runs.
    void stop();

signals:
    // A run started or ended: the window may want to show it elsewhere.
    void runningChanged(bool running);
    // The block the simulated board runs now (its name), empty when none.
    void runningBlockChanged(const QString &blockName);

private:
    void start();
    void togglePause();
    void showFrame(const SimSnapshot &s);
    void buildInputs();
    void setRunning(bool running);

    Project &fProject;
    QString fFirmwareFolder;
    SimulationRunner *fRunner;
    BoardView *fBoard;
    BuzzerSound *fSound;
    QPushButton *fStart, *fPause, *fStop;
    QPushButton *fNormal, *fSlow;
    QLabel *fStatus;
    QWidget *fInputs;
    QVBoxLayout *fInputsLayout;
    QTableWidget *fPins;
    bool fRunning = false;
    bool fPaused = false;
    QString fRunningBlock;
};
