// SPDX-License-Identifier: GPL-3.0-or-later
// The demo file that newcomers open must be a real password file of the
// program: readable by the core reader, opened by its KEY "demo" and by
// nothing else, with believable, clearly made-up accounts.

#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/FileIO.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

class DemoFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_doc.ReadArchiveFile(KEYHAVEN_DEMO_FILE, CCodePage::Default()),
                  EFileError::none);
    }

    void Decipher() {
        ASSERT_TRUE(m_doc.Key().Accepts("demo"));
        m_doc.DecipherList();
    }

    // The host part of a web address or an e-mail address.
    static std::string HostOf(const std::string& strAddress) {
        std::string strHost = strAddress;
        const auto nScheme = strHost.find("://");
        if (nScheme != std::string::npos)
            strHost.erase(0, nScheme + 3);
        const auto nAt = strHost.rfind('@');
        if (nAt != std::string::npos)
            strHost.erase(0, nAt + 1);
        const auto nSlash = strHost.find('/');
        if (nSlash != std::string::npos)
            strHost.erase(nSlash);
        return strHost;
    }

    static bool IsExampleHost(const std::string& strHost) {
        for (const std::string strDomain : {"example.com", "example.org"}) {
            if (strHost == strDomain)
                return true;
            const std::string strSuffix = "." + strDomain;
            if (strHost.size() > strSuffix.size() &&
                strHost.compare(strHost.size() - strSuffix.size(), strSuffix.size(), strSuffix) ==
                    0)
                return true;
        }
        return false;
    }

    CCofferDoc m_doc;
};

TEST_F(DemoFileTest, OpensWithItsKeyOnly) {
    EXPECT_TRUE(m_doc.HasKey());
    EXPECT_TRUE(m_doc.Key().Accepts("demo"));
    EXPECT_FALSE(m_doc.Key().Accepts("Demo"));
    EXPECT_FALSE(m_doc.Key().Accepts("dem"));
    EXPECT_FALSE(m_doc.Key().Accepts("demo2"));
    EXPECT_FALSE(m_doc.Key().Accepts(""));
}

TEST_F(DemoFileTest, StoresEveryTextEnciphered) {
    // Before deciphering, no account name or password of the demo may be
    // readable in the records the file holds.
    bool bAnyRecord = false;
    for (const CPasswordInfo& info : m_doc.StagedRecords()) {
        bAnyRecord = true;
        EXPECT_NE(info.Account(), "Intranet");
        EXPECT_NE(info.Password(), "W0rk!Day9");
        EXPECT_NE(info.Group(), "Work");
    }
    EXPECT_TRUE(bAnyRecord);
}

TEST_F(DemoFileTest, HoldsAFewGroupsOfAccountsInTheStoreLayout) {
    Decipher();
    ASSERT_FALSE(m_doc.Records().empty());
    EXPECT_TRUE(m_doc.Records().front().IsGroup()) << "a file starts with a group";
    EXPECT_GE(m_doc.CountGroups(), 3);
    EXPECT_LE(m_doc.CountGroups(), 5);
    EXPECT_GE(m_doc.CountAccounts(), 10);
    EXPECT_LE(m_doc.CountAccounts(), 16);

    std::set<std::string> setGroups;
    std::set<std::string> setNamesInGroup;
    for (const CPasswordInfo& info : m_doc.Records()) {
        if (info.IsGroup()) {
            EXPECT_TRUE(setGroups.insert(info.Group()).second) << info.Group();
            EXPECT_FALSE(info.Group().empty());
            setNamesInGroup.clear();
            continue;
        }
        EXPECT_FALSE(info.Account().empty());
        EXPECT_TRUE(setNamesInGroup.insert(info.Account()).second)
            << "two accounts named " << info.Account() << " in one group";
    }
    // Every group has something to show.
    for (const std::string& strGroup : setGroups) {
        auto it = m_doc.Records().begin();
        while (!(it->IsGroup() && it->Group() == strGroup))
            ++it;
        ++it;
        EXPECT_TRUE(it != m_doc.Records().end() && !it->IsGroup()) << strGroup << " is empty";
    }
}

TEST_F(DemoFileTest, UsesOnlyReservedExampleDomains) {
    Decipher();
    int nWithLinks = 0;
    for (const CPasswordInfo& info : m_doc.Records()) {
        if (info.IsGroup())
            continue;
        if (!info.WebSite().empty()) {
            EXPECT_TRUE(IsExampleHost(HostOf(info.WebSite()))) << info.WebSite();
            ++nWithLinks;
        }
        if (!info.EMail().empty()) {
            EXPECT_TRUE(IsExampleHost(HostOf(info.EMail()))) << info.EMail();
        }
        if (info.UserName().find('@') != std::string::npos) {
            EXPECT_TRUE(IsExampleHost(HostOf(info.UserName()))) << info.UserName();
        }
    }
    EXPECT_GT(nWithLinks, 0);
}

TEST_F(DemoFileTest, ShowsBothFilledAndEmptyFields) {
    // A newcomer should see enabled and disabled links and copy buttons at work.
    Decipher();
    bool bNoWebSite = false, bNoEMail = false, bComments = false, bMultiLine = false;
    for (const CPasswordInfo& info : m_doc.Records()) {
        if (info.IsGroup())
            continue;
        EXPECT_FALSE(info.UserName().empty()) << info.Account();
        EXPECT_FALSE(info.Password().empty()) << info.Account();
        bNoWebSite |= info.WebSite().empty();
        bNoEMail |= info.EMail().empty();
        bComments |= !info.Comments().empty();
        bMultiLine |= info.Comments().find("\r\n") != std::string::npos;
    }
    EXPECT_TRUE(bNoWebSite);
    EXPECT_TRUE(bNoEMail);
    EXPECT_TRUE(bComments);
    EXPECT_TRUE(bMultiLine);
}

TEST_F(DemoFileTest, SurvivesASaveAndReopenUnchanged) {
    Decipher();
    const std::string strCopy = ::testing::TempDir() + "demo-copy.pwd";
    ASSERT_EQ(m_doc.WriteArchiveFile(strCopy), EFileError::none);

    CCofferDoc reread;
    ASSERT_EQ(reread.ReadArchiveFile(strCopy, CCodePage::Default()), EFileError::none);
    ASSERT_TRUE(reread.Key().Accepts("demo"));
    reread.DecipherList();
    ASSERT_EQ(reread.Records().size(), m_doc.Records().size());
    auto it = reread.Records().begin();
    for (const CPasswordInfo& info : m_doc.Records()) {
        EXPECT_EQ(it->Account(), info.Account());
        EXPECT_EQ(it->Password(), info.Password());
        EXPECT_EQ(it->Comments(), info.Comments());
        EXPECT_EQ(it->Group(), info.Group());
        ++it;
    }
    std::remove(strCopy.c_str());
}

} // namespace
