#pragma once

// The about box's fade-in: every tick of a 100 ms timer sets the opacity to a
// counter that then grows by 20; once the counter reaches 255 the timer stops and
// the window becomes fully opaque. The ticks set 0, 20, …, 240, and the thirteenth,
// the one that sets 240, also makes the window opaque, about 1.3 s after it appeared.
class FadeIn {
public:
    static constexpr int IntervalMs = 100;
    static constexpr int Step = 20;
    static constexpr int Opaque = 255;

    struct Tick {
        int opacity;  // 0 (transparent) to 255 (opaque)
        bool again;   // whether the timer runs on; if not, the window becomes Opaque
    };

    // Every showing starts from the beginning.
    void start() { fCounter = 0; }
    int initialOpacity() const { return 0; }
    Tick tick()
    {
        const int opacity = fCounter;
        fCounter += Step;
        return {opacity, fCounter < Opaque};
    }

private:
    int fCounter = 0;
};
