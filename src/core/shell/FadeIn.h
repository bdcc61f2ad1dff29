#pragma once

// The about box's fade-in: every tick of a 100 ms timer sets the opacity to a
// counter that grows by 20, until the counter passes 255; the last tick makes the
// window fully opaque. The window shows 0, 20, …, 240 and then 255, on the
// thirteenth tick, about 1.3 s after it appeared.
class FadeIn {
public:
    static constexpr int IntervalMs = 100;
    static constexpr int Step = 20;
    static constexpr int Opaque = 255;

    struct Tick {
        int opacity;  // 0 (transparent) to 255 (opaque)
        bool again;   // whether the timer runs on
    };

    // Every showing starts from the beginning.
    void start() { fCounter = 0; }
    int initialOpacity() const { return 0; }
    Tick tick()
    {
        const int opacity = fCounter;
        fCounter += Step;
        if (fCounter < Opaque)
            return {opacity, true};
        return {Opaque, false};
    }

private:
    int fCounter = 0;
};
