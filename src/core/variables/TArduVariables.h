#pragma once

#include "variables/TArduVar.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// The project's variable table: an ordered list in creation order that owns its
// variables. Duplicate and empty names are accepted. Look-ups by name ignore the case
// of a–z only (Count, count and COUNT are one name; Αλφα and αλφα are two), and the
// first match in list order wins, for names and for ids alike.
//
// Look-ups by id and by name are hash look-ups, since sketch generation makes one per
// block. The indexes follow the list; that is why a variable's id changes only through
// setVarID and its name never changes while it is in the table.
class TArduVariables {
public:
    TArduVariables() = default;
    ~TArduVariables();
    TArduVariables(const TArduVariables &) = delete;
    TArduVariables &operator=(const TArduVariables &) = delete;

    int count() const { return int(m_list.size()); }
    // The variable at position idx, or nullptr outside 0 .. count() - 1.
    TArduVar *GetArduVar(int idx) const;

    // Appends a variable with id NextVarID() and an empty value, notifies, returns it.
    TArduVar *Newvar(const QString &name);
    // 1 + the highest id in the table; 1 when empty. Should the highest id be
    // INT_MAX, there is no higher one: the smallest positive id not in use is given.
    int NextVarID() const;
    // Removes and destroys the first variable of that name, if any; notifies always.
    void DeleteVar(const QString &name);
    // DeleteVar for each name in turn, with one notification at the end.
    void DeleteVars(const QStringList &names);
    // Removes and destroys every variable, last to first; notifies.
    void EmptyVars();
    // Gives a variable of this table another id (the variables file keeps its ids).
    void setVarID(TArduVar *var, int id);

    TArduVar *GetVarByID(int id) const;
    TArduVar *GetVarByName(const QString &name) const;
    // GreekToLatin of the name passed (not of the stored one, which may differ in the
    // case of a–z) when a variable of that name exists, otherwise "NoVAR".
    QString GetRealVarName(const QString &name) const;

    // The comparison every look-up by variable name uses: a–z/A–Z are one, all other
    // characters, Greek included, must be equal.
    static bool SameVarName(const QString &a, const QString &b);

    // Called synchronously after every Newvar, DeleteVar and EmptyVars, so the
    // variable lists of the blocks are up to date when those return. The handle
    // removes the listener again.
    int addChangeListener(std::function<void()> listener);
    void removeChangeListener(int handle);

private:
    // A variable in an index bucket, with its creation number: buckets are kept in
    // list order, which is creation order, since variables are only ever appended.
    struct Ref {
        quint64 seq;
        TArduVar *var;
    };
    using Bucket = QList<Ref>;
    struct Entry {
        quint64 seq;
        std::unique_ptr<TArduVar> var;
    };

    static QString nameKey(const QString &name);
    static void insertOrdered(Bucket &bucket, Ref ref);
    static quint64 takeFrom(QHash<int, Bucket> &index, int key, const TArduVar *var);
    void recomputeMaxId();
    // Removes the first variable of that name; whether the highest id went with it.
    bool removeFirst(const QString &name);
    void notify();

    std::vector<Entry> m_list;
    QHash<QString, Bucket> m_byName;  // key: nameKey(VarName)
    QHash<int, Bucket> m_byId;
    int m_maxId = 0;                  // meaningful only when the list is not empty
    quint64 m_nextSeq = 0;

    std::vector<std::pair<int, std::function<void()>>> m_listeners;
    int m_nextHandle = 1;
};
