// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxExtras.h"

#include "core/interchange/KdbxTime.h"
#include "core/kdbx/KdbxEdit.h"
#include "core/kdbx/KdbxEntries.h"
#include "core/kdbx/KdbxRecords.h"

#include <gtest/gtest.h>

#include <list>

namespace {

constexpr std::int64_t T0 = 1700000000;
constexpr std::int64_t T1 = T0 + 3600;
const char* const URI = "otpauth://totp/Bank:ivan?secret=JBSWY3DPEHPK3PXP&issuer=Bank";

std::string XmlOf(const CKdbxFile& database) {
    std::string strXml;
    std::string strError;
    database.Xml().Write(
        strXml,
        [](std::span<const std::uint8_t> plain) { return std::string(plain.begin(), plain.end()); },
        strError);
    return strError.empty() ? strXml : "error: " + strError;
}

// An entry as another manager leaves it: its own fields, the older pair of
// one-time password fields, tags written loosely, an expiry, a file.
struct SSample {
    CKdbxFile database = NewKdbxDatabase("Vault", T0);
    CXmlElement* pEntry = nullptr;

    SSample() {
        CXmlTree& xml = database.Xml();
        pEntry = &AddKdbxEntry(xml, KdbxGroupAt(xml, "Bank", T0),
                               {{"Title", "Bank"},
                                {"E-mail", "ivan@example.org"},
                                {"PIN", "1234"},
                                {"TOTP Seed", "JBSWY3DPEHPK3PXP"},
                                {"TOTP Settings", "30;6"},
                                {"Кодовое слово", "Рыба"}},
                               T0);
        pEntry->SetChildText(xml, "Tags", " a; b ,a,, ");
        pEntry->Child("Times")->SetChildText(xml, "Expires", "True");
        pEntry->Child("Times")->SetChildText(xml, "ExpiryTime", KdbxTimeText(T1));
        SKdbxBinary& item = database.Binaries().emplace_back();
        item.data = {0x00, 0xff, 'x'};
        CXmlElement& binary = pEntry->AppendChild(xml, "Binary");
        binary.SetChildText(xml, "Key", "scan.pdf");
        binary.SetChildText(xml, "Value", "").SetAttribute(xml, "Ref", "0");
    }
};

} // namespace

TEST(KdbxExtras, ReadsWhatAnEntryHoldsBeyondItsTexts) {
    SSample sample;
    const SRecordExtras extras = KdbxEntryExtras(sample.database, *sample.pEntry);
    const std::vector<SRecordField> fields{{"PIN", "1234", false},
                                           {"Кодовое слово", "Рыба", false}};
    EXPECT_EQ(extras.fields, fields); // the e-mail and the one-time password are not fields
    EXPECT_EQ(extras.strOtp.rfind("otpauth://totp/", 0), 0u);
    EXPECT_NE(extras.strOtp.find("secret=JBSWY3DPEHPK3PXP"), std::string::npos);
    EXPECT_EQ(extras.tags, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(extras.nExpiry, T1);
    ASSERT_EQ(extras.attachments.size(), 1u);
    EXPECT_EQ(extras.attachments[0].strName, "scan.pdf");
    EXPECT_EQ(extras.attachments[0].bytes, std::string("\x00\xffx", 3));
}

TEST(KdbxExtras, WritesOnlyWhatChangedAsKeePassKeepsIt) {
    SSample sample;
    CKdbxFile& database = sample.database;
    CXmlElement& entry = *sample.pEntry;
    const std::string strBefore = XmlOf(database);
    // Setting what the entry holds changes nothing, not even the older
    // one-time password pair that reads as a URI.
    EXPECT_FALSE(SetKdbxEntryExtras(database, entry, KdbxEntryExtras(database, entry)));
    EXPECT_EQ(XmlOf(database), strBefore);

    SRecordExtras extras = KdbxEntryExtras(database, entry);
    extras.fields = {{"Кодовое слово", "Рыба", true}, {"Q", "a<b&c", false}};
    extras.strOtp = URI;
    extras.tags = {"x", "y"};
    extras.nExpiry.reset();
    const std::string strBytes("\x00\xffx", 3);
    extras.attachments = {{"copy.pdf", strBytes}, {"new.txt", "hello"}};
    EXPECT_TRUE(SetKdbxEntryExtras(database, entry, extras));

    EXPECT_EQ(KdbxEntryExtras(database, entry), extras);
    EXPECT_FALSE(KdbxEntryField(entry, "PIN"));
    EXPECT_FALSE(KdbxEntryField(entry, "TOTP Seed"));
    EXPECT_FALSE(KdbxEntryField(entry, "TOTP Settings"));
    EXPECT_EQ(KdbxEntryField(entry, "otp"), URI);
    EXPECT_EQ(KdbxEntryField(entry, "E-mail"), "ivan@example.org");
    EXPECT_EQ(entry.ChildText("Tags"), "x;y");
    EXPECT_EQ(entry.Child("Times")->ChildText("Expires"), "False");
    for (const CXmlElement& child : entry.Children()) {
        if (child.Name() == "String" &&
            (child.ChildText("Key") == "otp" || child.ChildText("Key") == "Кодовое слово")) {
            EXPECT_TRUE(child.Child("Value")->IsProtected()) << child.ChildText("Key");
        }
    }
    // The same bytes share the pool's item; new ones join it.
    EXPECT_EQ(database.Binaries().size(), 2u);
    // Strings and files stay before the entry's AutoType and History.
    const auto& children = entry.Children();
    const auto itAutoType =
        std::find_if(children.begin(), children.end(),
                     [](const CXmlElement& c) { return c.Name() == "AutoType"; });
    EXPECT_TRUE(std::none_of(itAutoType, children.end(), [](const CXmlElement& c) {
        return c.Name() == "String" || c.Name() == "Binary";
    }));

    extras.strOtp.clear();
    extras.attachments.clear();
    EXPECT_TRUE(SetKdbxEntryExtras(database, entry, extras));
    EXPECT_FALSE(KdbxEntryField(entry, "otp"));
    EXPECT_EQ(KdbxEntryExtras(database, entry), extras);
}

TEST(KdbxExtras, TagsAreSplitAndJoinedAsKeePassWritesThem) {
    const struct {
        const char* pszTags;
        std::vector<std::string> tags;
    } cases[] = {{"", {}},
                 {"one", {"one"}},
                 {"a;b,c", {"a", "b", "c"}},
                 {" a ; ; a, b ", {"a", "b"}},
                 {"Работа;家", {"Работа", "家"}}};
    for (const auto& c : cases)
        EXPECT_EQ(SplitKdbxTags(c.pszTags), c.tags) << c.pszTags;
    EXPECT_EQ(JoinKdbxTags({"a", "b c"}), "a;b c");
}

TEST(KdbxExtras, ExtrasGoIntoTheEntryWithItsTextsAsOneVersionOfItsHistory) {
    SSample sample;
    CKdbxFile& database = sample.database;
    CKdbxRecords shown;
    std::list<CPasswordInfo> records;
    shown.Show(database, records);
    CPasswordInfo& bank = records.back();
    ASSERT_EQ(bank.Account(), "Bank");
    const SRecordExtras before = KdbxEntryExtras(database, *shown.EntryOf(database, bank));

    // Extras set as the entry holds them make no version.
    shown.SetExtras(bank, before);
    shown.Apply(database, records, T1);
    EXPECT_TRUE(KdbxEntryHistory(database, *shown.EntryOf(database, bank)).empty());

    SRecordExtras extras = before;
    extras.fields.push_back({"Card", "4111", true});
    shown.SetExtras(bank, extras);
    EXPECT_EQ(*shown.ExtrasSetFor(bank), extras);
    bank.SetUserName("ivan");
    shown.Apply(database, records, T1);
    EXPECT_FALSE(shown.ExtrasSetFor(records.back()));
    const CXmlElement* pEntry = shown.EntryOf(database, records.back());
    ASSERT_TRUE(pEntry);
    EXPECT_EQ(KdbxEntryExtras(database, *pEntry), extras);
    EXPECT_EQ(KdbxEntryField(*pEntry, "UserName"), "ivan");
    const std::vector<SRecordVersion> history = KdbxEntryHistory(database, *pEntry);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].nModified, T0);
    EXPECT_EQ(history[0].strAccount, "Bank");
    EXPECT_EQ(history[0].strUserName, "");
    EXPECT_EQ(history[0].strEMail, "ivan@example.org");
    EXPECT_EQ(history[0].extras, before);
}

TEST(KdbxExtras, ANewAccountAndItsCopyTakeTheExtrasSetForIt) {
    CKdbxFile database = NewKdbxDatabase("Vault", T0);
    CKdbxRecords shown;
    std::list<CPasswordInfo> records;
    shown.Show(database, records);
    CPasswordInfo& added = records.emplace_back();
    added.SetAccount("Mail");
    SRecordExtras extras;
    extras.fields = {{"Recovery", "abc", true}};
    extras.tags = {"new"};
    shown.SetExtras(added, extras);
    EXPECT_NE(added.m_nEntryId, 0u);
    records.push_back(added);
    shown.Apply(database, records, T1);
    for (const CPasswordInfo& record : records) {
        if (record.IsGroup())
            continue;
        const CXmlElement* pEntry = shown.EntryOf(database, record);
        ASSERT_TRUE(pEntry);
        EXPECT_EQ(KdbxEntryExtras(database, *pEntry), extras);
        EXPECT_TRUE(KdbxEntryHistory(database, *pEntry).empty());
    }
    EXPECT_NE(records.back().m_nEntryId, std::next(records.begin())->m_nEntryId);
}

TEST(KdbxExtras, AFileNoEntryRefersToLeavesThePoolAndTheOthersKeepTheirs) {
    SSample sample; // "scan.pdf" is the pool's first item
    CKdbxFile& database = sample.database;
    CXmlTree& xml = database.Xml();
    CXmlElement& other = AddKdbxEntry(xml, KdbxGroupAt(xml, "", T0), {{"Title", "Other"}}, T0);
    SRecordExtras otherExtras;
    otherExtras.attachments = {{"kept.txt", "kept"}, {"old.txt", "old"}};
    SetKdbxEntryExtras(database, other, otherExtras);
    // An earlier version keeps "old.txt" alive; "scan.pdf" goes with the
    // only entry that had it.
    ChangeKdbxEntry(database, other, T1, [&](CXmlTree&) {
        otherExtras.attachments.pop_back();
        SetKdbxEntryExtras(database, other, otherExtras);
    });
    SRecordExtras extras = KdbxEntryExtras(database, *sample.pEntry);
    extras.attachments.clear();
    SetKdbxEntryExtras(database, *sample.pEntry, extras);
    ASSERT_EQ(database.Binaries().size(), 3u);

    DropUnusedKdbxBinaries(database);
    EXPECT_EQ(database.Binaries().size(), 2u);
    EXPECT_EQ(KdbxEntryExtras(database, other), otherExtras);
    const std::vector<SRecordVersion> history = KdbxEntryHistory(database, other);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].extras.attachments[1], (SRecordAttachment{"old.txt", "old"}));
    const std::string strXml = XmlOf(database);
    DropUnusedKdbxBinaries(database); // nothing more to drop
    EXPECT_EQ(XmlOf(database), strXml);

    // The last file goes; the first stays where it is, bytes and all.
    SSample kept;
    SRecordExtras keptExtras = KdbxEntryExtras(kept.database, *kept.pEntry);
    keptExtras.attachments.push_back({"gone.txt", "gone"});
    SetKdbxEntryExtras(kept.database, *kept.pEntry, keptExtras);
    keptExtras.attachments.pop_back();
    SetKdbxEntryExtras(kept.database, *kept.pEntry, keptExtras);
    DropUnusedKdbxBinaries(kept.database);
    EXPECT_EQ(kept.database.Binaries().size(), 1u);
    EXPECT_EQ(KdbxEntryExtras(kept.database, *kept.pEntry), keptExtras);
}
