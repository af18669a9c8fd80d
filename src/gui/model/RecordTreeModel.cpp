// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/model/RecordTreeModel.h"

#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/FileIO.h"
#include "core/store/GroupPath.h"
#include "core/tree/GroupNesting.h"
#include "core/tree/TreeOrder.h"
#include "platform/Translations.h"

#include <QDateTime>
#include <QFont>
#include <QIcon>
#include <QLocale>

#include <algorithm>

namespace {

// What an index's internal id says about its row: the file item, a group,
// or (any other value) an account of the group node at that address.
constexpr quintptr FILE_ID = 0;
constexpr quintptr GROUP_ID = 1;

// An account's index carries its group node's address, mixed. A model
// index hashes as its row times 16 plus its id, so the raw addresses of
// nodes allocated side by side would give the rows of neighbouring groups
// the same few hashes, and a view that holds many persistent indexes (the
// rows the live filter hides) would search long chains for each. The
// mixing is a bijection: a multiplication by an odd number and a fold of
// the high half into the low half, undone when the index is read. A node's
// address is even, so its id is never GROUP_ID; null would give FILE_ID.
constexpr quintptr MIX = static_cast<quintptr>(0x9E3779B97F4A7C15ull);
constexpr int HALF_BITS = static_cast<int>(sizeof(quintptr) * 4);

constexpr quintptr InverseOf(quintptr nOdd) {
    quintptr nInverse = nOdd; // right in the lowest 3 bits; each step doubles them
    for (int i = 0; i < 6; ++i)
        nInverse *= 2 - nOdd * nInverse;
    return nInverse;
}
constexpr quintptr MIX_INVERSE = InverseOf(MIX);
static_assert(MIX * MIX_INVERSE == 1);

quintptr NodeId(const void* pNode) {
    const quintptr nMixed = reinterpret_cast<quintptr>(pNode) * MIX;
    return nMixed ^ (nMixed >> HALF_BITS);
}

void* NodeAt(quintptr nId) {
    return reinterpret_cast<void*>((nId ^ (nId >> HALF_BITS)) * MIX_INVERSE);
}

std::string_view GroupLabel(const CPasswordInfo* pGroup) {
    return pGroup->TextView(CPasswordInfo::group);
}

std::string_view AccountLabel(const CPasswordInfo* pAccount) {
    return pAccount->TextView(CPasswordInfo::account);
}

const char* const IMAGE_FILES[] = {
    ":/icons/tree-group-closed.svg",     ":/icons/tree-group-open.svg", ":/icons/tree-account.svg",
    ":/icons/tree-account-selected.svg", ":/icons/tree-file.svg",
};

} // namespace

const QIcon& CRecordTreeModel::Image(EImage eImage) {
    static const QIcon icons[] = {QIcon(IMAGE_FILES[0]), QIcon(IMAGE_FILES[1]),
                                  QIcon(IMAGE_FILES[2]), QIcon(IMAGE_FILES[3]),
                                  QIcon(IMAGE_FILES[4])};
    return icons[eImage];
}

CRecordTreeModel::CRecordTreeModel(CCofferDoc& doc, QObject* pParent)
    : QAbstractItemModel(pParent), m_doc(doc) {}

CRecordTreeModel::~CRecordTreeModel() = default;

void CRecordTreeModel::Reload() {
    beginResetModel();
    m_owned.clear();
    m_groups.clear();
    m_topLevel.clear();
    m_pLastNode = nullptr;
    m_bShown = m_doc.HasKey();
    m_bNested = m_doc.IsDatabase();
    if (m_bShown) {
        // Sorted once and taken in bulk, so a file of any size loads in
        // O(n log n). The rows name the document's records, which the view
        // hands back to the document's operations: only those change them.
        std::vector<STreeGroup> tree = SortedTree(m_doc.Records(), m_doc.CodePage());
        std::vector<SNestedGroup> nested;
        if (m_bNested) {
            std::vector<std::string_view> paths;
            paths.reserve(tree.size());
            for (const STreeGroup& group : tree)
                paths.push_back(GroupLabel(group.m_pGroup));
            nested = NestGroups(paths, m_doc.CodePage());
        } else {
            nested.reserve(tree.size());
            for (std::size_t i = 0; i < tree.size(); ++i)
                nested.push_back({i, -1});
        }
        m_owned.reserve(tree.size());
        for (const SNestedGroup& place : nested) {
            STreeGroup& group = tree[place.m_nGroup];
            auto pNode = std::make_unique<SGroupNode>();
            pNode->m_pGroup = group.m_pGroup;
            pNode->m_accounts = std::move(group.m_accounts);
            pNode->m_pParent = place.m_nParent < 0
                                   ? nullptr
                                   : m_owned[static_cast<std::size_t>(place.m_nParent)].get();
            SiblingsIn(pNode->m_pParent).push_back(pNode.get());
            m_owned.push_back(std::move(pNode));
        }
        Renumber();
    }
    m_strFileLabel = FileLabel(m_doc.FileName());
    endResetModel();
}

void CRecordTreeModel::Clear() {
    beginResetModel();
    m_owned.clear();
    m_groups.clear();
    m_topLevel.clear();
    m_pLastNode = nullptr;
    m_bShown = false;
    endResetModel();
}

void CRecordTreeModel::UpdateFileLabel() {
    m_strFileLabel = FileLabel(m_doc.FileName());
    if (m_bShown)
        emit dataChanged(FileIndex(), FileIndex());
}

void CRecordTreeModel::Apply(const SRecordNotice& notice) {
    if (notice.m_eKind == SRecordNotice::reset) {
        Reload();
        return;
    }
    if (!m_bShown)
        return;
    // The notices name records the document holds; the model changes only
    // what it finds, so a notice it cannot place leaves it as it was.
    const CPasswordInfo* pRecord = notice.m_pRecord;
    switch (notice.m_eKind) {
    case SRecordNotice::groupAdded:
        AddGroup(pRecord);
        break;
    case SRecordNotice::groupRemoved:
        RemoveGroup(pRecord);
        break;
    case SRecordNotice::groupRenamed:
        ResortGroup(pRecord);
        break;
    case SRecordNotice::accountAdded:
        AddAccount(pRecord, notice.m_pGroup);
        break;
    case SRecordNotice::accountRemoved:
        RemoveAccount(pRecord, notice.m_pGroup);
        break;
    case SRecordNotice::accountRenamed:
        ResortAccount(pRecord, notice.m_pGroup);
        break;
    case SRecordNotice::accountMoved:
        MoveAccount(pRecord, notice.m_pFromGroup, notice.m_pGroup);
        break;
    case SRecordNotice::accountChanged:
        AccountChanged(pRecord, notice.m_pGroup);
        break;
    case SRecordNotice::reset:
        break;
    }
}

CRecordTreeModel::SGroupNode* CRecordTreeModel::NodeOfId(quintptr nId) {
    return static_cast<SGroupNode*>(NodeAt(nId));
}

CRecordTreeModel::SGroupNode* CRecordTreeModel::GroupNodeAt(const QModelIndex& group) const {
    const auto nRow = static_cast<std::size_t>(group.row());
    if (group.internalId() == GROUP_ID)
        return m_topLevel[nRow];
    const SGroupNode* pParent = NodeOfId(group.internalId());
    return pParent->m_children[nRow - pParent->m_accounts.size()];
}

CRecordTreeModel::SGroupNode* CRecordTreeModel::NodeOf(const CPasswordInfo* pGroup) const {
    for (SGroupNode* pNode : m_groups) {
        if (pNode->m_pGroup == pGroup)
            return pNode;
    }
    return nullptr;
}

int CRecordTreeModel::RowIn(const std::vector<const CPasswordInfo*>& accounts,
                            const CPasswordInfo* pAccount) {
    const auto it = std::find(accounts.begin(), accounts.end(), pAccount);
    return it == accounts.end() ? -1 : static_cast<int>(it - accounts.begin());
}

int CRecordTreeModel::RowOf(const SGroupNode& node) {
    return node.m_nChild +
           (node.m_pParent ? static_cast<int>(node.m_pParent->m_accounts.size()) : 0);
}

std::string_view CRecordTreeModel::ShownLabel(const SGroupNode& node) const {
    const std::string_view strPath = GroupLabel(node.m_pGroup);
    return node.m_pParent ? GroupLabelBelow(strPath, GroupLabel(node.m_pParent->m_pGroup))
                          : strPath;
}

QModelIndex CRecordTreeModel::GroupIndex(const SGroupNode& node) const {
    return createIndex(RowOf(node), 0, node.m_pParent ? NodeId(node.m_pParent) : GROUP_ID);
}

QModelIndex CRecordTreeModel::ParentIndex(const SGroupNode* pParent) const {
    return pParent ? GroupIndex(*pParent) : FileIndex();
}

std::vector<CRecordTreeModel::SGroupNode*>& CRecordTreeModel::SiblingsIn(SGroupNode* pParent) {
    return pParent ? pParent->m_children : m_topLevel;
}

void CRecordTreeModel::RenumberChildren(std::vector<SGroupNode*>& siblings) {
    for (std::size_t i = 0; i < siblings.size(); ++i)
        siblings[i]->m_nChild = static_cast<int>(i);
}

void CRecordTreeModel::Renumber() {
    m_groups.clear();
    m_groups.reserve(m_owned.size());
    RenumberChildren(m_topLevel);
    // Depth first with a stack of its own: a database may nest deeply.
    std::vector<std::pair<std::vector<SGroupNode*>*, std::size_t>> stack{{&m_topLevel, 0}};
    while (!stack.empty()) {
        auto& [pSiblings, nNext] = stack.back();
        if (nNext == pSiblings->size()) {
            stack.pop_back();
            continue;
        }
        SGroupNode* pNode = (*pSiblings)[nNext++];
        pNode->m_nOrder = static_cast<int>(m_groups.size());
        m_groups.push_back(pNode);
        if (!pNode->m_children.empty()) {
            RenumberChildren(pNode->m_children);
            stack.emplace_back(&pNode->m_children, 0);
        }
    }
}

CRecordTreeModel::SGroupNode* CRecordTreeModel::ParentFor(std::string_view strPath,
                                                          const SGroupNode* pSkip) const {
    if (!m_bNested)
        return nullptr;
    SGroupNode* pBest = nullptr;
    for (SGroupNode* pNode : m_groups) {
        const std::string_view strCandidate = GroupLabel(pNode->m_pGroup);
        if (!IsInsideGroup(strPath, strCandidate) ||
            (pBest && GroupLabel(pBest->m_pGroup).size() >= strCandidate.size()))
            continue;
        bool bInsideSkipped = false;
        for (const SGroupNode* p = pNode; p && !bInsideSkipped; p = p->m_pParent)
            bInsideSkipped = p == pSkip;
        if (!bInsideSkipped)
            pBest = pNode;
    }
    return pBest;
}

int CRecordTreeModel::GroupPlace(const std::vector<SGroupNode*>& siblings,
                                 const SGroupNode* pParent, std::string_view strLabel,
                                 int nSkip) const {
    const auto nSkipped = static_cast<std::size_t>(nSkip);
    const std::size_t nCount = siblings.size() - (nSkip >= 0 ? 1 : 0);
    const std::string_view strParent = pParent ? GroupLabel(pParent->m_pGroup) : std::string_view();
    return static_cast<int>(SortedPlace(
        strLabel, nCount,
        [&](std::size_t i) {
            const SGroupNode* pSibling = siblings[nSkip >= 0 && i >= nSkipped ? i + 1 : i];
            return pParent ? GroupLabelBelow(GroupLabel(pSibling->m_pGroup), strParent)
                           : GroupLabel(pSibling->m_pGroup);
        },
        m_doc.CodePage()));
}

int CRecordTreeModel::AccountPlace(const SGroupNode& node, const CPasswordInfo& account,
                                   int nSkip) const {
    const auto nSkipped = static_cast<std::size_t>(nSkip);
    const std::size_t nCount = node.m_accounts.size() - (nSkip >= 0 ? 1 : 0);
    return static_cast<int>(SortedPlace(
        AccountLabel(&account), nCount,
        [&](std::size_t i) {
            return AccountLabel(node.m_accounts[nSkip >= 0 && i >= nSkipped ? i + 1 : i]);
        },
        m_doc.CodePage()));
}

void CRecordTreeModel::AddGroup(const CPasswordInfo* pGroup) {
    SGroupNode* pParent = ParentFor(GroupLabel(pGroup), nullptr);
    std::vector<SGroupNode*>& siblings = SiblingsIn(pParent);
    const std::string_view strLabel =
        pParent ? GroupLabelBelow(GroupLabel(pGroup), GroupLabel(pParent->m_pGroup))
                : GroupLabel(pGroup);
    const int nPlace = GroupPlace(siblings, pParent, strLabel, -1);
    const int nRow = nPlace + (pParent ? static_cast<int>(pParent->m_accounts.size()) : 0);
    beginInsertRows(ParentIndex(pParent), nRow, nRow);
    auto pNode = std::make_unique<SGroupNode>();
    pNode->m_pGroup = pGroup;
    pNode->m_pParent = pParent;
    // A group is added empty; its accounts come with their own notices.
    siblings.insert(siblings.begin() + nPlace, pNode.get());
    SGroupNode& node = *pNode;
    m_owned.push_back(std::move(pNode));
    Renumber();
    endInsertRows();
    TakeInside(node);
}

void CRecordTreeModel::RemoveGroup(const CPasswordInfo* pGroup) {
    SGroupNode* pNode = NodeOf(pGroup);
    if (!pNode)
        return;
    // Groups still inside it stay, shown where their paths put them.
    while (!pNode->m_children.empty())
        PlaceGroup(*pNode->m_children.back(), pNode->m_pParent);
    if (m_pLastNode == pNode)
        m_pLastNode = nullptr;
    std::vector<SGroupNode*>& siblings = SiblingsIn(pNode->m_pParent);
    const int nRow = RowOf(*pNode);
    beginRemoveRows(ParentIndex(pNode->m_pParent), nRow, nRow);
    siblings.erase(siblings.begin() + pNode->m_nChild);
    m_owned.erase(std::find_if(m_owned.begin(), m_owned.end(),
                               [pNode](const auto& pOwned) { return pOwned.get() == pNode; }));
    Renumber();
    endRemoveRows();
}

void CRecordTreeModel::PlaceGroup(SGroupNode& node, SGroupNode* pParent) {
    std::vector<SGroupNode*>& from = SiblingsIn(node.m_pParent);
    std::vector<SGroupNode*>& to = SiblingsIn(pParent);
    const std::string_view strLabel =
        pParent ? GroupLabelBelow(GroupLabel(node.m_pGroup), GroupLabel(pParent->m_pGroup))
                : GroupLabel(node.m_pGroup);
    const bool bSame = node.m_pParent == pParent;
    const int nPlace = GroupPlace(to, pParent, strLabel, bSame ? node.m_nChild : -1);
    const int nOffset = pParent ? static_cast<int>(pParent->m_accounts.size()) : 0;
    const int nRow = RowOf(node);
    if (bSame && nPlace == node.m_nChild)
        return;
    // Within one parent the destination counts the rows before the move.
    const int nDestination = nOffset + (bSame && nPlace > node.m_nChild ? nPlace + 1 : nPlace);
    if (!beginMoveRows(ParentIndex(node.m_pParent), nRow, nRow, ParentIndex(pParent), nDestination))
        return;
    from.erase(from.begin() + node.m_nChild);
    to.insert(to.begin() + nPlace, &node);
    node.m_pParent = pParent;
    Renumber();
    endMoveRows();
}

void CRecordTreeModel::TakeInside(SGroupNode& node) {
    if (!m_bNested)
        return;
    const std::string_view strPath = GroupLabel(node.m_pGroup);
    std::vector<SGroupNode*> taken;
    for (SGroupNode* pSibling : SiblingsIn(node.m_pParent)) {
        if (pSibling != &node && IsInsideGroup(GroupLabel(pSibling->m_pGroup), strPath))
            taken.push_back(pSibling);
    }
    for (SGroupNode* pTaken : taken) {
        PlaceGroup(*pTaken, &node);
        emit dataChanged(GroupIndex(*pTaken), GroupIndex(*pTaken));
    }
}

void CRecordTreeModel::ResortGroup(const CPasswordInfo* pGroup) {
    SGroupNode* pNode = NodeOf(pGroup);
    if (!pNode)
        return;
    PlaceGroup(*pNode, ParentFor(GroupLabel(pGroup), pNode));
    const QModelIndex group = GroupIndex(*pNode);
    emit dataChanged(group, group);
    TakeInside(*pNode);
}

void CRecordTreeModel::AddAccount(const CPasswordInfo* pAccount, const CPasswordInfo* pGroup) {
    SGroupNode* pNode = NodeOf(pGroup);
    if (!pNode)
        return;
    const int nRow = AccountPlace(*pNode, *pAccount, -1);
    m_pLastNode = pNode;
    beginInsertRows(GroupIndex(*pNode), nRow, nRow);
    pNode->m_accounts.insert(pNode->m_accounts.begin() + nRow, pAccount);
    endInsertRows();
}

void CRecordTreeModel::RemoveAccount(const CPasswordInfo* pAccount, const CPasswordInfo* pGroup) {
    SGroupNode* pNode = NodeOf(pGroup);
    const int nRow = pNode ? RowIn(pNode->m_accounts, pAccount) : -1;
    if (nRow < 0)
        return;
    beginRemoveRows(GroupIndex(*pNode), nRow, nRow);
    pNode->m_accounts.erase(pNode->m_accounts.begin() + nRow);
    endRemoveRows();
}

void CRecordTreeModel::ResortAccount(const CPasswordInfo* pAccount, const CPasswordInfo* pGroup) {
    SGroupNode* pNode = NodeOf(pGroup);
    const int nRow = pNode ? RowIn(pNode->m_accounts, pAccount) : -1;
    if (nRow < 0)
        return;
    const int nPlace = AccountPlace(*pNode, *pAccount, nRow);
    m_pLastNode = pNode;
    if (nPlace != nRow) {
        const QModelIndex group = GroupIndex(*pNode);
        beginMoveRows(group, nRow, nRow, group, nPlace > nRow ? nPlace + 1 : nPlace);
        auto& accounts = pNode->m_accounts;
        const CPasswordInfo* pMoved = accounts[static_cast<std::size_t>(nRow)];
        accounts.erase(accounts.begin() + nRow);
        accounts.insert(accounts.begin() + nPlace, pMoved);
        endMoveRows();
    }
    const QModelIndex account = createIndex(nPlace, 0, NodeId(pNode));
    emit dataChanged(account, account);
}

void CRecordTreeModel::MoveAccount(const CPasswordInfo* pAccount, const CPasswordInfo* pFrom,
                                   const CPasswordInfo* pTo) {
    SGroupNode* pFromNode = NodeOf(pFrom);
    SGroupNode* pToNode = NodeOf(pTo);
    const int nRow = pFromNode ? RowIn(pFromNode->m_accounts, pAccount) : -1;
    if (nRow < 0 || !pToNode)
        return;
    const int nPlace = AccountPlace(*pToNode, *pAccount, -1);
    m_pLastNode = pToNode;
    beginMoveRows(GroupIndex(*pFromNode), nRow, nRow, GroupIndex(*pToNode), nPlace);
    const CPasswordInfo* pMoved = pFromNode->m_accounts[static_cast<std::size_t>(nRow)];
    pFromNode->m_accounts.erase(pFromNode->m_accounts.begin() + nRow);
    pToNode->m_accounts.insert(pToNode->m_accounts.begin() + nPlace, pMoved);
    endMoveRows();
    const QModelIndex account = createIndex(nPlace, 0, NodeId(pToNode));
    emit dataChanged(account, account);
}

void CRecordTreeModel::AccountChanged(const CPasswordInfo* pAccount, const CPasswordInfo* pGroup) {
    SGroupNode* pNode = NodeOf(pGroup);
    const int nRow = pNode ? RowIn(pNode->m_accounts, pAccount) : -1;
    if (nRow < 0)
        return;
    const QModelIndex account = createIndex(nRow, 0, NodeId(pNode));
    emit dataChanged(account, account);
}

int CRecordTreeModel::Level(const QModelIndex& index) {
    if (!index.isValid())
        return -1;
    switch (index.internalId()) {
    case FILE_ID:
        return 0;
    case GROUP_ID:
        return 1;
    default:
        // Below a group its accounts come first, then its groups.
        return static_cast<std::size_t>(index.row()) <
                       NodeOfId(index.internalId())->m_accounts.size()
                   ? 2
                   : 1;
    }
}

int CRecordTreeModel::AccountRows(const QModelIndex& group) const {
    return Level(group) == 1 ? static_cast<int>(GroupNodeAt(group)->m_accounts.size()) : 0;
}

std::string CRecordTreeModel::GroupNameFor(const QModelIndex& group,
                                           const std::string& strLabel) const {
    const SGroupNode* pParent = Level(group) == 1 ? GroupNodeAt(group)->m_pParent : nullptr;
    return pParent ? std::string(GroupLabel(pParent->m_pGroup)) + '/' + strLabel : strLabel;
}

int CRecordTreeModel::ParentGroup(int nGroup) const {
    const SGroupNode* pParent = m_groups[static_cast<std::size_t>(nGroup)]->m_pParent;
    return pParent ? pParent->m_nOrder : -1;
}

const CPasswordInfo* CRecordTreeModel::RecordOf(const QModelIndex& index) const {
    switch (Level(index)) {
    case 1:
        return GroupNodeAt(index)->m_pGroup;
    case 2:
        return NodeOfId(index.internalId())->m_accounts[static_cast<std::size_t>(index.row())];
    default:
        return nullptr;
    }
}

QModelIndex CRecordTreeModel::FileIndex() const {
    return m_bShown ? createIndex(0, 0, FILE_ID) : QModelIndex();
}

QModelIndex CRecordTreeModel::IndexOf(const CPasswordInfo* pRecord) const {
    if (!pRecord || !m_bShown)
        return {};
    if (pRecord->IsGroup()) {
        const SGroupNode* pNode = NodeOf(pRecord);
        return pNode ? GroupIndex(*pNode) : QModelIndex();
    }
    if (m_pLastNode) {
        const int nRow = RowIn(m_pLastNode->m_accounts, pRecord);
        if (nRow >= 0)
            return createIndex(nRow, 0, NodeId(m_pLastNode));
    }
    for (const SGroupNode* pNode : m_groups) {
        const int nRow = RowIn(pNode->m_accounts, pRecord);
        if (nRow >= 0)
            return createIndex(nRow, 0, NodeId(pNode));
    }
    return {};
}

QModelIndex CRecordTreeModel::IndexAt(const STreePos& pos) const {
    if (pos.IsFileItem())
        return FileIndex();
    if (pos.m_nGroup >= GroupCount())
        return {};
    const SGroupNode& node = *m_groups[static_cast<std::size_t>(pos.m_nGroup)];
    if (pos.IsGroup())
        return GroupIndex(node);
    return pos.m_nAccount < static_cast<int>(node.m_accounts.size())
               ? createIndex(pos.m_nAccount, 0, NodeId(&node))
               : QModelIndex();
}

STreePos CRecordTreeModel::PosOf(const QModelIndex& index) const {
    switch (Level(index)) {
    case 1:
        return {GroupNodeAt(index)->m_nOrder, -1};
    case 2:
        return {NodeOfId(index.internalId())->m_nOrder, index.row()};
    default:
        return {};
    }
}

QModelIndex CRecordTreeModel::FindGroup(const std::string& strName) const {
    for (const SGroupNode* pNode : m_groups) {
        if (GroupLabel(pNode->m_pGroup) == strName)
            return GroupIndex(*pNode);
    }
    return {};
}

int CRecordTreeModel::GroupCount() const {
    return static_cast<int>(m_groups.size());
}

int CRecordTreeModel::AccountCount(int nGroup) const {
    return static_cast<int>(m_groups[static_cast<std::size_t>(nGroup)]->m_accounts.size());
}

std::string_view CRecordTreeModel::Label(const STreePos& pos) const {
    if (pos.IsFileItem())
        return m_strFileLabel;
    const SGroupNode& node = *m_groups[static_cast<std::size_t>(pos.m_nGroup)];
    return pos.IsGroup() ? ShownLabel(node)
                         : AccountLabel(node.m_accounts[static_cast<std::size_t>(pos.m_nAccount)]);
}

QModelIndex CRecordTreeModel::index(int nRow, int nColumn, const QModelIndex& parent) const {
    if (nRow < 0 || nColumn != 0 || nRow >= rowCount(parent))
        return {};
    switch (Level(parent)) {
    case -1:
        return createIndex(nRow, 0, FILE_ID);
    case 0:
        return createIndex(nRow, 0, GROUP_ID);
    case 1:
        return createIndex(nRow, 0, NodeId(GroupNodeAt(parent)));
    default:
        return {};
    }
}

QModelIndex CRecordTreeModel::parent(const QModelIndex& index) const {
    switch (Level(index)) {
    case 1:
        return index.internalId() == GROUP_ID ? FileIndex()
                                              : GroupIndex(*NodeOfId(index.internalId()));
    case 2:
        return GroupIndex(*NodeOfId(index.internalId()));
    default:
        return {};
    }
}

int CRecordTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    switch (Level(parent)) {
    case -1:
        return m_bShown ? 1 : 0;
    case 0:
        return static_cast<int>(m_topLevel.size());
    case 1: {
        const SGroupNode* pNode = GroupNodeAt(parent);
        return static_cast<int>(pNode->m_accounts.size() + pNode->m_children.size());
    }
    default:
        return 0;
    }
}

int CRecordTreeModel::columnCount(const QModelIndex& /*parent*/) const {
    return 1;
}

bool CRecordTreeModel::hasChildren(const QModelIndex& parent) const {
    // The file item and every group show their expander, even when empty.
    const int nLevel = Level(parent);
    return nLevel == -1 ? m_bShown : nLevel == 0 || nLevel == 1;
}

QVariant CRecordTreeModel::data(const QModelIndex& index, int nRole) const {
    if (nRole == Qt::DecorationRole) {
        const int nLevel = Level(index);
        return nLevel < 0 ? QVariant()
                          : Image(nLevel == 0   ? IMAGE_FILE
                                  : nLevel == 1 ? IMAGE_GROUP
                                                : IMAGE_ACCOUNT);
    }
    if (nRole == Qt::FontRole || nRole == Qt::ToolTipRole)
        return ExpiryData(index, nRole);
    if (nRole != Qt::DisplayRole && nRole != Qt::EditRole)
        return {};
    // The file's name is UTF-8 like every path; the records' names are
    // stored texts in the file's code page.
    switch (Level(index)) {
    case 0:
        return QString::fromStdString(m_strFileLabel);
    case 1:
        return QString::fromStdString(m_doc.CodePage().ToUtf8(ShownLabel(*GroupNodeAt(index))));
    case 2:
        return QString::fromStdString(m_doc.CodePage().ToUtf8(AccountLabel(RecordOf(index))));
    default:
        return {};
    }
}

namespace {

// %1 is the date and time the account expired.
const char* const IDS_EXPIRED_ON = KH_TEXT("Keyhaven", "Expired on %1");

} // namespace

QVariant CRecordTreeModel::ExpiryData(const QModelIndex& index, int nRole) const {
    const CPasswordInfo* pRecord = Level(index) == 2 ? RecordOf(index) : nullptr;
    const std::optional<std::int64_t> nExpiry =
        pRecord ? m_doc.DatabaseExpiry(*pRecord) : std::nullopt;
    if (!nExpiry || *nExpiry > QDateTime::currentSecsSinceEpoch())
        return {};
    // An expired account is struck through, and says since when.
    if (nRole == Qt::ToolTipRole)
        return TrText(IDS_EXPIRED_ON)
            .arg(QLocale().toString(QDateTime::fromSecsSinceEpoch(*nExpiry), QLocale::ShortFormat));
    QFont font;
    font.setStrikeOut(true);
    return font;
}

Qt::ItemFlags CRecordTreeModel::flags(const QModelIndex& index) const {
    switch (Level(index)) {
    case 0:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    case 1:
    case 2:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    default:
        return Qt::NoItemFlags;
    }
}

QVariant CRecordTreeModel::headerData(int nSection, Qt::Orientation eOrientation, int nRole) const {
    if (nSection == 0 && eOrientation == Qt::Horizontal && nRole == Qt::DisplayRole)
        return TrText(KH_TEXT("Keyhaven", "Accounts"));
    return {};
}
