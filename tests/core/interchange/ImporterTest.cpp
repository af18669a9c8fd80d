#include "core/interchange/Importer.h"

#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"

#include <gtest/gtest.h>

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

// The document as "[group]" and account names in list order.
std::vector<std::string> Layout(const CCofferDoc& doc) {
    std::vector<std::string> astrLayout;
    for (const CPasswordInfo& info : doc.m_listInfo)
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
    EXPECT_EQ(importer.Summary(), "Imported 8 accounts in 4 groups; left out: nothing.");
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
    EXPECT_EQ(m_doc.m_listInfo.back().Comments(), "one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(importer.Summary(),
              "Imported 1 account in 1 group; left out: 3 entries with characters that the code "
              "page windows-1252 cannot hold (\"Bank\" in Mail; \"Other\" in \xCE\xA9; \"" +
                  std::string(59, 'x') +
                  "...\" in G), 2 custom fields, 1 one-time-password setting.");
}
