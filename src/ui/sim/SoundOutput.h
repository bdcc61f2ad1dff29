#pragma once

#include <QtGlobal>

// The computer's sound output, open for 16-bit mono samples. It lives in a module of
// its own (vimsel_sound, see ProgramModule), loaded with the first note a simulated
// buzzer plays: linked into the program, the sound libraries would add to every start.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    // The default output, opened at sampleRate with room for bufferMs of sound; null
    // when the computer has none, or the module cannot be loaded.
    static SoundOutput *open(int sampleRate, int bufferMs);

    // How many samples the output has room for now.
    virtual qsizetype room() const = 0;
    virtual void write(const qint16 *samples, qsizetype count) = 0;
    // Silence until resume(). An output that was written to is suspended, never
    // stopped and destroyed: Qt 6.4's PulseAudio output crashes then.
    virtual void suspend() = 0;
    virtual void resume() = 0;
    virtual bool suspended() const = 0;
};

// The module's one function: SoundOutput *vimselOpenSoundOutput(int sampleRate, int bufferMs).
using OpenSoundOutput = SoundOutput *(*)(int sampleRate, int bufferMs);
