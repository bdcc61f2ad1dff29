#pragma once

#include "project/ObjectTextValue.h"

#include <QList>
#include <QString>

struct ObjectTextProperty {
    QString name;  // may be dotted, e.g. Margins.Left
    ObjectTextValue value;
    int line = 0;  // line of the property name, 1-based

    // The line is where it was read, not part of the property.
    bool operator==(const ObjectTextProperty &o) const { return name == o.name && value == o.value; }
};

// One "item ... end" of a collection value; index is the optional "[n]".
struct ObjectTextCollectionItem {
    int index = -1;
    QList<ObjectTextProperty> properties;

    bool operator==(const ObjectTextCollectionItem &o) const
    {
        return index == o.index && properties == o.properties;
    }
};

// One "object NAME: CLASS ... end" description with its nested objects.
struct ObjectTextObject {
    QString keyword = QStringLiteral("object");  // object, inherited or inline, lower case
    QString name;                                  // empty when the header names only a class
    QString className;
    int index = -1;  // the optional "[n]" after the class name
    QList<ObjectTextProperty> properties;
    QList<ObjectTextObject> children;
    int line = 0;  // line of the header, 1-based

    // Lines are where it was read, not part of the object.
    bool operator==(const ObjectTextObject &o) const
    {
        return keyword == o.keyword && name == o.name && className == o.className && index == o.index
               && properties == o.properties && children == o.children;
    }

    // The first property of that name (case-insensitive), or nullptr.
    const ObjectTextProperty *property(const QString &propertyName) const
    {
        for (const ObjectTextProperty &p : properties)
            if (p.name.compare(propertyName, Qt::CaseInsensitive) == 0)
                return &p;
        return nullptr;
    }
};
