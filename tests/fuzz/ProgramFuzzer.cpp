// libFuzzer target: any bytes as the program file of a project with a palette, two
// devices and two variables. Loading must not crash, hang or leak; every walk over
// what was loaded (the sketch, sizes, layout, saving, dragging, destruction) must end;
// and once saved and read again, the program must read back from its own text
// unchanged. (A file may set what the writer leaves out as a default, such as a
// margin of 3 on a value block whose own is 0: the first save need not be the last.)
#include "support/WalkEveryLink.h"

#include "devices/DeviceTypes.h"
#include "project/BlockReader.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <cstdint>
#include <cstdlib>

namespace {

class QuietPrompt : public UserPrompt {
public:
    void showMessage(const QString &, Icon) override {}
    Answer askOkCancel(const QString &, Icon) override { return Answer::Cancel; }
};

struct Session {
    Session()
    {
        project.buildPalette();
        for (Project *p : {&project, &reread}) {
            p->devices().AddDevice(DeviceTypes::Laser, &prompt);
            p->devices().AddDevice(DeviceTypes::UltraSonic, &prompt);
            p->variables().Newvar(QStringLiteral("x"));
            p->variables().Newvar(QStringLiteral("y"));
        }
    }
    FixedTextMeasurer measurer;
    NullDebugLog log;
    QuietPrompt prompt;
    Project project{&measurer, &log, &prompt};
    Project reread{&measurer, &log, &prompt};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Session s;
    BlockReader::LoadProgramText(s.project.workspace(), QByteArrayView(data, qsizetype(size)), &s.log);
    const QByteArray first = walkEveryLink(s.project);
    if (first.isEmpty())
        return 0;
    auto reread = [](const QByteArray &text) {
        if (!BlockReader::LoadProgramText(s.reread.workspace(), text, &s.log).ok)
            std::abort();
        return BlockWriter::writeProgram(s.reread.workspace());
    };
    const QByteArray second = reread(first);
    if (reread(second) != second)
        std::abort();
    s.reread.workspace().FreePlacedBlocks();
    return 0;
}
