#include "SimulationPage.h"

#include "BoardView.h"
#include "BuzzerSound.h"
#include "SimulationRunner.h"
#include "devices/DeviceTypes.h"
#include "project/Project.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// A slider with its caption and the value in the device's unit.
QSlider *addSlider(QVBoxLayout *into, const QString &caption, const QString &unit, int lo, int hi, int value,
                   std::function<void(int)> changed)
{
    auto *label = new QLabel(into->parentWidget());
    auto *slider = new QSlider(Qt::Horizontal, into->parentWidget());
    slider->setRange(lo, hi);
    slider->setValue(value);
    slider->setAccessibleName(caption);
    const auto show = [label, caption, unit](int v) { label->setText(u"%1: %2 %3"_s.arg(caption).arg(v).arg(unit)); };
    show(value);
    QObject::connect(slider, &QSlider::valueChanged, slider, [show, changed](int v) {
        show(v);
        changed(v);
    });
    into->addWidget(label);
    into->addWidget(slider);
    return slider;
}

} // namespace

SimulationPage::SimulationPage(Project &project, const QString &firmwareFolder, QWidget *parent)
    : QWidget(parent), fProject(project), fFirmwareFolder(firmwareFolder), fRunner(new SimulationRunner(this))
{
    setObjectName(u"SimulationPage"_s);
    auto *bar = new QHBoxLayout;
    fStart = new QPushButton(u"Έναρξη"_s, this);
    fPause = new QPushButton(u"Παύση"_s, this);
    fStop = new QPushButton(u"Τερματισμός"_s, this);
    fStart->setAccessibleName(u"Έναρξη"_s);
    fPause->setAccessibleName(u"Παύση"_s);
    fStop->setAccessibleName(u"Τερματισμός"_s);
    // The speed: two buttons of which one is down (a combo box would be read by its
    // current text, not by what it sets).
    fNormal = new QPushButton(u"×1"_s, this);
    fSlow = new QPushButton(u"×¼"_s, this);
    fNormal->setAccessibleName(u"Κανονική ταχύτητα"_s);
    fSlow->setAccessibleName(u"Αργή κίνηση"_s);
    fNormal->setToolTip(u"Κανονική ταχύτητα"_s);
    fSlow->setToolTip(u"Αργή κίνηση: το ένα τέταρτο της ταχύτητας"_s);
    auto *speeds = new QButtonGroup(this);
    for (QPushButton *b : {fNormal, fSlow}) {
        b->setCheckable(true);
        speeds->addButton(b);
    }
    fNormal->setChecked(true);
    fStatus = new QLabel(u"Πατήστε «Έναρξη»: το πρόγραμμα τρέχει σε προσομοιωμένη πλακέτα, χωρίς Arduino."_s, this);
    fStatus->setAccessibleName(u"Κατάσταση προσομοίωσης"_s);
    fStatus->setWordWrap(true);
    for (QPushButton *b : {fStart, fPause, fStop, fNormal, fSlow})
        bar->addWidget(b);
    bar->addWidget(fStatus, 1);

    fBoard = new BoardView(this);
    fSound = new BuzzerSound(this);
    fInputs = new QGroupBox(u"Είσοδοι"_s, this);
    fInputs->setAccessibleName(u"Είσοδοι"_s);
    fInputsLayout = new QVBoxLayout(fInputs);
    fInputsLayout->addStretch(1);
    fPins = new QTableWidget(0, 3, this);
    fPins->setAccessibleName(u"Πίνακας pin"_s);
    fPins->setHorizontalHeaderLabels({u"Pin"_s, u"Λειτουργία"_s, u"Επίπεδο"_s});
    fPins->verticalHeader()->hide();
    fPins->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fPins->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    fPins->horizontalHeader()->setStretchLastSection(true);
    fPins->setMinimumWidth(150);

    auto *side = new QVBoxLayout;
    side->addWidget(fInputs, 1);
    side->addWidget(fPins, 2);
    auto *body = new QHBoxLayout;
    body->addWidget(fBoard, 3);
    body->addLayout(side, 1);
    auto *top = new QVBoxLayout(this);
    top->addLayout(bar);
    top->addLayout(body, 1);

    connect(fStart, &QPushButton::clicked, this, &SimulationPage::start);
    connect(fStop, &QPushButton::clicked, this, &SimulationPage::stop);
    connect(fPause, &QPushButton::clicked, this, &SimulationPage::togglePause);
    connect(fSlow, &QPushButton::toggled, this, [this](bool slow) { fRunner->setSpeed(slow ? 0.25 : 1.0); });
    connect(fRunner, &SimulationRunner::frame, this, &SimulationPage::showFrame);
    connect(fRunner, &SimulationRunner::started, this, [this] {
        if (fRunning)
            fStatus->setText(u"Το πρόγραμμα τρέχει στην προσομοιωμένη πλακέτα."_s);
    });
    connect(fRunner, &SimulationRunner::failed, this, [this](const QString &m) {
        fStatus->setText(m);
        setRunning(false);
    });
    connect(fRunner, &SimulationRunner::stopped, this, [this] { setRunning(false); });
    setRunning(false);
}

SimulationPage::~SimulationPage() = default;

void SimulationPage::setRunning(bool running)
{
    fRunning = running;
    fStart->setEnabled(!running);
    fPause->setEnabled(running);
    fStop->setEnabled(running);
    if (!running) {
        fSound->stop();
        if (!fRunningBlock.isEmpty()) {
            fRunningBlock.clear();
            emit runningBlockChanged(fRunningBlock);
        }
        fPaused = false;
        fPause->setText(u"Παύση"_s);
        fPause->setAccessibleName(u"Παύση"_s);
    }
    emit runningChanged(running);
}

void SimulationPage::start()
{
    SimSetup setup = SimSetup::fromProject(fProject);
    const bool mega = BoardPins::chipOfBoard(setup.boardTypeId) == BoardPins::Chip::Mega;
    fBoard->setBoard(fProject.devices().BoardName().isEmpty() ? u"Arduino Uno"_s : fProject.devices().BoardName(), mega);
    fPins->setRowCount(0);
    fStatus->setText(u"Αποστολή του προγράμματος στην προσομοιωμένη πλακέτα…"_s);
    setRunning(true);
    fRunner->setSpeed(fSlow->isChecked() ? 0.25 : 1.0);
    fRunner->start(std::move(setup), fFirmwareFolder);
    buildInputs();
}

void SimulationPage::stop()
{
    if (!fRunning)
        return;
    fRunner->stop();
    // The window stops showing the run at once; the worker ends it in its turn.
    setRunning(false);
    fStatus->setText(u"Η προσομοίωση τερματίστηκε."_s);
}

void SimulationPage::togglePause()
{
    fPaused = !fPaused;
    fRunner->setPaused(fPaused);
    if (fPaused)
        fSound->setFrequency(0);
    fPause->setText(fPaused ? u"Συνέχεια"_s : u"Παύση"_s);
    fPause->setAccessibleName(fPause->text());
    fStatus->setText(fPaused ? u"Σε παύση."_s : u"Το πρόγραμμα τρέχει στην προσομοιωμένη πλακέτα."_s);
}

void SimulationPage::buildInputs()
{
    // The inputs of the devices of this run, made anew for each start.
    while (QLayoutItem *item = fInputsLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const ActiveDevices &devices = fProject.devices();
    const int before = fInputsLayout->count();
    for (int pos = 0; pos < devices.count(); ++pos) {
        const TActiveDevice &d = devices.device(pos);
        const QString n = d.Name;
        switch (d.DeviceTypeID) {
        case DeviceTypes::Switch: {
            auto *b = new QPushButton(u"Πάτημα %1"_s.arg(n), fInputs);
            b->setAccessibleName(u"Πάτημα %1"_s.arg(n));
            connect(b, &QPushButton::pressed, this, [this, pos] { fRunner->input([pos](Simulation &s) { s.setSwitch(pos, true); }); });
            connect(b, &QPushButton::released, this, [this, pos] { fRunner->input([pos](Simulation &s) { s.setSwitch(pos, false); }); });
            fInputsLayout->addWidget(b);
            break;
        }
        case DeviceTypes::UltraSonic:
            addSlider(fInputsLayout, u"Απόσταση %1"_s.arg(n), u"cm"_s, 2, 400, Simulation::DefaultDistanceCm, [this, pos](int v) {
                fRunner->input([pos, v](Simulation &s) { s.setDistance(pos, v); });
            });
            break;
        case DeviceTypes::Temp: {
            auto climate = std::make_shared<std::pair<double, double>>(Simulation::DefaultCelsius, Simulation::DefaultPercent);
            addSlider(fInputsLayout, u"Θερμοκρασία %1"_s.arg(n), u"°C"_s, -40, 80, int(Simulation::DefaultCelsius),
                      [this, pos, climate](int v) {
                          climate->first = v;
                          fRunner->input([pos, c = *climate](Simulation &s) { s.setClimate(pos, c.first, c.second); });
                      });
            addSlider(fInputsLayout, u"Υγρασία %1"_s.arg(n), u"%"_s, 0, 100, int(Simulation::DefaultPercent),
                      [this, pos, climate](int v) {
                          climate->second = v;
                          fRunner->input([pos, c = *climate](Simulation &s) { s.setClimate(pos, c.first, c.second); });
                      });
            break;
        }
        case DeviceTypes::BMP:
            addSlider(fInputsLayout, u"Πίεση %1"_s.arg(n), u"hPa"_s, 300, 1100, int(Simulation::DefaultHectopascals),
                      [this, pos](int v) {
                          fRunner->input([pos, v](Simulation &s) { s.setBarometer(pos, v, Simulation::DefaultCelsius); });
                      });
            break;
        case DeviceTypes::ANIN: {
            const QString what = d.ActDevParams[2] == 0 ? u"Υγρασία εδάφους"_s : u"Φως"_s;
            addSlider(fInputsLayout, u"%1 %2"_s.arg(what, n), u"(0–1023)"_s, 0, 1023, Simulation::DefaultAnalog,
                      [this, pos](int v) { fRunner->input([pos, v](Simulation &s) { s.setAnalog(pos, v); }); });
            break;
        }
        default: break;
        }
    }
    if (fInputsLayout->count() == before) {
        auto *none = new QLabel(u"Το έργο δεν έχει αισθητήρες ή διακόπτες."_s, fInputs);
        none->setWordWrap(true);
        fInputsLayout->addWidget(none);
    }
    fInputsLayout->addStretch(1);
}

void SimulationPage::showFrame(const SimSnapshot &s)
{
    if (!fRunning)
        return;
    fBoard->show(s);
    // The highest note of the project's buzzers is heard (they sound alike).
    double hz = 0;
    for (const SimSnapshot::Device &d : s.devices)
        hz = std::max(hz, d.hz);
    fSound->setFrequency(fPaused ? 0 : hz);
    if (s.runningBlock != fRunningBlock) {
        fRunningBlock = s.runningBlock;
        emit runningBlockChanged(fRunningBlock);
    }
    // Every pin the program has used, in order.
    fPins->setRowCount(int(s.pins.size()));
    int row = 0;
    for (const auto &[pin, state] : s.pins) {
        const QString level = state.pwm >= 0 ? u"PWM %1"_s.arg(state.pwm) : QString::number(state.level);
        const QString cells[3] = {QString::number(pin), state.mode ? u"Έξοδος"_s : u"Είσοδος"_s, level};
        for (int c = 0; c < 3; ++c) {
            QTableWidgetItem *item = fPins->item(row, c);
            if (!item) {
                item = new QTableWidgetItem;
                fPins->setItem(row, c, item);
            }
            if (item->text() != cells[c])
                item->setText(cells[c]);
        }
        ++row;
    }
}
