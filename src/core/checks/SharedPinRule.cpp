#include "checks/SharedPinRule.h"

#include "checks/CheckContext.h"
#include "checks/GreekList.h"

using namespace Qt::StringLiterals;

namespace {

// Whether a pin block may do this with a device's pin.
bool fits(const PinUse &use, const DevicePin &device)
{
    switch (device.role) {
    case DevicePin::Role::Output:
        return use.action != PinUse::Action::ConfigureInput;  // reading it back is the read rule's concern
    case DevicePin::Role::Input:
    case DevicePin::Role::AnalogueInput:
        return use.reads();
    default:
        return false;
    }
}

} // namespace

void SharedPinRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    checkDevices(project, findings);
    checkBlocks(project, findings);
}

void SharedPinRule::checkDevices(const CheckContext &project, QList<Finding> &findings)
{
    QSet<int> told;
    for (const DevicePin &first : project.devicePins()) {
        if (told.contains(first.pin))
            continue;
        const QList<DevicePin> on = project.devicePinsOn(first.pin);
        if (on.size() < 2)
            continue;
        told.insert(first.pin);
        QStringList names;
        for (const DevicePin &d : on)
            if (!names.contains(d.deviceName))
                names.append(d.deviceName);
        const QString pin = project.board().pinName(first.pin);
        QString text;
        if (names.size() == 1) {
            text = u"Η συσκευή %1 έχει %2. Κάθε σύνδεση χρειάζεται δικό της pin: άλλαξέ τα στη σελίδα της "
                   u"συσκευής."_s.arg(names[0], DevicePin::where(on, project.board()));
        } else {
            text = u"Οι συσκευές %1 είναι %2 στο pin %3. Κάθε συσκευή χρειάζεται δικό της pin: άλλαξε το pin "
                   u"στη σελίδα της μιας."_s.arg(GreekList::join(names),
                                                  names.size() == 2 ? u"και οι δύο"_s : u"όλες"_s, pin);
        }
        // The device added last is the one most likely set up by mistake.
        findings.append(Finding::aboutDevice(Finding::Severity::Warning, u"pin-shared-devices"_s, names.last(), text));
    }
}

void SharedPinRule::checkBlocks(const CheckContext &project, QList<Finding> &findings)
{
    QSet<int> told;
    for (const PinUse &use : project.pinUses()) {
        if (told.contains(use.pin))
            continue;
        for (const DevicePin &d : project.devicePinsOn(use.pin)) {
            if (fits(use, d))
                continue;
            told.insert(use.pin);
            const QString pin = project.board().pinName(use.pin);
            const QString text =
                use.action == PinUse::Action::Read
                    ? u"Το pin %1 το χρησιμοποιεί η συσκευή %2 (%3), οπότε αυτός ο έλεγχος δεν διαβάζει κάποιον "
                      u"διακόπτη ή αισθητήρα. Χρησιμοποίησε τα blocks της συσκευής ή ένα άλλο pin."_s.arg(
                          pin, d.deviceName, d.label)
                    : u"Το pin %1 το χρησιμοποιεί η συσκευή %2 (%3). Αν το αλλάζει και αυτό το block, η συσκευή δεν "
                      u"θα δουλεύει σωστά. Χρησιμοποίησε τα blocks της συσκευής ή ένα άλλο pin."_s.arg(
                          pin, d.deviceName, d.label);
            findings.append(Finding::aboutBlock(Finding::Severity::Warning, u"pin-used-by-device"_s, use.block, text));
            break;
        }
    }
}
