// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/PortalShortcut.h"

#include <cstdint>

namespace {

struct SKeySymName {
    std::uint32_t nKeySym;
    const char* pszName;
};

// The names of the keysyms a stored hot key can map to, other than letters,
// digits, keypad digits and function keys, which are named by rule.
constexpr SKeySymName KEYSYM_NAMES[] = {
    {0xFF08, "BackSpace"}, {0xFF09, "Tab"},         {0xFF0D, "Return"},     {0xFF13, "Pause"},
    {0xFF1B, "Escape"},    {0xFF50, "Home"},        {0xFF51, "Left"},       {0xFF52, "Up"},
    {0xFF53, "Right"},     {0xFF54, "Down"},        {0xFF55, "Prior"},      {0xFF56, "Next"},
    {0xFF57, "End"},       {0xFF61, "Print"},       {0xFF63, "Insert"},     {0xFFAA, "KP_Multiply"},
    {0xFFAB, "KP_Add"},    {0xFFAD, "KP_Subtract"}, {0xFFAE, "KP_Decimal"}, {0xFFAF, "KP_Divide"},
    {0xFFFF, "Delete"},    {' ', "space"},          {';', "semicolon"},     {'=', "equal"},
    {',', "comma"},        {'-', "minus"},          {'.', "period"},        {'/', "slash"},
    {'`', "grave"},        {'[', "bracketleft"},    {'\\', "backslash"},    {']', "bracketright"},
    {'\'', "apostrophe"},
};

constexpr std::uint32_t XK_KP_0 = 0xFFB0;
constexpr std::uint32_t XK_F1 = 0xFFBE;
constexpr std::uint32_t XK_F35 = 0xFFE0;

std::string KeySymName(std::uint32_t nKeySym) {
    if ((nKeySym >= 'a' && nKeySym <= 'z') || (nKeySym >= '0' && nKeySym <= '9'))
        return std::string(1, char(nKeySym));
    if (nKeySym >= XK_KP_0 && nKeySym <= XK_KP_0 + 9)
        return "KP_" + std::to_string(nKeySym - XK_KP_0);
    if (nKeySym >= XK_F1 && nKeySym <= XK_F35)
        return "F" + std::to_string(nKeySym - XK_F1 + 1);
    for (const SKeySymName& entry : KEYSYM_NAMES) {
        if (entry.nKeySym == nKeySym)
            return entry.pszName;
    }
    return {};
}

} // namespace

std::string PortalTrigger(const SHotKeyGrab& grab) {
    if (!grab.IsValid())
        return {};
    const std::string strKey = KeySymName(grab.nKeySym);
    if (strKey.empty())
        return {};
    std::string strTrigger;
    if (grab.nModifiers & X_CONTROL_MASK)
        strTrigger += "CTRL+";
    if (grab.nModifiers & X_MOD1_MASK)
        strTrigger += "ALT+";
    if (grab.nModifiers & X_SHIFT_MASK)
        strTrigger += "SHIFT+";
    return strTrigger + strKey;
}

std::string PortalRequestPath(const std::string& strUniqueName, const std::string& strToken) {
    std::string strSender = strUniqueName;
    if (!strSender.empty() && strSender.front() == ':')
        strSender.erase(0, 1);
    for (char& ch : strSender) {
        if (ch == '.')
            ch = '_';
    }
    return "/org/freedesktop/portal/desktop/request/" + strSender + "/" + strToken;
}
