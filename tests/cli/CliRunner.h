#pragma once

#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Tests that start the binary through a POSIX shell (closed or piped streams, raw bytes) or
// write to Unix devices; a Windows build has neither.
#ifdef _WIN32
#define TARVEX_NEEDS_POSIX_SHELL() GTEST_SKIP() << "needs a POSIX shell and /dev"
#else
#define TARVEX_NEEDS_POSIX_SHELL() static_cast<void>(0)
#endif

// What a run of the real tarvex-cli gave: its exit status and both outputs.
struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the real tarvex-cli in a temporary working folder, where it writes tarvex.txt and
// 排除号码原因.txt, and holds the files a test hands it.
class CliRunner {
public:
    // `command` goes before every argument list: "analyze", "rules", or none.
    explicit CliRunner(QStringList command = {}) : m_command(std::move(command)) {}

    Outcome Run(const QStringList& arguments, const QString& stdoutFile = {},
                const QString& workingDirectory = {}) const {
        QProcess process;
        process.setWorkingDirectory(workingDirectory.isEmpty() ? m_dir.path() : workingDirectory);
        if (!stdoutFile.isEmpty())
            process.setStandardOutputFile(stdoutFile);
        process.start(QStringLiteral(TARVEX_CLI), m_command + arguments);
        EXPECT_TRUE(process.waitForFinished(120000))
            << "tarvex-cli did not finish: " << process.errorString().toStdString();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "tarvex-cli crashed";
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    // Runs the binary from a shell ($0 is tarvex-cli), so a descriptor can be closed or a
    // name given as raw bytes.
    Outcome Shell(const QString& script) const {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral("/bin/sh"), {"-c", script, QStringLiteral(TARVEX_CLI)});
        EXPECT_TRUE(process.waitForFinished(120000)) << "tarvex-cli did not finish";
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QString Put(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        EXPECT_EQ(file.write(bytes), bytes.size()) << name.toStdString();
        return file.fileName();
    }

    QByteArray Get(const QString& name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    static QJsonObject Json(const QByteArray& out) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out.left(300).toStdString();
        return document.object();
    }
    static QJsonObject Json(const Outcome& outcome) { return Json(outcome.out); }

    const QTemporaryDir& Dir() const { return m_dir; }

private:
    QStringList m_command;
    QTemporaryDir m_dir;
};
