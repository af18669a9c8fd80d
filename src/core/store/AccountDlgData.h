// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"
#include "core/store/PasswordInfo.h"

// The account dialog's six texts to and from a record, for every place that
// opens the dialog (the view and the Password Bar).

// The texts the dialog handed back, as a record to copy from.
CPasswordInfo AccountTexts(const SAccountDlgData& data);
// Opens the dialog on an existing account: its texts, and the record itself
// so that it may keep its own name.
void FillAccountDlgData(SAccountDlgData& data, const CPasswordInfo& account);

class CCofferDoc;
// In a database, what the account holds beyond its texts and its entry's
// history (pAccount none for a new account); nothing otherwise, so that the
// dialog shows the texts alone.
void FillDatabaseDlgData(SAccountDlgData& data, const CCofferDoc& doc,
                         const CPasswordInfo* pAccount);
// Keeps what the dialog handed back beyond the texts for the account the
// document now holds, to be saved with it.
void KeepDatabaseExtras(CCofferDoc& doc, const CPasswordInfo* pAccount, SAccountDlgData& data);
