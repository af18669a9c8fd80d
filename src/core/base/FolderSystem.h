// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The three file-system operations the folder check needs, so that its rules
// can be tested without touching the disk.
class CFolderSystem {
public:
    virtual ~CFolderSystem() = default;
    // True when strPath names an existing folder (a file of that name is not one).
    virtual bool IsFolder(const std::string& strPath) const = 0;
    // Creates one folder; whether it worked is asked afterwards with IsFolder.
    virtual void MakeFolder(const std::string& strPath) = 0;
};

// The real disk.
class CDiskFolderSystem final : public CFolderSystem {
public:
    bool IsFolder(const std::string& strPath) const override;
    void MakeFolder(const std::string& strPath) override;
};
