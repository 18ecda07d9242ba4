#include "data/UConst.h"
#include "platform/core/Checked.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(HelpSite, PagesAreTheHostFollowedByTheThreeHelpPaths)
{
    const QString host = HelpSiteHost();
    EXPECT_FALSE(host.isEmpty());
    EXPECT_FALSE(host.contains(QStringLiteral("://")));
    EXPECT_FALSE(host.endsWith(QLatin1Char('/')));
    EXPECT_EQ(HelpSitePage(1), host + QStringLiteral("/help/guide.html"));
    EXPECT_EQ(HelpSitePage(2), host + QStringLiteral("/help/flow.html"));
    EXPECT_EQ(HelpSitePage(3), host + QStringLiteral("/help/info.html"));
    EXPECT_THROW(HelpSitePage(0), ERangeError);
    EXPECT_THROW(HelpSitePage(4), ERangeError);
}
