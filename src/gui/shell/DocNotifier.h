#pragma once

#include <QObject>

class CCofferDoc;
enum class EDocNotice;

// Turns the document's notices into Qt signals, so the view, the frame and
// the Password Bar can each connect to what concerns them. One notifier per
// document; it takes the document's notice hook while it lives.
class CDocNotifier : public QObject {
    Q_OBJECT

public:
    explicit CDocNotifier(CCofferDoc& doc, QObject* pParent = nullptr);
    ~CDocNotifier() override;

    CCofferDoc& Document() const { return m_doc; }

signals:
    // The content changed: redraw from the record list.
    void UpdateAllViews();
    // Another file, or none, is shown: rebuild from scratch.
    void InitialUpdate();
    void PathNameChanged();
    void ModifiedChanged(bool bModified);
    void RecentFileListChanged();

private:
    void OnNotice(EDocNotice eNotice);

    CCofferDoc& m_doc;
};
