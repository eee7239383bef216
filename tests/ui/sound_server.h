// A sound server of the test's own: PulseAudio with one null sink, listening on a socket
// in a temporary folder, so that the program's real output has somewhere to play without
// touching the machine's sound. Where no pulseaudio is installed (scripts/install-deps
// brings it) the tests that need it are skipped.
#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

namespace korbo::test {

class PrivateSoundServer {
public:
    PrivateSoundServer() = default;
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;
    ~PrivateSoundServer() { Stop(); }

    // Where a client finds it, for PULSE_SERVER. Set before the first client connects.
    QByteArray Address() const { return "unix:" + dir_.filePath("native").toLocal8Bit(); }

    // Starts the server and waits until it takes clients; false, with Why(), when it
    // cannot be had here.
    bool Start() {
        Stop();
        const QString exe = QStandardPaths::findExecutable("pulseaudio");
        if (exe.isEmpty()) return Fail("no pulseaudio on this machine (scripts/install-deps)");
        if (!dir_.isValid()) return Fail("no temporary folder");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir_.path());
        env.insert("XDG_RUNTIME_DIR", dir_.path());
        env.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
        env.remove("DISPLAY");
        server_.setProcessEnvironment(env);
        // The server logs into a file: a log pipe that nobody reads while a test plays
        // fills up after some forty streams, and the server then stops answering.
        const QString logPath = dir_.filePath("server.log");
        QFile::remove(logPath);
        server_.setStandardOutputFile(QProcess::nullDevice());
        server_.setStandardErrorFile(QProcess::nullDevice());
        server_.start(exe, {"--daemonize=no", "-n", "--exit-idle-time=-1", "--use-pid-file=no",
                            "--log-target=file:" + logPath, "--log-level=info", "-L", "module-null-sink sink_name=test_sink",
                            "-L", "module-native-protocol-unix socket=" + dir_.filePath("native") + " auth-anonymous=1"});
        if (!server_.waitForStarted(10000)) return Fail("pulseaudio does not start: " + server_.errorString());
        // Its log says when the start-up is complete; a server that ends before has failed.
        QByteArray log;
        const QDeadlineTimer limit(20000);
        while (!log.contains("Daemon startup complete")) {
            if (server_.state() != QProcess::Running || limit.hasExpired())
                return Fail("pulseaudio did not come up: " + QString::fromLocal8Bit(log.right(600)));
            server_.waitForFinished(20);  // a short look at the process between reads of its log
            QFile file(logPath);
            if (file.open(QIODevice::ReadOnly)) log = file.readAll();
        }
        return true;
    }

    // Ends the server at once, as a sound server that goes away does.
    void Stop() {
        if (server_.state() == QProcess::NotRunning) return;
        server_.kill();
        server_.waitForFinished(10000);
    }

    QString Why() const { return why_; }

private:
    bool Fail(const QString& why) {
        why_ = why;
        Stop();
        return false;
    }

    QTemporaryDir dir_;
    QProcess server_;
    QString why_;
};

}  // namespace korbo::test
