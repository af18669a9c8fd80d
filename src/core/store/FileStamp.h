// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct stat;

// What the document knows of the file it read or last wrote: where it was,
// its identity and times, and a hash of its bytes. A save compares it with
// the file on disk, so that a change made by another program (the CLI's
// passwd, a second copy, a sync tool) is never silently undone.
class CFileStamp {
public:
    // Nothing known: no file was read or written yet.
    CFileStamp() = default;
    // The file at strPath as it is now, holding bytes (read or just written).
    CFileStamp(const std::string& strPath, std::string_view bytes);

    bool IsKnown() const { return m_bKnown; }
    const std::string& Path() const { return m_strPath; }
    // Whether strPath names the remembered file: by name, links resolved,
    // since a file replaced by another program has a new identity.
    bool IsFor(const std::string& strPath) const;
    // Whether the file at the remembered path now holds other bytes. Equal
    // identity, size and time answer at once; otherwise the bytes decide, so
    // a file merely touched or copied back unchanged is not a change. A file
    // that is gone is no change either: nothing of it can be lost.
    bool HasChangedOnDisk() const;

private:
    using CHash = std::array<std::uint8_t, 32>;
    static CHash HashOf(std::string_view bytes);
    bool SameIdentity(const struct stat& st) const;

    bool m_bKnown = false;
    std::string m_strPath;
    std::string m_strRealPath;
    std::uint64_t m_nDevice = 0;
    std::uint64_t m_nInode = 0;
    std::int64_t m_nSize = 0;
    std::int64_t m_nModifiedNs = 0;
    CHash m_hash{};
};
