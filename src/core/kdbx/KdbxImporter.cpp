// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxImporter.h"

#include "core/interchange/Importer.h"
#include "core/kdbx/KdbxEdit.h"
#include "core/kdbx/KdbxEntries.h"

#include <algorithm>

CKdbxImporter::CKdbxImporter(CKdbxFile& database, std::int64_t nNow)
    : m_database(database), m_nNow(nNow) {}

void CKdbxImporter::Add(const SImportEntry& entry) {
    CXmlTree& xml = m_database.Xml();
    CXmlElement& group = KdbxGroupAt(xml, entry.GroupPath(), m_nNow);
    const std::string strTitle = FreeTitle(NamesOf(group), entry.strTitle);
    std::vector<SKdbxNewField> fields = {
        {"Title", strTitle},   {"UserName", entry.strUserName}, {"Password", entry.strPassword},
        {"URL", entry.strUrl}, {"Notes", entry.strNotes},
    };
    if (!entry.strEMail.empty())
        fields.push_back({"E-mail", entry.strEMail});
    // A custom field of a name already set (a second e-mail field) keeps
    // the first value, as a database holds one field of each name.
    for (const auto& custom : entry.customFields)
        if (std::none_of(fields.begin(), fields.end(),
                         [&](const SKdbxNewField& field) { return field.strKey == custom.first; }))
            fields.push_back({custom.first, custom.second});
    AddKdbxEntry(xml, group, fields, m_nNow);
    for (SKdbxNewField& field : fields)
        std::fill(field.strValue.begin(), field.strValue.end(), '\0');
    ++m_nImported;
    for (std::size_t i = 0; i < m_anLeftOut.size(); ++i)
        m_anLeftOut[i] += entry.anLeftOut[i];
    for (const std::string& strColumn : entry.astrUnreadColumns)
        if (m_unreadColumns.insert(strColumn).second)
            m_astrUnreadColumns.push_back(strColumn);
}

std::string CKdbxImporter::Summary() const {
    int nGroups = 0;
    for (const auto& [strUuid, names] : m_groups)
        nGroups += names.bReceived ? 1 : 0;
    return ImportSummary(m_nImported, nGroups, m_anLeftOut, m_astrUnreadColumns);
}

CKdbxImporter::SGroupNames& CKdbxImporter::NamesOf(const CXmlElement& group) {
    const auto [it, bNew] = m_groups.try_emplace(std::string(group.ChildText("UUID")));
    if (bNew)
        for (const CXmlElement& child : group.Children())
            if (child.Name() == "Entry")
                it->second.titles.insert(std::string(KdbxEntryField(child, "Title").value_or("")));
    it->second.bReceived = true;
    return it->second;
}

std::string CKdbxImporter::FreeTitle(SGroupNames& names, const std::string& strTitle) {
    if (names.titles.insert(strTitle).second)
        return strTitle;
    int& nNext = names.nextSuffix.try_emplace(strTitle, 2).first->second;
    for (;; ++nNext) {
        std::string strCandidate = strTitle + " (" + std::to_string(nNext) + ")";
        if (names.titles.insert(strCandidate).second) {
            ++nNext;
            return strCandidate;
        }
    }
}
