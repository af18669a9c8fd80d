// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/unicode/UnicodeFold.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <unordered_map>

namespace {

// The Latin letters that step 4 replaces, with what replaces them.
using CLatinTable = std::unordered_map<UChar32, std::string_view>;

// Where Latin letters with additions live: Latin-1, Extended-A and -B, the
// IPA and phonetic extensions, Extended Additional, -C, -D and -E.
constexpr std::pair<UChar32, UChar32> LATIN_RANGES[] = {
    {0x00C0, 0x02AF}, {0x1D00, 0x1DBF}, {0x1E00, 0x1EFF},
    {0x2C60, 0x2C7F}, {0xA720, 0xA7FF}, {0xAB30, 0xAB6F},
};

// "LATIN SMALL LETTER L WITH STROKE" gives 'l'; any other name gives 0.
char LetterNamedWith(std::string_view strName) {
    for (std::string_view strPrefix : {"LATIN SMALL LETTER ", "LATIN CAPITAL LETTER "}) {
        if (strName.substr(0, strPrefix.size()) != strPrefix)
            continue;
        const std::string_view strRest = strName.substr(strPrefix.size());
        if (strRest.size() > 6 && strRest[0] >= 'A' && strRest[0] <= 'Z' &&
            strRest.substr(1, 6) == " WITH ")
            return static_cast<char>(strRest[0] - 'A' + 'a');
    }
    return 0;
}

CLatinTable MakeLatinTable(const icu::Normalizer2& nfd) {
    // Letters of their own, as a keyboard without them writes them.
    CLatinTable table = {
        {0x00E6, "ae"}, {0x00C6, "ae"}, {0x0153, "oe"}, {0x0152, "oe"}, {0x00FE, "th"},
        {0x00DE, "th"}, {0x00F0, "d"},  {0x00D0, "d"},  {0x0131, "i"},
    };
    static constexpr std::string_view LETTERS = "abcdefghijklmnopqrstuvwxyz";
    icu::UnicodeString strDecomposition;
    for (const auto& [nFirst, nLast] : LATIN_RANGES) {
        for (UChar32 c = nFirst; c <= nLast; ++c) {
            if (nfd.getDecomposition(c, strDecomposition))
                continue;
            char szName[128];
            UErrorCode status = U_ZERO_ERROR;
            const int32_t nLength =
                u_charName(c, U_UNICODE_CHAR_NAME, szName, sizeof szName, &status);
            if (U_FAILURE(status) || nLength <= 0)
                continue;
            const char cLetter = LetterNamedWith(std::string_view(szName, nLength));
            if (cLetter != 0)
                table.emplace(c, LETTERS.substr(static_cast<std::size_t>(cLetter - 'a'), 1));
        }
    }
    return table;
}

// The normalizers and the table, made once; ICU's instances are shared and
// safe to use from several threads.
struct SFolding {
    const icu::Normalizer2* pCaseFold = nullptr;
    const icu::Normalizer2* pNfd = nullptr;
    CLatinTable latin;

    SFolding() {
        UErrorCode status = U_ZERO_ERROR;
        pCaseFold = icu::Normalizer2::getNFKCCasefoldInstance(status);
        pNfd = icu::Normalizer2::getNFDInstance(status);
        if (U_FAILURE(status))
            throw std::runtime_error(std::string("Unicode data missing: ") + u_errorName(status));
        latin = MakeLatinTable(*pNfd);
    }
};

const SFolding& Folding() {
    static const SFolding folding;
    return folding;
}

bool IsDroppedMark(UChar32 c) {
    return u_charType(c) == U_NON_SPACING_MARK && u_hasBinaryProperty(c, UCHAR_DIACRITIC) &&
           c != 0x3099 && c != 0x309A; // kana voicing marks
}

// Step 3: Cyrillic letters built from a base and a mark that stay whole.
bool IsKeptCyrillic(UChar32 c) {
    constexpr UChar32 UNMARKED[] = {0x0400, 0x0401, 0x040D, 0x0450, 0x0451, 0x045D}; // Ѐ Ё Ѝ ѐ ё ѝ
    return c >= 0x0400 && c <= 0x04FF &&
           std::find(std::begin(UNMARKED), std::end(UNMARKED), c) == std::end(UNMARKED);
}

bool IsLetter(UChar32 c) {
    return (U_GET_GC_MASK(c) & U_GC_L_MASK) != 0;
}

void AppendBase(UChar32 c, const SFolding& folding, icu::UnicodeString& strOut) {
    const auto it = folding.latin.find(c);
    if (it == folding.latin.end())
        strOut.append(c);
    else
        strOut.append(icu::UnicodeString::fromUTF8(it->second));
}

// Steps 2 to 4 for one character of the case-folded text.
void AppendFolded(UChar32 c, const SFolding& folding, icu::UnicodeString& strDecomposition,
                  icu::UnicodeString& strOut) {
    if (c < 0x80) {
        strOut.append(c);
        return;
    }
    if (!folding.pNfd->getDecomposition(c, strDecomposition)) {
        if (!IsDroppedMark(c))
            AppendBase(c, folding, strOut);
        return;
    }
    const UChar32 nBase = strDecomposition.char32At(0);
    if (!IsLetter(nBase) || IsKeptCyrillic(c)) {
        strOut.append(c);
        return;
    }
    // The marks after the base that are kept. No character of Unicode 15
    // mixes them with marks that go; were one to, its kept marks would
    // follow its base uncomposed, the same in every text.
    icu::UnicodeString strMarks;
    bool bDropped = false;
    for (int32_t i = U16_LENGTH(nBase); i < strDecomposition.length();) {
        const UChar32 nMark = strDecomposition.char32At(i);
        i += U16_LENGTH(nMark);
        if (IsDroppedMark(nMark))
            bDropped = true;
        else
            strMarks.append(nMark);
    }
    if (!bDropped) {
        strOut.append(c); // nothing to take off: が stays composed
        return;
    }
    AppendBase(nBase, folding, strOut);
    strOut.append(strMarks);
}

} // namespace

void FoldForSearch(std::string_view strUtf8, std::string& strOut) {
    if (std::all_of(strUtf8.begin(), strUtf8.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        strOut.resize(strUtf8.size());
        std::transform(strUtf8.begin(), strUtf8.end(), strOut.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
        return;
    }
    if (strUtf8.size() > INT32_MAX) // ICU counts in int32_t
        throw std::length_error("text too long to fold");
    const SFolding& folding = Folding();
    UErrorCode status = U_ZERO_ERROR;
    // fromUTF8 turns every invalid sequence into U+FFFD.
    const icu::UnicodeString strText = icu::UnicodeString::fromUTF8(
        icu::StringPiece(strUtf8.data(), static_cast<int32_t>(strUtf8.size())));
    const icu::UnicodeString strFolded = folding.pCaseFold->normalize(strText, status);
    if (U_FAILURE(status))
        throw std::runtime_error(std::string("Unicode folding failed: ") + u_errorName(status));

    icu::UnicodeString strResult;
    icu::UnicodeString strDecomposition;
    for (int32_t i = 0; i < strFolded.length();) {
        const UChar32 c = strFolded.char32At(i);
        i += U16_LENGTH(c);
        AppendFolded(c, folding, strDecomposition, strResult);
    }
    strOut.clear();
    strResult.toUTF8String(strOut);
}

std::string FoldForSearch(std::string_view strUtf8) {
    std::string strOut;
    FoldForSearch(strUtf8, strOut);
    return strOut;
}

// The folding of a text is the folding of its parts, one after the other,
// when each part begins where the case folding's normalisation has a
// boundary (steps 2 to 4 take one character at a time).
void FoldForSearch(std::string_view strUtf8, std::string& strOut,
                   std::vector<std::pair<std::size_t, std::size_t>>& anOrigin) {
    if (strUtf8.size() > INT32_MAX)
        throw std::length_error("text too long to fold");
    const icu::Normalizer2& caseFold = *Folding().pCaseFold;
    const auto* pText = reinterpret_cast<const uint8_t*>(strUtf8.data());
    const auto nSize = static_cast<int32_t>(strUtf8.size());
    strOut.clear();
    anOrigin.clear();
    std::string strPart;
    const auto appendPart = [&](std::size_t nFrom, std::size_t nTo) {
        FoldForSearch(strUtf8.substr(nFrom, nTo - nFrom), strPart);
        strOut += strPart;
        anOrigin.insert(anOrigin.end(), strPart.size(), {nFrom, nTo});
    };
    std::size_t nPart = 0;
    for (int32_t i = 0; i < nSize;) {
        const auto nAt = static_cast<std::size_t>(i);
        UChar32 c = 0;
        U8_NEXT(pText, i, nSize, c);
        // An ill-formed part becomes U+FFFD, which begins a part of its own.
        if (nAt > nPart && (c < 0 || caseFold.hasBoundaryBefore(c))) {
            appendPart(nPart, nAt);
            nPart = nAt;
        }
    }
    if (nPart < strUtf8.size())
        appendPart(nPart, strUtf8.size());
}
