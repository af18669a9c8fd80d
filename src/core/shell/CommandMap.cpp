// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/CommandMap.h"

void CCommandMap::Register(int nId, Handler fnHandler, Updater fnUpdater) {
    m_mapEntries[nId] = CEntry{std::move(fnHandler), std::move(fnUpdater)};
}

void CCommandMap::RegisterUpdate(int nId, Updater fnUpdater) {
    m_mapEntries[nId] = CEntry{{}, std::move(fnUpdater)};
}

void CCommandMap::Unregister(int nId) {
    m_mapEntries.erase(nId);
}

bool CCommandMap::IsRegistered(int nId) const {
    return m_mapEntries.count(nId) != 0;
}

CCmdUI CCommandMap::Update(int nId) const {
    CCmdUI ui;
    ui.nId = nId;
    const auto it = m_mapEntries.find(nId);
    if (it == m_mapEntries.end())
        return ui;
    ui.bEnabled = static_cast<bool>(it->second.fnHandler);
    if (it->second.fnUpdater)
        it->second.fnUpdater(ui);
    return ui;
}

bool CCommandMap::Execute(int nId) const {
    if (!Update(nId).bEnabled)
        return false;
    return ExecuteUnchecked(nId);
}

bool CCommandMap::ExecuteUnchecked(int nId) const {
    const auto it = m_mapEntries.find(nId);
    if (it == m_mapEntries.end() || !it->second.fnHandler)
        return false;
    // A copy: the handler may re-register its own id while it runs.
    const Handler fnHandler = it->second.fnHandler;
    fnHandler();
    return true;
}
