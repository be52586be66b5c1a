#include "ExportResult.h"

#include <gtest/gtest.h>

#include "ControlIds.h"
#include "Notices.h"
#include "ScriptedHost.h"

namespace ovantis {
namespace {

using test::ScriptedHost;

const PageControls kString{ids::kStringOutput, ids::kStringGenerate, ids::kStringExport};

TEST(ExportResult, WritesTheBoxWithCrLfAndAsksAsTheSaveDialogShould) {
    ScriptedHost host;
    host.chosenPath = "/out/a.txt";
    host.texts[ids::kStringOutput] = "ab\r\n中文\ntyped\rlast";
    bool disabledDuringNotice = false;
    host.onNotice = [&](const std::string&) {
        disabledDuringNotice = !host.isEnabled(ids::kStringExport);
    };
    ExportResult(host, kString);
    EXPECT_EQ(host.files["/out/a.txt"], "ab\r\n中文\r\ntyped\r\nlast");
    EXPECT_EQ(host.notices, std::vector<std::string>{notices::kExported});
    EXPECT_TRUE(disabledDuringNotice);
    EXPECT_TRUE(host.isEnabled(ids::kStringExport));
    ASSERT_EQ(host.saveRequests.size(), 1u);
    const SaveRequest& r = host.saveRequests[0];
    EXPECT_EQ(r.initialName, "随机字符串.txt");
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].name, "文本文件");
    EXPECT_EQ(r.filters[0].pattern, "*.txt");
    EXPECT_EQ(r.filters[1].name, "所有文件");
    EXPECT_EQ(r.filters[1].pattern, "*.*");
    EXPECT_EQ(r.defaultSuffix, "txt");
    EXPECT_TRUE(r.confirmOverwrite);
}

TEST(ExportResult, CancelWritesNothingAndShowsNothing) {
    ScriptedHost host;
    host.texts[ids::kStringOutput] = "x";
    ExportResult(host, kString);
    EXPECT_TRUE(host.files.empty());
    EXPECT_TRUE(host.notices.empty());
    EXPECT_TRUE(host.isEnabled(ids::kStringExport));
}

TEST(ExportResult, FailureIsReportedWithItsReasonAndExportComesBack) {
    ScriptedHost host;
    host.chosenPath = "/read-only/a.txt";
    host.writeFailure = "Permission denied";
    ExportResult(host, kString);
    EXPECT_EQ(host.notices, std::vector<std::string>{std::string(notices::kExportFailed) +
                                                     "\nPermission denied"});
    EXPECT_TRUE(host.isEnabled(ids::kStringExport));
}

}  // namespace
}  // namespace ovantis
