// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class CHoverButton;
class CLinkLabel;
class CPrompts;

// "About Keyhaven": the program's icon, name and version, and two links,
// the product web site and a mail to the support address.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(CPrompts* pPrompts, QWidget* pParent = nullptr);

    CLinkLabel* WebsiteLink() const { return m_pWebsite; }
    CLinkLabel* SupportLink() const { return m_pSupport; }
    CHoverButton* OkButton() const { return m_pOk; }

private:
    CLinkLabel* m_pWebsite;
    CLinkLabel* m_pSupport;
    CHoverButton* m_pOk;
};
