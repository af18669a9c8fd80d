// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

// The help pages shipped with the program, in a window of their own that
// stays open beside the main window. Links between the pages are followed
// inside the window; links to the web open in the browser.
class CHelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* pParent = nullptr);

    // The first page: the compiled-in pages, else the installed ones.
    static QUrl IndexPage();
    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    QTextBrowser* m_pBrowser;
};
