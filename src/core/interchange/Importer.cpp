// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/Importer.h"

#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"

#include <algorithm>

namespace {

// The refused entries the summary names; the rest are counted.
constexpr std::size_t MAX_LISTED = 10;

std::string Counted(int n, const char* pszOne, const char* pszMany) {
    return std::to_string(n) + " " + (n == 1 ? pszOne : pszMany);
}

// Every line break of the notes becomes the "\r\n" the comments edit keeps.
std::string WithCrLf(const std::string& strText) {
    std::string strOut;
    strOut.reserve(strText.size());
    for (std::size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] == '\r' || strText[i] == '\n') {
            strOut += "\r\n";
            if (strText[i] == '\r' && i + 1 < strText.size() && strText[i + 1] == '\n')
                ++i;
        } else {
            strOut += strText[i];
        }
    }
    return strOut;
}

// A name as the summary lists it: a long one is shortened, never inside a
// UTF-8 character.
std::string Shown(const std::string& strText) {
    constexpr std::size_t MAX_SHOWN = 60;
    if (strText.size() <= MAX_SHOWN)
        return strText;
    std::size_t nEnd = MAX_SHOWN;
    while (nEnd > 0 && (static_cast<unsigned char>(strText[nEnd]) & 0xC0) == 0x80)
        --nEnd;
    return strText.substr(0, nEnd) + "...";
}

// "the column "guid"", "the columns "fav", "guid" and "Icon"": every one
// up to a bound that only a crafted header reaches.
std::string ColumnList(const std::vector<std::string>& astrColumns) {
    constexpr std::size_t MAX_COLUMNS = 40;
    const std::size_t nShown = std::min(astrColumns.size(), MAX_COLUMNS);
    std::string strList = astrColumns.size() == 1 ? "the column " : "the columns ";
    for (std::size_t i = 0; i < nShown; ++i) {
        if (i > 0)
            strList += i + 1 == astrColumns.size() ? " and " : ", ";
        strList += "\"" + Shown(astrColumns[i]) + "\"";
    }
    if (astrColumns.size() > nShown)
        strList += " and " + std::to_string(astrColumns.size() - nShown) + " more";
    return strList;
}

std::string Cut(std::string strName) {
    if (strName.size() > MAX_IMPORT_NAME_LENGTH)
        strName.resize(MAX_IMPORT_NAME_LENGTH);
    return strName;
}

} // namespace

CImporter::CImporter(CCofferDoc& doc, const CCodePage& codePage)
    : m_doc(doc), m_codePage(codePage) {
    // The names already in each group; a damaged file may repeat a group,
    // and then every group of that name counts, but accounts go to the first.
    SGroupSlot* pSlot = nullptr;
    bool bFirstOfName = false;
    for (auto it = doc.m_listInfo.begin(); it != doc.m_listInfo.end(); ++it) {
        if (it->IsGroup()) {
            const auto [itSlot, bNew] = m_slots.try_emplace(it->Group());
            pSlot = &itSlot->second;
            bFirstOfName = bNew;
            if (bNew) {
                pSlot->strName = it->Group();
                pSlot->itLast = it;
            }
            continue;
        }
        if (!pSlot)
            continue; // accounts before the first group belong to none
        pSlot->names.insert(it->Account());
        if (bFirstOfName) {
            pSlot->itLast = it;
            pSlot->existing.try_emplace(it->Account(), it);
        }
    }
}

CImporter::SGroupSlot& CImporter::SlotFor(const std::string& strGroup) {
    auto it = m_slots.find(strGroup);
    if (it == m_slots.end()) {
        m_doc.AddGroup(strGroup);
        m_bGroupMade = true;
        it = m_slots.try_emplace(strGroup).first;
        it->second.strName = strGroup;
        it->second.itLast = std::prev(m_doc.m_listInfo.end());
    }
    return it->second;
}

EReplaceAnswer CImporter::AskClash(const std::string& strName) {
    if (m_eReplaceAnswer == EReplaceAnswer::yesToAll)
        return EReplaceAnswer::yes;
    m_eReplaceAnswer = m_fnClash(strName);
    return m_eReplaceAnswer;
}

std::string CImporter::FreeName(SGroupSlot& slot, const std::string& strName) {
    if (slot.names.insert(strName).second)
        return strName;
    int& nNext = slot.nextSuffix.try_emplace(strName, 2).first->second;
    for (;; ++nNext) {
        const std::string strSuffix = " (" + std::to_string(nNext) + ")";
        std::string strCandidate =
            strName.substr(0, MAX_IMPORT_NAME_LENGTH - strSuffix.size()) + strSuffix;
        if (slot.names.insert(strCandidate).second) {
            ++nNext;
            return strCandidate;
        }
    }
}

void CImporter::Add(const SImportEntry& entry) {
    if (m_bCancelled)
        return;
    std::string strGroup;
    for (std::size_t i = 0; i < entry.astrGroupPath.size(); ++i)
        strGroup += (i ? "/" : "") + entry.astrGroupPath[i];
    if (strGroup.empty())
        strGroup = "(no name)";
    const std::string strTitle = entry.strTitle.empty() ? "(no title)" : entry.strTitle;

    // Converted whole or not at all: a text is never stored changed.
    const std::string astrUtf8[] = {
        strGroup,     strTitle,       entry.strUserName,       entry.strPassword,
        entry.strUrl, entry.strEMail, WithCrLf(entry.strNotes)};
    std::string astrStored[std::size(astrUtf8)];
    for (std::size_t i = 0; i < std::size(astrUtf8); ++i) {
        if (!m_codePage.FromUtf8(astrUtf8[i], astrStored[i])) {
            m_astrRefused.push_back("\"" + Shown(strTitle) + "\" in " + Shown(strGroup));
            return;
        }
    }
    SGroupSlot& slot = SlotFor(Cut(astrStored[0]));
    const std::string strName = Cut(astrStored[1]);
    bool bReplacing = false;
    if (const auto itClash = slot.existing.find(strName);
        m_fnClash && itClash != slot.existing.end()) {
        switch (AskClash(strName)) {
        case EReplaceAnswer::cancel:
            m_bCancelled = true;
            return;
        case EReplaceAnswer::no:
            ++m_nKept;
            return;
        default:
            // Later entries of the same name are repeats within the file.
            m_replaced.push_back(itClash->second);
            slot.existing.erase(itClash);
            bReplacing = true;
        }
    }
    if (!slot.bReceived) {
        slot.bReceived = true;
        ++m_nGroups;
        m_astrReceiving.push_back(slot.strName);
    }
    CPasswordInfo account;
    account.SetAccount(bReplacing ? strName : FreeName(slot, strName));
    if (m_nImported == 0) {
        m_strFirstGroup = slot.strName;
        m_strFirstAccount = account.Account();
    }
    account.SetUserName(astrStored[2]);
    account.SetPassword(astrStored[3]);
    account.SetWebSite(astrStored[4]);
    account.SetEMail(astrStored[5]);
    account.SetComments(astrStored[6]);
    slot.itLast = m_doc.m_listInfo.insert(std::next(slot.itLast), std::move(account));
    ++m_nImported;
    for (std::size_t i = 0; i < m_anLeftOut.size(); ++i)
        m_anLeftOut[i] += entry.anLeftOut[i];
    for (const std::string& strColumn : entry.astrUnreadColumns) {
        if (m_unreadColumns.insert(strColumn).second)
            m_astrUnreadColumns.push_back(strColumn);
    }
}

void CImporter::Finish() {
    for (const CIter& it : m_replaced)
        m_doc.m_listInfo.erase(it);
    m_replaced.clear();
}

std::string CImporter::Summary() const {
    static const char* const LEFT_OUT_NAMES[][2] = {
        {"custom field", "custom fields"},
        {"one-time-password setting", "one-time-password settings"},
        {"attachment", "attachments"},
        {"set of tags", "sets of tags"},
        {"expiry date", "expiry dates"},
        {"further web site", "further web sites"},
    };
    std::string strLeftOut;
    const auto fnAppend = [&strLeftOut](const std::string& strPart) {
        strLeftOut += (strLeftOut.empty() ? "" : ", ") + strPart;
    };
    if (!m_astrRefused.empty()) {
        std::string strPart = Counted(static_cast<int>(m_astrRefused.size()), "entry", "entries") +
                              " with characters that the code page " + m_codePage.Name() +
                              " cannot hold (";
        for (std::size_t i = 0; i < m_astrRefused.size() && i < MAX_LISTED; ++i)
            strPart += (i ? "; " : "") + m_astrRefused[i];
        if (m_astrRefused.size() > MAX_LISTED)
            strPart += "; and " + std::to_string(m_astrRefused.size() - MAX_LISTED) + " more";
        fnAppend(strPart + ")");
    }
    if (m_nKept > 0)
        fnAppend(Counted(m_nKept, "entry", "entries") +
                 " whose account the group already held and kept");
    for (std::size_t i = 0; i < m_anLeftOut.size(); ++i) {
        if (m_anLeftOut[i] > 0)
            fnAppend(Counted(m_anLeftOut[i], LEFT_OUT_NAMES[i][0], LEFT_OUT_NAMES[i][1]));
    }
    if (!m_astrUnreadColumns.empty())
        fnAppend(ColumnList(m_astrUnreadColumns));
    return "Imported " + Counted(m_nImported, "account", "accounts") + " in " +
           Counted(m_nGroups, "group", "groups") +
           "; left out: " + (strLeftOut.empty() ? "nothing" : strLeftOut) + ".";
}
