// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/LinkOpener.h"
#include "core/link/LinkCommand.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Scripts the desktop: whether its URL service works, the browser settings,
// and which programs can be started; records every attempt.
class CFakeOpener : public CLinkOpener {
public:
    bool m_bDesktopWorks = false;
    std::optional<std::string> m_strBrowserVariable;
    std::optional<std::string> m_strDefaultCommand;
    std::set<std::string> m_setStartable;

    std::vector<std::string> m_vDesktopCalls;
    std::vector<std::vector<std::string>> m_vStarts;
    int m_nDefaultAsked = 0;

protected:
    bool OpenWithDesktop(const std::string& strTarget) override {
        m_vDesktopCalls.push_back(strTarget);
        return m_bDesktopWorks;
    }
    std::optional<std::string> BrowserVariable() override { return m_strBrowserVariable; }
    std::optional<std::string> DefaultBrowserCommand() override {
        ++m_nDefaultAsked;
        return m_strDefaultCommand;
    }
    bool StartProgram(const std::vector<std::string>& vArgs) override {
        m_vStarts.push_back(vArgs);
        return m_setStartable.count(vArgs.at(0)) != 0;
    }
};

using Args = std::vector<std::string>;

} // namespace

TEST(LinkOpener, TheDesktopComesFirstForWebAndMailAddresses) {
    CFakeOpener opener;
    opener.m_bDesktopWorks = true;
    opener.m_strBrowserVariable = "web";
    opener.m_setStartable = {"web"};
    EXPECT_EQ(opener.OpenLink("mailto:someone@example.com"), LINK_OPENED);
    EXPECT_EQ(opener.OpenLink("http://example.com"), LINK_OPENED);
    EXPECT_EQ(opener.m_vDesktopCalls, (Args{"mailto:someone@example.com", "http://example.com"}));
    EXPECT_TRUE(opener.m_vStarts.empty());
}

TEST(LinkOpener, NoBrowserKnownGivesTheDesktopFailure) {
    CFakeOpener opener;
    EXPECT_EQ(opener.OpenLink("http://example.com"), LINK_ERR_NOASSOC);
    EXPECT_EQ(opener.m_nDefaultAsked, 1);
    EXPECT_TRUE(opener.m_vStarts.empty());
}

TEST(LinkOpener, DefaultBrowserEntryIsCutAndStarted) {
    CFakeOpener opener;
    opener.m_strDefaultCommand = "/usr/bin/web --new-window %u --private";
    opener.m_setStartable = {"/usr/bin/web"};
    EXPECT_EQ(opener.OpenLink("www.example.com"), LINK_OPENED);
    ASSERT_EQ(opener.m_vStarts.size(), 1u);
    EXPECT_EQ(opener.m_vStarts[0], (Args{"/usr/bin/web", "--new-window", "www.example.com"}));
}

TEST(LinkOpener, BrowserVariableIsPreferredAndTriedInTurn) {
    CFakeOpener opener;
    opener.m_strBrowserVariable = "missing %s:second '%s' --x:third";
    opener.m_strDefaultCommand = "default %u";
    opener.m_setStartable = {"second", "third", "default"};
    EXPECT_EQ(opener.OpenLink("http://a/"), LINK_OPENED);
    EXPECT_EQ(opener.m_vStarts,
              (std::vector<Args>{{"missing", "http://a/"}, {"second", "http://a/"}}));
    EXPECT_EQ(opener.m_nDefaultAsked, 0);
}

TEST(LinkOpener, AnEmptyBrowserVariableFallsBackToTheDefaultEntry) {
    CFakeOpener opener;
    opener.m_strBrowserVariable = " : ";
    opener.m_strDefaultCommand = "default %u";
    opener.m_setStartable = {"default"};
    EXPECT_EQ(opener.OpenLink("http://a/"), LINK_OPENED);
    EXPECT_EQ(opener.m_vStarts, (std::vector<Args>{{"default", "http://a/"}}));
}

TEST(LinkOpener, ABrowserThatDoesNotStartIsFileNotFound) {
    CFakeOpener opener;
    opener.m_strBrowserVariable = "gone:also-gone %s";
    EXPECT_EQ(opener.OpenLink("http://a/"), LINK_ERR_FILE_NOT_FOUND);
    EXPECT_EQ(opener.m_vStarts.size(), 2u);
}

TEST(LinkOpener, UnusableCommandLinesAreSkipped) {
    CFakeOpener opener;
    opener.m_strBrowserVariable = "\"unbalanced %s:%s";
    EXPECT_EQ(opener.OpenLink("http://a/"), LINK_ERR_NOASSOC);
    EXPECT_TRUE(opener.m_vStarts.empty());
}

TEST(LinkOpener, TargetsThatWouldBeOptionsOrNothingAreNotHandedToABrowser) {
    CFakeOpener opener;
    opener.m_strBrowserVariable = "web";
    opener.m_setStartable = {"web"};
    EXPECT_EQ(opener.OpenLink("--remote-debugging-port=9222"), LINK_ERR_NOASSOC);
    EXPECT_EQ(opener.OpenLink(""), LINK_ERR_NOASSOC);
    EXPECT_TRUE(opener.m_vStarts.empty());
    // The desktop still had its try.
    EXPECT_EQ(opener.m_vDesktopCalls.size(), 2u);
}
