#include "imaging/thumbnailloader.h"

#include <deque>
#include <exception>
#include <mutex>

#include <QPointer>
#include <QThread>
#include <QThreadPool>

#include "imaging/imageloader.h"

namespace dayloom {

struct ThumbnailLoader::Queue {
    std::mutex Lock;
    std::deque<QString> Paths;
    QSize Bound;
    quint64 Generation = 0;
    int Workers = 0;  // running workers
};

ThumbnailLoader::ThumbnailLoader(QObject* parent)
    : QObject(parent), FQueue(std::make_shared<Queue>()), FPool(std::make_unique<QThreadPool>())
{
    FPool->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

ThumbnailLoader::~ThumbnailLoader()
{
    Cancel();
    FPool->waitForDone();
}

void ThumbnailLoader::Cancel()
{
    std::lock_guard<std::mutex> guard(FQueue->Lock);
    FQueue->Paths.clear();
    FQueue->Generation = ++FGeneration;
    FPending = 0;
}

void ThumbnailLoader::Start(const QStringList& paths, const QSize& bound)
{
    int start = 0;
    quint64 generation = 0;
    {
        std::lock_guard<std::mutex> guard(FQueue->Lock);
        FQueue->Paths.assign(paths.begin(), paths.end());
        FQueue->Bound = bound;
        FQueue->Generation = ++FGeneration;
        generation = FGeneration;
        FPending = int(paths.size());
        start = std::min<int>(int(paths.size()), FPool->maxThreadCount()) - FQueue->Workers;
        FQueue->Workers += std::max(0, start);
    }
    if (paths.isEmpty()) {
        Q_EMIT Finished();
        return;
    }
    const std::shared_ptr<Queue> queue = FQueue;
    QPointer<ThumbnailLoader> self(this);
    for (int i = 0; i < start; ++i) {
        FPool->start([queue, self] {
            while (true) {
                QString path;
                QSize bound;
                quint64 generation = 0;
                {
                    std::lock_guard<std::mutex> guard(queue->Lock);
                    if (queue->Paths.empty()) {
                        --queue->Workers;
                        return;
                    }
                    path = queue->Paths.front();
                    queue->Paths.pop_front();
                    bound = queue->Bound;
                    generation = queue->Generation;
                }
                QImage image;
                try {
                    image = ImageLoader::Thumbnail(path, bound);
                } catch (const std::exception&) {
                    image = QImage();
                }
                // Posted to the loader's thread; dropped with the loader.
                if (self)
                    QMetaObject::invokeMethod(
                        self.data(),
                        [self, generation, path, image] {
                            if (self)
                                self->Deliver(generation, path, image);
                        },
                        Qt::QueuedConnection);
            }
        });
    }
    Q_UNUSED(generation);
}

void ThumbnailLoader::Deliver(quint64 generation, const QString& path, const QImage& image)
{
    if (generation != FGeneration)
        return;  // a folder the user has left
    Q_EMIT Ready(path, image);
    if (FPending > 0 && --FPending == 0)
        Q_EMIT Finished();
}

}  // namespace dayloom
