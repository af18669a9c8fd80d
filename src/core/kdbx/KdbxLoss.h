// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/KdbxInnerHeader.h"
#include "core/kdbx/XmlTree.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CCodePage;
class CKdbxFile;

// What a password file (".pwd", ".khv") cannot keep of a KeePass database,
// counted and named so that the user can judge before converting: its texts
// are of one code page, its groups lie one level deep and an account has six
// fields. Only what the user keeps counts (KdbxGroupTree); the recycle bin
// is counted apart.
struct SKdbxLoss {
    // Entries whose texts, or whose group's path, hold characters the code
    // page cannot hold: the importer leaves them out whole.
    std::size_t nUnstorableEntries = 0;
    std::size_t nUnstorableGroups = 0; // groups whose own name holds one
    std::size_t nUnstorableTexts = 0;  // entries whose own texts hold one
    // The first MAX_NAMED of them: group "Работа" (Р, а, б) or "Почта" in
    // Mail (П, о); a password's characters are never named.
    std::vector<std::string> astrUnstorable;
    // Groups below a group below the root: they become one flat name.
    std::size_t nNestedGroups = 0;
    std::vector<std::string> astrNested; // the first MAX_NAMED paths, "A/B"
    // Group paths and titles longer than a name, which the importer cuts.
    std::size_t nCutNames = 0;
    std::vector<std::string> astrCut; // the first MAX_NAMED
    std::size_t nCustomFieldEntries = 0;
    std::vector<std::string> astrCustomFields; // every key once, in the order met
    std::size_t nAttachments = 0;
    std::uint64_t nAttachmentBytes = 0;
    std::size_t nHistory = 0; // earlier versions kept by the entries
    std::size_t nOtpEntries = 0;
    std::size_t nTaggedEntries = 0;
    std::size_t nExpiringEntries = 0;
    std::size_t nRecycledEntries = 0;
    std::size_t nCustomIcons = 0; // entries and groups showing one
    std::size_t nGroupNotes = 0;  // groups with notes of their own

    static constexpr std::size_t MAX_NAMED = 5;

    bool IsEmpty() const;
};

// The loss of converting the database (its XML and its binary pool, which
// the attachments' sizes come from) to a password file of the code page.
SKdbxLoss KdbxLossOf(const CXmlTree& xml, std::span<const SKdbxBinary> binaries,
                     const CCodePage& codePage);
SKdbxLoss KdbxLossOf(const CKdbxFile& database, const CCodePage& codePage);

// The loss in plain words, one line per kind that occurs ("\n" after each),
// naming the code page; empty when nothing is lost.
std::string KdbxLossText(const SKdbxLoss& loss, const CCodePage& codePage);
