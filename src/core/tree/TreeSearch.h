// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/tree/LabelTree.h"

#include <optional>
#include <string_view>
#include <vector>

class CCodePage;

// How a search text is compared with a label.
struct SFindOptions {
    bool m_bMatchCase = false;
    bool m_bWholeWord = false;
};

// Whether the label contains the text. Without match case both are folded
// to lower case with the code page's letters, the folding of the tree's own
// order. With whole word an occurrence counts only when the bytes on either
// side of it in the label are not letters A-Z, a-z or the underscore.
// UTF-8 labels are compared by character instead: without match case both
// are folded as FoldForSearch folds them, ignoring case and accents
// ("lodz" finds "Łódź"), and a whole word is one as CFoldedMatcher judges
// it, between characters that are no letters of any script.
bool LabelContains(std::string_view strLabel, std::string_view strText, const SFindOptions& options,
                   const CCodePage& codePage);

// The item after pos in pre-order (the file item, each group followed by its
// accounts), or none after the last account of the last group. An empty
// group is followed by the next group.
std::optional<STreePos> GetNextItemPreorder(const CLabelTree& tree, const STreePos& pos);

// The first item whose label contains strText, visiting start first, then
// the items after it in pre-order, wrapping once past the end to the file
// item, until the walk is back at start. None for an empty text or when no
// label matches.
std::optional<STreePos> FindItem(const CLabelTree& tree, std::string_view strText,
                                 const SFindOptions& options, const STreePos& start,
                                 const CCodePage& codePage);

// The place Find Next starts from when it starts over: the first group, or
// the file item of a file without groups.
STreePos FirstFindPos(const CLabelTree& tree);

// Where the Find Next after a match at found starts: the next item in
// pre-order, or past the last account the file item, as in FindItem's own
// walk, so that a matching file item is reached after every group.
STreePos NextFindStart(const CLabelTree& tree, const STreePos& found);

// Every item that repeated Find Next presses reach, in the order they reach
// them from a fresh start, each once: groups and accounts in display order,
// then the file item when it matches.
std::vector<STreePos> FindAll(const CLabelTree& tree, std::string_view strText,
                              const SFindOptions& options, const CCodePage& codePage);
