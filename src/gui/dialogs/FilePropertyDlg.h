// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/FileProperties.h"

#include <QDialog>

#include <map>

class CEllipsisStatic;
class CHoverButton;
class QCheckBox;
class QLabel;

// The File Property dialog: the file's name, content counts, folder, size
// and times, and its attributes. Read-only can be changed; Hidden follows
// the name and Archive does not exist here, so both are shown disabled.
class CFilePropertyDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int IDD = 211;
    static constexpr int IDI_FILE = 129;
    static constexpr int IDI_PADLOCK_CLOSED = 460;
    static constexpr int IDI_PADLOCK_OPEN = 461;
    static constexpr int IDC_NAME = 1036;
    static constexpr int IDC_CONTAINS = 1074;
    static constexpr int IDC_LOCATION = 1053;
    static constexpr int IDC_SIZE = 1054;
    static constexpr int IDC_CREATED = 1055;
    static constexpr int IDC_MODIFIED = 1056;
    static constexpr int IDC_ACCESSED = 1057;
    // Not in the classic dialog: what the file's format protects.
    static constexpr int IDC_PROTECTION = 1058;
    static constexpr int IDC_READONLY = 1008;
    static constexpr int IDC_HIDDEN = 1069;
    static constexpr int IDC_ARCHIVE = 1070;

    explicit CFilePropertyDlg(const SFileProperties& props, QWidget* pParent = nullptr);

    // The properties with the check boxes as they are now.
    SFileProperties Result() const;

    // The control that shows a text, by control id.
    QLabel* TextControl(int nId) const;
    QCheckBox* ReadOnlyBox() const { return m_pReadOnly; }
    QCheckBox* HiddenBox() const { return m_pHidden; }
    QCheckBox* ArchiveBox() const { return m_pArchive; }
    CHoverButton* OkButton() const { return m_pOkButton; }
    CHoverButton* CancelButton() const { return m_pCancelButton; }

private:
    QCheckBox* MakeCheckBox(const char* pszText, int nId, const char* pszName);

    SFileProperties m_props;
    std::map<int, QLabel*> m_mapTexts;
    QCheckBox* m_pReadOnly = nullptr;
    QCheckBox* m_pHidden = nullptr;
    QCheckBox* m_pArchive = nullptr;
    CHoverButton* m_pOkButton = nullptr;
    CHoverButton* m_pCancelButton = nullptr;
};
