#include "page/documentpage.h"

#include "objects/masterrichtextrenderer.h"
#include "page/borderpicture.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"

namespace dayloom {

void PrepareDocumentPage(QObject* owner, TCalendarPanel32& page)
{
    if (owner && !MasterRichTextRenderer::Find(owner))
        new MasterRichTextRenderer(owner);
    BorderPicture::Attach(page);
    TCalendarPanel32::ApplyMainWindowDescription(page);
}

DocumentLoadResult ReadDocumentInto(TCalendarPanel32& page, const QString& path, QObject* owner)
{
    page.ClearCells();
    page.DeleteAllObjects();
    page.SetUserTitle(QString());
    return CalendarDocument::LoadFromFile(page, path, owner);
}

}  // namespace dayloom
