// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/XmlTree.h"

#include "core/interchange/KdbxXmlWriter.h"
#include "core/seal/SecretBuffer.h"

#include <botan/base64.h>
#include <botan/exceptn.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

const std::string EMPTY_NAME;
const std::vector<CXmlElement::SAttribute> NO_ATTRIBUTES;
constexpr std::string_view PROTECTED = "Protected";

// What the allocator adds to each block it hands out.
constexpr std::size_t BLOCK_OVERHEAD = 16;

std::size_t HeldBy(const std::string& str) {
    static const std::size_t LOCAL = std::string().capacity();
    return str.capacity() > LOCAL ? str.capacity() + 1 + BLOCK_OVERHEAD : 0;
}

bool IsBlank(std::string_view str) {
    return std::all_of(str.begin(), str.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

std::string_view Trimmed(std::string_view str) {
    const auto nFirst = str.find_first_not_of(" \t\r\n");
    if (nFirst == std::string_view::npos)
        return {};
    return str.substr(nFirst, str.find_last_not_of(" \t\r\n") - nFirst + 1);
}

bool IsTrue(std::string_view str) {
    return str.size() == 4 && (str[0] == 'T' || str[0] == 't') &&
           (str[1] == 'R' || str[1] == 'r') && (str[2] == 'U' || str[2] == 'u') &&
           (str[3] == 'E' || str[3] == 'e');
}

// An attribute value: escaped as text is, and tabs and line feeds as
// references, which a reader's normalisation of attributes keeps.
void AppendAttributeEscaped(std::string& strOut, std::string_view strValue) {
    std::size_t nStart = 0;
    for (std::size_t i = 0; i <= strValue.size(); ++i) {
        if (i < strValue.size() && strValue[i] != '\t' && strValue[i] != '\n')
            continue;
        AppendXmlEscaped(strOut, strValue.substr(nStart, i - nStart));
        if (i < strValue.size())
            strOut += strValue[i] == '\t' ? "&#9;" : "&#10;";
        nStart = i + 1;
    }
}

// Text as AppendXmlEscaped escapes it, checked as IsXmlSafeText checks it
// in the same pass: false, with part of it appended, when it holds a
// control character XML cannot carry.
bool AppendTextEscaped(std::string& strOut, std::string_view strText) {
    std::size_t nRun = 0;
    for (std::size_t i = 0; i < strText.size(); ++i) {
        const auto b = static_cast<unsigned char>(strText[i]);
        if (b > '>')
            continue; // letters and most punctuation, and all of UTF-8's multibyte sequences
        std::string_view strEntity;
        switch (b) {
        case '&':
            strEntity = "&amp;";
            break;
        case '<':
            strEntity = "&lt;";
            break;
        case '>':
            strEntity = "&gt;";
            break;
        case '"':
            strEntity = "&quot;";
            break;
        case '\r':
            strEntity = "&#13;";
            break;
        case '\t':
        case '\n':
            continue;
        default:
            if (b < 0x20)
                return false;
            continue;
        }
        strOut.append(strText.substr(nRun, i - nRun));
        strOut.append(strEntity);
        nRun = i + 1;
    }
    strOut.append(strText.substr(nRun));
    return true;
}

} // namespace

// ---- CXmlElement

CXmlElement::CXmlElement() : m_pName(&EMPTY_NAME) {}

// A tree is taken apart from a list, not by recursion: a database may nest
// its elements deeper than the stack holds.
CXmlElement::~CXmlElement() {
    if (m_children.empty())
        return;
    // The blocks of children still to be let go: a child's own children
    // join the list before it goes, so that no element is let go with any.
    std::vector<std::vector<CXmlElement>> pending;
    pending.push_back(std::move(m_children));
    while (!pending.empty()) {
        std::vector<CXmlElement> children = std::move(pending.back());
        pending.pop_back();
        for (CXmlElement& child : children) {
            if (!child.m_children.empty())
                pending.push_back(std::move(child.m_children));
        }
    }
}

CXmlElement::CXmlElement(CXmlElement&& other) noexcept
    : m_pName(other.m_pName), m_strText(std::move(other.m_strText)),
      m_children(std::move(other.m_children)), m_pExtra(std::move(other.m_pExtra)) {}

CXmlElement& CXmlElement::operator=(CXmlElement&& other) noexcept {
    m_pName = other.m_pName;
    m_strText = std::move(other.m_strText);
    m_children = std::move(other.m_children);
    m_pExtra = std::move(other.m_pExtra);
    return *this;
}

CXmlElement::SExtra& CXmlElement::Extra() {
    if (!m_pExtra)
        m_pExtra = std::make_unique<SExtra>();
    return *m_pExtra;
}

const std::vector<CXmlElement::SAttribute>& CXmlElement::Attributes() const {
    return m_pExtra ? m_pExtra->attributes : NO_ATTRIBUTES;
}

const std::string* CXmlElement::Attribute(std::string_view strName) const {
    for (const SAttribute& attribute : Attributes()) {
        if (*attribute.pName == strName)
            return &attribute.strValue;
    }
    return nullptr;
}

void CXmlElement::SetAttribute(CXmlTree& tree, std::string_view strName,
                               std::string_view strValue) {
    for (SAttribute& attribute : Extra().attributes) {
        if (*attribute.pName == strName) {
            attribute.strValue = strValue;
            return;
        }
    }
    Extra().attributes.push_back({tree.Intern(strName), std::string(strValue)});
}

bool CXmlElement::RemoveAttribute(std::string_view strName) {
    if (!m_pExtra)
        return false;
    auto& attributes = m_pExtra->attributes;
    const auto it = std::find_if(attributes.begin(), attributes.end(),
                                 [&](const SAttribute& a) { return *a.pName == strName; });
    if (it == attributes.end())
        return false;
    attributes.erase(it);
    return true;
}

std::string_view CXmlElement::Text() const {
    if (IsProtected())
        return {reinterpret_cast<const char*>(m_pExtra->secret.data()), m_pExtra->secret.size()};
    return m_strText;
}

void CXmlElement::SetText(std::string_view strText) {
    if (IsProtected()) {
        m_pExtra->secret.assign(strText.begin(), strText.end());
        return;
    }
    m_strText = strText;
}

bool CXmlElement::IsProtected() const {
    return m_pExtra && m_pExtra->bProtected;
}

void CXmlElement::SetProtected(bool bProtected) {
    if (bProtected == IsProtected())
        return;
    if (bProtected) {
        SExtra& extra = Extra();
        extra.secret.assign(m_strText.begin(), m_strText.end());
        extra.bProtected = true;
        // The plain text is not kept outside the wiped memory.
        std::fill(m_strText.begin(), m_strText.end(), '\0');
        std::string().swap(m_strText);
        return;
    }
    m_strText.assign(m_pExtra->secret.begin(), m_pExtra->secret.end());
    CKdbxSecret().swap(m_pExtra->secret);
    m_pExtra->bProtected = false;
}

CXmlElement* CXmlElement::Child(std::string_view strName) {
    for (CXmlElement& child : m_children) {
        if (child.Name() == strName)
            return &child;
    }
    return nullptr;
}

const CXmlElement* CXmlElement::Child(std::string_view strName) const {
    return const_cast<CXmlElement*>(this)->Child(strName);
}

std::string_view CXmlElement::ChildText(std::string_view strName) const {
    const CXmlElement* pChild = Child(strName);
    return pChild ? pChild->Text() : std::string_view();
}

CXmlElement& CXmlElement::SetChildText(CXmlTree& tree, std::string_view strName,
                                       std::string_view strText) {
    CXmlElement* pChild = Child(strName);
    if (!pChild)
        pChild = &AppendChild(tree, strName);
    pChild->SetText(strText);
    return *pChild;
}

CXmlElement& CXmlElement::AppendChild(CXmlTree& tree, std::string_view strName) {
    CXmlElement& child = m_children.emplace_back();
    child.m_pName = tree.Intern(strName);
    return child;
}

std::size_t CXmlElement::RemoveChildren(std::string_view strName) {
    return std::erase_if(m_children,
                         [&](const CXmlElement& child) { return child.Name() == strName; });
}

std::size_t CXmlElement::HeapBytes() const {
    std::size_t n = HeldBy(m_strText);
    if (m_children.capacity() > 0)
        n += m_children.capacity() * sizeof(CXmlElement) + BLOCK_OVERHEAD;
    for (const CXmlElement& child : m_children)
        n += child.HeapBytes();
    if (m_pExtra) {
        n += sizeof(SExtra) + BLOCK_OVERHEAD + m_pExtra->secret.capacity();
        if (m_pExtra->attributes.capacity() > 0)
            n += m_pExtra->attributes.capacity() * sizeof(SAttribute) + BLOCK_OVERHEAD;
        for (const SAttribute& attribute : m_pExtra->attributes)
            n += HeldBy(attribute.strValue);
    }
    return n;
}

// ---- CXmlTree

CXmlTree::CXmlTree() = default;

// The names' nodes move with the set: the recent ones stay valid in the
// tree that takes them, and the tree left behind forgets them.
CXmlTree::CXmlTree(CXmlTree&& other) noexcept
    : m_names(std::move(other.m_names)), m_recent(other.m_recent), m_root(std::move(other.m_root)) {
    other.m_recent.fill(nullptr);
}

CXmlTree& CXmlTree::operator=(CXmlTree&& other) noexcept {
    if (this != &other) {
        m_root = std::move(other.m_root);
        m_names = std::move(other.m_names);
        m_recent = other.m_recent;
        other.m_recent.fill(nullptr);
    }
    return *this;
}

void CXmlTree::SetRootName(std::string_view strName) {
    m_root.m_pName = Intern(strName);
}

const std::string* CXmlTree::Intern(std::string_view strName) {
    const std::size_t nSlot =
        strName.empty() ? 0
                        : (strName.size() * 7 + static_cast<unsigned char>(strName.front()) * 3 +
                           static_cast<unsigned char>(strName[strName.size() / 2]) * 5 +
                           static_cast<unsigned char>(strName.back())) %
                              RECENT_NAMES;
    const std::string*& pRecent = m_recent[nSlot];
    if (pRecent && *pRecent == strName)
        return pRecent;
    auto it = m_names.find(strName);
    if (it == m_names.end())
        it = m_names.emplace(strName).first;
    pRecent = &*it;
    return pRecent;
}

std::size_t CXmlTree::HeapBytes() const {
    std::size_t n = m_root.HeapBytes() + m_names.bucket_count() * sizeof(void*);
    for (const std::string& strName : m_names)
        n += sizeof(std::string) + 2 * sizeof(void*) + BLOCK_OVERHEAD + HeldBy(strName);
    return n;
}

namespace {

class CTreeWriter {
public:
    CTreeWriter(std::string& strXml, const CXmlTree::CMasker& fnMask,
                const CXmlTree::CPieceTaker* pfnPiece = nullptr)
        : m_strXml(strXml), m_fnMask(fnMask), m_pfnPiece(pfnPiece) {}

    // Hands what is written on, when it goes in pieces.
    void Flush() {
        if (m_pfnPiece && !m_strXml.empty()) {
            (*m_pfnPiece)(m_strXml);
            m_strXml.clear();
        }
    }

    // Writes the element and everything in it, walking the tree with a list
    // of its own: a database may nest deeper than the stack holds.
    bool Write(const CXmlElement& root, std::string& strError) {
        struct SOpen {
            const CXmlElement* pElement;
            std::size_t nNext; // the child written next
        };
        std::vector<SOpen> open;
        if (!WriteStart(root, 0, strError))
            return false;
        if (!root.Children().empty())
            open.push_back({&root, 0});
        while (!open.empty()) {
            SOpen& top = open.back();
            const auto& children = top.pElement->Children();
            if (top.nNext == children.size()) {
                WriteEnd(*top.pElement, open.size() - 1);
                open.pop_back();
                continue;
            }
            const CXmlElement& child = children[top.nNext++];
            if (!WriteStart(child, open.size(), strError))
                return false;
            if (!child.Children().empty())
                open.push_back({&child, 0});
        }
        return true;
    }

private:
    // Indentation is for people reading the file; past a depth no one reads
    // it, and a deep tree's indentation would grow as the square of its
    // depth.
    static constexpr std::size_t MAX_INDENT = 64;
    void Indent(std::size_t nDepth) { m_strXml.append(std::min(nDepth, MAX_INDENT), '\t'); }

    // The start tag with the text; the whole element when it holds no
    // children.
    bool WriteStart(const CXmlElement& element, std::size_t nDepth, std::string& strError) {
        Indent(nDepth);
        m_strXml += '<';
        m_strXml += element.Name();
        bool bProtectedWritten = false;
        for (const CXmlElement::SAttribute& attribute : element.Attributes()) {
            std::string_view strValue = attribute.strValue;
            if (*attribute.pName == PROTECTED) {
                // The mark follows the element: a text no longer protected
                // loses it, one that is keeps it in its place.
                if (!element.IsProtected())
                    continue;
                strValue = "True";
                bProtectedWritten = true;
            }
            if (!IsXmlSafeText(strValue)) {
                strError = "An attribute of " + element.Name() +
                           " holds a control character, which XML cannot carry.";
                return false;
            }
            WriteAttribute(*attribute.pName, strValue);
        }
        if (element.IsProtected() && !bProtectedWritten)
            WriteAttribute(PROTECTED, "True");

        const std::string_view strText = element.Text();
        if (strText.empty() && element.Children().empty()) {
            m_strXml += "/>\n";
            return true;
        }
        m_strXml += '>';
        if (element.IsProtected()) {
            m_strXml +=
                m_fnMask({reinterpret_cast<const std::uint8_t*>(strText.data()), strText.size()});
        } else if (!AppendTextEscaped(m_strXml, strText)) {
            strError = "The text of " + element.Name() +
                       " holds a control character, which XML cannot carry.";
            return false;
        }
        if (!element.Children().empty()) {
            m_strXml += '\n';
            return true;
        }
        WriteClose(element);
        return true;
    }

    // The end tag of an element that holds children.
    void WriteEnd(const CXmlElement& element, std::size_t nDepth) {
        Indent(nDepth);
        WriteClose(element);
    }

    void WriteClose(const CXmlElement& element) {
        m_strXml += "</";
        m_strXml += element.Name();
        m_strXml += ">\n";
        if (m_strXml.size() >= CXmlTree::WRITE_PIECE)
            Flush();
    }

    void WriteAttribute(std::string_view strName, std::string_view strValue) {
        m_strXml += ' ';
        m_strXml += strName;
        m_strXml += "=\"";
        AppendAttributeEscaped(m_strXml, strValue);
        m_strXml += '"';
    }

    std::string& m_strXml;
    const CXmlTree::CMasker& m_fnMask;
    const CXmlTree::CPieceTaker* m_pfnPiece;
};

// Wipes the pieces' text however the writing ends.
class CWipedText {
public:
    CWipedText() { m_str.reserve(CXmlTree::WRITE_PIECE + CXmlTree::WRITE_PIECE / 4); }
    ~CWipedText() { CSecretBuffer::Wipe(m_str); }
    CWipedText(const CWipedText&) = delete;
    CWipedText& operator=(const CWipedText&) = delete;
    std::string& Text() { return m_str; }

private:
    std::string m_str;
};

} // namespace

bool CXmlTree::Write(std::string& strXml, const CMasker& fnMask, std::string& strError) const {
    strXml += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    return CTreeWriter(strXml, fnMask).Write(m_root, strError);
}

bool CXmlTree::Write(const CPieceTaker& fnPiece, const CMasker& fnMask,
                     std::string& strError) const {
    CWipedText text;
    text.Text() += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    CTreeWriter writer(text.Text(), fnMask, &fnPiece);
    if (!writer.Write(m_root, strError))
        return false;
    writer.Flush();
    return true;
}

// ---- CXmlTreeParser

CXmlTreeParser::CXmlTreeParser(CXmlTree& tree, std::size_t nMemoryAllowed, CUnmask fnUnmask)
    : m_tree(tree), m_nMemoryLeft(nMemoryAllowed), m_fnUnmask(std::move(fnUnmask)),
      m_parser(m_nMemoryLeft, this) {}

CXmlTreeParser::~CXmlTreeParser() = default;

void CXmlTreeParser::Fail(EResult eResult) {
    if (m_eResult == EResult::ok)
        m_eResult = eResult;
    m_parser.Stop();
}

bool CXmlTreeParser::Charge(std::size_t nBytes) {
    if (nBytes > m_nMemoryLeft) {
        Fail(EResult::tooLarge);
        return false;
    }
    m_nMemoryLeft -= nBytes;
    return true;
}

void CXmlTreeParser::Give(std::size_t nBytes) {
    m_nMemoryLeft += std::min(nBytes, SIZE_MAX - m_nMemoryLeft);
}

void CXmlTreeParser::Allow(std::size_t nBytes) {
    Give(nBytes);
}

bool CXmlTreeParser::SettlePending(std::size_t nOldCapacity) {
    const std::size_t nNew = m_pending.capacity();
    if (nNew > nOldCapacity)
        return Charge((nNew - nOldCapacity) * sizeof(CXmlElement));
    Give((nOldCapacity - nNew) * sizeof(CXmlElement));
    return true;
}

void CXmlTreeParser::OnStart(const char* pszName, const char** ppszAttrs) {
    if (m_eResult != EResult::ok)
        return;
    const std::size_t nNames = m_tree.NameCount();
    CXmlElement* pElement = nullptr;
    if (m_open.empty()) {
        if (m_bRootSeen) {
            Fail(EResult::malformed);
            return;
        }
        m_bRootSeen = true;
        m_tree.SetRootName(pszName);
        pElement = &m_tree.Root();
        m_open.push_back({ROOT, m_pending.size()});
    } else {
        const SOpen& parentOpen = m_open.back();
        CXmlElement& parent = Element(parentOpen);
        // The indentation before the first child is no text of the parent's.
        if (ChildCount(parentOpen) == 0 && IsBlank(parent.m_strText)) {
            Give(HeldBy(parent.m_strText));
            std::string().swap(parent.m_strText);
        }
        const std::size_t nCapacity = m_pending.capacity();
        pElement = &m_pending.emplace_back();
        if (!SettlePending(nCapacity))
            return;
        pElement->m_pName = m_tree.Intern(pszName);
        m_open.push_back({m_pending.size() - 1, m_pending.size()});
    }
    // A new name costs its node in the set.
    if (m_tree.NameCount() > nNames && !Charge(std::strlen(pszName) + 64))
        return;
    // The stack costs its deepest level.
    if (m_open.size() > m_nDeepest) {
        if (!Charge(2 * sizeof(void*)))
            return;
        m_nDeepest = m_open.size();
    }
    if (!ppszAttrs[0])
        return;
    std::size_t nCount = 0;
    std::size_t nBytes = sizeof(CXmlElement::SExtra) + 2 * BLOCK_OVERHEAD;
    for (int i = 0; ppszAttrs[i]; i += 2) {
        ++nCount;
        nBytes += sizeof(CXmlElement::SAttribute) + std::strlen(ppszAttrs[i + 1]) + 1 +
                  BLOCK_OVERHEAD + std::strlen(ppszAttrs[i]);
    }
    if (!Charge(nBytes))
        return;
    CXmlElement::SExtra& extra = pElement->Extra();
    extra.attributes.reserve(nCount);
    for (int i = 0; ppszAttrs[i]; i += 2) {
        extra.attributes.push_back({m_tree.Intern(ppszAttrs[i]), ppszAttrs[i + 1]});
        if (PROTECTED == ppszAttrs[i] && IsTrue(Trimmed(ppszAttrs[i + 1])))
            extra.bProtected = true;
    }
    m_masked.clear();
}

void CXmlTreeParser::OnText(const char* pText, std::size_t nLength) {
    if (m_eResult != EResult::ok || m_open.empty())
        return;
    const SOpen& open = m_open.back();
    CXmlElement& element = Element(open);
    const bool bHasChildren = ChildCount(open) != 0;
    if (element.IsProtected() && !bHasChildren) {
        if (m_masked.size() + nLength > m_masked.capacity() &&
            !Charge(std::max(m_masked.size() + nLength, 2 * m_masked.capacity()) -
                    m_masked.capacity()))
            return;
        m_masked.insert(m_masked.end(), pText, pText + nLength);
        return;
    }
    const std::string_view strPiece(pText, nLength);
    // Indentation between children is not kept.
    if (bHasChildren && IsBlank(strPiece))
        return;
    std::string& strText = element.m_strText;
    const std::size_t nBefore = HeldBy(strText);
    if (strText.size() + nLength > strText.capacity()) {
        const std::size_t nWanted = std::max(strText.size() + nLength, 2 * strText.capacity());
        if (!Charge(nWanted + 1 + BLOCK_OVERHEAD))
            return;
        strText.reserve(nWanted);
        Give(nWanted + 1 + BLOCK_OVERHEAD);
        if (!Charge(HeldBy(strText) - std::min(nBefore, HeldBy(strText))))
            return;
        Give(nBefore - std::min(nBefore, HeldBy(strText)));
    }
    strText.append(strPiece);
}

void CXmlTreeParser::OnEnd() {
    if (m_eResult != EResult::ok || m_open.empty())
        return;
    const SOpen open = m_open.back();
    m_open.pop_back();
    // Its children come after it in m_pending: handing them over moves
    // nothing before them.
    CXmlElement& element = Element(open);
    if (element.IsProtected()) {
        // The protected text is base64 of masked bytes; the stream moves on
        // by their length whatever becomes of them.
        const std::string_view strBase64 =
            Trimmed({reinterpret_cast<const char*>(m_masked.data()), m_masked.size()});
        const std::size_t nPlain = strBase64.size() / 4 * 3 + 3;
        if (!Charge(2 * nPlain))
            return;
        CKdbxSecret& secret = element.m_pExtra->secret;
        try {
            // Decoded where it is kept, without a block of its own.
            secret.resize(Botan::base64_decode_max_output(strBase64.size()));
            secret.resize(Botan::base64_decode(secret.data(), strBase64.data(), strBase64.size()));
        } catch (const Botan::Exception&) {
            Fail(EResult::malformed);
            return;
        }
        Give(2 * nPlain);
        if (!Charge(secret.capacity()))
            return;
        if (!secret.empty())
            m_fnUnmask(secret.data(), secret.size());
        m_masked.clear();
        if (!element.m_strText.empty()) {
            Give(HeldBy(element.m_strText));
            std::string().swap(element.m_strText);
        }
    }
    if (const std::size_t nChildren = ChildCount(open); nChildren != 0) {
        if (!Charge(nChildren * sizeof(CXmlElement)))
            return;
        const auto first = m_pending.begin() + static_cast<std::ptrdiff_t>(open.nFirstChild);
        element.m_children.reserve(nChildren);
        element.m_children.insert(element.m_children.end(), std::make_move_iterator(first),
                                  std::make_move_iterator(m_pending.end()));
        m_pending.erase(first, m_pending.end());
    }
}

bool CXmlTreeParser::Feed(std::span<const std::uint8_t> xml, bool bFinal) {
    if (m_eResult != EResult::ok)
        return false;
    const EResult eParsed = m_parser.Feed(xml, bFinal);
    if (m_eResult == EResult::ok)
        m_eResult = eParsed;
    return eParsed == EResult::ok;
}

CXmlTreeParser::EResult CXmlTreeParser::End() {
    if (m_eResult == EResult::ok && (!m_bRootSeen || !m_open.empty()))
        m_eResult = EResult::malformed;
    return m_eResult;
}

CXmlTreeParser::EResult CXmlTreeParser::Parse(std::span<const std::uint8_t> xml) {
    Feed(xml, true);
    return End();
}
