// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Folds a UTF-8 text for searching, so that a user who types without
// capitals or accents finds what is stored with them: "почта" finds
// "Почта", "lodz" finds "Łódź", "ελλαδα" finds "Ελλάδα".
//
// 1. Compatibility forms and case are folded together (Unicode's
//    NFKC_Casefold): full case folding (ß and ẞ become "ss", final ς
//    becomes σ, İ becomes i with a dot above that step 2 takes off),
//    full-width Latin and half-width kana become their usual forms, the
//    ligature ﬁ becomes "fi", and invisible characters go (soft hyphens,
//    joiners, variation selectors: "❤️" and "❤" meet).
// 2. Accents come off letters: a letter is split into its base and marks,
//    and the marks that are diacritics are dropped (é, ą, ň, ệ, Greek tonos
//    and dialytika, Hebrew points, Arabic vowel signs, Thai tone marks).
//    Marks that are letters' own parts stay: Indic vowel signs, and the
//    voicing marks of kana (が never meets か).
// 3. In Cyrillic, a letter that is a letter of its own alphabet keeps its
//    mark although Unicode builds it from one: й, ў, ї, ѓ, ќ, ӧ are typed
//    with their own keys and never written without. The exceptions are ё,
//    which most texts write as е, and the stressed ѐ and ѝ; a stress mark
//    written after a vowel is dropped like any accent.
// 4. Latin letters that have no decomposition but carry a stroke, hook or
//    other addition in their name fold to that letter (ł, ø, đ, ħ, ŧ, ƀ);
//    the few that are letters of their own map to what a keyboard without
//    them gives: æ "ae", œ "oe", þ "th", ð "d", dotless ı "i". With step 1
//    both Turkish i's fold to "i": "istanbul" finds "İstanbul" and "irmak"
//    finds "IRMAK" and "ırmak" (the Turkish rule that I lowers to ı is not
//    applied, a search with it would miss more than it found).
//
// Every other script is only case-folded and loses its diacritics; Han,
// kana, Hangul and emoji stay as they are. Invalid UTF-8 becomes U+FFFD,
// one for each ill-formed part as Unicode recommends ("\xED\xA0\x80", an
// encoded surrogate, gives three). The result is UTF-8; ASCII text folds
// to its lower case without leaving the fast path.
std::string FoldForSearch(std::string_view strUtf8);
// The same into strOut, whose buffer is reused (one fold per text).
void FoldForSearch(std::string_view strUtf8, std::string& strOut);

// FoldForSearch that also tells where each byte of the result comes from,
// for showing a match in the folded text at its place in the text: byte i
// of strOut comes from the bytes of strUtf8 from anOrigin[i].first to
// anOrigin[i].second. Those are whole characters, a character together
// with the marks after it where it folds with them ("e" and a combining
// acute give "e"), so a match covers at least the characters it was found
// in. strOut is what FoldForSearch gives.
void FoldForSearch(std::string_view strUtf8, std::string& strOut,
                   std::vector<std::pair<std::size_t, std::size_t>>& anOrigin);
