// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPrompts.h"

#include "core/base/Translation.h"
#include "platform/Translations.h"

#include "platform/QtPrintDevice.h"

#include "core/base/StringTable.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace {

QMessageBox::Icon IconOf(EMsgIcon eIcon) {
    switch (eIcon) {
    case EMsgIcon::exclamation:
        return QMessageBox::Warning;
    case EMsgIcon::information:
        return QMessageBox::Information;
    case EMsgIcon::question:
        return QMessageBox::Question;
    case EMsgIcon::stop:
        return QMessageBox::Critical;
    case EMsgIcon::none:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(EMsgButtons eButtons) {
    switch (eButtons) {
    case EMsgButtons::ok:
        return QMessageBox::Ok;
    case EMsgButtons::okCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case EMsgButtons::yesNo:
    case EMsgButtons::yesNoDefaultNo:
        return QMessageBox::Yes | QMessageBox::No;
    case EMsgButtons::yesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QString FromUtf8(const std::string& strText) {
    return QString::fromStdString(strText);
}

std::string ToUtf8(const QString& strText) {
    return strText.toStdString();
}

// What the interface thread and a worker share. The worker holds it to its
// end, also when the wait gave up on it, so nothing of the waiting side's
// stack is reached from there.
struct SBusyWorker {
    CBusyWork fnWork;
    CCancelToken token;
    std::mutex mutex;
    QEventLoop* pLoop = nullptr; // the wait to end; none once nobody waits
    bool bDone = false;
    bool bAbandoned = false;
};

// The busy box's bar, in steps, once the work says how far it got; until
// then the bar only says that something is going on.
constexpr int BUSY_BAR_STEPS = 1000;
constexpr int BUSY_BAR_POLL_MS = 100;

void ShowProgress(QProgressDialog& box, const CCancelToken& token) {
    const auto [nDone, nTotal] = token.Progress();
    auto* pBar = box.findChild<QProgressBar*>();
    if (nTotal == 0 || !pBar)
        return;
    // The bar itself: the box's own value would close the box once full,
    // while the work still ends its last step.
    pBar->setRange(0, BUSY_BAR_STEPS);
    pBar->setValue(static_cast<int>(std::min(nDone, nTotal) * BUSY_BAR_STEPS / nTotal));
}

// Abandoned workers still running.
std::atomic<int> g_nAbandoned{0};

void RunWorker(const std::shared_ptr<SBusyWorker>& pWorker) {
    pWorker->fnWork(pWorker->token);
    const std::lock_guard lock(pWorker->mutex);
    pWorker->bDone = true;
    // The quit is queued to the waiting thread's loop, so work that ends
    // before exec() starts still ends the wait. The loop outlives the post:
    // it is let go only after pLoop is cleared under the same lock.
    if (pWorker->pLoop)
        QMetaObject::invokeMethod(pWorker->pLoop, &QEventLoop::quit, Qt::QueuedConnection);
    if (pWorker->bAbandoned)
        --g_nAbandoned;
}

// A text core hands over to be shown: a fixed text of the program is shown
// in the language loaded; formatted texts come translated already, and any
// other text (a user's) has no translation and stays as it is.
QString Shown(const std::string& strText) {
    return TrText(strText.c_str());
}

} // namespace

CQtPrompts::CQtPrompts(std::function<QWidget*()> fnParent, const CCodePage* pCodePage)
    : m_fnParent(std::move(fnParent)), m_pCodePage(pCodePage) {}

QWidget* CQtPrompts::OwnerFor(QWidget* pWindow) {
    QWidget* pModal = QApplication::activeModalWidget();
    return pModal && pModal->isVisible() ? pModal : pWindow;
}

QWidget* CQtPrompts::Parent() const {
    return OwnerFor(m_fnParent ? m_fnParent() : nullptr);
}

EMsgAnswer CQtPrompts::MessageBox(const std::string& strText, EMsgIcon eIcon, EMsgButtons eButtons,
                                  const std::string& strCaption) {
    return ShowMessage(Parent(), strText, eIcon, eButtons, strCaption);
}

EMsgAnswer CQtPrompts::ShowMessage(QWidget* pParent, const std::string& strText, EMsgIcon eIcon,
                                   EMsgButtons eButtons, const std::string& strCaption) {
    QMessageBox box(IconOf(eIcon), Shown(strCaption), Shown(strText), ButtonsOf(eButtons), pParent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);
    if (eButtons == EMsgButtons::yesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return EMsgAnswer::ok;
    case QMessageBox::Yes:
        return EMsgAnswer::yes;
    case QMessageBox::No:
        return EMsgAnswer::no;
    default:
        // A box closed without a choice: a Yes/No question counts it as No,
        // like the button that ends it without doing anything.
        return eButtons == EMsgButtons::yesNo || eButtons == EMsgButtons::yesNoDefaultNo
                   ? EMsgAnswer::no
                   : EMsgAnswer::cancel;
    }
}

struct CQtPrompts::SBusyWait {
    EBusyKind eKind;
    QEventLoop* pLoop;
    // Why the wait stopped before the work's end, when something stopped it.
    std::optional<EBusyEnd> stopped;
};

EBusyEnd CQtPrompts::RunBusy(const std::string& strText, CBusyWork fnWork, EBusyKind eKind) {
    auto pWorker = std::make_shared<SBusyWorker>();
    pWorker->fnWork = std::move(fnWork);
    QProgressDialog box(Shown(strText), QString(), 0, 0, Parent());
    box.setObjectName(QStringLiteral("busyBox"));
    box.setWindowTitle(TrText(PROMPT_CAPTION));
    box.setWindowModality(Qt::ApplicationModal);
    box.setMinimumDuration(0);
    QEventLoop loop;
    SBusyWait wait{eKind, &loop, std::nullopt};
    if (eKind == EBusyKind::waited) {
        box.setCancelButton(nullptr);
    } else {
        box.setCancelButtonText(TrText(IDS_BUTTON_CANCEL));
        QObject::connect(&box, &QProgressDialog::canceled, &loop, [&wait]() {
            if (!wait.stopped)
                wait.stopped = EBusyEnd::cancelled;
            wait.pLoop->quit();
        });
    }
    box.show();
    QTimer progress;
    QObject::connect(&progress, &QTimer::timeout, &box,
                     [&box, pWorker]() { ShowProgress(box, pWorker->token); });
    progress.start(BUSY_BAR_POLL_MS);
    {
        const std::lock_guard lock(pWorker->mutex);
        pWorker->pLoop = &loop;
    }
    std::thread worker(RunWorker, pWorker);
    m_vecWaits.push_back(&wait);
    loop.exec();
    m_vecWaits.pop_back();
    bool bDone = false;
    {
        const std::lock_guard lock(pWorker->mutex);
        pWorker->pLoop = nullptr;
        bDone = pWorker->bDone;
        // Waited work is waited for even when the program ends: it is short
        // and may use the caller's data.
        if (!bDone && eKind != EBusyKind::waited) {
            pWorker->bAbandoned = true;
            ++g_nAbandoned;
        }
    }
    if (bDone || eKind == EBusyKind::waited) {
        worker.join();
        return wait.stopped.value_or(EBusyEnd::done);
    }
    // Told to stop where it can look; where it cannot (Argon2), it ends on
    // its own, and what it made is thrown away with its state.
    pWorker->token.Cancel();
    worker.detach();
    return wait.stopped.value_or(EBusyEnd::interrupted);
}

bool CQtPrompts::IsLockStoppableWorkRunning() const {
    return std::any_of(m_vecWaits.begin(), m_vecWaits.end(), [](const SBusyWait* pWait) {
        return pWait->eKind == EBusyKind::stoppedByLock;
    });
}

void CQtPrompts::StopWorkForLock() {
    for (SBusyWait* pWait : m_vecWaits) {
        if (pWait->eKind != EBusyKind::stoppedByLock)
            continue;
        pWait->stopped = EBusyEnd::interrupted;
        pWait->pLoop->quit();
    }
}

bool CQtPrompts::IsAbandonedWorkRunning() {
    return g_nAbandoned.load() > 0;
}

std::string CQtPrompts::FilterSuffix(const std::string& strFilter) {
    const auto nOpen = strFilter.rfind('(');
    const auto nClose = strFilter.rfind(')');
    if (nOpen == std::string::npos || nClose == std::string::npos || nClose <= nOpen + 1)
        return {};
    return strFilter.substr(nOpen + 1, nClose - nOpen - 1);
}

std::string CQtPrompts::WithDefaultExtension(const std::string& strPath,
                                             const std::string& strDefaultExt) {
    if (strPath.empty() || strDefaultExt.empty())
        return strPath;
    const auto nSlash = strPath.rfind('/');
    const std::string strName = nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
    // A leading dot names a hidden file, not an extension.
    const auto nDot = strName.rfind('.');
    if (nDot != std::string::npos && nDot > 0)
        return strPath;
    return strPath + (strDefaultExt[0] == '.' ? "" : ".") + strDefaultExt;
}

std::string CQtPrompts::FilterExtension(const std::string& strFilter) {
    std::string strSuffix = FilterSuffix(strFilter);
    // The first pattern of "*.pwd *.khv", without its star.
    strSuffix = strSuffix.substr(0, strSuffix.find(' '));
    if (strSuffix.rfind("*.", 0) != 0 || strSuffix.find_first_of("*?[", 1) != std::string::npos)
        return {};
    return strSuffix.substr(1);
}

std::vector<std::string> CQtPrompts::NameFilters(const std::string& strFilter) {
    std::vector<std::string> vecFilters;
    bool bMatchesAll = false;
    for (std::size_t nStart = 0; nStart <= strFilter.size();) {
        std::size_t nEnd = strFilter.find(";;", nStart);
        if (nEnd == std::string::npos)
            nEnd = strFilter.size();
        const std::string strOne = strFilter.substr(nStart, nEnd - nStart);
        nStart = nEnd + 2;
        if (strOne.empty())
            continue;
        // "Anything (*.txt *)": one of its patterns is the bare star.
        const std::string strPatterns = " " + FilterSuffix(strOne) + " ";
        bMatchesAll = bMatchesAll || strPatterns.find(" * ") != std::string::npos;
        vecFilters.push_back(strOne);
    }
    if (!bMatchesAll)
        vecFilters.emplace_back(TranslateText(IDS_ALL_FILES_FILTER));
    return vecFilters;
}

bool CQtPrompts::FileDialog(const SFilePrompt& prompt, bool bSave, std::string& strPath) {
    QFileDialog dialog(Parent(), Shown(prompt.m_strTitle));
    dialog.setObjectName(bSave ? QStringLiteral("saveFileDialog")
                               : QStringLiteral("openFileDialog"));
    QStringList filters;
    for (const std::string& strFilter : NameFilters(ToUtf8(Shown(prompt.m_strFilter))))
        filters << FromUtf8(strFilter);
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!prompt.m_bConfirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // The chosen filter gives the extension of a name typed without one, so
    // picking the protected format is enough to save in it.
    const auto fnSuffixOf = [](const QString& strFilter) {
        QString strExt = FromUtf8(FilterExtension(ToUtf8(strFilter)));
        return strExt.startsWith(QLatin1Char('.')) ? strExt.mid(1) : strExt;
    };
    QString strExt = FromUtf8(prompt.m_strDefaultExt);
    if (strExt.startsWith(QLatin1Char('.')))
        strExt.remove(0, 1);
    for (const QString& strFilter : filters) {
        if (!strExt.isEmpty() && fnSuffixOf(strFilter) == strExt) {
            dialog.selectNameFilter(strFilter);
            break;
        }
    }
    dialog.setDefaultSuffix(strExt);
    // Choosing another type also changes the extension of the name shown, when
    // it is the previous type's: "Work.pwd" becomes "Work.khv".
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, fnSuffixOf](const QString& strFilter) {
                         const QString strSuffix = fnSuffixOf(strFilter);
                         if (strSuffix.isEmpty())
                             return;
                         const QString strOld = dialog.defaultSuffix();
                         dialog.setDefaultSuffix(strSuffix);
                         const QStringList typed = dialog.selectedFiles();
                         if (typed.isEmpty())
                             return;
                         const QFileInfo info(typed.constFirst());
                         if (!strOld.isEmpty() && info.suffix() == strOld)
                             dialog.selectFile(info.completeBaseName() + QLatin1Char('.') +
                                               strSuffix);
                     });
    if (!prompt.m_strInitialName.empty()) {
        const QFileInfo info(FromUtf8(prompt.m_strInitialName));
        dialog.setDirectory(info.isAbsolute() ? info.absolutePath() : QDir::homePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    strPath = ToUtf8(dialog.selectedFiles().constFirst());
    if (bSave) {
        const QString strChosen = fnSuffixOf(dialog.selectedNameFilter());
        strPath = WithDefaultExtension(strPath, strChosen.isEmpty() ? prompt.m_strDefaultExt
                                                                    : "." + ToUtf8(strChosen));
    }
    return true;
}

bool CQtPrompts::PromptOpenFile(const SFilePrompt& prompt, std::string& strPath) {
    return FileDialog(prompt, false, strPath);
}

bool CQtPrompts::PromptSaveFile(const SFilePrompt& prompt, std::string& strPath) {
    return FileDialog(prompt, true, strPath);
}

bool CQtPrompts::RunPrintDialog(CPrintDevice& device) {
    auto* pQtDevice = dynamic_cast<CQtPrintDevice*>(&device);
    if (!pQtDevice)
        return false;
    QPrintDialog dialog(&pQtDevice->Printer(), Parent());
    // The whole file always prints: no page numbers, no selection. Printing
    // into a file stays offered, as the desktop's PDF printer.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
}
