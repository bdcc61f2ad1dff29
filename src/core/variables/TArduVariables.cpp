#include "variables/TArduVariables.h"

#include "variables/GreekToLatin.h"

#include <algorithm>
#include <climits>

using namespace Qt::StringLiterals;

TArduVariables::~TArduVariables() = default;

TArduVar *TArduVariables::GetArduVar(int idx) const
{
    if (idx < 0 || idx >= count())
        return nullptr;
    return m_list[size_t(idx)].var.get();
}

TArduVar *TArduVariables::Newvar(const QString &name)
{
    auto owned = std::make_unique<TArduVar>();
    TArduVar *var = owned.get();
    var->VarName = name;
    var->VarID = NextVarID();
    const Ref ref{m_nextSeq++, var};
    m_list.push_back(Entry{ref.seq, std::move(owned)});
    m_byName[nameKey(name)].append(ref);
    m_byId[var->VarID].append(ref);
    m_maxId = count() == 1 ? var->VarID : std::max(m_maxId, var->VarID);
    notify();
    return var;
}

int TArduVariables::NextVarID() const
{
    if (m_list.empty())
        return 1;
    if (m_maxId < INT_MAX)
        return m_maxId + 1;
    // Ends within count() + 1 steps: count() ids cannot fill more places.
    int id = 1;
    while (m_byId.contains(id))
        ++id;
    return id;
}

void TArduVariables::DeleteVar(const QString &name)
{
    if (removeFirst(name))
        recomputeMaxId();
    notify();
}

void TArduVariables::DeleteVars(const QStringList &names)
{
    bool maxIdGone = false;
    for (const QString &name : names)
        maxIdGone = removeFirst(name) || maxIdGone;
    if (maxIdGone)
        recomputeMaxId();
    notify();
}

bool TArduVariables::removeFirst(const QString &name)
{
    const auto it = m_byName.find(nameKey(name));
    if (it != m_byName.end()) {
        const Ref ref = it->takeFirst();
        if (it->isEmpty())
            m_byName.erase(it);
        const int id = ref.var->VarID;
        takeFrom(m_byId, id, ref.var);
        const auto pos = std::lower_bound(m_list.begin(), m_list.end(), ref.seq,
                                          [](const Entry &e, quint64 seq) { return e.seq < seq; });
        Q_ASSERT(pos != m_list.end() && pos->var.get() == ref.var);
        m_list.erase(pos);
        return id == m_maxId && !m_byId.contains(id);
    }
    return false;
}

void TArduVariables::EmptyVars()
{
    while (!m_list.empty())
        m_list.pop_back();
    m_byName.clear();
    m_byId.clear();
    m_maxId = 0;
    notify();
}

void TArduVariables::setVarID(TArduVar *var, int id)
{
    const int old = var->VarID;
    if (old == id)
        return;
    const quint64 seq = takeFrom(m_byId, old, var);
    var->VarID = id;
    if (seq == ~quint64(0))
        return;  // not a variable of this table: nothing indexed
    insertOrdered(m_byId[id], Ref{seq, var});
    if (id > m_maxId)
        m_maxId = id;
    else if (old == m_maxId && !m_byId.contains(old))
        recomputeMaxId();
}

TArduVar *TArduVariables::GetVarByID(int id) const
{
    const auto it = m_byId.constFind(id);
    if (it == m_byId.cend())
        return nullptr;
    TArduVar *var = it->first().var;
    Q_ASSERT_X(var->VarID == id, "GetVarByID", "VarID changed without setVarID");
    return var;
}

TArduVar *TArduVariables::GetVarByName(const QString &name) const
{
    const auto it = m_byName.constFind(nameKey(name));
    if (it == m_byName.cend())
        return nullptr;
    TArduVar *var = it->first().var;
    Q_ASSERT_X(SameVarName(var->VarName, name), "GetVarByName", "VarName changed in the table");
    return var;
}

QString TArduVariables::GetRealVarName(const QString &name) const
{
    return GetVarByName(name) ? GreekToLatin(name) : u"NoVAR"_s;
}

bool TArduVariables::SameVarName(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x += u'a' - u'A';
        if (y >= u'A' && y <= u'Z')
            y += u'a' - u'A';
        if (x != y)
            return false;
    }
    return true;
}

int TArduVariables::addChangeListener(std::function<void()> listener)
{
    const int handle = m_nextHandle++;
    m_listeners.emplace_back(handle, std::move(listener));
    return handle;
}

void TArduVariables::removeChangeListener(int handle)
{
    std::erase_if(m_listeners, [handle](const auto &l) { return l.first == handle; });
}

QString TArduVariables::nameKey(const QString &name)
{
    // Only A–Z fold, so that the key agrees with SameVarName: QString::toLower would
    // also fold Greek capitals.
    QString key = name;
    for (QChar &c : key) {
        if (c.unicode() >= u'A' && c.unicode() <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return key;
}

void TArduVariables::insertOrdered(Bucket &bucket, Ref ref)
{
    const auto pos = std::lower_bound(bucket.begin(), bucket.end(), ref.seq,
                                      [](const Ref &r, quint64 seq) { return r.seq < seq; });
    bucket.insert(pos, ref);
}

quint64 TArduVariables::takeFrom(QHash<int, Bucket> &index, int key, const TArduVar *var)
{
    const auto it = index.find(key);
    if (it == index.end())
        return ~quint64(0);
    quint64 seq = ~quint64(0);
    for (qsizetype i = 0; i < it->size(); ++i) {
        if (it->at(i).var == var) {
            seq = it->at(i).seq;
            it->removeAt(i);
            break;
        }
    }
    if (it->isEmpty())
        index.erase(it);
    return seq;
}

void TArduVariables::recomputeMaxId()
{
    m_maxId = m_byId.isEmpty() ? 0 : *std::max_element(m_byId.keyBegin(), m_byId.keyEnd());
}

void TArduVariables::notify()
{
    // A listener may add or remove listeners: walk a copy, and skip one that an
    // earlier listener removed, whose owner may be gone.
    const auto snapshot = m_listeners;
    for (const auto &[handle, listener] : snapshot) {
        const bool stillThere = std::any_of(m_listeners.begin(), m_listeners.end(),
                                            [h = handle](const auto &l) { return l.first == h; });
        if (stillThere)
            listener();
    }
}
