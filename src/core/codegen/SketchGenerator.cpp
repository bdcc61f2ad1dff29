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
                                                     UserPrompt *prompt, SketchLineMap *lineMap)
{
    // Nothing advances the motor counter: every DC motor is initialised as motor 0.
    const int motors = 0;
    QStringList includes{u"#include \"Arduino.h\""_s};
    QStringList declarations, interrupts, vars;
    QStringList setup{u"void setup() {"_s};
    QStringList loop{u"void loop() {"_s};

    if (lineMap)
        lineMap->clear();
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
    if (log)  // counting walks the whole chain
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
    WalkChain(loop, start, 1, log, lineMap ? &origins : nullptr);

    includes.append(QString());
    declarations.append(u" "_s);
    setup << u"}"_s << QString();
    loop << u"}"_s << QString();
    vars.append(QString());

    QStringList sketch;
    sketch.reserve(includes.size() + declarations.size() + interrupts.size() + vars.size() + setup.size()
                   + loop.size());
    sketch << includes << declarations << interrupts << vars << setup << loop;
    if (lineMap) {
        SketchLineMapBuilder map(*lineMap);
        // Everything before the walk, then "void loop() {", comes from no block.
        const qsizetype loopHeader = sketch.size() - loop.size();
        int loopFirstLine = 0;
        for (qsizetype i = 0; i < sketch.size(); ++i) {
            if (i == loopHeader)
                loopFirstLine = lineMap->lineCount();
            const qsizetype walked = i - loopHeader - 1;
            map.addEntry(sketch.at(i), walked >= 0 && walked < origins.size() ? origins.at(walked) : nullptr);
        }
        // loop() ends with its brace, before the last, empty line.
        map.setLoop(start, loopFirstLine, lineMap->lineCount() - 2);
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

QStringList SketchGenerator::fileLines(const QStringList &lines)
{
    QStringList out;
    out.reserve(lines.size());
    for (const QString &l : lines) {
        if (!l.contains(u'\n')) {
            out.append(l);
            continue;
        }
        QString text = l;
        text.replace(u"\r\n"_s, u"\n"_s);
        out.append(text.split(u'\n'));
    }
    return out;
}
