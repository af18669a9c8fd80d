// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxExtras.h"

#include "core/base/TextUtil.h"
#include "core/interchange/KdbxTime.h"
#include "core/kdbx/KdbxEdit.h"
#include "core/kdbx/KdbxEntries.h"
#include "core/kdbx/KdbxRecords.h"
#include "core/kdbx/KdbxTree.h"
#include "core/otp/OtpSettings.h"

#include <algorithm>
#include <charconv>

namespace {

std::string_view Trimmed(std::string_view strText) {
    const std::size_t nStart = strText.find_first_not_of(" \t\r\n");
    if (nStart == std::string_view::npos)
        return {};
    return strText.substr(nStart, strText.find_last_not_of(" \t\r\n") - nStart + 1);
}

bool IsOtpField(std::string_view strKey) {
    return strKey == OTP_URI_FIELD || strKey == OTP_SEED_FIELD || strKey == OTP_SETTINGS_FIELD;
}

std::string OtpOf(const CXmlElement& entry) {
    if (const auto uri = KdbxEntryField(entry, OTP_URI_FIELD))
        return std::string(*uri);
    const SOtpRead read = OtpFromEntryFields([&entry](std::string_view strName) {
        const auto value = KdbxEntryField(entry, strName);
        return value ? std::optional<std::string>(std::string(*value)) : std::nullopt;
    });
    return read ? WriteOtpUri(read.settings) : std::string();
}

std::optional<std::int64_t> ExpiryOf(const CXmlElement& entry) {
    const CXmlElement* pTimes = entry.Child("Times");
    if (!pTimes || !EqualsNoCaseAscii(Trimmed(pTimes->ChildText("Expires")), "True"))
        return std::nullopt;
    return KdbxTimeUnix(Trimmed(pTimes->ChildText("ExpiryTime")));
}

// The pool item a Binary refers to; none for a reference out of the pool.
const SKdbxBinary* PoolItemOf(const CKdbxFile& database, const CXmlElement& binary) {
    const CXmlElement* pValue = binary.Child("Value");
    const std::string* pRef = pValue ? pValue->Attribute("Ref") : nullptr;
    std::size_t nRef = 0;
    if (!pRef ||
        std::from_chars(pRef->data(), pRef->data() + pRef->size(), nRef).ec != std::errc() ||
        nRef >= database.Binaries().size())
        return nullptr;
    return &database.Binaries()[nRef];
}

std::vector<SRecordAttachment> AttachmentsOf(const CKdbxFile& database, const CXmlElement& entry) {
    std::vector<SRecordAttachment> attachments;
    for (const CXmlElement& child : entry.Children()) {
        if (child.Name() != "Binary")
            continue;
        const SKdbxBinary* pItem = PoolItemOf(database, child);
        if (!pItem)
            continue; // nothing the file holds: not shown, and kept as it is
        attachments.push_back({std::string(child.ChildText("Key")),
                               std::string(pItem->data.begin(), pItem->data.end())});
    }
    return attachments;
}

// Where an entry's String or Binary goes: before its AutoType and History,
// as KeePass orders them.
void MoveBeforeTail(CXmlElement& entry) {
    auto& children = entry.Children();
    const auto itTail =
        std::find_if(children.begin(), children.end() - 1, [](const CXmlElement& c) {
            return c.Name() == "AutoType" || c.Name() == "History";
        });
    std::rotate(itTail, children.end() - 1, children.end());
}

// The pool's index of those bytes, added when the pool lacks them.
std::size_t PoolIndexOf(CKdbxFile& database, std::string_view bytes) {
    auto& pool = database.Binaries();
    const auto* pBytes = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (std::size_t i = 0; i < pool.size(); ++i)
        if (std::equal(pool[i].data.begin(), pool[i].data.end(), pBytes, pBytes + bytes.size()))
            return i;
    SKdbxBinary& item = pool.emplace_back();
    item.data.assign(pBytes, pBytes + bytes.size());
    return pool.size() - 1;
}

void SetFields(CXmlTree& xml, CXmlElement& entry, const std::vector<SRecordField>& before,
               const std::vector<SRecordField>& fields) {
    for (const SRecordField& old : before)
        if (std::none_of(fields.begin(), fields.end(),
                         [&](const SRecordField& f) { return f.strName == old.strName; }))
            RemoveKdbxString(entry, old.strName);
    for (const SRecordField& field : fields) {
        const auto itOld = std::find_if(before.begin(), before.end(), [&](const SRecordField& f) {
            return f.strName == field.strName;
        });
        if (itOld == before.end() || !(*itOld == field))
            SetKdbxString(xml, entry, field.strName, field.strValue, field.bProtected);
    }
}

void SetOtp(CXmlTree& xml, CXmlElement& entry, const std::string& strOtp) {
    RemoveKdbxString(entry, OTP_SEED_FIELD);
    RemoveKdbxString(entry, OTP_SETTINGS_FIELD);
    if (strOtp.empty())
        RemoveKdbxString(entry, OTP_URI_FIELD);
    else
        SetKdbxString(xml, entry, OTP_URI_FIELD, strOtp, true);
}

void SetExpiry(CXmlTree& xml, CXmlElement& entry, std::optional<std::int64_t> nExpiry) {
    CXmlElement* pTimes = entry.Child("Times");
    if (!pTimes)
        pTimes = &entry.AppendChild(xml, "Times");
    pTimes->SetChildText(xml, "Expires", nExpiry ? "True" : "False");
    if (nExpiry)
        pTimes->SetChildText(xml, "ExpiryTime", KdbxTimeText(*nExpiry));
}

void SetAttachments(CKdbxFile& database, CXmlElement& entry,
                    const std::vector<SRecordAttachment>& attachments) {
    CXmlTree& xml = database.Xml();
    // References out of the pool were never shown, so they stay.
    auto& children = entry.Children();
    children.erase(std::remove_if(children.begin(), children.end(),
                                  [&](const CXmlElement& c) {
                                      return c.Name() == "Binary" && PoolItemOf(database, c);
                                  }),
                   children.end());
    for (const SRecordAttachment& attachment : attachments) {
        CXmlElement& binary = entry.AppendChild(xml, "Binary");
        binary.SetChildText(xml, "Key", attachment.strName);
        CXmlElement& value = binary.SetChildText(xml, "Value", "");
        value.SetAttribute(xml, "Ref", std::to_string(PoolIndexOf(database, attachment.bytes)));
        MoveBeforeTail(entry);
    }
}

} // namespace

std::vector<SRecordField> KdbxCustomFields(const CXmlElement& entry) {
    std::vector<SRecordField> fields;
    const std::string strEMailKey = KdbxEMailKey(entry);
    for (const SKdbxField& field : KdbxEntryFields(entry)) {
        if (IsKdbxStandardField(field.strKey) || field.strKey == strEMailKey ||
            IsOtpField(field.strKey))
            continue;
        fields.push_back(
            {std::string(field.strKey), std::string(field.strValue), field.bProtected});
    }
    return fields;
}

SRecordExtras KdbxEntryExtras(const CKdbxFile& database, const CXmlElement& entry) {
    SRecordExtras extras;
    extras.fields = KdbxCustomFields(entry);
    extras.strOtp = OtpOf(entry);
    extras.tags = SplitKdbxTags(entry.ChildText("Tags"));
    extras.nExpiry = ExpiryOf(entry);
    extras.attachments = AttachmentsOf(database, entry);
    return extras;
}

bool SetKdbxEntryExtras(CKdbxFile& database, CXmlElement& entry, const SRecordExtras& extras) {
    const SRecordExtras before = KdbxEntryExtras(database, entry);
    if (before == extras)
        return false;
    CXmlTree& xml = database.Xml();
    if (before.fields != extras.fields)
        SetFields(xml, entry, before.fields, extras.fields);
    if (before.strOtp != extras.strOtp)
        SetOtp(xml, entry, extras.strOtp);
    if (before.tags != extras.tags)
        entry.SetChildText(xml, "Tags", JoinKdbxTags(extras.tags));
    if (before.nExpiry != extras.nExpiry)
        SetExpiry(xml, entry, extras.nExpiry);
    if (before.attachments != extras.attachments)
        SetAttachments(database, entry, extras.attachments);
    return true;
}

std::vector<SRecordVersion> KdbxEntryHistory(const CKdbxFile& database, const CXmlElement& entry) {
    std::vector<SRecordVersion> versions;
    const CXmlElement* pHistory = entry.Child("History");
    if (!pHistory)
        return versions;
    for (const CXmlElement& item : pHistory->Children()) {
        if (item.Name() != "Entry")
            continue;
        SRecordVersion& version = versions.emplace_back();
        const CXmlElement* pTimes = item.Child("Times");
        version.nModified =
            pTimes ? KdbxTimeUnix(Trimmed(pTimes->ChildText("LastModificationTime"))).value_or(0)
                   : 0;
        const SKdbxEntryTexts texts = KdbxEntryTexts(item);
        version.strAccount = texts.strTitle;
        version.strUserName = texts.strUserName;
        version.strPassword = texts.strPassword;
        version.strWebSite = texts.strUrl;
        version.strEMail = texts.strEMail;
        version.strComments = KdbxNotesWithCrlf(texts.strNotes);
        version.extras = KdbxEntryExtras(database, item);
    }
    return versions;
}

std::string JoinKdbxTags(const std::vector<std::string>& tags) {
    std::string strTags;
    for (const std::string& strTag : tags) {
        if (!strTags.empty())
            strTags += ';';
        strTags += strTag;
    }
    return strTags;
}

std::vector<std::string> SplitKdbxTags(std::string_view strTags) {
    std::vector<std::string> tags;
    while (!strTags.empty()) {
        const std::size_t nEnd = std::min(strTags.find_first_of(";,"), strTags.size());
        const std::string_view strTag = Trimmed(strTags.substr(0, nEnd));
        if (!strTag.empty() && std::find(tags.begin(), tags.end(), strTag) == tags.end())
            tags.emplace_back(strTag);
        strTags.remove_prefix(std::min(nEnd + 1, strTags.size()));
    }
    return tags;
}
