// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/PrintDevice.h"

#include <string>
#include <vector>

struct SDrawn {
    int nPage;
    int x;
    int y;
    std::string strText;
};

// A printer of a given resolution and printable size that writes down
// every call.
class CRecordingDevice final : public CPrintDevice {
public:
    CRecordingDevice(int nDpi, int nWidth, int nHeight)
        : m_nDpi(nDpi), m_nWidth(nWidth), m_nHeight(nHeight) {}

    int DpiX() const override { return m_nDpi; }
    int DpiY() const override { return m_nDpi; }
    int PageWidth() const override { return m_nWidth; }
    int PageHeight() const override { return m_nHeight; }
    std::string TargetName() const override { return "recorder"; }
    void SelectFixedPitchFont(int nLineHeight) override {
        m_vecCalls.push_back("font " + std::to_string(nLineHeight));
    }
    bool StartDoc(const std::string& strDocName) override {
        m_vecCalls.push_back("startDoc " + strDocName);
        return m_bAcceptJob;
    }
    void StartPage() override {
        ++m_nPage;
        m_vecCalls.push_back("startPage");
    }
    void EndPage() override { m_vecCalls.push_back("endPage"); }
    void EndDoc() override { m_vecCalls.push_back("endDoc"); }
    void TextOut(int x, int y, const std::string& strText) override {
        m_vecDrawn.push_back({m_nPage, x, y, strText});
    }

    int m_nDpi, m_nWidth, m_nHeight;
    bool m_bAcceptJob = true;
    int m_nPage = 0;
    std::vector<std::string> m_vecCalls;
    std::vector<SDrawn> m_vecDrawn;
};
