// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The band above the Options pages that names the page shown: a light
// rectangle with a grey shadow to its right and below.
class COptionsTitleBand : public QWidget {
    Q_OBJECT
public:
    explicit COptionsTitleBand(QWidget* pParent = nullptr);

    void SetTitle(const QString& strTitle);
    QString Title() const { return m_strTitle; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    QString m_strTitle;
};
