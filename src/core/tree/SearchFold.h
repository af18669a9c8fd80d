// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CCodePage;

// Folds the bytes of a code page for searching: upper case to lower case and
// accented Latin letters to their base letter ("É" and "e" meet), byte for
// byte, so a match in the folded text lies at the same place in the
// original. A letter with no base letter in the code page folds to its own
// lower case.
//
// UTF-8 texts are folded by character as FoldForSearch folds them, in every
// script ("почта" meets "Почта", "lodz" "Łódź", "ελλαδα" "Ελλάδα"); a
// folded text may then be longer or shorter than the text, and FoldMapped
// tells where its bytes come from.
class CSearchFold {
public:
    explicit CSearchFold(const CCodePage& codePage);

    // One byte alone: on the UTF-8 page only ASCII letters fold.
    unsigned char Fold(unsigned char nByte) const { return m_anFold[nByte]; }
    // strOut becomes the folded strText; reusing one buffer spares an
    // allocation per text.
    void Fold(std::string_view strText, std::string& strOut) const;
    std::string Fold(std::string_view strText) const;
    // The same, with the bytes of strText that each folded byte comes from
    // (begin, end): for showing a match of the folded text in strText.
    void FoldMapped(std::string_view strText, std::string& strOut,
                    std::vector<std::pair<std::size_t, std::size_t>>& anOrigin) const;

private:
    bool m_bUtf8 = false;
    std::array<unsigned char, 256> m_anFold{};
};

// The letter a Latin letter with an accent is built on ('é' gives 'e'), or
// the character itself when it has none.
char32_t BaseLetter(char32_t nChar);
