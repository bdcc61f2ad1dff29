#include "SimulationRunner.h"

#include <QMetaObject>
#include <QTimer>

namespace {
constexpr int TickMs = 15;
// A slow computer falls behind rather than trying to make up for a long pause at
// once.
constexpr double LongestStepMs = 100;
} // namespace

class SimulationRunner::Worker : public QObject {
public:
    explicit Worker(SimulationRunner *owner) : fOwner(owner) {}

    void start(SimSetup setup, const QString &folder)
    {
        stop(false);
        fMeter = std::make_unique<DeviceMeter>(setup.devices);
        fSim = std::make_unique<Simulation>(std::move(setup));
        fSim->setPinListener([this](const Simulation::PinChange &c) { fMeter->pinChanged(c); });
        QString error;
        if (!fSim->start(folder, &error)) {
            fSim.reset();
            emit fOwner->failed(error);
            return;
        }
        fPaused = false;
        fWall.start();
        if (!fTimer) {
            fTimer = new QTimer(this);
            fTimer->setTimerType(Qt::PreciseTimer);
            connect(fTimer, &QTimer::timeout, this, [this] { tick(); });
        }
        fTimer->start(TickMs);
        emit fOwner->started();
        sendFrame();
    }

    void tick()
    {
        if (!fSim)
            return;
        const double wall = double(fWall.nsecsElapsed()) / 1e6;
        fWall.restart();
        if (!fPaused && !fSim->advance(std::min(wall * fSpeed, LongestStepMs))) {
            emit fOwner->failed(QStringLiteral("Ο προσομοιωμένος μικροελεγκτής σταμάτησε."));
            stop(true);
            return;
        }
        sendFrame();
    }

    void sendFrame()
    {
        SimSnapshot s = SimSnapshot::take(*fMeter, fSim->setup().devices, fSim->programMs());
        // An input shows what is driven onto it (a button held, a sensor's answer).
        for (auto &[pin, state] : s.pins)
            if (!state.mode)
                state.level = fSim->board().pinLevel(pin);
        s.runningBlock = fSim->runningBlock();
        if (fSim->board().hasDisplay()) {
            s.hasDisplay = true;
            s.rows[0] = fSim->board().displayRow(0);
            s.rows[1] = fSim->board().displayRow(1);
        }
        emit fOwner->frame(s);
    }

    void stop(bool tell)
    {
        if (fTimer)
            fTimer->stop();
        const bool was = fSim != nullptr;
        fSim.reset();
        fMeter.reset();
        if (tell && was)
            emit fOwner->stopped();
    }

    SimulationRunner *fOwner;
    std::unique_ptr<Simulation> fSim;
    std::unique_ptr<DeviceMeter> fMeter;
    QTimer *fTimer = nullptr;
    QElapsedTimer fWall;
    bool fPaused = false;
    double fSpeed = 1.0;
};

SimulationRunner::SimulationRunner(QObject *parent) : QObject(parent), fWorker(new Worker(this))
{
    qRegisterMetaType<SimSnapshot>("SimSnapshot");
    fThread.setObjectName(QStringLiteral("simulation"));
    fWorker->moveToThread(&fThread);
    connect(&fThread, &QThread::finished, fWorker, &QObject::deleteLater);
    fThread.start();
}

SimulationRunner::~SimulationRunner()
{
    QMetaObject::invokeMethod(fWorker, [w = fWorker] { w->stop(false); }, Qt::BlockingQueuedConnection);
    fThread.quit();
    fThread.wait();
}

void SimulationRunner::start(SimSetup setup, const QString &firmwareFolder)
{
    QMetaObject::invokeMethod(fWorker, [w = fWorker, setup = std::move(setup), firmwareFolder]() mutable {
        w->start(std::move(setup), firmwareFolder);
    });
}

void SimulationRunner::setPaused(bool paused)
{
    QMetaObject::invokeMethod(fWorker, [w = fWorker, paused] { w->fPaused = paused; });
}

void SimulationRunner::setSpeed(double speed)
{
    QMetaObject::invokeMethod(fWorker, [w = fWorker, speed] { w->fSpeed = speed; });
}

void SimulationRunner::stop()
{
    QMetaObject::invokeMethod(fWorker, [w = fWorker] { w->stop(true); });
}

void SimulationRunner::input(std::function<void(Simulation &)> change)
{
    QMetaObject::invokeMethod(fWorker, [w = fWorker, change = std::move(change)] {
        if (w->fSim)
            change(*w->fSim);
    });
}
