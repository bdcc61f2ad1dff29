#include "SimCommand.h"

#include "Simulation.h"
#include "devices/DeviceTypes.h"
#include "project/Project.h"
#include "project/ProjectFiles.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>

using namespace Qt::StringLiterals;

namespace SimCommand {

namespace {

// A --set: the device by its name, and one or two numbers.
struct Setting {
    QString device;
    QList<double> values;
};

QString inputsHelp()
{
    return u"  Switch_N=1          διακόπτης πατημένος (0: αφημένος)\n"
           u"  USonic_N=40         απόσταση σε εκατοστά\n"
           u"  Temp_N=25.5,60      θερμοκρασία σε °C και υγρασία σε %\n"
           u"  Baro_N=1013,20      πίεση σε hPa και θερμοκρασία σε °C\n"
           u"  AnalogIn_N=700      αναλογική τιμή 0..1023\n"_s;
}

QString fail(const QString &text)
{
    return u"vimsel-sim: "_s + text + u'\n';
}

// Applies one setting; an empty text when it took, else why not.
QString apply(Simulation &sim, const Project &project, const Setting &s)
{
    const ActiveDevices &devices = const_cast<Project &>(project).devices();
    const int pos = devices.findByName(s.device);
    if (pos < 0) {
        QStringList names;
        for (int i = 0; i < devices.count(); ++i)
            names << devices.device(i).Name;
        return u"Το έργο δεν έχει συσκευή «%1». Συσκευές του έργου: %2."_s.arg(
            s.device, names.isEmpty() ? u"καμία"_s : names.join(u", "_s));
    }
    const auto &v = s.values;
    bool ok = false;
    switch (devices.device(pos).DeviceTypeID) {
    case DeviceTypes::Switch: ok = v.size() == 1 && sim.setSwitch(pos, v[0] != 0); break;
    case DeviceTypes::UltraSonic: ok = v.size() == 1 && v[0] >= 0 && sim.setDistance(pos, int(v[0] + 0.5)); break;
    case DeviceTypes::Temp:
        ok = v.size() <= 2 && sim.setClimate(pos, v[0], v.size() > 1 ? v[1] : Simulation::DefaultPercent);
        break;
    case DeviceTypes::BMP:
        ok = v.size() <= 2 && v[0] > 0 && sim.setBarometer(pos, v[0], v.size() > 1 ? v[1] : Simulation::DefaultCelsius);
        break;
    case DeviceTypes::ANIN: ok = v.size() == 1 && v[0] >= 0 && v[0] <= 1023 && sim.setAnalog(pos, int(v[0])); break;
    default:
        return u"Η συσκευή «%1» δεν δέχεται τιμή: τιμές δέχονται διακόπτες, αισθητήρες και αναλογικές είσοδοι."_s.arg(
            s.device);
    }
    if (!ok)
        return u"Η τιμή για τη συσκευή «%1» δεν ταιριάζει. Τιμές που δέχεται το --set:\n"_s.arg(s.device)
               + inputsHelp();
    return {};
}

QString findFirmware(const QString &given, const QStringList &folders)
{
    if (!given.isEmpty())
        return given;
    for (const QString &f : folders)
        if (QFile::exists(Simulation::firmwareFile(f, BoardPins::Chip::Uno)))
            return f;
    return folders.isEmpty() ? QString() : folders.first();
}

} // namespace

QString usage()
{
    return u"Χρήση: vimsel-sim ΕΡΓΟ.vzl --seconds N [--pins ΑΡΧΕΙΟ] [--set ΣΥΣΚΕΥΗ=ΤΙΜΗ]... [--firmware ΦΑΚΕΛΟΣ]\n"
           u"\n"
           u"Τρέχει το πρόγραμμα του έργου σε προσομοιωμένη πλακέτα Arduino (Uno ή Mega, όπως\n"
           u"ορίζει το έργο), με το λογισμικό της ζωντανής λειτουργίας, χωρίς πλακέτα και\n"
           u"χωρίς το Arduino IDE. Γράφει κάθε αλλαγή pin ως «<ms> <pin> <επίπεδο>»: τα\n"
           u"χιλιοστά του δευτερολέπτου από την έναρξη του προγράμματος, ο αριθμός του pin,\n"
           u"0 ή 1. Ό,τι έκανε η πλακέτα πριν από την έναρξη γράφεται στο 0.\n"
           u"\n"
           u"  --seconds N      πόσα δευτερόλεπτα του προγράμματος θα τρέξουν\n"
           u"  --pins ΑΡΧΕΙΟ    πού γράφονται οι αλλαγές (χωρίς αυτό: στην έξοδο)\n"
           u"  --set Σ=ΤΙΜΗ     τιμή εισόδου μιας συσκευής, με το όνομά της στο έργο:\n"_s
           + inputsHelp()
           + u"  --firmware Φ     ο φάκελος με το λογισμικό (Morvane.ino.Uno.elf, Morvane.ino.Mega.elf)\n"
             u"\n"
             u"Κωδικός εξόδου: 0 έτρεξε, 1 το πρόγραμμα δεν ξεκίνησε (π.χ. δεν χωράει στο Uno),\n"
             u"2 λάθος ορίσματα ή έργο που δεν διαβάζεται.\n"_s;
}

int run(const QStringList &arguments, const QStringList &firmwareFolders, QByteArray &out, QByteArray &err)
{
    QString file, pinsFile, firmware;
    double seconds = -1;
    QList<Setting> settings;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == u"--help"_s || a == u"-h"_s) {
            out += usage().toUtf8();
            return 0;
        }
        if (a == u"--seconds"_s && hasValue) {
            bool ok = false;
            seconds = arguments[++i].toDouble(&ok);
            if (!ok || seconds <= 0 || seconds > 3600) {
                err += fail(u"Το --seconds θέλει αριθμό δευτερολέπτων από 0 έως 3600, όχι «%1»."_s.arg(arguments[i])).toUtf8();
                return 2;
            }
        } else if (a == u"--pins"_s && hasValue) {
            pinsFile = arguments[++i];
        } else if (a == u"--firmware"_s && hasValue) {
            firmware = arguments[++i];
        } else if (a == u"--set"_s && hasValue) {
            const QString s = arguments[++i];
            const qsizetype eq = s.indexOf(u'=');
            Setting setting{s.left(eq).trimmed(), {}};
            bool ok = eq > 0;
            for (const QString &n : s.mid(eq + 1).split(u','))
                if (ok)
                    setting.values << n.trimmed().toDouble(&ok);
            if (!ok) {
                err += fail(u"Το --set θέλει ΣΥΣΚΕΥΗ=ΤΙΜΗ, όχι «%1». Παραδείγματα:\n"_s.arg(s) + inputsHelp()).toUtf8();
                return 2;
            }
            settings << setting;
        } else if (a.startsWith(u'-') || !file.isEmpty()) {
            err += (fail(u"Άγνωστο όρισμα «%1»."_s.arg(a)) + u'\n' + usage()).toUtf8();
            return 2;
        } else {
            file = a;
        }
    }
    if (file.isEmpty() || seconds < 0) {
        err += (fail(file.isEmpty() ? u"Λείπει το έργο."_s : u"Λείπει το --seconds."_s) + u'\n' + usage()).toUtf8();
        return 2;
    }
    if (!QFileInfo(file).isFile()) {
        err += fail(u"Δεν υπάρχει το έργο «%1»."_s.arg(file)).toUtf8();
        return 2;
    }

    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project(&measurer, &log, &prompt);
    const ProjectFiles::LoadResult loaded = ProjectFiles::loadProject(project, file);
    if (!loaded.ok) {
        err += fail(u"Το έργο «%1» δεν διαβάζεται: %2"_s.arg(file, loaded.error)).toUtf8();
        return 2;
    }

    Simulation sim(SimSetup::fromProject(project));
    // Levels before the program starts count as the level at its start; after it,
    // every change in turn.
    std::map<int, int> before;
    QByteArray changes;
    sim.setPinListener([&](const Simulation::PinChange &c) {
        if (c.kind != SimBoard::PinKind::Level)
            return;
        if (c.ms <= 0) {
            before[c.pin] = c.value;
            return;
        }
        if (!before.empty()) {
            for (const auto &[pin, level] : before)
                if (level)
                    changes += "0.000 " + QByteArray::number(pin) + " 1\n";
            before.clear();
        }
        changes += QByteArray::number(c.ms, 'f', 3) + ' ' + QByteArray::number(c.pin) + ' '
                   + QByteArray::number(c.value) + '\n';
    });
    // The inputs are set before the start: the devices answer with them from the
    // first reading.
    for (const Setting &s : settings) {
        if (const QString why = apply(sim, project, s); !why.isEmpty()) {
            err += fail(why).toUtf8();
            return 2;
        }
    }
    QString error;
    if (!sim.start(findFirmware(firmware, firmwareFolders), &error)) {
        err += fail(error).toUtf8();
        return 1;
    }
    const bool ran = sim.advance(seconds * 1000.0);
    for (const auto &[pin, level] : before)
        if (level)
            changes += "0.000 " + QByteArray::number(pin) + " 1\n";
    if (pinsFile.isEmpty()) {
        out += changes;
    } else {
        QFile f(pinsFile);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(changes) != changes.size()) {
            err += fail(u"Δεν γράφεται το αρχείο «%1»."_s.arg(pinsFile)).toUtf8();
            return 2;
        }
    }
    if (!ran) {
        err += fail(u"Ο προσομοιωμένος μικροελεγκτής σταμάτησε στα %1 ms του προγράμματος."_s.arg(
                        qRound(sim.programMs())))
                   .toUtf8();
        return 1;
    }
    return 0;
}

} // namespace SimCommand
