#pragma once

#include "devices/TDefDevForm.h"

class QListWidget;

// A set-up window whose parameter 2 is a kind of device chosen from a list, with a
// picture per kind. The kind only selects the picture; the sketch does not use it.
class TKindDevForm : public TDefDevForm {
    Q_OBJECT

public:
    TKindDevForm(int typeId, ActiveDevices &devices, int position, const QString &imagesDir,
                 QWidget *parent = nullptr);

    QListWidget *KindList() const { return m_list; }

protected:
    void paramsLoaded() override;

private:
    void kindChosen(int row);
    void kindChanged(int value);
    void selectKind(int kind);

    QListWidget *m_list = nullptr;
};
