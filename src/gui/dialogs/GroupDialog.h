// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/tree/GroupChoice.h"

#include <QDialog>
#include <memory>
#include <string>

class CCofferDoc;
class CHoverComboBox;
class CPrompts;
class QBoxLayout;
class QLineEdit;

// What the three group dialogs share: the flat group list, the name edit
// with its two checks, the messages through the prompt seam, and the OK and
// Cancel icon buttons.
class CGroupDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int MAX_NAME_LENGTH = 255;
    static constexpr int IDC_NAME = 1036;

    CGroupDialog(const CCofferDoc& doc, CPrompts& prompts, const char* pszTitle, QWidget* pParent);
    ~CGroupDialog() override;

    CHoverComboBox* GroupList() const { return m_pGroupList; }
    QLineEdit* NameEdit() const { return m_pName; }

    // In: the group to preselect; out: the group chosen (Edit and Delete).
    std::string m_strGroup;
    // Out: the name typed (Add and Edit).
    std::string m_strName;

protected:
    QBoxLayout* Layout() const { return m_pLayout; }
    void AddLabel(const char* pszText);
    void AddGroupList(int nId);
    void AddNameEdit();
    // Ends the layout with the OK/Cancel row.
    void AddButtons();
    // Fills the group list and shows m_strGroup's entry; m_strGroup becomes
    // that entry's name.
    void FillGroups();
    // The name rule of Add and Edit: a name, and one no group has yet.
    bool CheckName();
    void Refuse(const char* pszMessage);

    const CCofferDoc& m_doc;
    CPrompts& m_prompts;

private:
    void OnGroupChosen(int nIndex);

    std::unique_ptr<CGroupChoice> m_pChoice;
    QBoxLayout* m_pLayout = nullptr;
    CHoverComboBox* m_pGroupList = nullptr;
    QLineEdit* m_pName = nullptr;
};
