// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ControlEscaper.h"

namespace {

constexpr char HEX_DIGITS[] = "0123456789abcdef";

// The bounds of the byte after a lead byte, as UTF-8 allows it: narrower
// after E0, ED, F0 and F4, which would otherwise begin overlong forms,
// surrogates or code points past U+10FFFF.
struct SLead {
    std::size_t nLength = 0; // 0: no lead byte
    unsigned char nSecondLow = 0x80;
    unsigned char nSecondHigh = 0xBF;
};

SLead LeadOf(unsigned char c) {
    if (c >= 0xC2 && c <= 0xDF)
        return {2};
    if (c >= 0xE0 && c <= 0xEF)
        return {3, static_cast<unsigned char>(c == 0xE0 ? 0xA0 : 0x80),
                static_cast<unsigned char>(c == 0xED ? 0x9F : 0xBF)};
    if (c >= 0xF0 && c <= 0xF4)
        return {4, static_cast<unsigned char>(c == 0xF0 ? 0x90 : 0x80),
                static_cast<unsigned char>(c == 0xF4 ? 0x8F : 0xBF)};
    return {};
}

enum class ESequence { valid, invalid, incomplete };

// Judges the multi-byte sequence that starts at strText[0].
ESequence JudgeSequence(std::string_view strText, std::size_t& nLength) {
    const SLead lead = LeadOf(static_cast<unsigned char>(strText[0]));
    nLength = lead.nLength;
    if (nLength == 0)
        return ESequence::invalid;
    for (std::size_t i = 1; i < nLength; ++i) {
        if (i == strText.size())
            return ESequence::incomplete;
        const auto c = static_cast<unsigned char>(strText[i]);
        const unsigned char nLow = i == 1 ? lead.nSecondLow : 0x80;
        const unsigned char nHigh = i == 1 ? lead.nSecondHigh : 0xBF;
        if (c < nLow || c > nHigh)
            return ESequence::invalid;
    }
    return ESequence::valid;
}

void AppendByteEscape(unsigned char c, std::string& strOut) {
    switch (c) {
    case '\t':
        strOut += "\\t";
        return;
    case '\n':
        strOut += "\\n";
        return;
    case '\r':
        strOut += "\\r";
        return;
    default:
        strOut += "\\x";
        strOut += HEX_DIGITS[c >> 4];
        strOut += HEX_DIGITS[c & 15];
    }
}

} // namespace

void CControlEscaper::Escape(std::string_view strText, bool bFinal, std::string& strOut) {
    const bool bKeepBreaks = m_eBreaks == EBreaks::keep;
    std::size_t i = 0;
    while (i < strText.size()) {
        const auto c = static_cast<unsigned char>(strText[i]);
        if (c >= 0x20 && c < 0x7F) {
            strOut += static_cast<char>(c);
            ++i;
            continue;
        }
        if (c < 0x80) {
            bool bPass = bKeepBreaks && (c == '\t' || c == '\n');
            if (bKeepBreaks && c == '\r') {
                // Whether a CR ends a line is known only with the next byte.
                if (i + 1 == strText.size() && !bFinal)
                    break;
                bPass = i + 1 < strText.size() && strText[i + 1] == '\n';
            }
            if (bPass)
                strOut += static_cast<char>(c);
            else
                AppendByteEscape(c, strOut);
            ++i;
            continue;
        }
        std::size_t nLength = 0;
        const ESequence eSequence = JudgeSequence(strText.substr(i), nLength);
        if (eSequence == ESequence::incomplete && !bFinal)
            break;
        if (eSequence != ESequence::valid) {
            AppendByteEscape(c, strOut);
            ++i;
            continue;
        }
        // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F.
        const auto c2 = static_cast<unsigned char>(strText[i + 1]);
        if (c == 0xC2 && c2 <= 0x9F) {
            strOut += "\\u00";
            strOut += HEX_DIGITS[c2 >> 4];
            strOut += HEX_DIGITS[c2 & 15];
        } else {
            strOut.append(strText.substr(i, nLength));
        }
        i += nLength;
    }
    m_strHeld.assign(strText.substr(i));
}

std::string CControlEscaper::Feed(std::string_view strPiece) {
    std::string strOut;
    if (m_strHeld.empty()) {
        Escape(strPiece, false, strOut);
        return strOut;
    }
    // What was held back is at most a few bytes: it is judged with the
    // start of the new piece.
    std::string strJoined = std::move(m_strHeld);
    strJoined.append(strPiece);
    Escape(strJoined, false, strOut);
    return strOut;
}

std::string CControlEscaper::Finish() {
    std::string strOut;
    const std::string strHeld = std::move(m_strHeld);
    Escape(strHeld, true, strOut);
    m_strHeld.clear();
    return strOut;
}

std::string CControlEscaper::Escape(std::string_view strText, EBreaks eBreaks) {
    CControlEscaper escaper(eBreaks);
    std::string strOut;
    escaper.Escape(strText, true, strOut);
    return strOut;
}
