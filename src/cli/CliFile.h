// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/TerminalPrompts.h"
#include "core/store/CofferDoc.h"
#include "core/store/FileSession.h"

// A password file one command works in: its records, the file session that
// opens and saves them as the program does, and the terminal answering the
// session's questions. Nobody sits at a window: no backup copy is made and
// nothing enters a recent-file list.
class CCliFile {
public:
    CCliFile(CTerminalPrompts::CKeyReading fnReadKey, CTerminalPrompts::CInforming fnInform);
    CCliFile(const CCliFile&) = delete;
    CCliFile& operator=(const CCliFile&) = delete;

    CCofferDoc& Doc() { return m_doc; }
    CFileSession& Session() { return m_session; }
    CTerminalPrompts& Prompts() { return m_prompts; }

private:
    CCofferDoc m_doc;
    CTerminalPrompts m_prompts;
    CFileSession m_session;
};
