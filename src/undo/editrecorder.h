#pragma once

#include <functional>

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <QString>

#include "undo/changeflagscommand.h"

class QUndoStack;

namespace dayloom {

class PageCommand;
class TCalendarPanel32;
class TGGraphicControl;

// Turns what the user does to the page into steps on an undo stack. Each
// command runs between a look at the page before and after; what differs
// becomes one step of the small commands of this folder, holding only what
// changed. The page knows nothing of it: changes go through its public
// operations, and its change notifications only tell the recorder whether a
// change came from a recorded command.
//
// Object edits may nest (a popup menu opened by a mouse press): an inner
// edit first closes what the outer one changed so far as a step of its own,
// and the outer one goes on from the state the inner one left.
class EditRecorder : public QObject {
    Q_OBJECT
public:
    EditRecorder(TCalendarPanel32* page, QUndoStack* stack, QObject* parent = nullptr);
    ~EditRecorder() override;

    QUndoStack* Stack() const { return m_stack; }
    // While a step is recorded or the stack takes one back or makes it again.
    bool Busy() const { return m_applying || !m_frames.isEmpty(); }

    // ---- object edits ------------------------------------------------------
    struct ObjectEdit {
        // The step's name; empty: named after what changed ("Move", "Resize",
        // "Place Label", "Delete"...).
        QString Text;
        // Objects the command may change or remove besides the selection.
        QList<TGGraphicControl*> Targets;
        // The command changes the targets' other properties (a dialog, a
        // toggle, a font): they are compared as records.
        bool Content = false;
        // An arrow-key move: merges with the keyboard move before it.
        bool Keyboard = false;
        // False for input that only moves outlines around (a mouse move):
        // no records are kept, and taking an object off the page then
        // cannot be undone (the history goes).
        bool Records = true;
    };
    void BeginObjects(const ObjectEdit& edit);
    void EndObjects();
    // Begin, the action, End (also when the action throws).
    void RecordObjects(const ObjectEdit& edit, const std::function<void()>& action);

    // ---- cells and page settings -------------------------------------------
    // The cell editor committed a cell.
    void RecordCellText(int cell, const QByteArray& before, const QByteArray& after);
    // An action that may write any day cells.
    void RecordCells(const QString& text, const std::function<void()>& action);
    // An action that may change the page settings and empty day cells.
    void RecordSettings(const QString& text, const std::function<void()>& action);
    void RecordUserTitle(const QString& before, const QString& after);

    // ---- the stack -----------------------------------------------------------
    void Undo();
    void Redo();

    // The name a placed object's step gets: "Place " + its kind.
    static QString KindName(const TGGraphicControl* object);

Q_SIGNALS:
    // A change reached the page outside any recorded command: the steps
    // before it no longer fit the page and are gone, and the document can
    // no longer be undone back to its saved state.
    void HistoryLost();

private:
    struct Entry {
        QPointer<TGGraphicControl> Object;
        const TGGraphicControl* Key = nullptr;
        QRect Bounds;
        ChangeFlagsCommand::Flags Flags;
    };
    struct Frame {
        ObjectEdit Edit;
        QList<Entry> Before;
        QList<int> Selection;
        QHash<const TGGraphicControl*, QByteArray> Records;
        QSet<const QObject*> Reported;
    };
    void look(Frame& frame);
    void commit(Frame& frame);
    void push(PageCommand* command);
    void changeReported(QObject* sender);
    void lose();

    TCalendarPanel32* m_page;
    QUndoStack* m_stack;
    QList<Frame> m_frames;
    bool m_applying = false;
};

}  // namespace dayloom
