// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CArchive;

// One record of a password file: an account, or a group header that owns the
// accounts after it in the document's list. Texts are byte strings in the
// file's code page and may hold 0x00 once enciphered.
//
// A file may hold millions of records, most of them short or empty, so a
// record keeps its seven texts in one block of its own (none at all while
// every text is empty) rather than as seven strings: 16 bytes plus its
// texts, where seven strings would take over 200.
class CPasswordInfo {
public:
    // The texts in file order; the group mark is stored between the last
    // two.
    enum EText { account, userName, password, webSite, eMail, comments, group, TEXT_COUNT };

    CPasswordInfo() = default;
    CPasswordInfo(const CPasswordInfo& other);
    CPasswordInfo& operator=(const CPasswordInfo& other);
    CPasswordInfo(CPasswordInfo&&) noexcept = default;
    CPasswordInfo& operator=(CPasswordInfo&&) noexcept = default;
    ~CPasswordInfo() = default;

    // Stores or loads the record body in the order the file keeps it.
    // Loading returns false when the archive runs out or is malformed.
    bool Serialize(CArchive& ar);

    bool IsGroup() const { return m_bGroup != 0; }
    // Wipes and empties every text, as when the record's file is dropped.
    void Wipe();

    std::string_view TextView(EText eText) const;
    std::string Text(EText eText) const { return std::string(TextView(eText)); }
    void SetText(EText eText, std::string_view strText);
    // All seven texts at once, in EText's order: one block built, where
    // SetText builds one per text.
    void SetTexts(const std::array<std::string_view, TEXT_COUNT>& texts);

    std::string Account() const { return Text(account); }
    std::string UserName() const { return Text(userName); }
    std::string Password() const { return Text(password); }
    std::string WebSite() const { return Text(webSite); }
    std::string EMail() const { return Text(eMail); }
    std::string Comments() const { return Text(comments); }
    std::string Group() const { return Text(group); }
    void SetAccount(std::string_view strText) { SetText(account, strText); }
    void SetUserName(std::string_view strText) { SetText(userName, strText); }
    void SetPassword(std::string_view strText) { SetText(password, strText); }
    void SetWebSite(std::string_view strText) { SetText(webSite, strText); }
    void SetEMail(std::string_view strText) { SetText(eMail, strText); }
    void SetComments(std::string_view strText) { SetText(comments, strText); }
    void SetGroup(std::string_view strText) { SetText(group, strText); }

    // Calls fn(char* pText, std::size_t nLength) on each text in place, so a
    // cipher can turn the bytes without copying them.
    template <class F> void ForEachText(F fn) {
        for (int i = 0; i < TEXT_COUNT; ++i) {
            const auto nStart = Offset(i);
            fn(m_pBlock ? m_pBlock.get() + nStart : nullptr, Offset(i + 1) - nStart);
        }
    }

    // The group mark as the file stores it (any non-zero value is a group).
    std::int32_t m_bGroup = 0;
    // What the record stands for in a database kept beside the records
    // (CRecordDatabase); 0 for none. No password file stores it. A copy
    // keeps it, so an account moved by copying keeps its entry.
    std::uint32_t m_nEntryId = 0;

private:
    using COffsets = std::array<std::uint32_t, TEXT_COUNT + 1>;
    static constexpr std::size_t HEADER_BYTES = sizeof(COffsets);

    // Where text i starts in the block (and where text i - 1 ends); the
    // block opens with the eight offsets.
    std::uint32_t Offset(int i) const;
    // Builds the block from seven texts; none when all are empty.
    void Pack(const std::array<std::string_view, TEXT_COUNT>& texts);

    std::unique_ptr<char[]> m_pBlock;
};
