// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/DocObserver.h"
#include "core/tree/LabelTree.h"

#include <QAbstractItemModel>

#include <memory>
#include <string>
#include <vector>

class CCofferDoc;
class CPasswordInfo;

// The document's records as a tree: the file item, its groups, their
// accounts, each level in the program's display order. A database's groups
// nest by their paths, each group's accounts before the groups inside it,
// so the rows read top down in the order the search walks them. The
// model is built once per file and then follows the document's record
// notices one by one, so an edit never rebuilds it; rows that move keep
// their persistent indexes, so selection and expanded groups follow them.
// A record added or renamed goes after the rows whose label equals its own,
// as the tree has always placed it; a reload orders equal labels by the
// list. It also answers the search walk, by display position.
class CRecordTreeModel : public QAbstractItemModel, public CLabelTree {
    Q_OBJECT
public:
    // Tree images: a group or account shows the first of its pair, and the
    // view shows the second for the current one.
    enum EImage {
        IMAGE_GROUP = 0,
        IMAGE_GROUP_OPEN,
        IMAGE_ACCOUNT,
        IMAGE_ACCOUNT_SELECTED,
        IMAGE_FILE
    };
    static const QIcon& Image(EImage eImage);

    explicit CRecordTreeModel(CCofferDoc& doc, QObject* pParent = nullptr);
    ~CRecordTreeModel() override;

    // Builds the tree from the document's list: the file item and its
    // records, or nothing while the document has no KEY.
    void Reload();
    // Shows nothing (the document's content is gone for now).
    void Clear();
    CCofferDoc& Document() const { return m_doc; }

    // Follows one change of the document; a reset reloads.
    void Apply(const SRecordNotice& notice);
    // The file item's label follows the file's name.
    void UpdateFileLabel();

    // 0 for the file item, 1 for a group (at any depth), 2 for an account;
    // -1 for none.
    static int Level(const QModelIndex& index);
    // The number of accounts of a group index: its first rows.
    int AccountRows(const QModelIndex& group) const;
    // The name a group of this index's label is given when the label is
    // edited to strLabel: inside a database's group, the parent's path
    // before it.
    std::string GroupNameFor(const QModelIndex& group, const std::string& strLabel) const;
    // The record of a group or account index; none for the file item.
    const CPasswordInfo* RecordOf(const QModelIndex& index) const;
    QModelIndex FileIndex() const;
    // The index of a group or account record, or an invalid one.
    QModelIndex IndexOf(const CPasswordInfo* pRecord) const;
    QModelIndex IndexAt(const STreePos& pos) const;
    // The account at a display position, without making its index (a walk
    // over every account, such as the filter's).
    const CPasswordInfo* AccountAt(int nGroup, int nAccount) const {
        return m_groups[static_cast<std::size_t>(nGroup)]
            ->m_accounts[static_cast<std::size_t>(nAccount)];
    }
    // The display position of the group a group is shown inside, or -1 for
    // one at the top (below the file item).
    int ParentGroup(int nGroup) const;
    STreePos PosOf(const QModelIndex& index) const;
    // The group shown with exactly this name, or an invalid index.
    QModelIndex FindGroup(const std::string& strName) const;

    // The labels for the search, in stored (code-page) bytes.
    int GroupCount() const override;
    int AccountCount(int nGroup) const override;
    std::string_view Label(const STreePos& pos) const override;

    QModelIndex index(int nRow, int nColumn, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The one column is "Accounts": hidden, but screen readers announce it.
    QVariant headerData(int nSection, Qt::Orientation eOrientation,
                        int nRole = Qt::DisplayRole) const override;

private:
    // The look of an expired account of a database: struck through, with
    // the time it expired as its tool tip.
    QVariant ExpiryData(const QModelIndex& index, int nRole) const;

    struct SGroupNode {
        const CPasswordInfo* m_pGroup = nullptr;
        std::vector<const CPasswordInfo*> m_accounts;
        SGroupNode* m_pParent = nullptr; // none at the top
        std::vector<SGroupNode*> m_children;
        int m_nChild = 0; // its place among its parent's groups
        int m_nOrder = 0; // its place in m_groups
    };

    static SGroupNode* NodeOfId(quintptr nId);
    SGroupNode* GroupNodeAt(const QModelIndex& group) const;
    SGroupNode* NodeOf(const CPasswordInfo* pGroup) const;
    static int RowIn(const std::vector<const CPasswordInfo*>& accounts,
                     const CPasswordInfo* pAccount);
    static int RowOf(const SGroupNode& node);
    std::string_view ShownLabel(const SGroupNode& node) const;
    QModelIndex GroupIndex(const SGroupNode& node) const;
    QModelIndex ParentIndex(const SGroupNode* pParent) const;
    std::vector<SGroupNode*>& SiblingsIn(SGroupNode* pParent);
    // Lists every group in display order again and numbers it.
    void Renumber();
    static void RenumberChildren(std::vector<SGroupNode*>& siblings);
    // The group a database's group of this path is shown inside, leaving
    // pSkip and the groups inside it out.
    SGroupNode* ParentFor(std::string_view strPath, const SGroupNode* pSkip) const;
    // The display place of a group among its siblings, or of an account
    // among its group's, leaving row nSkip out (the record being placed
    // again).
    int GroupPlace(const std::vector<SGroupNode*>& siblings, const SGroupNode* pParent,
                   std::string_view strLabel, int nSkip) const;
    int AccountPlace(const SGroupNode& node, const CPasswordInfo& account, int nSkip) const;
    // Moves a group, with what is inside it, to its place in pParent.
    void PlaceGroup(SGroupNode& node, SGroupNode* pParent);
    // Moves the siblings of a group added or renamed whose paths put them
    // inside it.
    void TakeInside(SGroupNode& node);
    void AddGroup(const CPasswordInfo* pGroup);
    void RemoveGroup(const CPasswordInfo* pGroup);
    void ResortGroup(const CPasswordInfo* pGroup);
    void AddAccount(const CPasswordInfo* pAccount, const CPasswordInfo* pGroup);
    void RemoveAccount(const CPasswordInfo* pAccount, const CPasswordInfo* pGroup);
    void ResortAccount(const CPasswordInfo* pAccount, const CPasswordInfo* pGroup);
    void MoveAccount(const CPasswordInfo* pAccount, const CPasswordInfo* pFrom,
                     const CPasswordInfo* pTo);
    void AccountChanged(const CPasswordInfo* pAccount, const CPasswordInfo* pGroup);

    CCofferDoc& m_doc;
    bool m_bShown = false;
    // A database's groups nest; a flat file's are all at the top.
    bool m_bNested = false;
    std::string m_strFileLabel;
    std::vector<std::unique_ptr<SGroupNode>> m_owned;
    // Every group in display order.
    std::vector<SGroupNode*> m_groups;
    std::vector<SGroupNode*> m_topLevel;
    // The group the last notice changed: IndexOf looks there first, since
    // the record an edit selects is the one it just placed.
    const SGroupNode* m_pLastNode = nullptr;
};
