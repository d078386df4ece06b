#pragma once
// A named persistent with an owner. The owner frees the components it owns and answers name
// look-ups; calendar pages, day cells and page objects are components. Widget-based components
// are also parented in Qt's sense; whichever of owner and parent goes first, each component is
// freed exactly once (a freed component leaves its owner's list).

#include "stream/Persistent.h"

#include <QHash>
#include <QList>

enum TComponentStateFlag {
    csLoading = 0x1, // being read; cleared by Loaded
    csReading = 0x2, // its properties are being read
};

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    QString Name() const { return m_Name; }
    virtual void SetName(const QString& name);

    TComponent* Owner() const { return m_Owner; }
    const QList<TComponent*>& Components() const { return m_Components; }
    // The owned component of that name, compared ignoring case; null when none.
    TComponent* FindComponent(const QString& name) const;

    int ComponentState() const { return m_State; }
    bool IsLoading() const { return m_State & csLoading; }
    bool IsReading() const { return m_State & csReading; }
    void SetComponentState(int state) { m_State = state; }

    // Called once the object and its children have been read; the base clears csLoading.
    virtual void Loaded();

    // Places a component created by the reader into `parent` (controls become its children).
    virtual void SetParentComponent(TComponent* parent);

    // Children written as child records after this component's properties; none by default.
    virtual QList<TComponent*> ChildComponents() const;

    // The handler this component publishes under `name`, for event properties read from a
    // stream; empty when it has none.
    virtual TNotifyEvent MethodAddress(const QString& name);

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void IndexName(TComponent* component);
    void UnindexName(TComponent* component);

    QString m_Name;
    TComponent* m_Owner = nullptr;
    QList<TComponent*> m_Components;
    // The named owned components by case-folded name, so that look-ups stay fast on a page of
    // thousands of objects; of equal names the first in the list answers.
    QMultiHash<QString, TComponent*> m_ComponentsByName;
    int m_State = 0;
};
