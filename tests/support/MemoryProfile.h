// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Profile.h"

#include <string>
#include <vector>

// A settings store that lives in memory: what tests hand to the document,
// the frame and the view, and what keyhaven-cli uses when it needs settings
// without touching the user's file. It keeps each value's type, so reading an
// integer that was written as text (or the reverse) gives the default, like a
// registry value of another type. Sections and values keep the spelling they
// were first written with.
class CMemoryProfile : public CProfile {
public:
    enum class EValueType { integer, text };

    struct SEntry {
        std::string m_strSection;
        std::string m_strValue;
        EValueType m_eType = EValueType::integer;
        unsigned m_nValue = 0;
        std::string m_strText;
    };

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

    bool HasValue(const std::string& strSection, const std::string& strValue) const;
    bool HasSection(const std::string& strSection) const;
    // Every stored value, sections in the order they were created and values
    // in the order they were first written.
    std::vector<SEntry> Entries() const;
    std::size_t ValueCount() const;
    // How many writes (of either type) reached the store since construction;
    // lets tests check that something is written once, or not at all.
    std::size_t WriteCount() const { return m_nWrites; }
    void Clear();

    // While read-only, writes and deletions fail silently and leave the old
    // values, as a store that cannot be written does.
    void SetReadOnly(bool bReadOnly) { m_bReadOnly = bReadOnly; }

private:
    struct SValue {
        std::string m_strName;
        EValueType m_eType = EValueType::integer;
        unsigned m_nValue = 0;
        std::string m_strText;
    };
    struct SSection {
        std::string m_strName;
        std::vector<SValue> m_values;
    };

    const SValue* Find(const std::string& strSection, const std::string& strValue) const;
    SValue& Slot(const std::string& strSection, const std::string& strValue);

    std::vector<SSection> m_sections;
    std::size_t m_nWrites = 0;
    bool m_bReadOnly = false;
};
