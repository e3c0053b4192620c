#include "io/DrawSourceReader.h"
#include "io/DrawTextReader.h"

#include <gtest/gtest.h>

#include <random>

namespace tarvex {
namespace {

struct Expected {
    const char* issue;
    int number;
    const char* date;
};

void ExpectDraws(const SourceReadResult& read, const std::vector<Expected>& expected) {
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_EQ(read.draws.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(read.draws[i].issue, expected[i].issue);
        EXPECT_EQ(read.draws[i].number, expected[i].number);
        EXPECT_EQ(read.draws[i].date, expected[i].date);
    }
}

// Samples written from the forms the sources serve.
struct Sample {
    const char* name;
    SourceFormat format;
    QByteArray body;
    std::vector<Expected> draws;
};

std::vector<Sample> Samples() {
    return {
        {"shipped text",
         SourceFormat::Text,
         "2026223 2026-08-21 9 4 8\n2026224 2026-08-22 8 6 2 1 2 3\n",
         {{"2026223", 948, "2026-08-21"}, {"2026224", 862, "2026-08-22"}}},
        {"csv",
         SourceFormat::Text,
         "期号,日期,号码\n2026223,2026-08-21,948\n\"2026224\",\"2026-08-22\",\"862\"\n",
         {{"2026223", 948, "2026-08-21"}, {"2026224", 862, "2026-08-22"}}},
        {"17500 3d",
         SourceFormat::Text,
         "2026223 2026-08-21 9 4 8 3 1 7 1234567 0 0 0 0\r\n"
         "2026224 2026-08-22 8 6 2 0 5 5 7654321 0 0 0 0\r\n",
         {{"2026223", 948, "2026-08-21"}, {"2026224", 862, "2026-08-22"}}},
        {"17500 pl3",
         SourceFormat::Text,
         "2026223 2026-08-21 2 2 3\n2026224 2026-08-22 9 1 2\n",
         {{"2026223", 223, "2026-08-21"}, {"2026224", 912, "2026-08-22"}}},
        {"web table",
         SourceFormat::Text,
         "期号\t开奖日期\t开奖号码\t试机号\t和值\n"
         "2026224\t2026-08-22(六)\t8 6 2\t1 2 3\t16\n"
         "第2026223期\t2026-08-21（五）\t星期五\t9 4 8\t组六\t21\n",
         {{"2026223", 948, "2026-08-21"}, {"2026224", 862, "2026-08-22"}}},
        {"huiniao fcsd",
         SourceFormat::Huiniao,
         R"J({"code":1,"data":{"data":{"list":[
             {"code":"2026224","day":"2026-08-22","one":8,"two":6,"three":2},
             {"code":2026223,"day":"2026-08-21","one":"09","two":"04","three":"08"}]},
             "next_code":"2026225"}})J",
         {{"2026223", 948, "2026-08-21"}, {"2026224", 862, "2026-08-22"}}},
        {"huiniao pls",
         SourceFormat::Huiniao,
         R"J({"code":1,"data":{"data":{"list":[
             {"code":"26224","day":"2026-08-22","one":"9","two":"1","three":"2"}]}}})J",
         {{"26224", 912, "2026-08-22"}}},
        {"cwl",
         SourceFormat::Cwl,
         R"J({"state":0,"message":"查询成功","result":[
             {"name":"3d","code":"2026258","date":"2026-09-25(五)","red":"0,5,1"},
             {"name":"3d","code":"2026257","date":"2026-09-24(四)","red":"9,9,0"}]})J",
         {{"2026257", 990, "2026-09-24"}, {"2026258", 51, "2026-09-25"}}},
    };
}

TEST(DrawSourceReader, ReadsEachFormOfTheSources) {
    for (const Sample& sample : Samples()) {
        SCOPED_TRACE(sample.name);
        ExpectDraws(DrawSourceReader::Read(sample.body, sample.format), sample.draws);
        // Recognised from the answer as well.
        ExpectDraws(DrawSourceReader::Read(sample.body, SourceFormat::Auto), sample.draws);
    }
}

TEST(DrawSourceReader, KeepsThe17500TrialDigits) {
    const SourceReadResult read =
        DrawSourceReader::Read("2026224 2026-08-22 8 6 2 0 5 5 7654321\n", SourceFormat::Text);
    ASSERT_EQ(read.draws.size(), 1u);
    EXPECT_EQ(read.draws[0].trial, "055");
}

TEST(DrawSourceReader, RefusesFailuresAndGarbage) {
    const std::vector<std::pair<QByteArray, SourceFormat>> bad = {
        {"", SourceFormat::Auto},
        {"<html><body>429 Too Many Requests</body></html>", SourceFormat::Auto},
        {R"J({"code":0,"msg":"limit"})J", SourceFormat::Huiniao},
        {R"J({"code":1,"data":{"data":{"list":[{"code":"2026224","day":"2026-08-22","one":8,)J",
         SourceFormat::Huiniao},
        {R"J({"state":1,"message":"拒绝"})J", SourceFormat::Cwl},
        {R"J({"state":0,"result":[{"code":"2026258","red":"0,5"}]})J", SourceFormat::Cwl},
        {R"J({"code":1,"data":{"data":{"list":[{"code":"x","one":11,"two":1,"three":1}]}}})J",
         SourceFormat::Huiniao},
        {"\x89PNG\r\n\x1a\n\x00\x01\x02", SourceFormat::Auto},
        {QByteArray(DrawSourceReader::kMaxBytes + 1, '1'), SourceFormat::Text},
    };
    for (const auto& [body, format] : bad) {
        const SourceReadResult read = DrawSourceReader::Read(body, format);
        EXPECT_FALSE(read.ok()) << body.left(60).toStdString();
        EXPECT_TRUE(read.draws.empty());
    }
}

TEST(DrawSourceReader, ATruncatedTextNeverGivesAWrongDraw) {
    const QByteArray body = "2026223 2026-08-21 9 4 8 3 1 7\n2026224 2026-08-22 8 6 2 0 5 5\n";
    for (qsizetype cut = 1; cut < body.size(); ++cut) {
        const SourceReadResult read = DrawSourceReader::Read(body.left(cut), SourceFormat::Text);
        for (const HistoricDraw& draw : read.draws) {
            EXPECT_TRUE((draw.issue == "2026223" && draw.number == 948) ||
                        (draw.issue == "2026224" && draw.number == 862))
                << "cut at " << cut;
        }
    }
}

TEST(DrawSourceReader, ACompleteLastLineWithoutItsLineEndIsRead) {
    ExpectDraws(DrawSourceReader::Read("2026223 2026-08-21 9 4 8\n2026224 2026-08-22 8 6 2",
                                       SourceFormat::Text),
                {{"2026223", 948, "2026-08-21"}, {"2026224", 862, "2026-08-22"}});
    ExpectDraws(DrawSourceReader::Read("2026224 2026-08-22 8 6 2", SourceFormat::Text),
                {{"2026224", 862, "2026-08-22"}});
}

TEST(DrawSourceReader, AnIssueGivenWithTwoNumbersIsNotUsed) {
    const SourceReadResult read = DrawSourceReader::Read(
        "2026223 2026-08-21 9 4 8\n2026224 2026-08-22 8 6 2\n2026224 2026-08-22 8 6 3\n"
        "2026225 2026-08-23 1 1 1\n",
        SourceFormat::Text);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.draws.size(), 2u);
    EXPECT_EQ(read.draws[1].issue, "2026225");
}

TEST(DrawSourceReader, RandomBytesNeverCrashOrGiveInvalidDraws) {
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        QByteArray body;
        const int size = static_cast<int>(random() % 400);
        const char alphabet[] = "0123456789 ,-\n{}[]\":codaytwhreslt";
        for (int i = 0; i < size; ++i) {
            body += alphabet[random() % (sizeof alphabet - 1)];
        }
        for (SourceFormat format :
             {SourceFormat::Auto, SourceFormat::Text, SourceFormat::Huiniao, SourceFormat::Cwl}) {
            for (const HistoricDraw& draw : DrawSourceReader::Read(body, format).draws) {
                EXPECT_GE(draw.number, 0);
                EXPECT_LE(draw.number, 999);
            }
        }
    }
}

TEST(DrawSourceReader, KnowsFormatNames) {
    EXPECT_EQ(DrawSourceReader::FormatNamed(QStringLiteral("csv")), SourceFormat::Text);
    EXPECT_EQ(DrawSourceReader::FormatNamed(QStringLiteral("Huiniao")), SourceFormat::Huiniao);
    EXPECT_EQ(DrawSourceReader::FormatNamed(QStringLiteral("cwl")), SourceFormat::Cwl);
    EXPECT_FALSE(DrawSourceReader::FormatNamed(QStringLiteral("xml")));
}

TEST(DrawTextReader, KeepsAHeadingAHeading) {
    EXPECT_EQ(DrawTextReader::Normalize("期号 开奖日期 开奖号码"), "期号");
    EXPECT_EQ(DrawTextReader::Normalize("2026224\t2026-08-22(六)\t星期六\t8,6,2"),
              "2026224 2026-08-22 8 6 2");
}

} // namespace
} // namespace tarvex
