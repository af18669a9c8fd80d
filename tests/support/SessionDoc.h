// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/CofferDoc.h"
#include "core/store/FileSession.h"

#include <string>

// A document with the file session over it, as the program wires them: the
// store's operations on the object itself, the file's life on Session().
// The session is a member, so it goes first and writes its options while
// the document still stands.
class CSessionDoc : public CCofferDoc {
public:
    explicit CSessionDoc(CProfile* pProfile = nullptr, std::string strDefaultBackupFolder = {})
        : m_session(*this, pProfile, std::move(strDefaultBackupFolder)) {}

    CFileSession& Session() { return m_session; }
    const CFileSession& Session() const { return m_session; }

private:
    CFileSession m_session;
};
