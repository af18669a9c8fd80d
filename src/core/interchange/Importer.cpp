// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/Importer.h"

#include "core/base/TextUtil.h"
#include "core/base/Translation.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"

#include <algorithm>
#include <iterator>

namespace {

// The refused entries the summary names; the rest are counted.
constexpr std::size_t MAX_LISTED = 10;

// How much of a group's path in UTF-8 is kept for the summary (which shows
// at most 60 bytes of it).
constexpr std::size_t SHOWN_KEPT = 64;

// What an account cannot carry, by ELeftOut.
constexpr SCountText LEFT_OUT_NAMES[] = {
    KH_COUNT("Keyhaven", "%n custom fields", "%n custom field"),
    KH_COUNT("Keyhaven", "%n one-time-password settings", "%n one-time-password setting"),
    KH_COUNT("Keyhaven", "%n attachments", "%n attachment"),
    KH_COUNT("Keyhaven", "%n sets of tags", "%n set of tags"),
    KH_COUNT("Keyhaven", "%n expiry dates", "%n expiry date"),
    KH_COUNT("Keyhaven", "%n further web sites", "%n further web site"),
};
static_assert(std::size(LEFT_OUT_NAMES) == static_cast<std::size_t>(ELeftOut::COUNT));

// The end of a list cut short: "...; and 12 more".
constexpr SCountText IMPORT_AND_MORE = KH_COUNT("Keyhaven", "and %n more", "and %n more");

// The parts of a list, in the language shown.
std::string ListSeparator() {
    return TranslateText(KH_TEXT("Keyhaven", ", "));
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
    std::string strNames;
    for (std::size_t i = 0; i < nShown; ++i) {
        if (i > 0)
            strNames += i + 1 == astrColumns.size() ? TranslateText(KH_TEXT("Keyhaven", " and "))
                                                    : ListSeparator();
        strNames += FormatText(KH_TEXT("Keyhaven", "\"%1\""), Shown(astrColumns[i]));
    }
    if (astrColumns.size() > nShown)
        strNames +=
            " " + CountText(IMPORT_AND_MORE, static_cast<long long>(astrColumns.size() - nShown));
    return FormatCountText(KH_COUNT("Keyhaven", "the columns %1", "the column %1"),
                           static_cast<long long>(astrColumns.size()), strNames);
}

// What the entries could not carry, each part to fnAppend.
void AppendLeftOut(const std::array<int, static_cast<int>(ELeftOut::COUNT)>& anLeftOut,
                   const std::vector<std::string>& astrUnreadColumns,
                   const std::function<void(const std::string&)>& fnAppend) {
    for (std::size_t i = 0; i < anLeftOut.size(); ++i) {
        if (anLeftOut[i] > 0)
            fnAppend(CountText(LEFT_OUT_NAMES[i], anLeftOut[i]));
    }
    if (!astrUnreadColumns.empty())
        fnAppend(ColumnList(astrUnreadColumns));
}

// "Imported N accounts in M groups; left out: ...".
std::string ImportedLine(int nImported, int nGroups, const std::string& strLeftOut) {
    const std::string strImported = FormatCountText(
        KH_COUNT("Keyhaven", "Imported %n accounts in %1", "Imported %n account in %1"), nImported,
        CountText(KH_COUNT("Keyhaven", "%n groups", "%n group"), nGroups));
    return FormatText(KH_TEXT("Keyhaven", "%1; left out: %2."), strImported,
                      strLeftOut.empty() ? TranslateText(KH_TEXT("Keyhaven", "nothing"))
                                         : strLeftOut);
}

// A name as the summary lists a cut one: its start and its end, where cut
// names that begin alike differ, never cut inside a UTF-8 character.
std::string ShownEnds(const std::string& strText) {
    constexpr std::size_t MAX_SHOWN = 60;
    constexpr std::size_t HEAD = 40;
    if (strText.size() <= MAX_SHOWN)
        return strText;
    const auto IsInside = [&strText](std::size_t n) {
        return (static_cast<unsigned char>(strText[n]) & 0xC0) == 0x80;
    };
    std::size_t nHeadEnd = HEAD;
    while (nHeadEnd > 0 && IsInside(nHeadEnd))
        --nHeadEnd;
    std::size_t nTail = strText.size() - (MAX_SHOWN - HEAD - 3);
    while (nTail < strText.size() && IsInside(nTail))
        ++nTail;
    return strText.substr(0, nHeadEnd) + "..." + strText.substr(nTail);
}

std::string Cut(std::string strName) {
    if (strName.size() > MAX_IMPORT_NAME_LENGTH)
        strName.resize(MAX_IMPORT_NAME_LENGTH);
    return strName;
}

std::size_t DigitCount(int n) {
    std::size_t nDigits = 1;
    for (; n >= 10; n /= 10)
        ++nDigits;
    return nDigits;
}

// The first "strName (n)" from n = 2 on that fnClaim takes, strName cut so
// that the whole fits a name. The next n to try is kept by the cut name, as
// names that begin alike are cut alike and share their numbers: each try
// either gives a name or passes one that is taken for good, so many names
// that differ only beyond the cut cost no more than one.
template <typename TClaim>
std::string Suffixed(const std::string& strName, std::unordered_map<std::string, int>& nextSuffix,
                     TClaim fnClaim) {
    int n = 2;
    for (;;) {
        const std::size_t nDigits = DigitCount(n);
        const std::string strBase = strName.substr(0, MAX_IMPORT_NAME_LENGTH - nDigits - 3);
        int& nNext = nextSuffix.try_emplace(strBase, n).first->second;
        nNext = std::max(nNext, n);
        for (; DigitCount(nNext) == nDigits; ++nNext) {
            std::string strCandidate = strBase + " (" + std::to_string(nNext) + ")";
            if (fnClaim(strCandidate)) {
                ++nNext;
                return strCandidate;
            }
        }
        n = nNext;
    }
}

} // namespace

CImporter::CImporter(CCofferDoc& doc, const CCodePage& codePage)
    : m_doc(doc), m_pBatch(std::make_unique<CChangeBatch>(doc)), m_codePage(codePage) {
    // The names already in each group; a damaged file may repeat a group,
    // and then every group of that name counts, but accounts go to the first.
    SGroupSlot* pSlot = nullptr;
    bool bFirstOfName = false;
    const CCofferDoc::CInfoList& records = doc.Records();
    for (auto it = records.begin(); it != records.end(); ++it) {
        if (it->IsGroup()) {
            const auto [itSlot, bNew] = m_slots.try_emplace(it->Group());
            pSlot = &itSlot->second;
            bFirstOfName = bNew;
            if (bNew) {
                pSlot->pName = &itSlot->first;
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
        it->second.pName = &it->first;
        it->second.itLast = std::prev(m_doc.Records().end());
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
    return Suffixed(strName, slot.nextSuffix, [&slot](const std::string& strCandidate) {
        return slot.names.insert(strCandidate).second;
    });
}

std::size_t CImporter::PathId(std::size_t nParent, const std::string& strName) {
    std::string strKey(reinterpret_cast<const char*>(&nParent), sizeof(nParent));
    strKey += strName;
    return m_pathIds.try_emplace(std::move(strKey), m_pathIds.size() + 1).first->second;
}

// Appends a name to a path; whatever lies beyond what a name and the summary
// need is only checked for the code page.
void CImporter::Extend(SPath& path, const std::string& strName, bool bWithId) {
    const bool bTop = !path.bNamed;
    path.bNamed = true;
    if (bWithId)
        path.nId = PathId(path.nId, strName);
    if (!path.pTexts && path.strShown.size() <= SHOWN_KEPT) {
        path.strShown += (bTop ? "" : "/") + strName.substr(0, SHOWN_KEPT + 1);
        if (path.strShown.size() > SHOWN_KEPT + 1)
            path.strShown.resize(SHOWN_KEPT + 1);
    }
    std::string strStored;
    if (!path.bStorable || !m_codePage.FromUtf8(strName, strStored)) {
        path.bStorable = false;
        return;
    }
    if (!path.pTexts && path.strStored.size() <= MAX_IMPORT_NAME_LENGTH) {
        path.strStored += (bTop ? "" : "/") + strStored;
        if (path.strStored.size() > MAX_IMPORT_NAME_LENGTH + 1)
            path.strStored.resize(MAX_IMPORT_NAME_LENGTH + 1);
    }
}

CImporter::SPath& CImporter::PathOfRow(const std::vector<std::string>& astrNames) {
    if (m_bRowPath && astrNames == m_astrRowNames)
        return m_rowPath;
    SPath path;
    for (const std::string& strName : astrNames)
        Extend(path, strName, false);
    // Only a cut path needs its number; a whole one is told by its name.
    // The numbers of the paths it shares with the last row are known.
    if (path.strStored.size() > MAX_IMPORT_NAME_LENGTH) {
        std::size_t nSame = 0;
        while (nSame < astrNames.size() && nSame < m_anRowIds.size() &&
               astrNames[nSame] == m_astrRowNames[nSame])
            ++nSame;
        m_anRowIds.resize(nSame);
        for (std::size_t i = nSame; i < astrNames.size(); ++i)
            m_anRowIds.push_back(PathId(i ? m_anRowIds[i - 1] : 0, astrNames[i]));
        path.nId = m_anRowIds.back();
    } else {
        m_anRowIds.clear();
    }
    m_astrRowNames = astrNames;
    m_rowPath = std::move(path);
    m_bRowPath = true;
    return m_rowPath;
}

CImporter::SPath& CImporter::PathOfGroup(const std::shared_ptr<const SImportGroup>& pGroup) {
    if (const auto it = m_treePaths.find(pGroup.get()); it != m_treePaths.end())
        return it->second;
    m_trees.push_back(pGroup);
    // The groups up to the first one whose path is known, then each one's
    // path from its parent's.
    std::vector<const SImportGroup*> unknown;
    for (const SImportGroup* p = pGroup.get(); p && !m_treePaths.count(p); p = p->pParent)
        unknown.push_back(p);
    const SImportGroup* pTop = unknown.back()->pParent;
    SPath* pPath = pTop ? &m_treePaths.at(pTop) : nullptr;
    for (auto it = unknown.rbegin(); it != unknown.rend(); ++it) {
        SPath path;
        if (pPath) {
            path.bNamed = pPath->bNamed;
            path.bStorable = pPath->bStorable;
            path.nId = pPath->nId;
            const SPath& texts = pPath->pTexts ? *pPath->pTexts : *pPath;
            if ((!pPath->bStorable || texts.strStored.size() > MAX_IMPORT_NAME_LENGTH) &&
                texts.strShown.size() > SHOWN_KEPT) {
                path.pTexts = &texts;
            } else {
                path.strStored = texts.strStored;
                path.strShown = texts.strShown;
            }
        }
        Extend(path, (*it)->strName, true);
        pPath = &m_treePaths.emplace(*it, std::move(path)).first->second;
    }
    return *pPath;
}

// The first path cut to a name takes it, unless this import gave it to a
// group already: then the cut path gets the next free " (n)".
CImporter::SGroupSlot& CImporter::SlotOfCut(const SPath& path) {
    SGroupSlot*& pSlot = m_cutSlots.try_emplace(path.nId, nullptr).first->second;
    if (pSlot)
        return *pSlot;
    const auto IsFree = [this](const std::string& strName) {
        const auto it = m_slots.find(strName);
        return it == m_slots.end() || !it->second.bNamedHere;
    };
    std::string strName = Cut(path.Stored());
    if (!IsFree(strName))
        strName = Suffixed(strName, m_groupSuffixes, IsFree);
    pSlot = &SlotFor(strName);
    pSlot->bNamedHere = true;
    m_cutGroups.push_back(pSlot);
    return *pSlot;
}

void CImporter::Add(const SImportEntry& entry) {
    if (m_bCancelled)
        return;
    SPath& path = entry.pGroup ? PathOfGroup(entry.pGroup) : PathOfRow(entry.astrGroupPath);
    const std::string strTitle = entry.strTitle.empty() ? "(no title)" : entry.strTitle;
    const std::string strGroupShown = path.Shown().empty() ? "(no name)" : path.Shown();

    // Converted whole or not at all: a text is never stored changed.
    const std::string astrUtf8[] = {strTitle,     entry.strUserName, entry.strPassword,
                                    entry.strUrl, entry.strEMail,    WithCrLf(entry.strNotes)};
    std::string astrStored[std::size(astrUtf8)];
    bool bStorable = path.bStorable;
    for (std::size_t i = 0; i < std::size(astrUtf8) && bStorable; ++i)
        bStorable = m_codePage.FromUtf8(astrUtf8[i], astrStored[i]);
    if (!bStorable) {
        m_astrRefused.push_back("\"" + Shown(strTitle) + "\" in " + Shown(strGroupShown));
        return;
    }
    if (!path.pSlot) {
        SGroupSlot* pSlot = nullptr;
        if (path.Stored().size() > MAX_IMPORT_NAME_LENGTH) {
            pSlot = &SlotOfCut(path);
        } else {
            pSlot = &SlotFor(path.Stored().empty() ? "(no name)" : path.Stored());
            pSlot->bNamedHere = true;
        }
        path.pSlot = pSlot;
    }
    SGroupSlot& slot = *path.pSlot;
    const std::string strName = Cut(astrStored[0]);
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
        m_astrReceiving.push_back(*slot.pName);
    }
    CPasswordInfo account;
    account.SetAccount(bReplacing ? strName : FreeName(slot, strName));
    if (m_nImported == 0) {
        m_strFirstGroup = *slot.pName;
        m_strFirstAccount = account.Account();
    }
    account.SetUserName(astrStored[1]);
    account.SetPassword(astrStored[2]);
    account.SetWebSite(astrStored[3]);
    account.SetEMail(astrStored[4]);
    account.SetComments(astrStored[5]);
    slot.itLast = m_doc.InsertAccount(slot.itLast, std::move(account));
    ++m_nImported;
    const bool bNameCut = astrStored[0].size() > MAX_IMPORT_NAME_LENGTH;
    if (bNameCut)
        ++m_nCutAccounts;
    NoteLoss(entry,
             FormatText(KH_TEXT("Keyhaven", "\"%1\" in %2"), Shown(strTitle), Shown(strGroupShown)),
             bNameCut);
    for (std::size_t i = 0; i < m_anLeftOut.size(); ++i)
        m_anLeftOut[i] += entry.anLeftOut[i];
    for (const std::string& strColumn : entry.astrUnreadColumns) {
        if (m_unreadColumns.insert(strColumn).second)
            m_astrUnreadColumns.push_back(strColumn);
    }
}

void CImporter::Finish() {
    for (const CIter& it : m_replaced)
        m_doc.EraseAccount(it);
    m_replaced.clear();
    m_pBatch.reset();
}

CImporter::~CImporter() = default;

std::string CImporter::Summary() const {
    std::string strLeftOut;
    const auto fnAppend = [&strLeftOut](const std::string& strPart) {
        strLeftOut += (strLeftOut.empty() ? "" : ListSeparator()) + strPart;
    };
    if (!m_astrRefused.empty())
        fnAppend(FormatCountText(
            KH_COUNT("Keyhaven",
                     "%n entries with characters that the code page %1 cannot hold (%2)",
                     "%n entry with characters that the code page %1 cannot hold (%2)"),
            static_cast<long long>(m_astrRefused.size()), m_codePage.Name(),
            Listed(m_astrRefused, [](const std::string& strName) { return strName; })));
    if (m_nKept > 0)
        fnAppend(CountText(KH_COUNT("Keyhaven",
                                    "%n entries whose account the group already held and kept",
                                    "%n entry whose account the group already held and kept"),
                           m_nKept));
    AppendLeftOut(m_anLeftOut, m_astrUnreadColumns, fnAppend);
    std::string strCut;
    if (!m_cutGroups.empty())
        strCut = FormatCountText(KH_COUNT("Keyhaven", "%n groups (%1)", "%n group (%1)"),
                                 static_cast<long long>(m_cutGroups.size()),
                                 Listed(m_cutGroups, [this](const SGroupSlot* pGroup) {
                                     return ShownEnds(m_codePage.ToUtf8(*pGroup->pName));
                                 }));
    if (m_nCutAccounts > 0)
        strCut += (strCut.empty() ? "" : ListSeparator()) +
                  CountText(KH_COUNT("Keyhaven", "%n accounts", "%n account"), m_nCutAccounts);
    std::string strSummary = ImportedLine(m_nImported, m_nGroups, strLeftOut);
    if (!strCut.empty())
        strSummary +=
            " " +
            FormatCountText(KH_COUNT("Keyhaven", "Names longer than %n characters were cut: %1.",
                                     "Names longer than %n character were cut: %1."),
                            static_cast<long long>(MAX_IMPORT_NAME_LENGTH), strCut);
    return strSummary + (m_astrLosses.empty() ? "" : "\n\n" + LossList());
}

template <typename T, typename F>
std::string CImporter::Listed(const std::vector<T>& items, F fnShown) const {
    std::string strList;
    for (std::size_t i = 0; i < items.size() && i < MAX_LISTED; ++i)
        strList += (i ? "; " : "") + fnShown(items[i]);
    if (items.size() > MAX_LISTED)
        strList +=
            "; " + CountText(IMPORT_AND_MORE, static_cast<long long>(items.size() - MAX_LISTED));
    return strList;
}

void CImporter::NoteLoss(const SImportEntry& entry, const std::string& strAccountShown,
                         bool bNameCut) {
    std::string strWhat;
    const auto fnAppend = [&strWhat](const std::string& strPart) {
        strWhat += (strWhat.empty() ? "" : ListSeparator()) + strPart;
    };
    if (bNameCut)
        fnAppend(CountText(KH_COUNT("Keyhaven", "its name was cut to %n characters",
                                    "its name was cut to %n character"),
                           static_cast<long long>(MAX_IMPORT_NAME_LENGTH)));
    for (std::size_t i = 0; i < entry.anLeftOut.size(); ++i) {
        if (entry.anLeftOut[i] > 0)
            fnAppend(CountText(LEFT_OUT_NAMES[i], entry.anLeftOut[i]));
    }
    if (!entry.astrUnreadColumns.empty())
        fnAppend(ColumnList(entry.astrUnreadColumns));
    if (strWhat.empty())
        return;
    // Only the lines shown are kept: a huge import costs a count.
    if (++m_nLossAccounts <= MAX_LOSS_LINES)
        m_astrLosses.push_back(FormatText(KH_TEXT("Keyhaven", "%1: %2"), strAccountShown, strWhat));
}

std::string CImporter::LossList() const {
    if (m_astrLosses.empty())
        return {};
    std::string strList = TranslateText(KH_TEXT("Keyhaven", "Accounts that lost something:"));
    for (const std::string& strLine : m_astrLosses)
        strList += "\n" + strLine;
    if (m_nLossAccounts > m_astrLosses.size())
        strList +=
            "\n" + CountText(KH_COUNT("Keyhaven", "and %n more accounts", "and %n more account"),
                             static_cast<long long>(m_nLossAccounts - m_astrLosses.size()));
    return strList;
}

std::string ImportSummary(int nImported, int nGroups,
                          const std::array<int, static_cast<int>(ELeftOut::COUNT)>& anLeftOut,
                          const std::vector<std::string>& astrUnreadColumns) {
    std::string strLeftOut;
    AppendLeftOut(anLeftOut, astrUnreadColumns, [&strLeftOut](const std::string& strPart) {
        strLeftOut += (strLeftOut.empty() ? "" : ListSeparator()) + strPart;
    });
    return ImportedLine(nImported, nGroups, strLeftOut);
}
