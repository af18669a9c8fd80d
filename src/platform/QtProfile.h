// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Profile.h"

#include <QSettings>
#include <QString>

#include <memory>

// The user's settings file: QSettings in INI format, user scope, organisation
// "Tallowmere", application "Keyhaven", so the file is
// $XDG_CONFIG_HOME/Tallowmere/Keyhaven.ini. INI groups and keys are
// case-sensitive, so this wrapper looks names up without regard to case: an
// existing group or key whose name matches is used with its stored spelling,
// and a new one is created with the caller's. Integers are kept as decimal
// text; a value that is not a decimal integer of 32 bits reads as missing.
// Text values are byte strings: valid UTF-8 is kept as readable text, other
// bytes as a byte array, so every byte survives.
class CQtProfile : public CProfile {
public:
    CQtProfile();
    // A settings file at an explicit path (keyhaven-cli and tests).
    explicit CQtProfile(const QString& strFileName);
    ~CQtProfile() override;

    unsigned GetProfileInt(const std::string& strSection, const std::string& strValue,
                           unsigned nDefault) const override;
    std::string GetProfileString(const std::string& strSection, const std::string& strValue,
                                 const std::string& strDefault) const override;
    void WriteProfileInt(const std::string& strSection, const std::string& strValue,
                         unsigned nValue) override;
    void WriteProfileString(const std::string& strSection, const std::string& strValue,
                            const std::string& strText) override;
    void DeleteProfileValue(const std::string& strSection, const std::string& strValue) override;
    void DeleteProfileSection(const std::string& strSection) override;

    // Writes pending changes to the file; false when the file could not be
    // written (the program carries on: a failed write leaves the old file).
    bool Sync();
    QString FileName() const;

private:
    void MakeFilePrivate() const;
    // The stored spelling of a group or key that matches ignoring case, or
    // the caller's spelling when there is none.
    QString GroupName(const std::string& strSection) const;
    QString KeyName(const QString& strGroup, const std::string& strValue) const;
    // The settings key "group/key" of an existing value, or "" when missing.
    QString ExistingKey(const std::string& strSection, const std::string& strValue) const;
    QString KeyForWrite(const std::string& strSection, const std::string& strValue) const;

    std::unique_ptr<QSettings> m_pSettings;
};
