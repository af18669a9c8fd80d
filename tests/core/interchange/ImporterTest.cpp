// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/Importer.h"

#include "core/base/DocObserver.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

SImportEntry Entry(std::vector<std::string> astrPath, std::string strTitle,
                   std::string strNotes = {}) {
    SImportEntry entry;
    entry.astrGroupPath = std::move(astrPath);
    entry.strTitle = std::move(strTitle);
    entry.strNotes = std::move(strNotes);
    return entry;
}

// The summary's counts, without the list of accounts that lost something.
std::string Counts(const std::string& strSummary) {
    return strSummary.substr(0, strSummary.find("\n\n"));
}

// The document as "[group]" and account names in list order.
std::vector<std::string> Layout(const CCofferDoc& doc) {
    std::vector<std::string> astrLayout;
    for (const CPasswordInfo& info : doc.Records())
        astrLayout.push_back(info.IsGroup() ? "[" + info.Group() + "]" : info.Account());
    return astrLayout;
}

class Importer : public ::testing::Test {
protected:
    void SetUp() override {
        m_doc.AddGroup("Mail");
        CPasswordInfo account;
        account.SetAccount("Post");
        m_doc.AddAccount("Mail", account);
        m_doc.AddGroup("Work");
    }
    CCofferDoc m_doc;
};

} // namespace

TEST_F(Importer, GroupsAndNamesFollowTheRules) {
    CImporter importer(m_doc, CCodePage::Default());
    const std::string strLong(300, 'x');
    importer.Add(Entry({"Mail"}, "Post"));
    importer.Add(Entry({"Banking", "Cards"}, "Visa"));
    importer.Add(Entry({"Mail"}, "Post"));
    importer.Add(Entry({""}, ""));
    importer.Add(Entry({"Banking", "Cards"}, "Visa"));
    importer.Add(Entry({"Mail"}, "New"));
    importer.Add(Entry({strLong}, strLong));
    importer.Add(Entry({strLong}, strLong));
    // An existing group takes the accounts after its own, in file order; a
    // taken name gets the next free suffix, cut so that it fits the limit.
    const std::string strCut(255, 'x');
    const std::vector<std::string> expected = {"[Mail]",
                                               "Post",
                                               "Post (2)",
                                               "Post (3)",
                                               "New",
                                               "[Work]",
                                               "[Banking/Cards]",
                                               "Visa",
                                               "Visa (2)",
                                               "[(no name)]",
                                               "(no title)",
                                               "[" + strCut + "]",
                                               strCut,
                                               std::string(251, 'x') + " (2)"};
    EXPECT_EQ(Layout(m_doc), expected);
    EXPECT_EQ(Counts(importer.Summary()),
              "Imported 8 accounts in 4 groups; left out: nothing. Names longer than 255 "
              "characters were cut: 1 group (" +
                  std::string(40, 'x') + "..." + std::string(17, 'x') + "), 2 accounts.");
}

TEST_F(Importer, RefusesTextsTheCodePageCannotHoldAndCountsWhatIsLeftOut) {
    CImporter importer(m_doc, CCodePage::Default());
    SImportEntry greek = Entry({"Mail"}, "Bank");
    greek.strPassword = "\xCE\xA9mega"; // Ω is not in windows-1252
    importer.Add(greek);
    importer.Add(Entry({"\xCE\xA9"}, "Other"));
    // A long name is shortened in the list, not cut inside a character.
    importer.Add(Entry({"G"}, std::string(59, 'x') + "\xCE\xA9" + std::string(1000, 'y')));
    SImportEntry carried = Entry({"Work"}, "Caf\xC3\xA9", "one\ntwo\r\nthree\rfour");
    carried.LeaveOut(ELeftOut::customField, 2);
    carried.LeaveOut(ELeftOut::oneTimePassword);
    importer.Add(carried);
    EXPECT_EQ(Layout(m_doc), (std::vector<std::string>{"[Mail]", "Post", "[Work]", "Caf\xE9"}));
    EXPECT_EQ(m_doc.Records().back().Comments(), "one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(importer.Summary(),
              "Imported 1 account in 1 group; left out: 3 entries with characters that the code "
              "page windows-1252 cannot hold (\"Bank\" in Mail; \"Other\" in \xCE\xA9; \"" +
                  std::string(59, 'x') +
                  "...\" in G), 2 custom fields, 1 one-time-password setting.\n\n"
                  "Accounts that lost something:\n"
                  "\"Caf\xC3\xA9\" in Work: 2 custom fields, 1 one-time-password setting");
}

// The CSV columns that entries carried in no text are named once each, in
// the order first met, after the counts; an entry that was not imported
// names none.
TEST_F(Importer, NamesTheColumnsNotRead) {
    std::vector<std::string> astrMany;
    std::string strMany = "the columns ";
    for (int i = 1; i <= 45; ++i) {
        astrMany.push_back("c" + std::to_string(i));
        strMany += i > 40 ? "" : (i > 1 ? ", " : "") + ("\"c" + std::to_string(i) + "\"");
    }
    const struct {
        const char* pszCase;
        std::vector<std::vector<std::string>> columns; // of each entry
        std::string strLeftOut;
    } CASES[] = {
        {"one, twice", {{"guid"}, {"guid"}}, "the column \"guid\""},
        {"two", {{"fav"}, {"guid", "fav"}}, "the columns \"fav\" and \"guid\""},
        {"three", {{"a", "b"}, {}, {"c"}}, "the columns \"a\", \"b\" and \"c\""},
        {"a crafted header", {astrMany}, strMany + " and 5 more"},
    };
    for (const auto& c : CASES) {
        CCofferDoc doc;
        CImporter importer(doc, CCodePage::Default());
        SImportEntry refused = Entry({"G"}, "\xCE\xA9");
        refused.astrUnreadColumns = {"never shown"};
        importer.Add(refused);
        for (const std::vector<std::string>& astrColumns : c.columns) {
            SImportEntry entry = Entry({"G"}, "T");
            entry.astrUnreadColumns = astrColumns;
            entry.LeaveOut(ELeftOut::webSite, 2);
            importer.Add(entry);
        }
        const std::string strCount = std::to_string(2 * c.columns.size());
        EXPECT_EQ(Counts(importer.Summary()),
                  "Imported " + std::to_string(c.columns.size()) + " account" +
                      (c.columns.size() == 1 ? "" : "s") +
                      " in 1 group; left out: 1 entry with characters that the code page "
                      "windows-1252 cannot hold (\"\xCE\xA9\" in G), " +
                      strCount + " further web sites, " + c.strLeftOut + ".")
            << c.pszCase;
    }
}

// With a clash handler, a name the receiving group held before the import is
// asked about as a drop asks: yes replaces it, "yes to all" replaces every
// further clash without asking, no leaves the entry out, cancel stops the
// import where it stands. Names repeated within the file get their suffix.
TEST(ImporterClash, AnswersActAsADropsDo) {
    using A = EReplaceAnswer;
    const struct {
        const char* pszCase;
        std::vector<A> answers;
        std::vector<std::string> asked;
        std::vector<std::string> layout; // after Finish; accounts as name=password
        std::vector<std::string> receiving;
        std::string strSummary;
    } CASES[] = {
        {"yes, yes",
         {A::yes, A::yes},
         {"Post", "Card"},
         {"[Mail]", "Post=new1", "Post (2)=new2", "Card=new4", "[Work]", "Job=new3"},
         {"Mail", "Work"},
         "Imported 4 accounts in 2 groups; left out: nothing."},
        {"yes to all",
         {A::yesToAll},
         {"Post"},
         {"[Mail]", "Post=new1", "Post (2)=new2", "Card=new4", "[Work]", "Job=new3"},
         {"Mail", "Work"},
         "Imported 4 accounts in 2 groups; left out: nothing."},
        {"no to each",
         {A::no, A::no, A::no},
         {"Post", "Post", "Card"},
         {"[Mail]", "Card=old", "Post=old", "[Work]", "Job=new3"},
         {"Work"},
         "Imported 1 account in 1 group; left out: 3 entries whose account the group already "
         "held and kept."},
        {"no, then yes",
         {A::no, A::yes, A::no},
         {"Post", "Post", "Card"},
         {"[Mail]", "Card=old", "Post=new2", "[Work]", "Job=new3"},
         {"Mail", "Work"},
         "Imported 2 accounts in 2 groups; left out: 2 entries whose account the group already "
         "held and kept."},
        {"yes, then cancel",
         {A::yes, A::cancel},
         {"Post", "Card"},
         {"[Mail]", "Card=old", "Post=new1", "Post (2)=new2", "[Work]", "Job=new3"},
         {"Mail", "Work"},
         "Imported 3 accounts in 2 groups; left out: nothing."},
        {"cancel at once",
         {A::cancel},
         {"Post"},
         {"[Mail]", "Card=old", "Post=old", "[Work]"},
         {},
         "Imported 0 accounts in 0 groups; left out: nothing."},
    };
    for (const auto& c : CASES) {
        CCofferDoc doc;
        doc.AddGroup("Mail");
        for (const char* pszName : {"Post", "Card"}) {
            CPasswordInfo account;
            account.SetAccount(pszName);
            account.SetPassword("old");
            doc.AddAccount("Mail", account);
        }
        doc.AddGroup("Work");
        CImporter importer(doc, CCodePage::Default());
        std::vector<std::string> asked;
        std::size_t nNext = 0;
        importer.SetClashHandler([&](const std::string& strName) {
            asked.push_back(strName);
            return nNext < c.answers.size() ? c.answers[nNext++] : A::cancel;
        });
        const char* const ENTRIES[][3] = {{"Mail", "Post", "new1"},
                                          {"Mail", "Post", "new2"},
                                          {"Work", "Job", "new3"},
                                          {"Mail", "Card", "new4"}};
        for (const auto& e : ENTRIES) {
            SImportEntry entry = Entry({e[0]}, e[1]);
            entry.strPassword = e[2];
            importer.Add(entry);
        }
        // The replaced accounts stay in the list until the import ends.
        const std::size_t nBeforeFinish = doc.Records().size();
        importer.Finish();
        std::vector<std::string> layout;
        for (const CPasswordInfo& info : doc.Records())
            layout.push_back(info.IsGroup() ? "[" + info.Group() + "]"
                                            : info.Account() + "=" + info.Password());
        EXPECT_EQ(asked, c.asked) << c.pszCase;
        EXPECT_EQ(layout, c.layout) << c.pszCase;
        EXPECT_EQ(importer.ReceivingGroups(), c.receiving) << c.pszCase;
        EXPECT_EQ(importer.Summary(), c.strSummary) << c.pszCase;
        EXPECT_EQ(importer.HasChanged(), !c.receiving.empty()) << c.pszCase;
        EXPECT_EQ(
            nBeforeFinish - doc.Records().size(),
            static_cast<std::size_t>(std::count(c.layout.begin(), c.layout.end(), "Post=new1") +
                                     std::count(c.layout.begin(), c.layout.end(), "Post=new2") +
                                     std::count(c.layout.begin(), c.layout.end(), "Card=new4")))
            << c.pszCase;
    }
}

// Each account that lost something is named with all it lost; an account
// that lost nothing, or an entry that was not imported, is not. A large
// import names the first ones and counts the rest.
TEST_F(Importer, NamesEachAccountThatLostSomething) {
    const struct {
        const char* pszCase;
        int nLosing;
        std::vector<std::string> astrLines;
    } CASES[] = {
        {"none", 0, {}},
        {"one", 1, {"\"A0\" in Web: 3 custom fields, 1 attachment, the column \"guid\""}},
        {"one too many",
         21,
         {"\"A19\" in Web: 3 custom fields, 1 attachment, the column \"guid\"",
          "and 1 more account"}},
        {"many",
         1000,
         {"\"A19\" in Web: 3 custom fields, 1 attachment, the column \"guid\"",
          "and 980 more accounts"}},
    };
    for (const auto& c : CASES) {
        CCofferDoc doc;
        CImporter importer(doc, CCodePage::Default());
        importer.Add(Entry({"Web"}, "whole"));
        SImportEntry refused = Entry({"Web"}, "\xCE\xA9");
        refused.LeaveOut(ELeftOut::attachment);
        importer.Add(refused);
        for (int i = 0; i < c.nLosing; ++i) {
            SImportEntry entry = Entry({"Web"}, "A" + std::to_string(i));
            entry.LeaveOut(ELeftOut::customField, 3);
            entry.LeaveOut(ELeftOut::attachment);
            entry.astrUnreadColumns = {"guid"};
            importer.Add(entry);
        }
        std::vector<std::string> astrLines;
        std::string strList = importer.LossList();
        for (std::size_t nEnd; !strList.empty(); strList.erase(0, nEnd + 1)) {
            nEnd = std::min(strList.find('\n'), strList.size());
            astrLines.push_back(strList.substr(0, nEnd));
        }
        const std::size_t nShown = std::min<std::size_t>(c.nLosing, CImporter::MAX_LOSS_LINES);
        ASSERT_EQ(astrLines.size(), c.astrLines.empty() ? 0 : nShown + c.astrLines.size())
            << c.pszCase;
        if (c.astrLines.empty())
            continue;
        EXPECT_EQ(astrLines.front(), "Accounts that lost something:") << c.pszCase;
        EXPECT_TRUE(std::equal(c.astrLines.rbegin(), c.astrLines.rend(), astrLines.rbegin()))
            << c.pszCase << ": " << importer.LossList();
        EXPECT_EQ(importer.Summary().substr(importer.Summary().find("\n\n") + 2),
                  importer.LossList());
    }
    // A cut name is a loss too.
    CCofferDoc doc;
    CImporter importer(doc, CCodePage::Default());
    importer.Add(Entry({"G"}, std::string(300, 'n')));
    EXPECT_EQ(importer.LossList(), "Accounts that lost something:\n\"" + std::string(60, 'n') +
                                       "...\" in G: its name was cut to 255 characters");
}

// The document hears of an import once, at its end, so a view re-sorts once
// however many accounts came; an import that changed nothing says nothing.
TEST_F(Importer, TellsTheDocumentsObserverOnceAtTheEnd) {
    struct SResets final : CDocObserver {
        void OnRecordsChanged(const SRecordNotice& notice) override {
            nNotices += 1;
            nResets += notice.m_eKind == SRecordNotice::reset ? 1 : 0;
        }
        int nNotices = 0;
        int nResets = 0;
    } log;
    m_doc.SetObserver(&log);
    {
        CImporter importer(m_doc, CCodePage::Default());
        importer.SetClashHandler([](const std::string&) { return EReplaceAnswer::yes; });
        for (int i = 0; i < 50; ++i)
            importer.Add(Entry({"Banking"}, "Card " + std::to_string(i)));
        importer.Add(Entry({"Mail"}, "Post")); // replaces the old "Post"
        EXPECT_EQ(log.nNotices, 0);
        importer.Finish();
    }
    EXPECT_EQ(log.nNotices, 1);
    EXPECT_EQ(log.nResets, 1);
    EXPECT_EQ(Layout(m_doc).size(), 54u); // 3 groups, 51 accounts: the old "Post" went
    m_doc.AddGroup("After");
    EXPECT_EQ(log.nNotices, 2); // the batch is over
    CImporter(m_doc, CCodePage::Default()).Finish();
    EXPECT_EQ(log.nNotices, 2);
    m_doc.SetObserver(nullptr);
}
