// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/model/RecordTreeModel.h"

#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/FileIO.h"
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
    m_groups.clear();
    m_pLastNode = nullptr;
    m_bShown = m_doc.HasKey();
    if (m_bShown) {
        // Sorted once and taken in bulk, so a file of any size loads in
        // O(n log n). The rows name the document's records, which the view
        // hands back to the document's operations: only those change them.
        for (STreeGroup& group : SortedTree(m_doc.Records(), m_doc.CodePage())) {
            auto pNode = std::make_unique<SGroupNode>();
            pNode->m_pGroup = group.m_pGroup;
            pNode->m_accounts.reserve(group.m_accounts.size());
            for (const CPasswordInfo* pAccount : group.m_accounts)
                pNode->m_accounts.push_back(pAccount);
            pNode->m_nRow = static_cast<int>(m_groups.size());
            m_groups.push_back(std::move(pNode));
        }
    }
    m_strFileLabel = FileLabel(m_doc.FileName());
    endResetModel();
}

void CRecordTreeModel::Clear() {
    beginResetModel();
    m_groups.clear();
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

CRecordTreeModel::SGroupNode* CRecordTreeModel::NodeOf(const CPasswordInfo* pGroup) const {
    for (const auto& pNode : m_groups) {
        if (pNode->m_pGroup == pGroup)
            return pNode.get();
    }
    return nullptr;
}

int CRecordTreeModel::RowIn(const std::vector<const CPasswordInfo*>& accounts,
                            const CPasswordInfo* pAccount) {
    const auto it = std::find(accounts.begin(), accounts.end(), pAccount);
    return it == accounts.end() ? -1 : static_cast<int>(it - accounts.begin());
}

QModelIndex CRecordTreeModel::GroupIndex(const SGroupNode& node) const {
    return createIndex(node.m_nRow, 0, GROUP_ID);
}

void CRecordTreeModel::Renumber(std::size_t nFrom) {
    for (std::size_t i = nFrom; i < m_groups.size(); ++i)
        m_groups[i]->m_nRow = static_cast<int>(i);
}

int CRecordTreeModel::GroupPlace(const CPasswordInfo& group, int nSkip) const {
    const auto nSkipped = static_cast<std::size_t>(nSkip);
    const std::size_t nCount = m_groups.size() - (nSkip >= 0 ? 1 : 0);
    return static_cast<int>(SortedPlace(
        GroupLabel(&group), nCount,
        [&](std::size_t i) {
            return GroupLabel(m_groups[nSkip >= 0 && i >= nSkipped ? i + 1 : i]->m_pGroup);
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
    const int nRow = GroupPlace(*pGroup, -1);
    beginInsertRows(FileIndex(), nRow, nRow);
    auto pNode = std::make_unique<SGroupNode>();
    pNode->m_pGroup = pGroup;
    // A group is added empty; its accounts come with their own notices.
    m_groups.insert(m_groups.begin() + nRow, std::move(pNode));
    Renumber(static_cast<std::size_t>(nRow));
    endInsertRows();
}

void CRecordTreeModel::RemoveGroup(const CPasswordInfo* pGroup) {
    const SGroupNode* pNode = NodeOf(pGroup);
    if (!pNode)
        return;
    const int nRow = pNode->m_nRow;
    if (m_pLastNode == pNode)
        m_pLastNode = nullptr;
    beginRemoveRows(FileIndex(), nRow, nRow);
    m_groups.erase(m_groups.begin() + nRow);
    Renumber(static_cast<std::size_t>(nRow));
    endRemoveRows();
}

void CRecordTreeModel::ResortGroup(const CPasswordInfo* pGroup) {
    const SGroupNode* pNode = NodeOf(pGroup);
    if (!pNode)
        return;
    const int nRow = pNode->m_nRow;
    const int nPlace = GroupPlace(*pGroup, nRow);
    if (nPlace != nRow) {
        const QModelIndex file = FileIndex();
        beginMoveRows(file, nRow, nRow, file, nPlace > nRow ? nPlace + 1 : nPlace);
        auto pMoved = std::move(m_groups[static_cast<std::size_t>(nRow)]);
        m_groups.erase(m_groups.begin() + nRow);
        m_groups.insert(m_groups.begin() + nPlace, std::move(pMoved));
        Renumber(static_cast<std::size_t>(std::min(nRow, nPlace)));
        endMoveRows();
    }
    const QModelIndex group = createIndex(nPlace, 0, GROUP_ID);
    emit dataChanged(group, group);
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
        return 2;
    }
}

const CPasswordInfo* CRecordTreeModel::RecordOf(const QModelIndex& index) const {
    switch (Level(index)) {
    case 1:
        return m_groups[static_cast<std::size_t>(index.row())]->m_pGroup;
    case 2:
        return static_cast<SGroupNode*>(NodeAt(index.internalId()))
            ->m_accounts[static_cast<std::size_t>(index.row())];
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
    for (const auto& pNode : m_groups) {
        const int nRow = RowIn(pNode->m_accounts, pRecord);
        if (nRow >= 0)
            return createIndex(nRow, 0, NodeId(pNode.get()));
    }
    return {};
}

QModelIndex CRecordTreeModel::IndexAt(const STreePos& pos) const {
    if (pos.IsFileItem())
        return FileIndex();
    const QModelIndex group = index(pos.m_nGroup, 0, FileIndex());
    return pos.IsGroup() ? group : index(pos.m_nAccount, 0, group);
}

STreePos CRecordTreeModel::PosOf(const QModelIndex& index) const {
    switch (Level(index)) {
    case 1:
        return {index.row(), -1};
    case 2:
        return {static_cast<SGroupNode*>(NodeAt(index.internalId()))->m_nRow, index.row()};
    default:
        return {};
    }
}

QModelIndex CRecordTreeModel::FindGroup(const std::string& strName) const {
    for (const auto& pNode : m_groups) {
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
    return pos.IsGroup() ? GroupLabel(node.m_pGroup)
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
        return createIndex(nRow, 0, NodeId(m_groups[static_cast<std::size_t>(parent.row())].get()));
    default:
        return {};
    }
}

QModelIndex CRecordTreeModel::parent(const QModelIndex& index) const {
    switch (Level(index)) {
    case 1:
        return FileIndex();
    case 2:
        return GroupIndex(*static_cast<SGroupNode*>(NodeAt(index.internalId())));
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
        return GroupCount();
    case 1:
        return AccountCount(parent.row());
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
    if (Level(index) == 0)
        return QString::fromStdString(m_strFileLabel);
    const CPasswordInfo* pRecord = RecordOf(index);
    if (!pRecord)
        return {};
    return QString::fromStdString(
        m_doc.CodePage().ToUtf8(pRecord->IsGroup() ? GroupLabel(pRecord) : AccountLabel(pRecord)));
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
