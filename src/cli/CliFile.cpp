// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliFile.h"

CCliFile::CCliFile(CTerminalPrompts::CKeyReading fnReadKey, CTerminalPrompts::CInforming fnInform)
    : m_prompts(std::move(fnReadKey), std::move(fnInform)), m_session(m_doc) {
    m_session.SetPrompts(&m_prompts);
    m_session.SetUnattended(true);
    SFileOptions options;
    options.m_bBackup = false;
    options.m_bAddToRecent = false;
    m_session.SetFileOptions(options);
}
