#pragma once

#include <QString>

class IntSettings;

// The main window's position, size and state as kept in the per-user settings
// ("Left", "Top", "Width", "Height", "wstate"). Restoring applies the stored values
// one by one and stops at the first one missing; saving is suppressed while a
// restore runs, since applying a stored size resizes the window.
class WindowGeometry {
public:
    enum class State { Normal = 0, Minimised = 1, Maximised = 2 };
    struct Bounds {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        State state = State::Normal;
    };
    // What the window does with each value read back.
    class Target {
    public:
        virtual ~Target() = default;
        virtual void setLeft(int left) = 0;
        virtual void setTop(int top) = 0;
        virtual void setWidth(int width) = 0;
        virtual void setHeight(int height) = 0;
        virtual void setState(State state) = 0;
    };

    static constexpr int DefaultWidth = 1000;
    static constexpr int DefaultHeight = 750;

    static QString leftKey() { return QStringLiteral("Left"); }
    static QString topKey() { return QStringLiteral("Top"); }
    static QString widthKey() { return QStringLiteral("Width"); }
    static QString heightKey() { return QStringLiteral("Height"); }
    static QString stateKey() { return QStringLiteral("wstate"); }

    explicit WindowGeometry(IntSettings &settings) : fSettings(settings) {}

    // Applies left, top, width, height and state in this order. The first value that
    // is missing or unreadable (a state outside 0..2 included) ends it with false;
    // values applied before it stay applied. "Left" missing applies nothing.
    bool restore(Target &target);
    // Writes all five values, unless a restore is running.
    void save(const Bounds &bounds);
    bool restoring() const { return fRestoring; }

private:
    IntSettings &fSettings;
    bool fRestoring = false;
};
