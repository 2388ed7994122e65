#pragma once

// Runs the built program itself, as a user or a script would, without any
// display.

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace dayloom::test {

inline QString ProgramPath()
{
    const QString fromEnv = qEnvironmentVariable("DAYLOOM_PROGRAM");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/../dayloom"))
        .absoluteFilePath();
}

struct RunResult {
    int exitCode = -1;  // -1: did not finish in time, -2: crashed
    QString out;
    QString err;
};

inline RunResult RunProgram(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    // Without it Qt says so on stderr, among the program's own messages.
    static QTemporaryDir runtimeDir;
    if (!env.contains(QStringLiteral("XDG_RUNTIME_DIR")))
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
    p.setProcessEnvironment(env);
    p.start(ProgramPath(), args);
    RunResult r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

}  // namespace dayloom::test
