// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGHUP (a logout, a shutdown, a closed terminal) into a
// signal of the event loop, so the program ends in order instead of being
// killed with its settings unwritten. One instance at a time.
class CTermSignals : public QObject {
    Q_OBJECT
public:
    explicit CTermSignals(QObject* pParent = nullptr);
    ~CTermSignals() override;

    // False when the handlers could not be installed (the default ones stay).
    bool IsInstalled() const { return m_pNotifier != nullptr; }

signals:
    // Once per signal received, in the event loop's thread.
    void EndRequested(int nSignal);

private:
    void OnReadable();

    QSocketNotifier* m_pNotifier = nullptr;
};
