#pragma once

#include <memory>

#include <QImage>
#include <QObject>
#include <QSize>
#include <QStringList>

class QThreadPool;

namespace dayloom {

// Makes thumbnails of picture files (ImageLoader::Thumbnail) on worker
// threads, so that a folder of pictures never blocks the window showing it.
// Start replaces whatever is still waiting; each thumbnail arrives through
// Ready on the thread that owns the loader (a null image when the file could
// not be read), Finished follows the last one.
class ThumbnailLoader : public QObject {
    Q_OBJECT
public:
    explicit ThumbnailLoader(QObject* parent = nullptr);
    // Drops what waits and lets the running thumbnails finish.
    ~ThumbnailLoader() override;

    void Start(const QStringList& paths, const QSize& bound);
    void Cancel();
    // Thumbnails asked for and not yet delivered.
    int Pending() const { return FPending; }

Q_SIGNALS:
    void Ready(const QString& path, const QImage& image);
    void Finished();

private:
    struct Queue;
    void Deliver(quint64 generation, const QString& path, const QImage& image);

    std::shared_ptr<Queue> FQueue;
    std::unique_ptr<QThreadPool> FPool;
    quint64 FGeneration = 0;
    int FPending = 0;
};

}  // namespace dayloom
