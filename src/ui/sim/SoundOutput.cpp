#include "sim/SoundOutput.h"

#include "util/ProgramModule.h"

using namespace Qt::StringLiterals;

SoundOutput *SoundOutput::open(int sampleRate, int bufferMs)
{
    const auto openOutput =
        reinterpret_cast<OpenSoundOutput>(ProgramModule::resolve(u"vimsel_sound"_s, "vimselOpenSoundOutput"));
    return openOutput ? openOutput(sampleRate, bufferMs) : nullptr;
}
