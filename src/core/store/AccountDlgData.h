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
