// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

class CCofferDoc;

// Fills a new document (one group "My Passwords") from an outline, the
// groups separated by " / ": "Bank: Loan=bank-loan, Card / Mail: Home / Empty".
// The first group takes the place of "My Passwords"; the others follow in
// the order given, and each group's accounts are added in the order given
// (each goes to the head of its group, as added accounts do). An account's
// password follows "=" (else "pw"); its user name is "user-NAME" and its
// comments "about NAME".
void BuildSampleDocument(CCofferDoc& doc, std::string_view strOutline);
