#pragma once

#include "SimSnapshot.h"
#include "Simulation.h"

#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <functional>
#include <memory>

class QTimer;

// Runs a simulation on a thread of its own, paced to the wall clock (or slower), and
// hands the window a snapshot of the board about every screen frame. Every public
// call may come from the window's thread: it is carried out on the worker's.
class SimulationRunner : public QObject {
    Q_OBJECT
public:
    explicit SimulationRunner(QObject *parent = nullptr);
    ~SimulationRunner() override;

    // Starts a new run (ending one that runs). The transfer to the simulated board
    // runs as fast as it can; the program then runs at speed times the wall clock.
    void start(SimSetup setup, const QString &firmwareFolder);
    void setPaused(bool paused);
    void setSpeed(double speed);
    void stop();
    // An input of a device; see Simulation.
    void input(std::function<void(Simulation &)> change);

signals:
    void started();
    void failed(const QString &message);
    void frame(const SimSnapshot &snapshot);
    void stopped();

private:
    class Worker;
    QThread fThread;
    Worker *fWorker;
};
