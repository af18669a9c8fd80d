// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/TabButton.h"

#include "platform/Translations.h"

#include <QPushButton>

QPushButton* MakeTabButton(const char* pszText, const char* pszName, const char* pszObject,
                           QWidget* pParent) {
    auto* pButton = new QPushButton(TrText(pszText), pParent);
    pButton->setObjectName(QString::fromLatin1(pszObject));
    pButton->setAccessibleName(TrText(pszName));
    pButton->setAutoDefault(false);
    return pButton;
}
