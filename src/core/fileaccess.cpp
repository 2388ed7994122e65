#include "core/fileaccess.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace dayloom {

namespace {

constexpr qint64 MB = 1024 * 1024;

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

InputFault faultOfErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return InputFault::Missing;
    case ENXIO:  // a socket, or a device without its driver
    case ENODEV:
        return InputFault::NotRegularFile;
    default:
        return InputFault::Unreadable;
    }
}

}  // namespace

qint64 InputSizeLimit(InputKind kind)
{
    // The largest real files of each kind stay far below these.
    switch (kind) {
    case InputKind::Document:
        return 256 * MB;
    case InputKind::StyleSheet:
        return 16 * MB;
    case InputKind::Picture:
        return 256 * MB;
    case InputKind::Texture:
        return 64 * MB;
    case InputKind::BorderPicture:
        return 64 * MB;
    case InputKind::RecurringList:
        return 64 * MB;
    case InputKind::Ini:
        return 16 * MB;
    case InputKind::IconLibrary:
        return 64 * MB;
    case InputKind::Calendar:
        return 50 * MB;
    case InputKind::HelpPage:
        return 16 * MB;
    case InputKind::SystemFacts:
        return 4 * MB;
    }
    return 16 * MB;
}

QString InputFaultText(InputFault fault)
{
    switch (fault) {
    case InputFault::None:
        return {};
    case InputFault::Missing:
        return QStringLiteral("The file does not exist.");
    case InputFault::NotRegularFile:
        return QStringLiteral("It is not a regular file.");
    case InputFault::TooLarge:
        return QStringLiteral("The file is too large.");
    case InputFault::Unreadable:
        return QStringLiteral("The file cannot be read.");
    }
    return {};
}

InputFault ReadInputFile(const QString& path, InputKind kind, QByteArray* bytes)
{
    bytes->clear();
    if (path.isEmpty())
        return InputFault::Missing;
    const QByteArray name = QFile::encodeName(path);
    // Looked at before it is opened: opening a device can have effects of its own.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return faultOfErrno(errno);
    if (!S_ISREG(st.st_mode))
        return InputFault::NotRegularFile;
    const qint64 limit = InputSizeLimit(kind);
    if (st.st_size > limit)
        return InputFault::TooLarge;

    // Without waiting: should a pipe have taken the file's place meanwhile,
    // the open returns at once and the check below refuses it.
    Descriptor file;
    do {
        file.fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (file.fd < 0 && errno == EINTR);
    if (file.fd < 0)
        return faultOfErrno(errno);
    if (::fstat(file.fd, &st) != 0)
        return InputFault::Unreadable;
    if (!S_ISREG(st.st_mode))
        return InputFault::NotRegularFile;
    if (st.st_size > limit)
        return InputFault::TooLarge;

    // The file may grow while it is read: never beyond the limit.
    QByteArray data;
    data.resize(qsizetype(st.st_size));
    qint64 filled = 0;
    for (;;) {
        if (filled == data.size()) {
            if (filled > limit)
                return InputFault::TooLarge;
            data.resize(qsizetype(qMin<qint64>(limit + 1, filled + 64 * 1024)));
        }
        const ssize_t n = ::read(file.fd, data.data() + filled, size_t(data.size() - filled));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return InputFault::Unreadable;
        }
        if (n == 0)
            break;
        filled += n;
    }
    if (filled > limit)
        return InputFault::TooLarge;
    data.truncate(qsizetype(filled));
    *bytes = std::move(data);
    return InputFault::None;
}

bool IsSpecialFileTarget(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

bool SaveFileContents(const QString& path, const QByteArray& bytes, QString* reason)
{
    const auto fail = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("No file name."));
    if (IsSpecialFileTarget(path))
        return fail(QStringLiteral("It is not a regular file."));
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

}  // namespace dayloom
