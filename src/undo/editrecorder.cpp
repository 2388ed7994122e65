#include "undo/editrecorder.h"

#include <utility>

#include <QUndoStack>

#include "objects/tggraphiccontrol.h"
#include "objects/tghandle.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "undo/addobjectscommand.h"
#include "undo/cellscommand.h"
#include "undo/celltextcommand.h"
#include "undo/changeboundscommand.h"
#include "undo/changeobjectcommand.h"
#include "undo/changeordercommand.h"
#include "undo/objectrecords.h"
#include "undo/pagesettingscommand.h"
#include "undo/removeobjectscommand.h"
#include "undo/usertitlecommand.h"

namespace dayloom {

namespace {

ChangeFlagsCommand::Flags flagsOf(const TGGraphicControl* o)
{
    return {o->Locked(), o->Unselectable()};
}

struct Applying {
    bool& flag;
    bool old;
    explicit Applying(bool& f) : flag(f), old(std::exchange(f, true)) {}
    ~Applying() { flag = old; }
};

}  // namespace

EditRecorder::EditRecorder(TCalendarPanel32* page, QUndoStack* stack, QObject* parent)
    : QObject(parent), m_page(page), m_stack(stack)
{
    connect(page, &TGBasePanel::LabelChangedEvent, this, &EditRecorder::changeReported);
}

EditRecorder::~EditRecorder() = default;

QString EditRecorder::KindName(const TGGraphicControl* object)
{
    const QString cls = QString::fromLatin1(object->metaObject()->className()).section(QLatin1String("::"), -1);
    if (cls == QLatin1String("TGPLabel"))
        return QStringLiteral("Label");
    if (cls == QLatin1String("TGImage"))
        return QStringLiteral("Clip Art");
    if (cls == QLatin1String("TGPRichBaseLabel"))
        return QStringLiteral("Rich Text");
    if (cls == QLatin1String("TGSuperText"))
        return QStringLiteral("SuperText");
    if (cls == QLatin1String("TGFlatCalendar"))
        return QStringLiteral("Floating Calendar");
    return QStringLiteral("Object");
}

// ---- object edits ---------------------------------------------------------------

void EditRecorder::look(Frame& frame)
{
    frame.Before.clear();
    frame.Records.clear();
    frame.Reported.clear();
    const QList<TGGraphicControl*>& objects = m_page->Objects();
    frame.Before.reserve(objects.size());
    for (TGGraphicControl* o : objects)
        frame.Before.append({o, o, o->Bounds(), flagsOf(o)});
    frame.Selection = ObjectRecords::Selection(*m_page);
    // What the command may take off the page or change is kept as records:
    // the selection and the objects it names.
    if (!frame.Edit.Records)
        return;
    QList<TGGraphicControl*> targets = m_page->Handle()->Selection();
    for (TGGraphicControl* o : frame.Edit.Targets)
        if (o && !targets.contains(o))
            targets << o;
    for (TGGraphicControl* o : targets)
        if (objects.contains(o))
            frame.Records.insert(o, ObjectRecords::Write(*m_page, o));
}

void EditRecorder::BeginObjects(const ObjectEdit& edit)
{
    if (!m_frames.isEmpty())
        commit(m_frames.last());
    Frame frame;
    frame.Edit = edit;
    look(frame);
    m_frames.append(std::move(frame));
}

void EditRecorder::EndObjects()
{
    if (m_frames.isEmpty())
        return;
    Frame frame = m_frames.takeLast();
    commit(frame);
    // The outer edit goes on from here.
    if (!m_frames.isEmpty()) {
        Frame& outer = m_frames.last();
        QList<TGGraphicControl*> alive;
        for (TGGraphicControl* o : outer.Edit.Targets)
            if (m_page->Objects().contains(o))
                alive << o;
        outer.Edit.Targets = alive;
        look(outer);
    }
}

void EditRecorder::RecordObjects(const ObjectEdit& edit, const std::function<void()>& action)
{
    BeginObjects(edit);
    try {
        action();
    } catch (...) {
        EndObjects();
        throw;
    }
    EndObjects();
}

void EditRecorder::commit(Frame& frame)
{
    const QList<TGGraphicControl*> now = m_page->Objects();
    QHash<const TGGraphicControl*, int> placeNow;
    for (int i = 0; i < now.size(); ++i)
        placeNow.insert(now[i], i);

    // Survivors, removed and added objects.
    QList<RemoveObjectsCommand::Entry> removed;
    QList<const Entry*> survivorsBefore;
    QSet<const TGGraphicControl*> survived;
    bool unrecordable = false;
    for (int i = 0; i < frame.Before.size(); ++i) {
        const Entry& e = frame.Before[i];
        TGGraphicControl* o = e.Object.data();
        if (o && placeNow.contains(o)) {
            survivorsBefore << &e;
            survived.insert(o);
            continue;
        }
        const auto record = frame.Records.constFind(e.Key);
        if (record == frame.Records.constEnd())
            unrecordable = true;
        else
            removed.append({i, *record});
    }
    QList<TGGraphicControl*> survivorsAfter;
    QList<AddObjectsCommand::Entry> added;
    for (int i = 0; i < now.size(); ++i) {
        if (survived.contains(now[i]))
            survivorsAfter << now[i];
        else
            added.append({i, ObjectRecords::Write(*m_page, now[i])});
    }

    // Layering of the survivors.
    QHash<const TGGraphicControl*, int> placeBefore;
    for (int i = 0; i < survivorsBefore.size(); ++i)
        placeBefore.insert(survivorsBefore[i]->Key, i);
    QList<int> order;
    bool reordered = false;
    for (int i = 0; i < survivorsAfter.size(); ++i) {
        order << placeBefore.value(survivorsAfter[i]);
        reordered = reordered || order.last() != i;
    }

    // Bounds, flags and records of the survivors, at their places among
    // the survivors in the new order.
    QList<ChangeBoundsCommand::Entry> bounds;
    QList<ChangeFlagsCommand::Entry> flags;
    QList<ChangeObjectCommand::Entry> objects;
    bool resized = false;
    for (int j = 0; j < survivorsAfter.size(); ++j) {
        TGGraphicControl* o = survivorsAfter[j];
        const Entry& e = *survivorsBefore[order[j]];
        const bool boundsChanged = o->Bounds() != e.Bounds;
        const bool flagsChanged = !(flagsOf(o) == e.Flags);
        const bool reported = frame.Reported.contains(o);
        const auto record = frame.Records.constFind(e.Key);
        const bool target = record != frame.Records.constEnd();
        if (target && (frame.Edit.Content || (reported && !boundsChanged && !flagsChanged))) {
            const QByteArray after = ObjectRecords::Write(*m_page, o);
            if (after != *record)
                objects.append({j, *record, after});
            continue;
        }
        if (boundsChanged) {
            bounds.append({j, e.Bounds, o->Bounds()});
            resized = resized || o->Bounds().size() != e.Bounds.size();
        }
        if (flagsChanged)
            flags.append({j, e.Flags, flagsOf(o)});
        // A change the object reported that none of the above explains.
        if (reported && !target && !boundsChanged && !flagsChanged && !reordered)
            unrecordable = true;
    }

    if (unrecordable) {
        lose();
        return;
    }
    const int parts = int(!removed.isEmpty()) + int(reordered) + int(!bounds.isEmpty()) +
                      int(!flags.isEmpty()) + int(!objects.isEmpty()) + int(!added.isEmpty());
    if (parts == 0)
        return;

    QString text = frame.Edit.Text;
    if (text.isEmpty()) {
        if (!added.isEmpty())
            text = QStringLiteral("Place ") + KindName(now[added.first().Place]);
        else if (!removed.isEmpty())
            text = QStringLiteral("Delete");
        else if (!objects.isEmpty())
            text = QStringLiteral("Edit ") + KindName(survivorsAfter[objects.first().Place]);
        else if (!bounds.isEmpty())
            text = resized ? QStringLiteral("Resize") : QStringLiteral("Move");
        else if (!flags.isEmpty())
            text = QStringLiteral("Lock");
        else
            text = QStringLiteral("Layer Order");
    }

    // One part is the step itself; several are parts of one step, made in
    // this order and taken back in the reverse one.
    PageCommand* step = nullptr;
    QUndoCommand* parent = nullptr;
    if (parts > 1) {
        step = new PageCommand(m_page, text);
        parent = step;
    }
    auto part = [&](PageCommand* c) {
        if (!step)
            step = c;
    };
    if (!removed.isEmpty())
        part(new RemoveObjectsCommand(m_page, text, removed, parent));
    if (reordered)
        part(new ChangeOrderCommand(m_page, text, order, parent));
    if (!bounds.isEmpty())
        part(new ChangeBoundsCommand(m_page, text, bounds, frame.Edit.Keyboard && parts == 1, parent));
    if (!flags.isEmpty())
        part(new ChangeFlagsCommand(m_page, text, flags, parent));
    if (!objects.isEmpty())
        part(new ChangeObjectCommand(m_page, text, objects, parent));
    if (!added.isEmpty())
        part(new AddObjectsCommand(m_page, text, added, parent));
    step->SetSelections(frame.Selection, ObjectRecords::Selection(*m_page));
    push(step);
}

// ---- cells and settings ------------------------------------------------------------

void EditRecorder::RecordCellText(int cell, const QByteArray& before, const QByteArray& after)
{
    if (before == after || cell < 1 || cell > TCalendarPanel32::CellCount)
        return;
    push(new CellTextCommand(m_page, {cell, before, after}));
}

void EditRecorder::RecordCells(const QString& text, const std::function<void()>& action)
{
    const CellTexts::Snapshot before = CellTexts::Take(*m_page);
    struct Done {
        EditRecorder* self;
        const CellTexts::Snapshot& before;
        QString text;
        ~Done()
        {
            const QList<CellChange> changes = CellTexts::Changes(before, *self->m_page);
            if (!changes.isEmpty())
                self->push(new CellsCommand(self->m_page, text, changes));
        }
    } done{this, before, text};
    action();
}

void EditRecorder::RecordSettings(const QString& text, const std::function<void()>& action)
{
    const PageSettings before = m_page->Settings();
    const QByteArray styleBefore = CalendarDocument::SaveStyle(*m_page);
    const CellTexts::Snapshot cells = CellTexts::Take(*m_page);
    struct Done {
        EditRecorder* self;
        const PageSettings& before;
        const QByteArray& styleBefore;
        const CellTexts::Snapshot& cells;
        QString text;
        ~Done()
        {
            TCalendarPanel32& page = *self->m_page;
            const QList<CellChange> changes = CellTexts::Changes(cells, page);
            const bool changed = !SameSettings(before, page.Settings()) ||
                                 CalendarDocument::SaveStyle(page) != styleBefore ||
                                 before.UserTitle != page.UserTitle();
            if (changed || !changes.isEmpty())
                self->push(new PageSettingsCommand(&page, text, before, page.Settings(), changes));
        }
    } done{this, before, styleBefore, cells, text};
    action();
}

void EditRecorder::RecordUserTitle(const QString& before, const QString& after)
{
    if (before != after)
        push(new UserTitleCommand(m_page, before, after));
}

// ---- the stack ------------------------------------------------------------------------

void EditRecorder::push(PageCommand* command)
{
    m_stack->push(command);
}

void EditRecorder::Undo()
{
    if (!m_frames.isEmpty())
        return;
    Applying applying(m_applying);
    m_stack->undo();
}

void EditRecorder::Redo()
{
    if (!m_frames.isEmpty())
        return;
    Applying applying(m_applying);
    m_stack->redo();
}

void EditRecorder::changeReported(QObject* sender)
{
    if (m_applying)
        return;
    if (!m_frames.isEmpty()) {
        m_frames.last().Reported.insert(sender);
        return;
    }
    lose();
}

void EditRecorder::lose()
{
    m_stack->clear();
    m_stack->resetClean();
    Q_EMIT HistoryLost();
}

}  // namespace dayloom
