// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PortalHotKey.h"

#include "core/shell/PortalShortcut.h"
#include "platform/Translations.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QList>
#include <QMetaObject>
#include <QtDebug>

namespace {

constexpr char PORTAL_SERVICE[] = "org.freedesktop.portal.Desktop";
constexpr char PORTAL_PATH[] = "/org/freedesktop/portal/desktop";
constexpr char SHORTCUTS_IFACE[] = "org.freedesktop.portal.GlobalShortcuts";
constexpr char REQUEST_IFACE[] = "org.freedesktop.portal.Request";
constexpr char SESSION_IFACE[] = "org.freedesktop.portal.Session";
constexpr char RESPONSE_SIGNAL[] = "Response";
// What the desktop shows beside the shortcut in its settings.
constexpr const char* SHORTCUT_DESCRIPTION = KH_TEXT("Keyhaven", "Show Keyhaven");
// The portal's question may wait for the user; the property read does not.
constexpr int PROPERTY_TIMEOUT_MS = 3000;

} // namespace

// One shortcut of BindShortcuts and of its answer: (sa{sv}).
struct SPortalShortcut {
    QString strId;
    QVariantMap properties;
};
Q_DECLARE_METATYPE(SPortalShortcut)

QDBusArgument& operator<<(QDBusArgument& arg, const SPortalShortcut& shortcut) {
    arg.beginStructure();
    arg << shortcut.strId << shortcut.properties;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SPortalShortcut& shortcut) {
    arg.beginStructure();
    arg >> shortcut.strId >> shortcut.properties;
    arg.endStructure();
    return arg;
}

namespace {

void RegisterTypes() {
    static const bool bDone = []() {
        qDBusRegisterMetaType<SPortalShortcut>();
        qDBusRegisterMetaType<QList<SPortalShortcut>>();
        return true;
    }();
    (void)bDone;
}

// The portal documents the session handle as an object path; some versions
// send it as a string.
QString PathOf(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

QString NextToken() {
    static unsigned nCount = 0;
    return QStringLiteral("keyhaven%1").arg(++nCount);
}

} // namespace

CPortalHotKey::CPortalHotKey(QObject* pParent) : QObject(pParent) {
    RegisterTypes();
}

CPortalHotKey::~CPortalHotKey() {
    StopWatching();
    CloseSession();
}

bool CPortalHotKey::IsAvailable() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        PORTAL_SERVICE, PORTAL_PATH, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    call << QString::fromLatin1(SHORTCUTS_IFACE) << QStringLiteral("version");
    const QDBusMessage reply = bus.call(call, QDBus::Block, PROPERTY_TIMEOUT_MS);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    const QVariant version = reply.arguments().constFirst().value<QDBusVariant>().variant();
    return version.toUInt() >= 1;
}

QString CPortalHotKey::WatchRequest(const char* pszSlot) {
    StopWatching();
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString strToken = NextToken();
    m_strRequestPath = QString::fromStdString(
        PortalRequestPath(bus.baseService().toStdString(), strToken.toStdString()));
    bus.connect(PORTAL_SERVICE, m_strRequestPath, REQUEST_IFACE, RESPONSE_SIGNAL, this, pszSlot);
    m_pszResponseSlot = pszSlot;
    return strToken;
}

void CPortalHotKey::StopWatching() {
    if (m_strRequestPath.isEmpty())
        return;
    QDBusConnection::sessionBus().disconnect(PORTAL_SERVICE, m_strRequestPath, REQUEST_IFACE,
                                             RESPONSE_SIGNAL, this, m_pszResponseSlot);
    m_strRequestPath.clear();
    m_pszResponseSlot = nullptr;
}

void CPortalHotKey::CloseSession() {
    if (m_strSession.isEmpty())
        return;
    // The portal drops the session's shortcuts with it.
    QDBusConnection::sessionBus().send(QDBusMessage::createMethodCall(
        PORTAL_SERVICE, m_strSession, SESSION_IFACE, QStringLiteral("Close")));
    m_strSession.clear();
    m_strBoundTrigger.clear();
}

bool CPortalHotKey::Grab(const SHotKeyGrab& grab) {
    const QString strTrigger = QString::fromStdString(PortalTrigger(grab));
    if (strTrigger.isEmpty())
        return false;
    if (!IsAvailable()) {
        qWarning("Keyhaven: the global hot key is unavailable, the desktop portal offers no "
                 "global shortcuts");
        return false;
    }
    StopWatching();
    CloseSession();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!m_bActivatedConnected) {
        m_bActivatedConnected =
            bus.connect(PORTAL_SERVICE, PORTAL_PATH, SHORTCUTS_IFACE, QStringLiteral("Activated"),
                        this, SLOT(OnActivated(QDBusMessage)));
    }
    m_grab = grab;
    m_strTrigger = strTrigger;
    const QString strToken = WatchRequest(SLOT(OnSessionResponse(uint, QVariantMap)));
    QDBusMessage call = QDBusMessage::createMethodCall(PORTAL_SERVICE, PORTAL_PATH, SHORTCUTS_IFACE,
                                                       QStringLiteral("CreateSession"));
    call << QVariantMap{{QStringLiteral("handle_token"), strToken},
                        {QStringLiteral("session_handle_token"), NextToken()}};
    return bus.send(call);
}

void CPortalHotKey::Release(const SHotKeyGrab& grab) {
    if (!(grab == m_grab))
        return;
    StopWatching();
    CloseSession();
    m_grab = {};
    m_strTrigger.clear();
}

void CPortalHotKey::OnSessionResponse(uint nResponse, const QVariantMap& results) {
    StopWatching();
    m_strSession = PathOf(results.value(QStringLiteral("session_handle")));
    if (nResponse != 0 || m_strSession.isEmpty()) {
        qWarning("Keyhaven: the desktop portal refused a global shortcuts session (%u)", nResponse);
        m_strSession.clear();
        emit BindAnswered(false);
        return;
    }
    const QString strToken = WatchRequest(SLOT(OnBindResponse(uint, QVariantMap)));
    const QList<SPortalShortcut> shortcuts{
        {QString::fromLatin1(PORTAL_SHORTCUT_ID),
         {{QStringLiteral("description"), TrText(SHORTCUT_DESCRIPTION)},
          {QStringLiteral("preferred_trigger"), m_strTrigger}}}};
    QDBusMessage call = QDBusMessage::createMethodCall(PORTAL_SERVICE, PORTAL_PATH, SHORTCUTS_IFACE,
                                                       QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_strSession)) << QVariant::fromValue(shortcuts)
         << QString() << QVariantMap{{QStringLiteral("handle_token"), strToken}};
    QDBusConnection::sessionBus().send(call);
}

void CPortalHotKey::OnBindResponse(uint nResponse, const QVariantMap& results) {
    StopWatching();
    if (nResponse != 0) {
        qWarning("Keyhaven: the desktop did not bind the global hot key %s (%u)",
                 qPrintable(m_strTrigger), nResponse);
        emit BindAnswered(false);
        return;
    }
    const auto shortcuts =
        qdbus_cast<QList<SPortalShortcut>>(results.value(QStringLiteral("shortcuts")));
    for (const SPortalShortcut& shortcut : shortcuts) {
        if (shortcut.strId == QLatin1String(PORTAL_SHORTCUT_ID))
            m_strBoundTrigger =
                shortcut.properties.value(QStringLiteral("trigger_description")).toString();
    }
    emit BindAnswered(true);
}

void CPortalHotKey::OnActivated(const QDBusMessage& message) {
    // (o session_handle, s shortcut_id, t timestamp, a{sv} options)
    const QList<QVariant> args = message.arguments();
    if (m_strSession.isEmpty() || args.size() < 2 || PathOf(args.at(0)) != m_strSession ||
        args.at(1).toString() != QLatin1String(PORTAL_SHORTCUT_ID))
        return;
    // The frame may run a modal KEY check in answer: not from inside the
    // bus's signal delivery.
    QMetaObject::invokeMethod(this, &CPortalHotKey::Activated, Qt::QueuedConnection);
}
