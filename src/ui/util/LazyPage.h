#pragma once

#include <QWidget>

#include <functional>

// A page of a tab widget that is built when it is first shown, or first asked for:
// pages the pupil may never open cost nothing at start-up. The page fills the holder
// edge to edge, so it looks and lays out as if it stood in the tab itself.
class LazyPage : public QWidget {
public:
    using Build = std::function<QWidget *(QWidget *parent)>;

    explicit LazyPage(Build build, QWidget *parent = nullptr);

    // The page, built now if it was not yet (null while it is being built).
    QWidget *page();
    // The page if it has been built, else null.
    QWidget *builtPage() const { return fPage; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    Build fBuild;
    QWidget *fPage = nullptr;
};
