#include "LocalDrawServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

const QByteArray kHeld = "2026223 2026-08-21 9 4 8\n2026224 2026-08-22 8 6 2\n";

class CliHistory : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "tarvex_cli_tests";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv); // the test server answers from its event loop
        }
    }
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("3D开奖历史.txt"));
        Put(kHeld);
    }
    // Runs tarvex-cli while this thread's event loop lets the test server answer.
    Outcome Run(const QStringList& arguments) {
        QProcess process;
        process.setWorkingDirectory(dir_.path());
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        process.start(QStringLiteral(TARVEX_CLI), QStringList{"history"} + arguments);
        loop.exec();
        EXPECT_EQ(process.state(), QProcess::NotRunning);
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }
    void Put(const QByteArray& bytes) {
        QFile file(path_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray File() const {
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir_;
    QString path_;
};

TEST_F(CliHistory, AddWritesTheDrawAndKeepsABackup) {
    const Outcome outcome = Run(
        {"add", "--history", path_, "2026225", "051", "--date", "2026-08-23", "--trial", "907"});
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(File(), kHeld + "2026225 2026-08-23 0 5 1 9 0 7\n");
    QFile backup(path_ + ".bak");
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), kHeld);
    // Again: nothing changes.
    EXPECT_EQ(Run({"add", "--history", path_, "2026225", "051"}).status, 0);
    EXPECT_EQ(File(), kHeld + "2026225 2026-08-23 0 5 1 9 0 7\n");
}

TEST_F(CliHistory, AddRefusesAnotherNumberNamingBoth) {
    const Outcome outcome = Run({"add", "--history", path_, "2026224", "863"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.err.contains("862"));
    EXPECT_TRUE(outcome.err.contains("863"));
    EXPECT_EQ(File(), kHeld);
}

TEST_F(CliHistory, BadArgumentsAreRefused) {
    for (const QStringList& arguments :
         {QStringList{"add", "--history", path_, "20262", "12"},
          QStringList{"add", "--history", path_, "2026225", "1234"},
          QStringList{"add", "--history", path_, "2026225", "123", "--date", "2026-13-40"},
          QStringList{"add", "--history", path_, "2026225", "123", "--trial", "x"},
          QStringList{"remove", "--history", path_},
          QStringList{"update", "--history", path_, "--source", "ftp://x/y"},
          QStringList{"update", "--history", path_, "--timeout", "0"},
          QStringList{"update", "--history", path_, "--timeout", "nan"},
          QStringList{"update", "--history", path_, "--timeout", "1e-9"},
          QStringList{"update", "--history", path_, "--source", "http://127.0.0.1:9/a,jsn"},
          QStringList{"update", "--history", path_, "--source", "http://127.0.0.1:9/a,pl3"},
          QStringList{"add", "--history", path_, "2026999", "123"},
          QStringList{"add", "--history", path_, "2026225", "123", "--date", "2026-02-30"},
          QStringList{"check", "--history", dir_.filePath("missing.txt")}}) {
        EXPECT_EQ(Run(arguments).status, 2) << arguments.join(' ').toStdString();
    }
    EXPECT_EQ(File(), kHeld);
}

TEST_F(CliHistory, AFileMissingIsMadeFromTheShippedHistory) {
    const QString pl3 = dir_.filePath(QStringLiteral("排列3开奖历史.txt"));
    EXPECT_EQ(Run({"add", "--history", pl3, "2026225", "007", "--date", "2026-08-23"}).status, 0);
    QFile file(pl3);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("26224 2026-08-22 9 1 2\n26225 2026-08-23 0 0 7\n"));
}

TEST_F(CliHistory, UpdateAsksTheGivenSourcesInOrder) {
    LocalDrawServer server;
    ASSERT_TRUE(server.Listening());
    server.Status("/down", 503);
    server.Hang("/hang");
    server.Answer("/a", "2026225 2026-08-23 1 2 3\n2026226 2026-08-24 4 5 6\n");
    server.Answer("/b", "2026225,2026-08-23,123\n2026226,2026-08-24,457\n");
    const Outcome outcome =
        Run({"update", "--history", path_, "--source", server.Url("/down"), "--source",
             server.Url("/hang"), "--source", server.Url("/a") + ",text", "--source",
             server.Url("/b") + ",csv", "--timeout", "0.5", "--json"});
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(outcome.out).object();
    EXPECT_EQ(json["sources"].toArray().size(), 4);
    EXPECT_EQ(json["added"].toArray().size(), 1);
    EXPECT_EQ(json["disagreements"].toArray().size(), 1);
    EXPECT_EQ(File(), kHeld + "2026225 2026-08-23 1 2 3\n");
}

TEST_F(CliHistory, UpdateWithNoAnswerExitsFour) {
    LocalDrawServer server;
    server.Status("/down", 404);
    const Outcome outcome = Run({"update", "--history", path_, "--source", server.Url("/down")});
    EXPECT_EQ(outcome.status, 4);
    EXPECT_EQ(File(), kHeld);
    EXPECT_FALSE(QFileInfo::exists(path_ + ".bak"));
}

// A 期号 repeated on many lines lists a few of them, as the readers' warnings do.
TEST_F(CliHistory, CheckListsAFewLinesOfARepeatedIssue) {
    QByteArray repeated;
    for (int i = 0; i < 5000; ++i) {
        repeated += "2026224 2026-08-22 8 6 2\n";
    }
    Put(repeated);
    const Outcome outcome = Run({"check", "--history", path_});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(outcome.out.contains("等共 5000 行")) << outcome.out.left(300).toStdString();
    EXPECT_LT(outcome.out.size(), 2000);
}

TEST_F(CliHistory, CheckGivesTheFigures) {
    Put(kHeld + "2026224 2026-08-22 8 6 3\n2026228 2026-08-26 1 1 1\n");
    const Outcome outcome = Run({"check", "--history", path_, "--json"});
    EXPECT_EQ(outcome.status, 0);
    const QJsonObject json = QJsonDocument::fromJson(outcome.out).object();
    EXPECT_EQ(json["draws"].toInt(), 4);
    EXPECT_EQ(json["last"].toObject()["issue"].toString(), QStringLiteral("2026228"));
    EXPECT_EQ(json["gaps"].toArray().size(), 1);
    EXPECT_TRUE(json["repeats"].toArray()[0].toObject()["conflicting"].toBool());
    EXPECT_TRUE(json["stale"].toBool());
}

// Writers at once, as two programs of the player would: each starts from the shipped
// history (made by the first) and adds its own draw; every draw is kept.
TEST_F(CliHistory, WritersAtOnceKeepEveryDraw) {
    const QString path = dir_.filePath(QStringLiteral("新/3D开奖历史.txt"));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("新")));
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int k = 0; k < 6; ++k) {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(TARVEX_CLI),
                       {"history", "add", "--history", path, QString::number(2026225 + k),
                        QString::number(100 + k)});
        writers.push_back(std::move(process));
    }
    for (auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(60000));
        EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().toStdString();
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    for (int k = 0; k < 6; ++k) {
        EXPECT_TRUE(
            bytes.contains(QByteArray::number(2026225 + k) + " 1 0 " + QByteArray::number(k)))
            << "draw " << 2026225 + k << " lost";
    }
    EXPECT_FALSE(QFileInfo::exists(path + ".lock"));
}

// The file's own line ends and encoding: a held draw is seen as the readers see it, and the
// added line is written in the file's form, so `check` reads one more draw.
TEST_F(CliHistory, AddKeepsTheFilesFormAndSeesItsDraws) {
    const auto utf16 = [](QStringConverter::Encoding encoding, const QByteArray& mark) {
        QStringEncoder encoder(encoding);
        return mark + QByteArray(encoder.encode(QString::fromUtf8(kHeld).replace(
                          QStringLiteral("\n"), QStringLiteral("\r\n"))));
    };
    QByteArray crOnly = kHeld;
    QByteArray crLf = kHeld;
    const std::vector<QByteArray> forms{crOnly.replace('\n', '\r'), crLf.replace("\n", "\r\n"),
                                        utf16(QStringConverter::Utf16LE, "\xFF\xFE"),
                                        utf16(QStringConverter::Utf16BE, "\xFE\xFF"),
                                        utf16(QStringConverter::Utf16LE, "")};
    for (const QByteArray& form : forms) {
        Put(form);
        EXPECT_EQ(Run({"add", "--history", path_, "2026224", "111"}).status, 2)
            << "862 is held: " << form.toHex().left(40).toStdString();
        EXPECT_EQ(File(), form);
        const Outcome added = Run({"add", "--history", path_, "2026225", "051"});
        EXPECT_EQ(added.status, 0) << added.err.toStdString();
        const QByteArray after = File();
        EXPECT_TRUE(after.startsWith(form)) << "the lines before keep their bytes";
        const QByteArray check = Run({"check", "--history", path_, "--json"}).out;
        EXPECT_EQ(QJsonDocument::fromJson(check).object()["draws"].toInt(), 3)
            << after.toHex().toStdString();
    }
    // A UTF-16 file that would not come back as it was is refused by name.
    QByteArray broken = utf16(QStringConverter::Utf16LE, "\xFF\xFE");
    broken.append("\x00\xD8", 2); // a lone surrogate
    Put(broken);
    const Outcome refused = Run({"add", "--history", path_, "2026225", "051"});
    EXPECT_NE(refused.status, 0);
    EXPECT_TRUE(refused.err.contains("UTF-16")) << refused.err.toStdString();
    EXPECT_EQ(File(), broken);
}

#ifndef _WIN32
// The exit status says what happened to the file: written although the report was not.
TEST_F(CliHistory, AReportThatCannotBePrintedDoesNotHideTheWrite) {
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(TARVEX_CLI),
                  {"history", "add", "--history", path_, "2026225", "051"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 5) << process.readAllStandardError().toStdString();
    EXPECT_EQ(File(), kHeld + "2026225 0 5 1\n");
}
#endif

// A mistyped folder is never made, nor a history in it.
TEST_F(CliHistory, AMissingFolderIsNotMade) {
    const QString path = dir_.filePath(QStringLiteral("没有的/文件夹/3D开奖历史.txt"));
    for (const char* action : {"add", "update"}) {
        const QStringList arguments =
            QString::fromLatin1(action) == QLatin1String("add")
                ? QStringList{"add", "--history", path, "2026225", "051"}
                : QStringList{"update", "--history", path, "--source", "http://127.0.0.1:9/x"};
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 2) << action;
        EXPECT_TRUE(outcome.err.contains("不存在")) << outcome.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("没有的"))));
}

} // namespace
