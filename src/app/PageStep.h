#pragma once
// One step of a calendar's undo history: the page as it stood before a change and after it,
// both as snapshots. Undo brings the document's page back to the first, redo to the second.
// Steps that carry the same non-empty merge key one after the other (a run of nudges of one
// selection) become one step.

#include "calendar/PageSnapshot.h"

#include <QUndoCommand>

#include <functional>

class TPageStep : public QUndoCommand {
public:
    // Brings the page to a snapshot.
    using TRestore = std::function<void(const TPageSnapshot& target)>;

    // The change is already made: the first redo, which QUndoStack::push runs, does nothing.
    TPageStep(const QString& name, TPageSnapshot before, TPageSnapshot after, const QString& mergeKey,
              TRestore restore);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    TPageSnapshot m_Before;
    TPageSnapshot m_After;
    QString m_MergeKey;
    TRestore m_Restore;
    bool m_Done = true; // the change stands as the step was recorded
};
