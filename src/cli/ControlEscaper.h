// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Makes a UTF-8 text harmless on a terminal. Names and fields come from
// files anyone may have written (an imported export, a file from a mail),
// and a terminal acts on the control characters in what it shows: an escape
// sequence can retitle the window, clear the screen, move the cursor over
// earlier lines or answer with text typed into the shell. Every control
// character (C0, DEL, and C1 written as UTF-8) and every byte that is not
// part of valid UTF-8 is shown as its escape instead: "\t", "\n", "\r" for
// those three, "\x1b" for the other C0 bytes, DEL and stray bytes, and
// "\u009b" for C1 characters. Backslashes stay as they are: the escapes are
// for a reader, not a parser, and Windows paths in comments stay readable.
//
// Texts are escaped as they are written, a piece at a time: a character or
// a CR LF cut by the end of a piece is held back until the next one.
class CControlEscaper {
public:
    // keep: the output's own line structure (LF, CR LF, TAB) passes, as a
    // multi-line text such as an account's comments needs; a lone CR, which
    // would let a later text overwrite the line, is escaped. escape: every
    // control character is escaped, so a one-line name cannot fake another
    // line or column of a listing.
    enum class EBreaks { keep, escape };

    explicit CControlEscaper(EBreaks eBreaks = EBreaks::keep) : m_eBreaks(eBreaks) {}

    // The escaped form of as much of strPiece (after what was held back) as
    // can be judged.
    std::string Feed(std::string_view strPiece);
    // The escaped form of whatever is still held back at the end of the text.
    std::string Finish();

    // A whole text escaped.
    static std::string Escape(std::string_view strText, EBreaks eBreaks = EBreaks::keep);

private:
    // Escapes strText into strOut; with bFinal false, leaves an incomplete
    // last character (or a last CR) in m_strHeld.
    void Escape(std::string_view strText, bool bFinal, std::string& strOut);

    EBreaks m_eBreaks;
    std::string m_strHeld;
};
