// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/SystemTray.h"

#include "core/base/CommandIds.h"
#include "core/base/StringTable.h"
#include "core/shell/CommandMap.h"
#include "platform/BlockedTrayMenu.h"
#include "platform/StatusNotifierHost.h"
#include "platform/Translations.h"

#include <QAction>
#include <QFont>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyleHints>

#include <utility>

namespace {

// The tray's pictures drawn from the program's own files, under the names
// they are installed with in the icon theme: a D-Bus tray host shows the
// theme's picture by name, or the pixels sent along when it has none.
class CNamedIconEngine : public QIconEngine {
public:
    CNamedIconEngine(QIcon icon, QString strName)
        : m_icon(std::move(icon)), m_strName(std::move(strName)) {}

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode eMode,
               QIcon::State eState) override {
        m_icon.paint(pPainter, rect, Qt::AlignCenter, eMode, eState);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode eMode, QIcon::State eState) override {
        return m_icon.pixmap(size, eMode, eState);
    }
    QSize actualSize(const QSize& size, QIcon::Mode eMode, QIcon::State eState) override {
        return m_icon.actualSize(size, eMode, eState);
    }
    QList<QSize> availableSizes(QIcon::Mode eMode, QIcon::State eState) override {
        const QList<QSize> sizes = m_icon.availableSizes(eMode, eState);
        // A scalable picture lists no sizes; a tray host wants some pixels.
        return sizes.isEmpty() ? QList<QSize>{{16, 16}, {22, 22}, {32, 32}, {48, 48}, {64, 64}}
                               : sizes;
    }
    QString iconName() override { return m_strName; }
    QString key() const override { return QStringLiteral("keyhaven-named"); }
    QIconEngine* clone() const override { return new CNamedIconEngine(m_icon, m_strName); }

private:
    QIcon m_icon;
    QString m_strName;
};

QIcon NumberedIcon(int nIconId) {
    const QIcon picture(QStringLiteral(":/icons/%1.svg").arg(nIconId));
    QString strName;
    switch (nIconId) {
    case IDI_TRAY:
        strName = QStringLiteral("keyhaven-tray");
        break;
    case IDI_TRAY_LOCKED:
        strName = QStringLiteral("keyhaven-tray-locked");
        break;
    case IDR_MAINFRAME:
        strName = QStringLiteral("org.keyhaven.Keyhaven");
        break;
    default:
        return picture;
    }
    return QIcon(new CNamedIconEngine(picture, strName));
}

CSystemTray::CAvailability& Availability() {
    static CSystemTray::CAvailability fnAvailable;
    return fnAvailable;
}

} // namespace

void CSystemTray::SetAvailability(CAvailability fnAvailable) {
    Availability() = std::move(fnAvailable);
}

bool CSystemTray::IsTrayAvailable() {
    const CAvailability& fnAvailable = Availability();
    return fnAvailable ? fnAvailable() : QSystemTrayIcon::isSystemTrayAvailable();
}

CSystemTray::CSystemTray(CCommandMap& commands, QObject* pParent)
    : QObject(pParent), m_commands(commands),
      m_clicks([this]() { return static_cast<std::uint64_t>(m_clock.elapsed()); },
               static_cast<unsigned>(QGuiApplication::styleHints()->mouseDoubleClickInterval())),
      m_bDBusTray(CStatusNotifierHost::IsPresent()) {
    m_clock.start();
    BuildMenu();
    m_icon.setContextMenu(m_pMenu.get());
    m_pBlockedMenu = std::make_unique<CBlockedTrayMenu>(m_pMenu.get());
    connect(&m_icon, &QSystemTrayIcon::activated, this, &CSystemTray::OnTrayNotification);
    connect(&m_icon, &QSystemTrayIcon::messageClicked, this, &CSystemTray::OnMessageClicked);
    m_timerPoll.setInterval(PENDING_POLL_MS);
    connect(&m_timerPoll, &QTimer::timeout, this, &CSystemTray::OnPoll);
}

CSystemTray::~CSystemTray() {
    m_pBlockedMenu.reset();
    m_timerPoll.stop();
    RemoveIcon();
}

void CSystemTray::BuildMenu() {
    m_pMenu = std::make_unique<QMenu>();
    m_pMenu->setObjectName(QStringLiteral("TrayMenu"));
    m_pMenu->setTitle(TrText(KH_TEXT("Keyhaven", "Tray")));
    const auto add = [this](int nId) {
        QAction* pAction = m_pMenu->addAction(TrText(FindCommandText(COMMAND_MENU_TEXTS, nId)));
        pAction->setProperty("commandId", nId);
        pAction->setObjectName(QStringLiteral("tray%1").arg(nId));
        connect(pAction, &QAction::triggered, this, [this, nId]() { m_commands.Execute(nId); });
    };
    add(ID_TRAY_MAINWINDOW);
    add(ID_TRAY_PASSWORDBAR);
    m_pMenu->addSeparator();
    add(ID_TRAY_LOCK);
    m_pMenu->addSeparator();
    add(ID_TRAY_EXIT);
    connect(m_pMenu.get(), &QMenu::aboutToShow, this, &CSystemTray::UpdateMenu);
}

bool CSystemTray::Create(const QString& strTip, int nIconId, int nId, bool bHidden) {
    m_bEnabled = true;
    m_nId = nId;
    m_strTip = strTip.left(TIP_MAX);
    m_icon.setToolTip(m_strTip);
    m_nIconId = nIconId;
    m_icon.setIcon(NumberedIcon(nIconId));
    m_bHidden = bHidden;
    if (bHidden)
        return true;
    m_bRemoved = true;
    return AddIcon();
}

bool CSystemTray::SetIcon(int nIconId) {
    if (!m_bEnabled)
        return false;
    m_nIconId = nIconId;
    m_icon.setIcon(NumberedIcon(nIconId));
    return true;
}

bool CSystemTray::SetMenuDefaultItem(int nItem, bool bByPos) {
    if (nItem == m_nDefaultMenuItem && bByPos == m_bDefaultByPos)
        return true;
    m_nDefaultMenuItem = nItem;
    m_bDefaultByPos = bByPos;
    UpdateMenu();
    return true;
}

QAction* CSystemTray::ActionAt(int nPos) const {
    const QList<QAction*> actions = m_pMenu->actions();
    return nPos >= 0 && nPos < actions.size() ? actions[nPos] : nullptr;
}

int CSystemTray::DefaultCommand() const {
    if (!m_bDefaultByPos)
        return m_nDefaultMenuItem;
    const QAction* pAction = ActionAt(m_nDefaultMenuItem);
    return pAction ? pAction->property("commandId").toInt() : 0;
}

void CSystemTray::UpdateMenu() {
    const int nDefault = DefaultCommand();
    for (QAction* pAction : m_pMenu->actions()) {
        if (pAction->isSeparator())
            continue;
        const int nId = pAction->property("commandId").toInt();
        pAction->setEnabled(m_commands.Update(nId).bEnabled);
        // Each change of an item is sent to a D-Bus tray host: only real ones.
        QFont font = pAction->font();
        if (font.bold() == (nId == nDefault))
            continue;
        font.setBold(nId == nDefault);
        pAction->setFont(font);
    }
}

bool CSystemTray::RemoveIcon() {
    m_bShowIconPending = false;
    if (!m_bEnabled || m_bRemoved)
        return true;
    m_icon.hide();
    m_bHidden = true;
    m_bRemoved = true;
    return true;
}

bool CSystemTray::HideIcon() {
    if (!m_bEnabled || m_bRemoved || m_bHidden) {
        // A user who hides the icon also ends the wait for a tray.
        m_bHidden = true;
        m_bShowIconPending = false;
        m_timerPoll.stop();
        return true;
    }
    RemoveIcon();
    m_timerPoll.stop();
    return m_bHidden;
}

bool CSystemTray::AddIcon() {
    if (!m_bRemoved)
        RemoveIcon();
    if (!m_bEnabled)
        return false;
    if (!IsTrayAvailable()) {
        m_bRemoved = true;
        m_bHidden = true;
        m_bShowIconPending = true;
        m_timerPoll.start();
        return false;
    }
    m_icon.show();
    m_bRemoved = false;
    m_bHidden = false;
    m_bShowIconPending = false;
    // Keep watching: a tray that goes away and comes back needs the icon
    // added again.
    m_timerPoll.start();
    return true;
}

bool CSystemTray::ShowIcon() {
    if (m_bRemoved || m_bHidden)
        return AddIcon();
    return true;
}

void CSystemTray::OnPoll() {
    const bool bAvailable = IsTrayAvailable();
    if (m_bShowIconPending) {
        if (bAvailable)
            AddIcon();
        return;
    }
    if (!m_bRemoved && !bAvailable) {
        // The tray went away; the icon waits for the next one.
        m_icon.hide();
        m_bRemoved = true;
        m_bHidden = true;
        m_bShowIconPending = true;
        emit Lost();
    }
}

void CSystemTray::OnTrayNotification(QSystemTrayIcon::ActivationReason eReason) {
    // The X11 tray reports the first press of a double click as a single
    // click (Trigger), then the second, then the double click; a D-Bus tray
    // host sends one activation (Trigger) per click. The first click acts,
    // the rest of the gesture does not. The menu stays on the right button.
    if (eReason != QSystemTrayIcon::Trigger && eReason != QSystemTrayIcon::DoubleClick)
        return;
    if (!m_clicks.Acts())
        return;
    const int nCommand = DefaultCommand();
    if (nCommand == 0)
        return;
    if (!m_bDBusTray) {
        RunDefault(nCommand);
        return;
    }
    // The activation is a call of the host, answered when this returns; the
    // KEY's dialog would keep the host waiting for its answer meanwhile.
    QMetaObject::invokeMethod(
        this, [this, nCommand]() { RunDefault(nCommand); }, Qt::QueuedConnection);
}

void CSystemTray::OnMessageClicked() {
    // The X11 tray also reports the press of any button on the icon while a
    // message shows as a click on the message: the right one opens the menu.
    if ((QGuiApplication::mouseButtons() & ~Qt::LeftButton) != Qt::NoButton)
        return;
    OnTrayNotification(QSystemTrayIcon::Trigger);
}

bool CSystemTray::ShowMessage(const QString& strTitle, const QString& strText) {
    if (!IsShown())
        return false;
    m_icon.showMessage(strTitle, strText, NumberedIcon(IDR_MAINFRAME), MESSAGE_MS);
    m_listMessages << strText;
    return true;
}

void CSystemTray::RunDefault(int nCommand) {
    m_commands.ExecuteUnchecked(nCommand);
    m_clicks.Done();
}
