// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

class CProfile;

// The bar that offers to seal an opened ".pwd" shows once for each file: the
// files it was shown for are kept in the settings, the newest last.
class CConvertOffer {
public:
    explicit CConvertOffer(CProfile& profile) : m_profile(profile) {}

    // True the first time a ".pwd" at strPath is asked about, which marks
    // it; false for it afterwards and for every other format.
    bool TakeOffer(const std::string& strPath);

    // The most files remembered; the oldest are forgotten first.
    static constexpr std::size_t MAX_FILES = 64;

private:
    CProfile& m_profile;
};
