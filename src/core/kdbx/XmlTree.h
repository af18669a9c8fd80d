// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/ExpatParser.h"
#include "core/interchange/KdbxKeys.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class CXmlTree;

// One element of a KeePass database's XML: its name, its attributes in
// order, its text and its children in order. Names are interned by the tree
// the element belongs to (a database uses a few dozen names millions of
// times), so an element must not outlive its tree.
//
// Text: a leaf keeps its text exactly, whitespace included. An element with
// children keeps no whitespace-only text (the indentation between them);
// other text beside children is kept as one text, written before the first
// child. A protected element's text is the plain value, held in wiped memory;
// the writer masks it again.
class CXmlElement {
public:
    CXmlElement();
    ~CXmlElement();
    CXmlElement(CXmlElement&&) noexcept;
    CXmlElement& operator=(CXmlElement&&) noexcept;
    CXmlElement(const CXmlElement&) = delete;
    CXmlElement& operator=(const CXmlElement&) = delete;

    const std::string& Name() const { return *m_pName; }

    struct SAttribute {
        const std::string* pName;
        std::string strValue;
    };
    const std::vector<SAttribute>& Attributes() const;
    // Nothing when the element has no attribute of that name.
    const std::string* Attribute(std::string_view strName) const;
    // Replaces the value in place, or appends the attribute.
    void SetAttribute(CXmlTree& tree, std::string_view strName, std::string_view strValue);
    bool RemoveAttribute(std::string_view strName);

    // The plain text, a protected one unmasked.
    std::string_view Text() const;
    void SetText(std::string_view strText);
    // A protected text is masked by the inner stream when written, and
    // carries Protected="True".
    bool IsProtected() const;
    void SetProtected(bool bProtected);

    // Adding or removing a child moves its siblings: references to them
    // are then invalid.
    std::vector<CXmlElement>& Children() { return m_children; }
    const std::vector<CXmlElement>& Children() const { return m_children; }
    CXmlElement* Child(std::string_view strName);
    const CXmlElement* Child(std::string_view strName) const;
    // The text of the first child of that name; "" when there is none.
    std::string_view ChildText(std::string_view strName) const;
    // Sets the text of the first child of that name, appending the child
    // when there is none.
    CXmlElement& SetChildText(CXmlTree& tree, std::string_view strName, std::string_view strText);
    CXmlElement& AppendChild(CXmlTree& tree, std::string_view strName);
    // Removes every child of that name: how many there were.
    std::size_t RemoveChildren(std::string_view strName);

    // The heap memory the element holds beside its own size, its subtree
    // included.
    std::size_t HeapBytes() const;

private:
    friend class CXmlTree;
    friend class CXmlTreeParser;
    struct SExtra {
        std::vector<SAttribute> attributes;
        bool bProtected = false;
        CKdbxSecret secret; // the protected text
    };
    SExtra& Extra();

    const std::string* m_pName;
    std::string m_strText;
    std::vector<CXmlElement> m_children;
    std::unique_ptr<SExtra> m_pExtra; // only when there are attributes or a protected text
};

// A whole XML document: its one root element and the names interned for it.
class CXmlTree {
public:
    CXmlTree();
    CXmlTree(CXmlTree&& other) noexcept;
    CXmlTree& operator=(CXmlTree&& other) noexcept;
    CXmlTree(const CXmlTree&) = delete;
    CXmlTree& operator=(const CXmlTree&) = delete;

    CXmlElement& Root() { return m_root; }
    const CXmlElement& Root() const { return m_root; }
    // Gives the root its name (a tree starts with an empty one).
    void SetRootName(std::string_view strName);

    const std::string* Intern(std::string_view strName);
    std::size_t NameCount() const { return m_names.size(); }

    // The heap memory the tree holds (its elements, texts and names).
    std::size_t HeapBytes() const;

    // Writes the document as UTF-8 with a declaration, one element to a line
    // indented by tabs. Each protected text goes, in document order, to
    // fnMask, which returns what is written in its place (the base64 of its
    // masked bytes). False with the reason in strError when a text that is
    // not protected holds a character XML cannot carry.
    using CMasker = std::function<std::string(std::span<const std::uint8_t> plain)>;
    bool Write(std::string& strXml, const CMasker& fnMask, std::string& strError) const;
    // The same document handed to fnPiece in pieces of about WRITE_PIECE
    // bytes as it is written, so that the whole text is never held; the
    // pieces' memory is wiped when done.
    static constexpr std::size_t WRITE_PIECE = std::size_t(1) << 20;
    using CPieceTaker = std::function<void(std::string_view piece)>;
    bool Write(const CPieceTaker& fnPiece, const CMasker& fnMask, std::string& strError) const;

private:
    // Looked up by a view of the name, without making a string of it.
    struct SNameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view strName) const noexcept {
            return std::hash<std::string_view>()(strName);
        }
    };
    // The names met last, by a cheap hash of their length and letters: a
    // document repeats a few dozen names, so most lookups end here.
    static constexpr std::size_t RECENT_NAMES = 64;

    std::unordered_set<std::string, SNameHash, std::equal_to<>> m_names;
    std::array<const std::string*, RECENT_NAMES> m_recent{};
    CXmlElement m_root;
};

// Reads an XML document into a tree piece by piece, as the payload inflates.
// A document type is refused (which keeps entity expansion out), and every
// block the tree and the parser hold is charged to a memory allowance; the
// parser itself takes at most PARSER_MEMORY (CExpatParser). A text marked
// Protected="True" is base64 whose bytes fnUnmask unmasks, in document
// order as the inner stream requires.
class CXmlTreeParser {
public:
    using EResult = CExpatParser::EResult;
    using CUnmask = std::function<void(std::uint8_t* pBytes, std::size_t nSize)>;

    CXmlTreeParser(CXmlTree& tree, std::size_t nMemoryAllowed, CUnmask fnUnmask);
    ~CXmlTreeParser();
    CXmlTreeParser(const CXmlTreeParser&) = delete;
    CXmlTreeParser& operator=(const CXmlTreeParser&) = delete;

    static constexpr std::size_t PARSER_MEMORY = CExpatParser::MEMORY_LIMIT;

    void Allow(std::size_t nBytes);
    // False once the document has failed; End tells how.
    bool Feed(std::span<const std::uint8_t> xml, bool bFinal);
    EResult End();
    // Feed and End over a whole document.
    EResult Parse(std::span<const std::uint8_t> xml);

private:
    friend class CExpatParser; // its handlers call OnStart, OnEnd and OnText
    void OnStart(const char* pszName, const char** ppszAttrs);
    void OnEnd();
    void OnText(const char* pText, std::size_t nLength);
    void Fail(EResult eResult);
    bool Charge(std::size_t nBytes);
    void Give(std::size_t nBytes);
    // The pending children's block, after the vector grew from
    // nOldCapacity.
    bool SettlePending(std::size_t nOldCapacity);

    // An element being read: where it waits in m_pending (the root is the
    // tree's own) and where its children start there.
    struct SOpen {
        std::size_t nIndex;
        std::size_t nFirstChild;
    };
    static constexpr std::size_t ROOT = SIZE_MAX;
    CXmlElement& Element(const SOpen& open) {
        return open.nIndex == ROOT ? m_tree.Root() : m_pending[open.nIndex];
    }
    std::size_t ChildCount(const SOpen& open) const { return m_pending.size() - open.nFirstChild; }

    CXmlTree& m_tree;
    std::size_t m_nMemoryLeft;
    CUnmask m_fnUnmask;
    CExpatParser m_parser;
    EResult m_eResult = EResult::ok;
    bool m_bRootSeen = false;
    // The children of the open elements, each open element's after its
    // parent's: an element gets its children in a block of their exact
    // number when it ends, rather than in one that grows as they come.
    std::vector<CXmlElement> m_pending;
    std::vector<SOpen> m_open;
    std::size_t m_nDeepest = 0;
    CKdbxSecret m_masked; // the base64 of the protected text being read
};
