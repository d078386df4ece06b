#include "app/PageStep.h"

namespace {

// The one id of steps that may merge; mergeWith tells runs apart by their keys.
constexpr int MergeableStepId = 1;

} // namespace

TPageStep::TPageStep(const QString& name, TPageSnapshot before, TPageSnapshot after, const QString& mergeKey,
                     TRestore restore)
    : QUndoCommand(name)
    , m_Before(std::move(before))
    , m_After(std::move(after))
    , m_MergeKey(mergeKey)
    , m_Restore(std::move(restore))
{
}

void TPageStep::undo()
{
    m_Restore(m_Before);
    m_Done = false;
}

void TPageStep::redo()
{
    if (!m_Done)
        m_Restore(m_After);
    m_Done = true;
}

int TPageStep::id() const
{
    return m_MergeKey.isEmpty() ? -1 : MergeableStepId;
}

bool TPageStep::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const TPageStep*>(other);
    if (next->m_MergeKey != m_MergeKey)
        return false;
    m_After = next->m_After;
    return true;
}
