#include "io/OutputFiles.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(OutputFiles, NamesTheFilesOfTheCurrentDirectory) {
    EXPECT_EQ(OutputFiles::KillFile(), QStringLiteral("tarvex.txt"));
    EXPECT_EQ(OutputFiles::ReportFile(), QStringLiteral("排除号码原因.txt"));
}

TEST(OutputFiles, ExportTimestampHasTheChineseDateAndTwoDigitFields) {
    const QDateTime time(QDate(2024, 5, 6), QTime(7, 8, 9));
    EXPECT_EQ(OutputFiles::ExportTimestamp(time), QStringLiteral("2024年05月06日 07:08:09"));
}

} // namespace
} // namespace tarvex
