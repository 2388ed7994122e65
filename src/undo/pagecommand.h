#pragma once

#include <optional>

#include <QList>
#include <QUndoCommand>

namespace dayloom {

class TGBasePanel;

// Base of every edit step. A step is recorded after the change was made, so
// the redo that pushing runs leaves the page as it is; later redos make the
// change again. Undo and redo put back the selection the step found and
// left (objects by their places), when it was given.
class PageCommand : public QUndoCommand {
public:
    PageCommand(TGBasePanel* page, const QString& text, QUndoCommand* parent = nullptr);

    void SetSelections(const QList<int>& before, const QList<int>& after);
    bool HasSelections() const { return m_before.has_value(); }
    const QList<int>& SelectionAfter() const { return *m_after; }

    void undo() override;
    void redo() override;

protected:
    // Makes the change (forward) or takes it back.
    virtual void Apply(bool forward) { Q_UNUSED(forward); }
    TGBasePanel* Page() const { return m_page; }
    void SetSelectionAfter(const QList<int>& after) { m_after = after; }

private:
    TGBasePanel* m_page;
    bool m_made = true;
    std::optional<QList<int>> m_before;
    std::optional<QList<int>> m_after;
};

}  // namespace dayloom
