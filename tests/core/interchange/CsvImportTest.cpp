// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/CsvImport.h"
#include "core/interchange/CsvReader.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using CRows = std::vector<std::vector<std::string>>;

CRows ReadAll(std::string_view strText, CCsvReader::EResult& eLast, std::size_t nMax = 256) {
    CCsvReader reader(strText, nMax);
    CRows rows;
    std::vector<std::string> astrRow;
    while ((eLast = reader.NextRow(astrRow)) == CCsvReader::EResult::row)
        rows.push_back(astrRow);
    return rows;
}

std::vector<SImportEntry> Entries(std::string_view strText, std::string* pError = nullptr) {
    std::vector<SImportEntry> entries;
    std::string strError;
    const bool bOk = ReadCsvEntries(
        strText, [&](const SImportEntry& entry) { entries.push_back(entry); }, strError);
    EXPECT_EQ(bOk, pError == nullptr) << strError;
    if (pError)
        *pError = strError;
    return entries;
}

} // namespace

TEST(CsvReader, SplitsAwkwardQuoting) {
    const struct {
        const char* pszName;
        std::string_view strText;
        CRows rows;
    } CASES[] = {
        {"plain", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        {"byte order mark",
         "\xEF\xBB\xBF"
         "a,b",
         {{"a", "b"}}},
        {"doubled quotes", R"("say ""hi""",x)", {{R"(say "hi")", "x"}}},
        {"comma and breaks in quotes", "\"a,\nb\r\nc\",d\r\ne", {{"a,\nb\r\nc", "d"}, {"e"}}},
        {"empty fields", ",\"\",\n", {{"", "", ""}}},
        {"blank lines skipped", "\n\r\na\r\r\nb", {{"a"}, {"b"}}},
        {"stray quote is text", "ab\"c,d\"e\"", {{"ab\"c", "d\"e\""}}},
        {"text after closing quote", "\"a\"b,c", {{"ab", "c"}}},
        {"no final line end", "a,\"b\"", {{"a", "b"}}},
    };
    for (const auto& test : CASES) {
        CCsvReader::EResult eLast{};
        EXPECT_EQ(ReadAll(test.strText, eLast), test.rows) << test.pszName;
        EXPECT_EQ(eLast, CCsvReader::EResult::end) << test.pszName;
    }
}

TEST(CsvReader, RefusesAnOpenQuoteAndBoundsTheFields) {
    CCsvReader::EResult eLast{};
    EXPECT_EQ(ReadAll("a\n\"b,\nc", eLast).size(), 1U);
    EXPECT_EQ(eLast, CCsvReader::EResult::openQuote);
    // A line of commas keeps only the fields any header can name.
    const CRows rows = ReadAll(std::string(100000, ',') + "\nx", eLast, 4);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0].size(), 4U);
    EXPECT_EQ(rows[1], std::vector<std::string>{"x"});
}

// An entry as one line: "group/path|title|user|password|url|notes|e-mail|
// what is left out|the columns not read".
std::string Described(const SImportEntry& entry) {
    static const char* const KINDS[] = {"custom ", "otp ", "file ", "tags ", "expiry ", "web "};
    static_assert(std::size(KINDS) == static_cast<std::size_t>(ELeftOut::COUNT));
    std::string strPath;
    for (const std::string& strName : entry.astrGroupPath)
        strPath += (strPath.empty() ? "" : "/") + strName;
    std::string strLeftOut;
    for (std::size_t i = 0; i < std::size(KINDS); ++i) {
        if (entry.anLeftOut[i] > 0)
            strLeftOut +=
                (strLeftOut.empty() ? "" : ",") + (KINDS[i] + std::to_string(entry.anLeftOut[i]));
    }
    std::string strUnread;
    for (const std::string& strColumn : entry.astrUnreadColumns)
        strUnread += (strUnread.empty() ? "" : ",") + strColumn;
    return strPath + "|" + entry.strTitle + "|" + entry.strUserName + "|" + entry.strPassword +
           "|" + entry.strUrl + "|" + entry.strNotes + "|" + entry.strEMail + "|" + strLeftOut +
           "|" + strUnread;
}

// A row of a wide header, every field quoted, empty where no value is given.
std::string Filled(const std::string& strHeader,
                   const std::vector<std::pair<std::string, std::string>>& values) {
    std::string strRow;
    std::size_t nStart = 0;
    for (bool bFirst = true; nStart <= strHeader.size(); bFirst = false) {
        std::size_t nEnd = strHeader.find(',', nStart);
        if (nEnd == std::string::npos)
            nEnd = strHeader.size();
        const std::string strColumn = strHeader.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        std::string strValue;
        for (const auto& [strName, strGiven] : values)
            strValue = strName == strColumn ? strGiven : strValue;
        std::string strQuoted;
        for (const char c : strValue)
            strQuoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        strRow += (bFirst ? "\"" : ",\"") + strQuoted + "\"";
    }
    return strRow + "\n";
}

TEST(CsvImport, ReadsEachDialectByItsHeader) {
    const std::string strNordPass =
        "name,url,additional_urls,username,password,note,cardholdername,cardnumber,cvc,pin,"
        "expirydate,zipcode,folder,shared_folder,full_name,phone_number,email,address1,address2,"
        "city,country,state,type,custom_fields";
    const struct {
        const char* pszDialect;
        std::string strText;
        std::vector<std::string> entries;
    } CASES[] = {
        // The root's name is dropped from a longer path, kept when alone;
        // the standard icon is no loss, another one is.
        {"KeePassXC",
         "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\",\"Icon\","
         "\"Last Modified\",\"Created\"\n"
         "\"Root/Banking/Cards\",\"Visa\",\"me\",\"p,\"\"w\",\"https://v\",\"l1\nl2\","
         "\"otpauth://totp/Visa:me?secret=JBSWY3DPEHPK3PXP\",\"0\",\"2024-05-02T10:00:00Z\","
         "\"2024-05-01T09:00:00Z\"\n"
         "\"Root\",\"Top\",\"\",\"\",\"\",\"\",\"\",\"12\",\"\",\"\"\n",
         {"Banking/Cards|Visa|me|p,\"w|https://v|l1\nl2||otp 1|Last Modified,Created",
          "Root|Top|||||||Icon"}},
        {"our own export",
         "Group,Title,Username,Password,URL,Notes,E-mail\nRoot/Mail,T,,,,,a@b\n",
         {"Mail|T|||||a@b||"}},
        {"Bitwarden",
         "folder,favorite,type,name,notes,fields,reprompt,login_uri,login_username,"
         "login_password,login_totp\n"
         "Mail,1,login,Post,n,\"EMAIL: x@y\nPIN: 1\",0,\"https://p,https://q\",u,pw,otp\n"
         ",,note,Memo,text,,1,https://left.example,,,\n",
         {"Mail|Post|u|pw|https://p|n|x@y|custom 1,otp 1,web 1|favorite",
          "(no folder)|Memo||||text|||reprompt,login_uri"}},
        // Without a name the web site's host names the account.
        {"Chrome",
         "name,url,username,password,note\nShop,https://shop.example/a,u,p,n\n",
         {"Imported|Shop|u|p|https://shop.example/a|n|||"}},
        // Firefox's own account is no web site's login.
        {"Firefox",
         "\"url\",\"username\",\"password\",\"httpRealm\",\"formActionOrigin\",\"guid\","
         "\"timeCreated\",\"timeLastUsed\",\"timePasswordChanged\"\n"
         "\"chrome://FirefoxAccounts\",\"sync@example.org\",\"{\"\"version\"\":1}\",\"Firefox "
         "Accounts credentials\",,\"{1}\",\"1\",\"1\",\"1\"\n"
         "\"https://me@mail.example.org:8443\",\"u\",\"p\",,\"https://mail.example.org:8443\","
         "\"{2}\",\"1712345678901\",\"1712345678901\",\"1712345678901\"\n",
         {"Imported|mail.example.org|u|p|https://me@mail.example.org:8443|||"
          "|formActionOrigin,guid,timeCreated,timeLastUsed,timePasswordChanged"}},
        {"Safari",
         "Title,URL,Username,Password,Notes,OTPAuth\n"
         "example.com (ann),https://example.com/,ann,\"pa\"\"ss\",\"first\r\nsecond\","
         "otpauth://totp/example.com:ann?secret=JBSWY3DPEHPK3PXP&issuer=example.com\n"
         ",https://bare.example/,bo,pw,,\n",
         {"Imported|example.com (ann)|ann|pa\"ss|https://example.com/|first\r\nsecond||otp 1|",
          "Imported|bare.example|bo|pw|https://bare.example/||||"}},
        {"1Password",
         "Title,Url,Username,Password,OTPAuth,Favorite,Archived,Tags,Notes\n"
         "Bank,https://bank.example,me,pw,otpauth://totp/Bank?secret=JBSWY3DPEHPK3PXP,true,"
         "false,\"money,home\",\"line1\nline2\"\n"
         "Router,,admin,pw2,,false,true,,\n",
         {"Imported|Bank|me|pw|https://bank.example|line1\nline2||otp 1,tags 1|Favorite",
          "Imported|Router|admin|pw2|||||Archived"}},
        // A secure note's web address is "http://sn"; folders nest with "\".
        {"LastPass",
         "url,username,password,totp,extra,name,grouping,fav\n"
         "https://github.com/login,octo,gh,JBSWY3DPEHPK3PXP,\"my, note\",GitHub,Work\\Code,1\n"
         "http://sn,,,,\"NoteType:Server\nHostname:box\",Server note,(none),0\n",
         {"Work/Code|GitHub|octo|gh|https://github.com/login|my, note||otp 1|fav",
          "(no folder)|Server note||||NoteType:Server\nHostname:box|||"}},
        {"Dashlane",
         "username,username2,username3,title,password,note,url,category,otpSecret\n"
         "ann@example.com,ann.b,,Mail,pw,\"a, b\",https://mail.example,Personal,JBSWY3DP\n"
         "\"bo\",\"\",\"\",\"Forum\",\"x\",\"\",\"https://forum.example\",\"\",\"\"\n",
         {"Personal|Mail|ann@example.com|pw|https://mail.example|a, b||otp 1|username2",
          "(no folder)|Forum|bo|x|https://forum.example||||"}},
        // A folder's own row is no entry; a card keeps its name and folder,
        // and its details show as columns not read.
        {"NordPass",
         strNordPass + "\n" + Filled(strNordPass, {{"name", "Work"}, {"type", "folder"}}) +
             Filled(
                 strNordPass,
                 {{"name", "Portal"},
                  {"url", "https://portal.example"},
                  {"additional_urls", R"(["https://files.example", "https://a.example/?q=[1,2]"])"},
                  {"username", "alex"},
                  {"password", "pw"},
                  {"note", "multi\nline"},
                  {"folder", "Work"},
                  {"shared_folder", "Team"},
                  {"type", "password"},
                  {"custom_fields", R"([{"label":"PIN","type":"hidden","value":"1,2"},)"
                                    R"({"label":"Hint","type":"text","value":"a\"},{\"b"}])"}}) +
             Filled(strNordPass, {{"name", "Visa"},
                                  {"cardholdername", "Alex"},
                                  {"cardnumber", "4111111111111111"},
                                  {"cvc", "123"},
                                  {"type", "credit_card"}}),
         {"Team/Work|Portal|alex|pw|https://portal.example|multi\nline||custom 2,web 2|",
          "(no folder)|Visa|||||||cardholdername,cardnumber,cvc"}},
        // The url column lists the web sites filled in by default, the
        // newer autofillUrls all of them.
        {"Proton Pass",
         "type,name,url,email,username,password,note,totp,createTime,modifyTime,vault\n"
         "login,GitHub,\"https://github.com, https://gist.github.com\",ann@example.com,octo,pw,"
         "\"n1\nn2\",otpauth://totp/GitHub?secret=JBSWY3DPEHPK3PXP,1700000000,1700000001,"
         "Personal\n"
         "alias,Shop alias,,shop.x@passmail.net,,,,,1700000002,,Personal\n",
         {"Personal|GitHub|octo|pw|https://github.com|n1\nn2|ann@example.com|otp 1,web 1"
          "|createTime,modifyTime",
          "Personal|Shop alias|||||shop.x@passmail.net||createTime"}},
        {"Proton Pass with autofillUrls",
         "type,name,url,autofillUrls,email,username,password,note,totp,createTime,modifyTime,"
         "vault\n"
         "login,Bank,https://bank.example,\"[{\"\"url\"\":\"\"https://bank.example\"\","
         "\"\"mode\"\":0},{\"\"url\"\":\"\"https://x.example\"\",\"\"mode\"\":1},{\"\"url\"\":"
         "\"\"https://y.example\"\",\"\"mode\"\":2}]\",,me,pw,,,,,Work\n",
         {"Work|Bank|me|pw|https://bank.example|||web 2|"}},
    };
    for (const auto& test : CASES) {
        std::vector<std::string> described;
        for (const SImportEntry& entry : Entries(test.strText))
            described.push_back(Described(entry));
        EXPECT_EQ(described, test.entries) << test.pszDialect;
    }
}

// Whatever the dialect, a column it does not read is named by its header
// label, also one without a name, a repeated one and one past the last
// field kept; only columns that hold more than blanks count.
TEST(CsvImport, NamesEveryColumnNotRead) {
    std::string strWide(300, ',');
    strWide[0] = 'u';
    strWide.insert(280, "x");
    const std::vector<SImportEntry> entries =
        Entries("url,username,password,Title, Notes ,,url,blank\n"
                "https://a.example,u,p,Ann,\"a note\",x,https://b.example, \n" +
                strWide + "\n");
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_EQ(entries[0].astrUnreadColumns,
              (std::vector<std::string>{"Title", "Notes", "column 6", "url (column 7)"}));
    EXPECT_EQ(entries[1].astrUnreadColumns, (std::vector<std::string>{"column 257 and later"}));
}

TEST(CsvImport, RefusesAnUnknownHeaderListingTheKnownOnes) {
    std::string strError;
    for (const char* pszText : {"a,b,c\n1,2,3\n", "", "\"Group,Title\n"}) {
        EXPECT_TRUE(Entries(pszText, &strError).empty());
        EXPECT_NE(strError.find("header"), std::string::npos) << pszText;
    }
    EXPECT_NE(strError.find("quote"), std::string::npos);
    Entries("x,y\n", &strError);
    for (const char* pszHeader :
         {"Group, Title, Username, Password, URL, Notes",
          "folder, name, notes, login_uri, login_username, login_password",
          "1Password: Title, Url, Username, Password, OTPAuth, Favorite, Archived, Tags, Notes",
          "Safari: Title, URL, Username, Password, Notes, OTPAuth",
          "LastPass: url, username, password, extra, name, grouping",
          "Dashlane: username, title, password, note, url, category",
          "NordPass: name, url, username, password, note, folder, type",
          "Proton Pass: type, name, url, username, password, note, vault",
          "url, username, password"})
        EXPECT_NE(strError.find(pszHeader), std::string::npos) << pszHeader;
    // A file cut inside quotes is reported, not read to its end as one field.
    Entries("url,username,password\nu,\"n,p\n", &strError);
    EXPECT_NE(strError.find("line 2"), std::string::npos) << strError;
}

TEST(CsvImport, SkipsEmptyRowsAndBoundsTheEntries) {
    const std::string strText = "url,username,password\n,,\n\"\",,\nx,,\n,,\ny,,\n";
    EXPECT_EQ(Entries(strText).size(), 2U);
    std::string strError;
    std::size_t nHanded = 0;
    EXPECT_FALSE(ReadCsvEntries(
        strText + "z,,\n", [&](const SImportEntry&) { ++nHanded; }, strError, 2));
    EXPECT_EQ(nHanded, 2U);
    EXPECT_NE(strError.find("more than 2 entries"), std::string::npos) << strError;
}
