// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/HotKeyCodes.h"

#include <gtest/gtest.h>

namespace {

// A few Qt::Key values, written out as the table does.
constexpr int QT_KEY_K = 0x4B;
constexpr int QT_KEY_F1 = 0x01000030;
constexpr int QT_KEY_F12 = 0x0100003B;
constexpr int QT_KEY_HOME = 0x01000010;
constexpr int QT_KEY_RETURN = 0x01000004;
constexpr int QT_KEY_ENTER = 0x01000005;
constexpr int QT_KEY_SHIFT = 0x01000020;
constexpr int QT_KEY_CONTROL = 0x01000021;

} // namespace

TEST(HotKeyCodes, StoredFormOfKeyPresses) {
    // Alt+K is stored as 75 and 4.
    const SHotKey altK = HotKeyFromQt(QT_KEY_K, QT_ALT_MODIFIER);
    EXPECT_EQ(altK.m_wVirtualKey, 75u);
    EXPECT_EQ(altK.m_wFlags, HOTKEYF_ALT);
    const SHotKey ctrlShiftF12 = HotKeyFromQt(QT_KEY_F12, QT_CONTROL_MODIFIER | QT_SHIFT_MODIFIER);
    EXPECT_EQ(ctrlShiftF12.m_wVirtualKey, 0x7Bu);
    EXPECT_EQ(ctrlShiftF12.m_wFlags, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    // Navigation keys carry the extended-key bit, which is no modifier.
    const SHotKey ctrlHome = HotKeyFromQt(QT_KEY_HOME, QT_CONTROL_MODIFIER);
    EXPECT_EQ(ctrlHome.m_wVirtualKey, 0x24u);
    EXPECT_EQ(ctrlHome.m_wFlags, HOTKEYF_CONTROL | HOTKEYF_EXT);
    EXPECT_EQ(QtModifiersFromHotKeyFlags(ctrlHome.m_wFlags), QT_CONTROL_MODIFIER);
    // A modifier key alone is no hot key.
    EXPECT_EQ(HotKeyFromQt(QT_KEY_SHIFT, QT_SHIFT_MODIFIER).m_wVirtualKey, 0u);
    EXPECT_EQ(HotKeyFromQt(QT_KEY_CONTROL, QT_CONTROL_MODIFIER).m_wFlags, 0u);
}

TEST(HotKeyCodes, EveryMappedKeyComesBack) {
    int nMapped = 0;
    for (int nQt :
         {0x20,       0x30,       0x39,       0x41,        0x5A,       0x3B,          0x3D,
          0x2C,       0x2D,       0x2E,       0x2F,        0x60,       0x5B,          0x5C,
          0x5D,       0x27,       0x01000000, 0x01000001,  0x01000003, QT_KEY_RETURN, 0x01000006,
          0x01000007, 0x01000008, 0x01000009, QT_KEY_HOME, 0x01000011, 0x01000012,    0x01000013,
          0x01000014, 0x01000015, 0x01000016, 0x01000017,  QT_KEY_F1,  0x01000047}) {
        const unsigned wVk = VirtualKeyFromQtKey(nQt);
        ASSERT_NE(wVk, 0u) << std::hex << nQt;
        EXPECT_EQ(QtKeyFromVirtualKey(wVk), nQt) << std::hex << nQt;
        ++nMapped;
    }
    EXPECT_EQ(nMapped, 34);
    // Both Enter keys are stored as Return and read back as Return.
    EXPECT_EQ(VirtualKeyFromQtKey(QT_KEY_ENTER), VirtualKeyFromQtKey(QT_KEY_RETURN));
    EXPECT_EQ(VirtualKeyFromQtKey(QT_KEY_F1), 0x70u);
    EXPECT_EQ(QtKeyFromVirtualKey(0), 0);
    EXPECT_EQ(QtKeyFromVirtualKey(0xFF), 0);
    // Lower-case letters are not Qt key codes.
    EXPECT_EQ(VirtualKeyFromQtKey('k'), 0u);
}

TEST(HotKeyCodes, ShiftAloneIsRefused) {
    EXPECT_TRUE(IsRefusedModifiers(HOTKEYF_SHIFT));
    EXPECT_TRUE(IsRefusedModifiers(HOTKEYF_SHIFT | HOTKEYF_EXT));
    EXPECT_FALSE(IsRefusedModifiers(HOTKEYF_SHIFT | HOTKEYF_CONTROL));
    EXPECT_FALSE(IsRefusedModifiers(HOTKEYF_ALT));
    EXPECT_FALSE(IsRefusedModifiers(0));
}
