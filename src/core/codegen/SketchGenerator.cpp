#include "codegen/SketchGenerator.h"

#include "blocks/TKeloBlock.h"
#include "blocks/Workspace.h"
#include "codegen/DeviceCode.h"
#include "codegen/WalkChain.h"
#include "devices/ActiveDevices.h"
#include "devices/DeviceTypes.h"
#include "util/DebugLog.h"
#include "util/UserPrompt.h"
#include "variables/GreekToLatin.h"
#include "variables/TArduVariables.h"

using namespace Qt::StringLiterals;

QString SketchGenerator::missingStartBlockMessage()
{
    return u"Δεν βρέθηκε το block \"Έναρξη Προγράμματος\" !!!"_s;
}

std::optional<QStringList> SketchGenerator::generate(Workspace &workspace, const ActiveDevices &devices,
                                                     const TArduVariables &variables, DebugLog *log,
                                                     UserPrompt *prompt, QStringList *lineBlocks)
{
    // Nothing advances the motor counter: every DC motor is initialised as motor 0.
    const int motors = 0;
    QStringList includes{u"#include \"Arduino.h\""_s};
    QStringList declarations, interrupts, vars;
    QStringList setup{u"void setup() {"_s};
    QStringList loop{u"void loop() {"_s};

    TKeloBlock *start = workspace.findStartBlock();
    if (!start) {
        if (prompt)
            prompt->showMessage(missingStartBlockMessage(), UserPrompt::Icon::Warning);
        return std::nullopt;
    }
    auto addDebug = [log](const QString &line) {
        if (log)
            log->AddDebug(line);
    };
    addDebug(u"Blocks:"_s + QString::number(start->getKeloBlockListSize()));

    for (int i = 0; i <= devices.LastDeviceIndex(); ++i) {
        const TActiveDevice &d = devices.device(i);
        const int code = DeviceTypes::valid(d.DeviceTypeID) ? DeviceTypes::at(d.DeviceTypeID).DeviceCmdId : -1;
        addDebug(QString(24, u'-'));
        addDebug(u"Setup Cmd:"_s + QString::number(code));
        addDebug(u"Device ID:"_s + QString::number(i));
        for (int k = 1; k <= 7; ++k)
            addDebug(u"Param "_s + QString::number(k) + u"  :"_s + QString::number(d.ActDevParams[std::size_t(k)]));
        addDebug(QString(24, u'-'));
        includes += DeviceCode::includeLines(code);
        declarations += DeviceCode::declarationLines(code, d);
        setup += DeviceCode::setupLines(code, d, motors);
        interrupts += DeviceCode::interruptLines(code, d);
    }

    for (int i = 0; i < variables.count(); ++i)
        vars.append(u"int "_s + GreekToLatin(variables.GetArduVar(i)->VarName) + u';');

    QList<const TKeloBlock *> origins;
    WalkChain(loop, start, 1, log, lineBlocks ? &origins : nullptr);

    includes.append(QString());
    declarations.append(u" "_s);
    setup << u"}"_s << QString();
    loop << u"}"_s << QString();
    vars.append(QString());

    QStringList sketch;
    sketch.reserve(includes.size() + declarations.size() + interrupts.size() + vars.size() + setup.size()
                   + loop.size());
    sketch << includes << declarations << interrupts << vars << setup << loop;
    if (lineBlocks) {
        lineBlocks->clear();
        // Everything before the walk, then "void loop() {", comes from no block.
        const qsizetype loopStart = sketch.size() - loop.size() + 1;
        for (qsizetype i = 0; i < sketch.size(); ++i) {
            const qsizetype walked = i - loopStart;
            const TKeloBlock *from = walked >= 0 && walked < origins.size() ? origins.at(walked) : nullptr;
            const qsizetype fileLines = sketch.at(i).count(u'\n') + 1;
            for (qsizetype k = 0; k < fileLines; ++k)
                lineBlocks->append(from ? from->Name() : QString());
        }
    }
    return sketch;
}

QString SketchGenerator::sketchText(const QStringList &lines)
{
    QString text;
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + 2;
    text.reserve(size);
    for (const QString &l : lines) {
        text += l;
        text += u"\r\n"_s;
    }
    return text;
}
