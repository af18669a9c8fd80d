// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPushButton;
class QWidget;

// A button of one of the account dialog's tabs: its text and the name
// screen readers give it, both translated. It never takes Return from the
// dialog's own OK.
QPushButton* MakeTabButton(const char* pszText, const char* pszName, const char* pszObject,
                           QWidget* pParent);
