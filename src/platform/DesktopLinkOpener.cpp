// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopLinkOpener.h"

#include "core/store/CodePage.h"
#include "platform/DesktopEntry.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include <cstdlib>

namespace {

QString ToQString(const std::string& strUtf8) {
    return QString::fromStdString(strUtf8);
}

// The desktop entry id xdg-settings reports, if the tool is there and
// answers within a moment.
std::optional<std::string> XdgSettingsBrowser() {
    const QString strTool = QStandardPaths::findExecutable(QStringLiteral("xdg-settings"));
    if (strTool.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(strTool, {QStringLiteral("get"), QStringLiteral("default-web-browser")});
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished(500);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    const std::string strId = process.readAllStandardOutput().trimmed().toStdString();
    if (strId.empty())
        return std::nullopt;
    return strId;
}

} // namespace

bool CDesktopLinkOpener::OpenWithDesktop(const std::string& strTarget) {
    if (strTarget.empty())
        return false;
    // Addresses are often written without their scheme ("www.example.com"):
    // read them the way an address bar would.
    const QUrl url = QUrl::fromUserInput(ToQString(strTarget));
    return url.isValid() && QDesktopServices::openUrl(url);
}

std::optional<std::string> CDesktopLinkOpener::BrowserVariable() {
    const char* pszBrowser = std::getenv("BROWSER");
    if (pszBrowser == nullptr || *pszBrowser == 0)
        return std::nullopt;
    return std::string(pszBrowser);
}

std::optional<std::string> CDesktopLinkOpener::DefaultBrowserCommand() {
    const CDesktopEntry entry = CDesktopEntry::FromEnvironment();
    if (std::optional<std::string> strId = XdgSettingsBrowser()) {
        if (std::optional<std::string> strExec = entry.FindExec(*strId))
            return strExec;
    }
    return entry.DefaultBrowserExec();
}

bool CDesktopLinkOpener::StartProgram(const std::vector<std::string>& vArgs) {
    if (vArgs.empty())
        return false;
    QStringList listArgs;
    for (std::size_t i = 1; i < vArgs.size(); ++i)
        listArgs << ToQString(vArgs[i]);
    return QProcess::startDetached(ToQString(vArgs[0]), listArgs);
}

int OpenLink(const std::string& strTarget, const CCodePage& codePage) {
    CDesktopLinkOpener opener;
    return opener.OpenLink(codePage.ToUtf8(strTarget));
}
