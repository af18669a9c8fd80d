// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtProfile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QVariant>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char SETTINGS_ORGANIZATION[] = "Tallowmere";
constexpr char SETTINGS_APPLICATION[] = "Keyhaven";

QString FromBytes(const std::string& strName) {
    return QString::fromUtf8(strName.data(), static_cast<qsizetype>(strName.size()));
}

bool NamesEqual(const QString& strStored, const std::string& strName) {
    const QByteArray bytes = strStored.toUtf8();
    return ProfileNamesEqual(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), strName);
}

QString FindName(const QStringList& names, const std::string& strName) {
    // An exact match wins over one that differs in case, so a file that
    // holds both spellings (written by hand) still reads what was meant.
    QString strExact = FromBytes(strName);
    if (names.contains(strExact))
        return strExact;
    for (const QString& strStored : names)
        if (NamesEqual(strStored, strName))
            return strStored;
    return {};
}

bool IsValidUtf8(const std::string& strText) {
    const QString strDecoded = FromBytes(strText);
    const QByteArray bytes = strDecoded.toUtf8();
    return bytes.size() == static_cast<qsizetype>(strText.size()) &&
           std::equal(strText.begin(), strText.end(), bytes.constData());
}

// A stored integer: decimal digits only, at most 32 bits.
bool ParseDecimal(const QString& strText, unsigned& nValue) {
    if (strText.isEmpty() || strText.size() > 10)
        return false;
    unsigned long long nResult = 0;
    for (const QChar c : strText) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        nResult = nResult * 10 + static_cast<unsigned>(c.unicode() - '0');
    }
    if (nResult > 0xFFFFFFFFull)
        return false;
    nValue = static_cast<unsigned>(nResult);
    return true;
}

} // namespace

// The settings name the user's password files and folders: the file is the
// user's alone. It is made 0600 before the first write, so the atomic save,
// which keeps the mode of the file it replaces, never widens it; a looser
// file left by an older version is tightened.
void CQtProfile::MakeFilePrivate() const {
    const QByteArray path = QFile::encodeName(m_pSettings->fileName());
    QDir().mkpath(QFileInfo(m_pSettings->fileName()).absolutePath());
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return;
    }
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
        (st.st_mode & 077) != 0)
        ::chmod(path.constData(), 0600);
}

CQtProfile::CQtProfile()
    : m_pSettings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                              QString::fromLatin1(SETTINGS_ORGANIZATION),
                                              QString::fromLatin1(SETTINGS_APPLICATION))) {
    // The settings are the user's alone: an organisation-wide or system-wide
    // file must not slip values in that the user never chose.
    m_pSettings->setFallbacksEnabled(false);
    MakeFilePrivate();
}

CQtProfile::CQtProfile(const QString& strFileName)
    : m_pSettings(std::make_unique<QSettings>(strFileName, QSettings::IniFormat)) {
    m_pSettings->setFallbacksEnabled(false);
    MakeFilePrivate();
}

CQtProfile::~CQtProfile() {
    Sync();
}

bool CQtProfile::Sync() {
    MakeFilePrivate();
    m_pSettings->sync();
    MakeFilePrivate();
    return m_pSettings->status() == QSettings::NoError;
}

QString CQtProfile::FileName() const {
    return m_pSettings->fileName();
}

QString CQtProfile::GroupName(const std::string& strSection) const {
    const QString strStored = FindName(m_pSettings->childGroups(), strSection);
    return strStored.isEmpty() ? FromBytes(strSection) : strStored;
}

QString CQtProfile::KeyName(const QString& strGroup, const std::string& strValue) const {
    m_pSettings->beginGroup(strGroup);
    const QString strStored = FindName(m_pSettings->childKeys(), strValue);
    m_pSettings->endGroup();
    return strStored.isEmpty() ? FromBytes(strValue) : strStored;
}

QString CQtProfile::ExistingKey(const std::string& strSection, const std::string& strValue) const {
    const QString strGroup = FindName(m_pSettings->childGroups(), strSection);
    if (strGroup.isEmpty())
        return {};
    m_pSettings->beginGroup(strGroup);
    const QString strKey = FindName(m_pSettings->childKeys(), strValue);
    m_pSettings->endGroup();
    return strKey.isEmpty() ? QString() : strGroup + QLatin1Char('/') + strKey;
}

QString CQtProfile::KeyForWrite(const std::string& strSection, const std::string& strValue) const {
    const QString strGroup = GroupName(strSection);
    return strGroup + QLatin1Char('/') + KeyName(strGroup, strValue);
}

unsigned CQtProfile::GetProfileInt(const std::string& strSection, const std::string& strValue,
                                   unsigned nDefault) const {
    const QString strKey = ExistingKey(strSection, strValue);
    if (strKey.isEmpty())
        return nDefault;
    const QVariant value = m_pSettings->value(strKey);
    unsigned nValue = 0;
    if (value.typeId() != QMetaType::QString || !ParseDecimal(value.toString(), nValue))
        return nDefault;
    return nValue;
}

std::string CQtProfile::GetProfileString(const std::string& strSection, const std::string& strValue,
                                         const std::string& strDefault) const {
    const QString strKey = ExistingKey(strSection, strValue);
    if (strKey.isEmpty())
        return strDefault;
    const QVariant value = m_pSettings->value(strKey);
    if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    if (value.typeId() != QMetaType::QString)
        return strDefault;
    return value.toString().toStdString();
}

void CQtProfile::WriteProfileInt(const std::string& strSection, const std::string& strValue,
                                 unsigned nValue) {
    m_pSettings->setValue(KeyForWrite(strSection, strValue), QString::number(nValue));
}

void CQtProfile::WriteProfileString(const std::string& strSection, const std::string& strValue,
                                    const std::string& strText) {
    const QString strKey = KeyForWrite(strSection, strValue);
    if (IsValidUtf8(strText))
        m_pSettings->setValue(strKey, FromBytes(strText));
    else
        m_pSettings->setValue(strKey,
                              QByteArray(strText.data(), static_cast<qsizetype>(strText.size())));
}

void CQtProfile::DeleteProfileValue(const std::string& strSection, const std::string& strValue) {
    const QString strKey = ExistingKey(strSection, strValue);
    if (!strKey.isEmpty())
        m_pSettings->remove(strKey);
}

void CQtProfile::DeleteProfileSection(const std::string& strSection) {
    const QString strGroup = FindName(m_pSettings->childGroups(), strSection);
    if (!strGroup.isEmpty())
        m_pSettings->remove(strGroup);
}
