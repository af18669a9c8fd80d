// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the demo password file that a newcomer opens on the first run: a
// few groups of made-up accounts, protected by the KEY "demo". It uses the
// program's own writer, so the file is exactly what the program would save.
//
//   keyhaven-make-demo OUT.pwd

#include "core/store/CofferDoc.h"
#include "core/store/FieldCipher.h"
#include "core/store/FileIO.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* DEMO_KEY = "demo";

struct SDemoAccount {
    const char* pszGroup;
    const char* pszAccount;
    const char* pszUserName;
    const char* pszPassword;
    const char* pszWebSite;
    const char* pszEMail;
    const char* pszComments;
};

// Comments use CR LF, as the program's comment box writes them.
const SDemoAccount DEMO_ACCOUNTS[] = {
    {"Banking", "Example Savings Bank", "j.doe.1984", "Tq8#rV2m!pL", "https://bank.example.com",
     "service@bank.example.com", "Card PIN is not kept here.\r\nTelephone code: ask the branch."},
    {"Banking", "Brokerage", "jdoe-invest", "m4R!tz90Qa", "https://invest.example.com", "",
     "Two-factor codes go to the phone."},
    {"Banking", "Credit Card", "jane.doe", "Kc7$wq1Z", "https://cards.example.org", "",
     "Statement on the 3rd of each month."},
    {"Email", "Example Mail", "jane.doe@example.org", "correct-horse-42",
     "https://mail.example.org", "jane.doe@example.org",
     "Recovery address: jane.backup@example.com"},
    {"Email", "Mailing List Admin", "news-admin", "Zp3!vB8y", "https://lists.example.org/admin",
     "lists@example.org", ""},
    {"Email", "Chat", "janed", "b1rd-S0ng-77", "https://chat.example.com", "", ""},
    {"Shopping", "Bookshop", "jane.doe@example.org", "R3adM0re!", "https://books.example.com",
     "orders@books.example.com", "Member number 55-1209"},
    {"Shopping", "Groceries", "janedoe", "Fr3sh-Gr33n", "https://shop.example.org", "",
     "Delivery on Saturdays."},
    {"Shopping", "Travel Agency", "JDOE77", "Fly2-Sea!", "https://travel.example.com",
     "support@travel.example.com", "Frequent traveller no. FT-884213"},
    {"Work", "Intranet", "jdoe", "W0rk!Day9", "https://intranet.example.com", "it-help@example.com",
     "The password changes every 90 days."},
    {"Work", "Issue Tracker", "jane.doe", "Tr4ck-It-Down", "https://issues.example.com", "", ""},
    {"Work", "VPN", "jdoe", "vPn#2024x", "https://vpn.example.com", "",
     "Use the client profile \"Office\"."},
    {"Work", "Guest Wi-Fi", "guest", "WelcomeGuest55", "", "", "Network name: Example-Guest"},
};

bool FillDemo(CCofferDoc& doc) {
    doc.OnNewDocument();
    doc.SetKey(DEMO_KEY);
    // A new document starts with one group; the demo's first group takes its place.
    doc.RenameGroup(doc.FindGroup(DEFAULT_GROUP_NAME), DEMO_ACCOUNTS[0].pszGroup);
    for (const SDemoAccount& demo : DEMO_ACCOUNTS) {
        if (doc.FindGroup(demo.pszGroup) == nullptr && doc.AddGroup(demo.pszGroup) == nullptr)
            return false;
        CPasswordInfo texts;
        texts.SetAccount(demo.pszAccount);
        texts.SetUserName(demo.pszUserName);
        texts.SetPassword(demo.pszPassword);
        texts.SetWebSite(demo.pszWebSite);
        texts.SetEMail(demo.pszEMail);
        texts.SetComments(demo.pszComments);
        if (doc.AddAccount(demo.pszGroup, texts) == nullptr)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.pwd\n", argv[0]);
        return 2;
    }
    const std::string strPath = argv[1];
    CCofferDoc doc;
    if (!FillDemo(doc)) {
        std::fprintf(stderr, "%s: the demo accounts do not fit the store's rules\n", argv[0]);
        return 1;
    }
    const EFileError eError = doc.WriteArchiveFile(strPath);
    if (eError != EFileError::none) {
        std::fprintf(stderr, "%s: %s\n", argv[0], FileErrorMessage(eError, strPath).c_str());
        return 1;
    }
    return 0;
}
