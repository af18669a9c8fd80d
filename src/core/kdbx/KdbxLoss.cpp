// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxLoss.h"

#include "core/base/TextUtil.h"
#include "core/base/Translation.h"
#include "core/interchange/Importer.h"
#include "core/kdbx/KdbxFile.h"
#include "core/kdbx/KdbxImport.h"
#include "core/kdbx/KdbxTree.h"
#include "core/store/CodePage.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace {

// The report's texts: each line whole, so that a translation may put its
// words in its own order; what it names follows after a colon.
constexpr const char* IDS_LOSS_NO_NAME = KH_TEXT("Keyhaven", "(no name)");
constexpr const char* IDS_LOSS_IN_PASSWORD = KH_TEXT("Keyhaven", "in the password");
constexpr const char* IDS_LOSS_GROUP = KH_TEXT("Keyhaven", "group %1");
constexpr const char* IDS_LOSS_GROUP_CHARS = KH_TEXT("Keyhaven", "group %1 (%2)");
constexpr const char* IDS_LOSS_ENTRY_IN = KH_TEXT("Keyhaven", "%1 in %2");
constexpr SCountText IDS_LOSS_MORE = KH_COUNT("Keyhaven", "and %n more", "and %n more");
constexpr SCountText IDS_LOSS_UNSTORABLE = KH_COUNT(
    "Keyhaven",
    "Characters %1 cannot hold: %n entries are left out, for such characters in their texts or "
    "their group's name",
    "Characters %1 cannot hold: %n entry is left out, for such characters in their texts or "
    "their group's name");
constexpr SCountText IDS_LOSS_UNSTORABLE_GROUPS =
    KH_COUNT("Keyhaven", " (%n group names hold them)", " (%n group name holds them)");
constexpr SCountText IDS_LOSS_NESTED =
    KH_COUNT("Keyhaven",
             "Nested groups: %n groups lie deeper than one level and become one flat name joined "
             "by \"/\"",
             "Nested groups: %n group lies deeper than one level and becomes one flat name joined "
             "by \"/\"");
constexpr SCountText IDS_LOSS_CUSTOM_FIELDS =
    KH_COUNT("Keyhaven", "Custom fields: %n entries have custom fields, which are left out",
             "Custom fields: %n entry has custom fields, which are left out");
constexpr SCountText IDS_LOSS_CUT_NAMES =
    KH_COUNT("Keyhaven",
             "Long names: %n group paths and titles are longer than %1 characters and cut to fit",
             "Long names: %n group path or title is longer than %1 characters and cut to fit");
constexpr SCountText IDS_LOSS_BYTES = KH_COUNT("Keyhaven", "%n bytes", "%n byte");
constexpr SCountText IDS_LOSS_ATTACHMENTS =
    KH_COUNT("Keyhaven", "Attachments: %n attachments of %1 in all are left out",
             "Attachments: %n attachment of %1 in all is left out");
// The kinds that are only counted.
constexpr SCountText IDS_LOSS_HISTORY =
    KH_COUNT("Keyhaven", "History: %n earlier versions of entries are left out",
             "History: %n earlier version of an entry is left out");
constexpr SCountText IDS_LOSS_OTP =
    KH_COUNT("Keyhaven",
             "One-time passwords: %n entries have one-time password settings, which are left out",
             "One-time passwords: %n entry has one-time password settings, which are left out");
constexpr SCountText IDS_LOSS_TAGS =
    KH_COUNT("Keyhaven", "Tags: %n entries have tags, which are left out",
             "Tags: %n entry has tags, which are left out");
constexpr SCountText IDS_LOSS_EXPIRY =
    KH_COUNT("Keyhaven", "Expiry: %n entries have an expiry date, which is left out",
             "Expiry: %n entry has an expiry date, which is left out");
constexpr SCountText IDS_LOSS_RECYCLED =
    KH_COUNT("Keyhaven", "Recycle bin: %n entries in the recycle bin are left out",
             "Recycle bin: %n entry in the recycle bin is left out");
constexpr SCountText IDS_LOSS_ICONS = KH_COUNT(
    "Keyhaven", "Custom icons: %n entries and groups show a custom icon, which is left out",
    "Custom icons: %n entry or group shows a custom icon, which is left out");
constexpr SCountText IDS_LOSS_GROUP_NOTES =
    KH_COUNT("Keyhaven", "Group notes: %n groups have notes, which are left out",
             "Group notes: %n group has notes, which are left out");

// The length of the UTF-8 sequence that begins with the byte; a stray byte
// counts alone, and the code page refuses it like any other.
std::size_t SequenceLength(unsigned char nLead) {
    if (nLead >= 0xF0)
        return 4;
    if (nLead >= 0xE0)
        return 3;
    if (nLead >= 0xC0)
        return 2;
    return 1;
}

// The characters of the text the code page cannot hold, each once, added
// to astrChars in the order met.
void AddUnstorable(std::string_view strText, const CCodePage& codePage,
                   std::vector<std::string>& astrChars) {
    std::string strScratch;
    while (!strText.empty()) {
        const std::size_t nLength =
            std::min(SequenceLength(static_cast<unsigned char>(strText.front())), strText.size());
        const std::string strChar(strText.substr(0, nLength));
        strText.remove_prefix(nLength);
        if (!codePage.FromUtf8(strChar, strScratch) &&
            std::find(astrChars.begin(), astrChars.end(), strChar) == astrChars.end())
            astrChars.push_back(strChar);
    }
}

std::string Joined(const std::vector<std::string>& astrItems, std::string_view strBetween) {
    std::string strOut;
    for (const std::string& strItem : astrItems)
        strOut += (strOut.empty() ? "" : std::string(strBetween)) + strItem;
    return strOut;
}

// The first 40 bytes or so of a long text, never half a character.
std::string_view Beginning(std::string_view strText) {
    std::size_t nEnd = std::min<std::size_t>(40, strText.size());
    while (nEnd > 0 && nEnd < strText.size() &&
           (static_cast<unsigned char>(strText[nEnd]) & 0xC0) == 0x80)
        --nEnd;
    return strText.substr(0, nEnd);
}

std::string Quoted(std::string_view strName) {
    return "\"" + std::string(strName.empty() ? TranslateText(IDS_LOSS_NO_NAME) : strName) + "\"";
}

class CLossCounter {
public:
    CLossCounter(SKdbxLoss& loss, std::span<const SKdbxBinary> binaries, const CCodePage& codePage)
        : m_loss(loss), m_binaries(binaries), m_codePage(codePage) {}

    void CountTree(const CXmlTree& xml) {
        const std::vector<SKdbxGroupNode> tree = KdbxGroupTree(xml);
        // Whether the path of each group, as an account's group is named
        // from it, holds a character the code page cannot.
        std::vector<bool> abUnstorable(tree.size(), false);
        // The length of each group's path in the code page, as far as it
        // matters: beyond a name's length the importer cuts it.
        std::vector<std::size_t> anPathBytes(tree.size(), 0);
        for (std::size_t i = 0; i < tree.size(); ++i) {
            const SKdbxGroupNode& node = tree[i];
            CountIcon(*node.pGroup);
            // An account has comments; a group has nothing but its name.
            if (node.pGroup->ChildText("Notes").find_first_not_of(" \t\r\n") !=
                std::string_view::npos)
                ++m_loss.nGroupNotes;
            std::vector<std::string> astrChars;
            AddUnstorable(node.pGroup->ChildText("Name"), m_codePage, astrChars);
            const bool bParentUnstorable = node.nDepth >= 2 && abUnstorable[node.nParent];
            abUnstorable[i] = bParentUnstorable || !astrChars.empty();
            // The paths are made only to be named: all of them together would
            // cost the square of a deep tree's depth.
            const auto fnPath = [&tree, i] { return Quoted(KdbxGroupPath(tree, i)); };
            const bool bNamesGroup = node.nDepth >= 1 || !node.entries.empty();
            if (!astrChars.empty() && bNamesGroup) {
                ++m_loss.nUnstorableGroups;
                if (Wants(m_loss.astrUnstorable))
                    m_loss.astrUnstorable.push_back(
                        FormatText(IDS_LOSS_GROUP_CHARS, fnPath(), Joined(astrChars, ", ")));
            }
            if (node.nDepth >= 2) {
                ++m_loss.nNestedGroups;
                if (Wants(m_loss.astrNested))
                    m_loss.astrNested.push_back(fnPath());
            }
            anPathBytes[i] = std::min(StoredSize(node.pGroup->ChildText("Name")) +
                                          (node.nDepth >= 2 ? anPathBytes[node.nParent] + 1 : 0),
                                      MAX_IMPORT_NAME_LENGTH + 1);
            // A path cut in a group above is counted there.
            const bool bCutAbove =
                node.nDepth >= 2 && anPathBytes[node.nParent] > MAX_IMPORT_NAME_LENGTH;
            if (bNamesGroup && !abUnstorable[i] && !bCutAbove &&
                anPathBytes[i] > MAX_IMPORT_NAME_LENGTH) {
                ++m_loss.nCutNames;
                if (Wants(m_loss.astrCut))
                    m_loss.astrCut.push_back(FormatText(IDS_LOSS_GROUP, fnPath()));
            }
            for (const CXmlElement* pEntry : node.entries)
                CountEntry(*pEntry, fnPath, abUnstorable[i]);
        }
        if (const CXmlElement* pBin = KdbxRecycleBin(xml))
            m_loss.nRecycledEntries = CountRecycled(*pBin);
    }

private:
    template <typename F>
    void CountEntry(const CXmlElement& entry, const F& fnGroupPath, bool bGroupUnstorable) {
        CountIcon(entry);
        const SKdbxEntryParts parts = KdbxEntryParts(entry);
        std::vector<std::string> astrChars;
        for (const std::string_view strText :
             {parts.strTitle, parts.strUserName, parts.strUrl, parts.strEMail, parts.strNotes})
            AddUnstorable(strText, m_codePage, astrChars);
        // A password's characters would give a part of it away.
        std::vector<std::string> astrInPassword;
        AddUnstorable(parts.strPassword, m_codePage, astrInPassword);
        if (!astrInPassword.empty())
            astrChars.emplace_back(TranslateText(IDS_LOSS_IN_PASSWORD));
        if (bGroupUnstorable || !astrChars.empty())
            ++m_loss.nUnstorableEntries;
        if (!astrChars.empty()) {
            ++m_loss.nUnstorableTexts;
            if (Wants(m_loss.astrUnstorable))
                m_loss.astrUnstorable.push_back(
                    FormatText(IDS_LOSS_ENTRY_IN, Quoted(parts.strTitle), fnGroupPath()) + " (" +
                    Joined(astrChars, ", ") + ")");
        } else if (!bGroupUnstorable && StoredSize(parts.strTitle) > MAX_IMPORT_NAME_LENGTH) {
            ++m_loss.nCutNames;
            if (Wants(m_loss.astrCut))
                m_loss.astrCut.push_back(FormatText(
                    IDS_LOSS_ENTRY_IN, Quoted(Beginning(parts.strTitle)) + "...", fnGroupPath()));
        }
        if (!parts.customKeys.empty())
            ++m_loss.nCustomFieldEntries;
        for (const std::string_view strKey : parts.customKeys)
            if (m_customKeys.insert(std::string(strKey)).second)
                m_loss.astrCustomFields.emplace_back(strKey);
        m_loss.nOtpEntries += parts.bOtp ? 1 : 0;
        m_loss.nTaggedEntries += parts.bTags ? 1 : 0;
        m_loss.nExpiringEntries += parts.bExpires ? 1 : 0;
        for (const CXmlElement& child : entry.Children()) {
            if (child.Name() == "Binary")
                CountAttachment(child);
            else if (child.Name() == "History")
                m_loss.nHistory += static_cast<std::size_t>(
                    std::count_if(child.Children().begin(), child.Children().end(),
                                  [](const CXmlElement& e) { return e.Name() == "Entry"; }));
        }
    }

    void CountAttachment(const CXmlElement& binary) {
        ++m_loss.nAttachments;
        const CXmlElement* pValue = binary.Child("Value");
        const std::string* pRef = pValue ? pValue->Attribute("Ref") : nullptr;
        if (!pRef || pRef->empty() || pRef->find_first_not_of("0123456789") != std::string::npos ||
            pRef->size() > 9)
            return;
        const std::size_t nRef = std::stoul(*pRef);
        if (nRef < m_binaries.size())
            m_loss.nAttachmentBytes += m_binaries[nRef].data.size();
    }

    void CountIcon(const CXmlElement& element) {
        if (element.ChildText("CustomIconUUID").find_first_not_of(" \t\r\n") != std::string::npos)
            ++m_loss.nCustomIcons;
    }

    // Iterative: a hostile file may nest its groups deeper than a stack
    // holds.
    static std::size_t CountRecycled(const CXmlElement& bin) {
        std::size_t nCount = 0;
        std::vector<const CXmlElement*> pending{&bin};
        while (!pending.empty()) {
            const CXmlElement* pGroup = pending.back();
            pending.pop_back();
            for (const CXmlElement& child : pGroup->Children()) {
                if (child.Name() == "Entry")
                    ++nCount;
                else if (child.Name() == "Group")
                    pending.push_back(&child);
            }
        }
        return nCount;
    }

    static bool Wants(const std::vector<std::string>& astrNamed) {
        return astrNamed.size() < SKdbxLoss::MAX_NAMED;
    }

    // The length of a storable text in the code page; of any other, its
    // UTF-8 length (it is left out anyway).
    std::size_t StoredSize(std::string_view strUtf8) const {
        std::string strStored;
        return m_codePage.FromUtf8(strUtf8, strStored) ? strStored.size() : strUtf8.size();
    }

    SKdbxLoss& m_loss;
    std::span<const SKdbxBinary> m_binaries;
    const CCodePage& m_codePage;
    std::set<std::string> m_customKeys;
};

// "1 entry", "2 entries".
// The named items, and how many more there are.
std::string NamedList(const std::vector<std::string>& astrNamed, std::size_t nAll,
                      std::string_view strBetween = "; ") {
    std::string strOut = Joined(astrNamed, strBetween);
    if (nAll > astrNamed.size())
        strOut += std::string(strBetween) +
                  CountText(IDS_LOSS_MORE, static_cast<long long>(nAll - astrNamed.size()));
    return strOut;
}

} // namespace

bool SKdbxLoss::IsEmpty() const {
    return nUnstorableEntries == 0 && nUnstorableGroups == 0 && nNestedGroups == 0 &&
           nCustomFieldEntries == 0 && nAttachments == 0 && nHistory == 0 && nOtpEntries == 0 &&
           nTaggedEntries == 0 && nExpiringEntries == 0 && nRecycledEntries == 0 &&
           nCustomIcons == 0 && nGroupNotes == 0 && nCutNames == 0;
}

SKdbxLoss KdbxLossOf(const CXmlTree& xml, std::span<const SKdbxBinary> binaries,
                     const CCodePage& codePage) {
    SKdbxLoss loss;
    CLossCounter(loss, binaries, codePage).CountTree(xml);
    return loss;
}

SKdbxLoss KdbxLossOf(const CKdbxFile& database, const CCodePage& codePage) {
    return KdbxLossOf(database.Xml(), database.Binaries(), codePage);
}

std::string KdbxLossText(const SKdbxLoss& loss, const CCodePage& codePage) {
    std::string strOut;
    const auto Line = [&strOut](const std::string& strLine) { strOut += strLine + "\n"; };
    const auto Count = [](const SCountText& text, std::size_t nCount) {
        return CountText(text, static_cast<long long>(nCount));
    };
    if (loss.nUnstorableEntries > 0 || loss.nUnstorableGroups > 0)
        Line(FillMarks(Count(IDS_LOSS_UNSTORABLE, loss.nUnstorableEntries), codePage.Name()) +
             (loss.nUnstorableGroups == 0
                  ? std::string()
                  : Count(IDS_LOSS_UNSTORABLE_GROUPS, loss.nUnstorableGroups)) +
             ": " + NamedList(loss.astrUnstorable, loss.nUnstorableTexts + loss.nUnstorableGroups));
    if (loss.nNestedGroups > 0)
        Line(Count(IDS_LOSS_NESTED, loss.nNestedGroups) + ": " +
             NamedList(loss.astrNested, loss.nNestedGroups));
    if (loss.nCustomFieldEntries > 0)
        Line(Count(IDS_LOSS_CUSTOM_FIELDS, loss.nCustomFieldEntries) + ": " +
             NamedList(std::vector<std::string>(
                           loss.astrCustomFields.begin(),
                           loss.astrCustomFields.begin() +
                               static_cast<std::ptrdiff_t>(std::min(loss.astrCustomFields.size(),
                                                                    2 * SKdbxLoss::MAX_NAMED))),
                       loss.astrCustomFields.size(), ", "));
    if (loss.nCutNames > 0)
        Line(FillMarks(Count(IDS_LOSS_CUT_NAMES, loss.nCutNames),
                       std::to_string(MAX_IMPORT_NAME_LENGTH)) +
             ": " + NamedList(loss.astrCut, loss.nCutNames));
    if (loss.nAttachments > 0)
        Line(FillMarks(Count(IDS_LOSS_ATTACHMENTS, loss.nAttachments),
                       Count(IDS_LOSS_BYTES, static_cast<std::size_t>(loss.nAttachmentBytes))));
    const struct {
        std::size_t nCount;
        const SCountText& text;
    } COUNTED[] = {
        {loss.nHistory, IDS_LOSS_HISTORY},          {loss.nOtpEntries, IDS_LOSS_OTP},
        {loss.nTaggedEntries, IDS_LOSS_TAGS},       {loss.nExpiringEntries, IDS_LOSS_EXPIRY},
        {loss.nRecycledEntries, IDS_LOSS_RECYCLED}, {loss.nCustomIcons, IDS_LOSS_ICONS},
        {loss.nGroupNotes, IDS_LOSS_GROUP_NOTES},
    };
    for (const auto& kind : COUNTED)
        if (kind.nCount > 0)
            Line(Count(kind.text, kind.nCount));
    return strOut;
}
