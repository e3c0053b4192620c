#include "app/record/RecordSchemeName.h"

#include "engine/CompiledConditions.h"
#include "engine/ToleranceRun.h"
#include "io/PredictionScheme.h"

#include <array>
#include <bit>

namespace {

struct Killing {
    QStringList labels; // of the report rows that kill some number
    QList<int> counts;  // how many numbers each kills
    bool read = false;
    bool baseSet = false;
    int rules = 0;
};

Killing Examine(const std::string& schemeText) {
    Killing killing;
    const tarvex::SchemeReadResult scheme = tarvex::PredictionScheme::Read(schemeText);
    if (!scheme.ok())
        return killing;
    killing.read = true;
    killing.baseSet = scheme.settings.baseSet;
    killing.rules = static_cast<int>(scheme.settings.rules.size());
    const tarvex::CompiledConditions conditions(scheme.settings);
    const std::vector<std::string>& labels = tarvex::ToleranceLabels();
    std::vector<int> counts(labels.size(), 0);
    for (int number = 0; number < 1000; ++number) {
        const std::uint32_t reasons = tarvex::ToleranceReasons(conditions, number);
        for (std::size_t row = 0; row < labels.size(); ++row)
            counts[row] += (reasons >> row & 1U) != 0 ? 1 : 0;
    }
    for (std::size_t row = 0; row < labels.size(); ++row) {
        if (counts[row] > 0) {
            killing.labels << QString::fromStdString(labels[row]).trimmed();
            killing.counts << counts[row];
        }
    }
    return killing;
}

} // namespace

QStringList RecordSchemeName::Conditions(const std::string& schemeText) {
    const Killing killing = Examine(schemeText);
    QStringList lines;
    if (killing.baseSet)
        lines << QStringLiteral("大底");
    for (qsizetype i = 0; i < killing.labels.size(); ++i)
        lines << QStringLiteral("%1 杀 %2 注").arg(killing.labels[i]).arg(killing.counts[i]);
    if (killing.rules > 0)
        lines << QStringLiteral("公式杀号 %1 条").arg(killing.rules);
    return lines;
}

QString RecordSchemeName::Name(const std::string& schemeText) {
    const Killing killing = Examine(schemeText);
    if (!killing.read)
        return QStringLiteral("读不出的方案");
    QStringList parts = killing.labels;
    if (killing.baseSet)
        parts.prepend(QStringLiteral("大底"));
    if (killing.rules > 0)
        parts << QStringLiteral("公式杀号");
    if (parts.isEmpty())
        return QStringLiteral("不杀号");
    QString name = parts.mid(0, kNamedConditions).join(QStringLiteral("、"));
    if (parts.size() > kNamedConditions)
        name += QStringLiteral(" 等 %1 项").arg(parts.size());
    return name;
}
