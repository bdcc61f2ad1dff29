#include "shell/WindowGeometry.h"

#include "shell/IntSettings.h"

#include <optional>

namespace {

// Clears the restoring mark on every way out of restore().
class RestoringMark {
public:
    explicit RestoringMark(bool &flag) : fFlag(flag) { fFlag = true; }
    ~RestoringMark() { fFlag = false; }

private:
    bool &fFlag;
};

} // namespace

bool WindowGeometry::restore(Target &target)
{
    RestoringMark mark(fRestoring);
    if (!fSettings.readInt(leftKey()))
        return false;

    const auto apply = [this](const QString &key, auto &&setter) {
        const std::optional<int> v = fSettings.readInt(key);
        if (v)
            setter(*v);
        return v.has_value();
    };
    if (!apply(leftKey(), [&](int v) { target.setLeft(v); })
        || !apply(topKey(), [&](int v) { target.setTop(v); })
        || !apply(widthKey(), [&](int v) { target.setWidth(v); })
        || !apply(heightKey(), [&](int v) { target.setHeight(v); }))
        return false;

    const std::optional<int> state = fSettings.readInt(stateKey());
    if (!state || *state < int(State::Normal) || *state > int(State::Maximised))
        return false;
    target.setState(State(*state));
    return true;
}

void WindowGeometry::save(const Bounds &bounds)
{
    if (fRestoring)
        return;
    fSettings.writeInt(leftKey(), bounds.left);
    fSettings.writeInt(topKey(), bounds.top);
    fSettings.writeInt(widthKey(), bounds.width);
    fSettings.writeInt(heightKey(), bounds.height);
    fSettings.writeInt(stateKey(), int(bounds.state));
}
