// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/CofferDoc.h"
#include "core/store/FileSession.h"
#include "support/SampleRecords.h"

#include <string>
#include <string_view>
#include <vector>

// Fills a new document (one group "My Passwords") from an outline, the
// groups separated by " / ": "Bank: Loan=bank-loan, Card / Mail: Home / Empty".
// The first group takes the place of "My Passwords"; the others follow in
// the order given, and each group's accounts are added in the order given
// (each goes to the head of its group, as added accounts do). An account's
// password follows "=" (else "pw"); its user name is "user-NAME" and its
// comments "about NAME".
void BuildSampleDocument(CCofferDoc& doc, std::string_view strOutline);

// Empties doc and gives it the KEY strKey (none when empty) and exactly the
// records given, in that order, accounts before any group too: groups
// through AddGroup (their name only), accounts through InsertAccount. With a
// file name the result goes through the archive reading as a file of that
// name, so FileName() and IsLoaded() say so.
void MakeKeyedDoc(CCofferDoc& doc, const std::string& strKey,
                  const std::vector<CPasswordInfo>& records = {},
                  const std::string& strFileName = {});

// Changes the document's file options as the Options dialog would.
template <typename F> void ChangeFileOptions(CFileSession& session, F fnChange) {
    SFileOptions options = session.FileOptions();
    fnChange(options);
    session.SetFileOptions(options);
}

// Changes the generator header the document's file will carry.
template <typename F> void ChangeGeneratorHeader(CCofferDoc& doc, F fnChange) {
    SGeneratorHeader header = doc.GeneratorHeader();
    fnChange(header);
    doc.SetGeneratorHeader(header);
}
