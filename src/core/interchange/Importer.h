#pragma once

#include "core/interchange/ImportEntry.h"

#include <array>
#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

class CCodePage;
class CCofferDoc;
class CPasswordInfo;

// The longest account and group names, as the editing dialogs allow.
inline constexpr std::size_t MAX_IMPORT_NAME_LENGTH = 255;

// Turns the entries of another manager's file into accounts of a document,
// in the order they are given. A group's path becomes one name joined by
// "/", and the group of that name receives the account, made at the end of
// the file when there is none. A name that its group already holds gets the
// next free " (n)". Entries with a text the code page cannot hold are not
// imported but listed, and what an account cannot carry is counted, both
// for the summary.
class CImporter {
public:
    CImporter(CCofferDoc& doc, const CCodePage& codePage);

    void Add(const SImportEntry& entry);

    int ImportedCount() const { return m_nImported; }
    // "Imported N accounts in M groups; left out: ..."
    std::string Summary() const;

private:
    struct SGroupSlot {
        std::list<CPasswordInfo>::iterator itLast; // the header or its last account
        std::set<std::string> names;
        std::map<std::string, int> nextSuffix; // by base name: the next " (n)" to try
        bool bReceived = false;
    };

    SGroupSlot& SlotFor(const std::string& strGroup);
    std::string FreeName(SGroupSlot& slot, const std::string& strName);

    CCofferDoc& m_doc;
    const CCodePage& m_codePage;
    std::map<std::string, SGroupSlot> m_slots;
    int m_nImported = 0;
    int m_nGroups = 0;
    std::array<int, static_cast<int>(ELeftOut::COUNT)> m_anLeftOut{};
    std::vector<std::string> m_astrRefused; // "title" in group, UTF-8
};
