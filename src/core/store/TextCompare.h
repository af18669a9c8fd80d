// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

class CCodePage;

// The one "alphabetical, ignoring case" order of the program: the tree, the
// Password Bar's lists, the group lists of the dialogs and keyhaven-cli all
// sort with it. Bytes are compared after folding letters to lower case in
// the text's code page; equal texts compare 0 so that sorts stay stable.
int CompareNoCase(std::string_view a, std::string_view b, const CCodePage& codePage);

// True when strText begins with strPrefix, ignoring case the same way (the
// lists' "first item that begins with" look-up).
bool StartsWithNoCase(std::string_view strText, std::string_view strPrefix,
                      const CCodePage& codePage);
