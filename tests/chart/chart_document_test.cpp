// The printed chart: what it holds for the example organ, and how its pages fall.

#include "chart/chart_document.h"
#include "model/config_file.h"
#include "model/example_organ.h"
#include "model/piston_description.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace zkt {
namespace {

ConfigModel threeManualExample() {
    ConfigModel model;
    readConfigurationFile(ZKT_SOURCE_DIR "/examples/three-manuals.zkt", model);
    return model;
}

// The page a text first appears on, once the document has been paginated.
int pageOf(QTextDocument& document, const QString& text) {
    const QTextCursor found = document.find(text);
    if (found.isNull())
        return -1;
    const qreal top = document.documentLayout()->blockBoundingRect(found.block()).top();
    return static_cast<int>(top / document.pageSize().height());
}

TEST(ChartDocument, HoldsEveryManualAndEveryAssignedPistonOfTheExample) {
    const ConfigModel model = threeManualExample();
    // A file name with the characters HTML reserves must come out as it was typed.
    ChartDocument chart(model, {QStringLiteral("St. Mary's <east> & west.zkt"), QDate(2026, 12, 8)});
    const QString text = chart.document().toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("St. Mary's <east> & west.zkt, 8 December 2026")));
    int assigned = 0;
    for (int m = 0; m < model.numberOfManuals; ++m) {
        EXPECT_TRUE(text.contains(QStringLiteral("Manual #%1").arg(m + 1))) << m;
        for (int k = 0; k < pistonsPerManual; ++k) {
            const std::string description = describePiston(model.pistons[pistonIndexOf(m, k)]);
            if (description.empty())
                continue;
            ++assigned;
            EXPECT_TRUE(text.contains(QString::fromStdString(description))) << description;
        }
    }
    EXPECT_GT(assigned, 3 * 10);
    EXPECT_FALSE(text.contains(QStringLiteral("Manual #4")));
    for (const char* part : {"Pistons 2\u20136", "Piston 20", "Key offset", "Expression (11)",
                             "Enable Set MIDI Channels via (P1+C#1)", "Ahlborn Archive Crescendo"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
}

// A manual on every channel keeps its pistons on one page and its settings on the next.
TEST(ChartDocument, StartsEveryManualOnAPageOfItsOwnOnA4AndLetter) {
    ConfigModel organ = exampleOrgan(5);
    organ.keyboards[2].channels = 0xFFFF;
    ChartDocument chart(organ, {QStringLiteral("five.zkt"), QDate(2026, 12, 8)});
    const std::pair<const char*, int> starts[] = {{"Manual #1", 0}, {"Manual #2", 1},
                                                  {"Manual #3", 2}, {"Manual #3, continued", 3},
                                                  {"Manual #4", 4}, {"Manual #5", 5}};
    for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
        EXPECT_EQ(chart.paginate(chartPageLayout(QPageSize(paper))), 6) << paper;
        for (const auto& [heading, page] : starts)
            EXPECT_EQ(pageOf(chart.document(), QString::fromLatin1(heading)), page)
                << heading << ", " << paper;
    }
}

} // namespace
} // namespace zkt
